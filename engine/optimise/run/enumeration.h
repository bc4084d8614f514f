#pragma once
// One run of the optimisation: every candidate computed in the nesting order, in steps the
// caller chooses, so that a page can show progress and offer to cancel, on its own thread or
// between events. A candidate the calculation rejects ends the run; the rows before it stay.
// At the end it says what the input layer shows: the last candidate written into its fields,
// with that candidate's calculation.

#include "optimise/results/candidatestore.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace sp::optimise {

enum class RunEnd {
    Running,
    Complete,  // every candidate computed
    Stopped,   // a candidate failed a check of the calculation (or could not be read)
    Cancelled, // cancelled from outside
};

// The fields of a one-layer window (modules 1 and 3) after a run: the section list at position
// `fields.section` − 1 with that section's labels and item lists (module1::sectionSetup) but the
// texts of `fields`, the calculation's rewrites included.
struct OneLayerFields {
    module1::Inputs fields;
    module1::Outcome outcome; // the last candidate's calculation (its message and marked field)
    // Module 3 besides: the position the run left the method list at (unset when no pile that is
    // not round was written, so the list keeps its method), and the last candidate's verdict and
    // the text colours of its method-dependent boxes (module3::Outcome).
    std::optional<module3::DeqMethod> method;
    std::optional<module3::ComplianceVerdict> verdict;
    std::vector<std::pair<std::string, core::Colour>> boxColours;
};

// Module 2's fields after a run: the section list and fields, the three lists the run selects
// (one layer, by rock strength, automatic coefficients) and the integrity basis list, and row 1
// of the rock-layer grid with the texts the run wrote and the cells the last calculation wrote.
// The two check boxes are left as they are.
struct RockGridFields {
    // Section, d, c (the calculation's rewrites included) and the settings; `fields.grid` is a
    // fresh grid with row 1 as the last candidate wrote it, for reference only: write back the
    // cells below, not the whole grid.
    module2::Inputs fields;
    int layerCountPosition = 0;
    // Row 1 of the grid: columns 1, 2 and 5 as the last candidate wrote them; column 3 (class)
    // and column 4 (index) as the last candidate that wrote each left it, unset when none did.
    std::string lr, weathering, frk;
    std::optional<std::string> integrity, kv;
    // The last candidate's calculation: its message, and in `outcome.cells` the grid cells it wrote.
    module2::Outcome outcome;
};

// The input layer after a run, to be written into its widgets once the run has ended, without
// running their change handlers: the module's fields, then the result boxes, the message line
// and the colours. It leaves the layer as computing every candidate there in turn would.
struct InputLayerState {
    bool written = false; // a candidate was written into the fields (false: the layer is untouched)
    // The result boxes: the last candidate's on success; all blank after a stop, since the
    // stopping candidate has no results.
    std::vector<std::pair<std::string, std::string>> boxes;
    core::StatusEffect status;  // the message line: shown, with the last message
    core::FieldEffects colours; // field colours set by the candidates, the last one's on top
    std::variant<OneLayerFields, RockGridFields> layer;

    const OneLayerFields& oneLayer() const { return std::get<OneLayerFields>(layer); }
    const RockGridFields& rockGrid() const { return std::get<RockGridFields>(layer); }
};

// How a run ended, for the profile that writes its last candidate back into the input layer.
struct RunEnding {
    const CandidateSpace& space;
    core::Precision precision;
    RunEnd end;
    std::uint64_t last;       // the candidate written last: the stopping one, or the last row
    std::uint64_t passed;     // rows of the run
    bool nonRoundPassed;      // some candidate passed with its c (or b) field checked
};

// advance() runs on one thread at a time; computed() and cancel() may be called from any thread;
// end(), rows() and inputLayer() are read once advance() has returned.
class Enumeration {
public:
    Enumeration(std::shared_ptr<const CandidateSpace> space, core::Precision precision);

    std::uint64_t total() const { return m_total; }
    // Candidates computed so far; may be read from another thread while a step runs.
    std::uint64_t computed() const { return m_computed.load(std::memory_order_relaxed); }
    RunEnd end() const { return m_end; }

    // Computes up to `count` further candidates. False once the run has ended.
    bool advance(std::uint64_t count);
    // Asks a running step (on any thread) to end the run; the next check point ends it as
    // Cancelled. Also ends a run that is between steps.
    void cancel() { m_cancel.store(true, std::memory_order_relaxed); }

    // Steps of `chunk` candidates until the end, reporting (computed, total) after each step.
    void runToEnd(const std::function<void(std::uint64_t, std::uint64_t)>& progress = {},
                  std::uint64_t chunk = 65536);

    // After the end: the rows (numbered when the run is complete) and the input layer.
    std::shared_ptr<CandidateStore> rows() const { return m_rows; }
    const InputLayerState& inputLayer() const { return m_inputLayer; }
    ModuleKind module() const { return m_space->module(); }

private:
    void finish(RunEnd end, std::uint64_t stoppedAt);

    std::shared_ptr<const CandidateSpace> m_space;
    std::shared_ptr<CandidateStore> m_rows;
    core::Precision m_precision;
    std::uint64_t m_total = 0;
    std::atomic<std::uint64_t> m_computed{0};
    std::atomic<bool> m_cancel{false};
    RunEnd m_end = RunEnd::Running;
    bool m_nonRoundPassed = false; // some candidate passed with its c (or b) field checked
    InputLayerState m_inputLayer;
};

} // namespace sp::optimise
