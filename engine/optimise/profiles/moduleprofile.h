#pragma once
// What one module brings to its optimisation page, in one place: its option rows and how the rows
// after the section rows are read, its inner loops and integrity values, how a candidate is
// written into the inputs, evaluated and shown as cells, its result columns, sort keys and file
// layout, how a row is recalled and how the last candidate is written back into the input layer
// after a run. The run, sort, filter, recall, files and page are written once over this interface;
// a profile is chosen once per page and per run, and holds no state of its own.

#include "core/text.h"
#include "optimise/modulekind.h"
#include "optimise/results/sortstate.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace sp::module1 {
struct Inputs;
}
namespace sp::module2 {
struct Inputs;
}
namespace sp::module3 {
struct Inputs;
}

namespace sp::optimise {

struct Options;
struct OptionsReading;
class RowReader;
class CandidateSpace;
struct CandidateKey;
struct Evaluation;
struct IntegrityValue;
struct RunContext;
class CandidateStore;
struct CandidateRow;
struct Recall;
struct InputLayerState;
struct RunEnding;

inline constexpr int kProfileOptionColumns = 5;
using OptionRowTexts = std::array<const char*, kProfileOptionColumns>;

// A module's candidate written into its window's input fields.
using CandidateInputs = std::variant<module1::Inputs, module2::Inputs, module3::Inputs>;

// The loops inside the depth, strength and integrity loops, as positions into their lists: one
// pass (a single 0) where the module has no such loop; no methods where it has no method loop.
struct InnerLoops {
    std::vector<int> grades;
    std::vector<int> processes;
    std::vector<int> weatherings;
    std::vector<int> methods;
};

// What a module computes once per run besides the value lists (its coefficient tables, its
// equivalent-diameter rules); each profile knows its own kind.
struct RunTables {
    virtual ~RunTables() = default;
};

// A field of a row line of the results file after the section's size fields.
struct FileField {
    int column;
    int width;
    int after; // blanks after it
    bool centred;
};

// The frame of a results file.
struct FileLayout {
    int width = 180;     // display columns of the rules
    int bannerLeft = 78; // "=" on each side of the title
    int bannerRight = 78;
    const char* heading1 = "";
    const char* heading2Raw = "";
    const char* heading2Filtered = "";
    std::span<const FileField> fields;
};

class ModuleProfile {
public:
    virtual ~ModuleProfile() = default;
    virtual ModuleKind module() const = 0;

    // The option table: its rows as a new window shows them, the last parameter row and the
    // filter rows (Rc's unset where the module filters on Ra alone).
    virtual std::span<const OptionRowTexts> optionRows() const = 0;
    virtual int lastValueRow() const = 0;
    virtual int filterRaRow() const = 0;
    virtual std::optional<int> filterRcRow() const = 0;
    // The note column's width where the module's notes need more room than the default; 0 else.
    virtual int noteColumnWidth() const { return 0; }

    // Reading the rows after the section, size, depth and strength rows. False when a row stops
    // the reading; `reading` (or the reader's error) then says why.
    virtual bool readRows(RowReader& read, Options& options, OptionsReading& reading) const = 0;
    // Candidates per pile size, and the method loop of sections that are not round (1: none).
    virtual std::uint64_t candidatesPerSize(const Options& options, std::uint64_t integrities) const = 0;
    virtual std::uint64_t methodLoop(const Options& options) const = 0;

    // The candidate space's module parts.
    virtual IntegrityValue integrityValue(int basis, double value) const = 0;
    virtual InnerLoops innerLoops(const Options& options) const = 0;
    virtual std::unique_ptr<const RunTables> makeTables(const CandidateSpace& space) const = 0;

    // One candidate: its input fields, its calculation through the module's own arithmetic, the
    // two figures its table is sorted and filtered by (Ra and Rc as their cells read back), a
    // cell of the result table from column 2 on, and whether it is drawn red.
    virtual CandidateInputs inputs(const CandidateSpace& space, const CandidateKey& key,
                                   core::Precision precision) const = 0;
    virtual Evaluation evaluate(const CandidateSpace& space, const CandidateKey& key) const = 0;
    virtual std::array<double, 2> keys(const Evaluation& evaluation, core::Precision precision) const = 0;
    virtual std::string_view cellText(const CandidateStore& store, const CandidateRow& row, int column,
                                      char* buffer) const = 0;
    virtual bool overStandard(const CandidateSpace& space, const CandidateKey& key) const;

    // The result tables: their columns, keys, the columns shown while folded, and the file.
    virtual const std::array<ResultColumnInfo, 18>& resultColumns() const = 0;
    virtual bool hasSortKey(SortKey key) const = 0;
    virtual const char* onlyKeysStatus() const = 0;
    virtual int lastAlwaysVisibleColumn() const = 0;
    virtual FileLayout fileLayout() const = 0;

    // A double click on a row, and the input layer after a run ended with a candidate written.
    virtual Recall recall(const std::array<std::string, 18>& cells) const = 0;
    virtual void writeBack(const RunEnding& ending, InputLayerState& state) const = 0;
};

// The profile of a module; it lives as long as the program.
const ModuleProfile& profileOf(ModuleKind module);

} // namespace sp::optimise
