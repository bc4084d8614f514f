#pragma once
// Every candidate of a run, in the nesting order of the enumeration, without storing any of them:
// the value lists of the option rows with the texts written into the input fields and the numbers
// the calculation reads back from those texts, so that a candidate is found by its ordinal and
// computed in a fraction of a microsecond, exactly as its module computes it from its fields.
// What a module adds (its inner loops, its integrity values, its tables made once per run, its
// arithmetic) comes from the module's profile.

#include "module1/module1calc.h"
#include "module2/module2calc.h"
#include "module3/module3calc.h"
#include "optimise/options/options.h"
#include "optimise/profiles/moduleprofile.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sp::optimise {

// Runs beyond this many candidates are refused before anything is computed: the tables would
// not fit in memory.
inline constexpr std::uint64_t kMaxCandidates = 10'000'000;

// A value of a row as it is written into an input field, and as the calculation reads it back.
struct FieldValue {
    std::string text;
    double number = 0.0;
};

struct DepthValue {
    double value = 0.0; // the option row's value: mm, or the multiple
    bool multiple = false;
    std::string textD; // "2.0d" or millimetres, for round and oblong piles
    std::string textB; // "2.0b" or millimetres, for rectangles and squares
    // Each text read as the calculation reads it, for a base of 1 mm: a multiple's hr is then
    // its factor, to be multiplied by the candidate's d or b.
    core::SocketDepth perMillimetreD;
    core::SocketDepth perMillimetreB;
};

struct IntegrityValue {
    int basis = 1;     // 1 class, 2 index
    std::string text;  // the class word or the index
    bool valid = true; // an index the calculation accepts (module 2: a class the grid's list holds)
    core::IntegrityClass cls = core::IntegrityClass::Intact;
    double kv = 0.0;
    int classCode = 0; // the option row's class code 1-5; 0 for an index
};

// What the input layer holds when a run starts and the run does not set itself.
struct RunContext {
    // Module 2: the two reduction check boxes, which apply to every candidate.
    bool groundwater = true; // ckb_dixiashui
    bool softRock = false;   // ckb_ruanzhiyan
    // Module 3: the method the list shows, with which round piles are computed.
    module3::DeqMethod method = module3::kDefaultDeqMethod;
};

// Positions of a candidate's values in the lists of the space.
struct CandidateKey {
    core::SectionType kind = core::SectionType::Round; // square is its own kind here
    std::uint32_t first = 0;                           // d, a or the square's side
    std::uint32_t second = 0;                          // c or b; 0 for round and square piles
    std::uint32_t depth = 0;
    std::uint32_t frk = 0;
    std::uint32_t integrity = 0;
    int grade = 0;   // position in the grade list
    int process = 0; // position in the process list
    int method = -1;            // module 3: the deq method's position (round: the list's own); else -1
    std::uint32_t weathering = 0; // module 2: position in the weathering list
};

// A module 2 candidate's figures, each as the grid cell it is read from gives it.
struct Module2Values {
    double lr = 0.0;    // socket length, m, as its cell reads
    double c1 = 0.0;    // C1 used
    double c2 = 0.0;    // C2 used: 0 for a socket shorter than 0.5 m
    double c1Cell = 0.0; // C1 and C2 as their grid cells read back
    double c2Cell = 0.0;
    double qsrk = 0.0;  // ∑Qsrik, kN
    double qpk = 0.0;   // kN
    double quk = 0.0;   // kN
    double ra = 0.0;    // kN
};

// A candidate computed through its module's own arithmetic.
struct Evaluation {
    bool passed = false;    // every check of the calculation passed
    double first = 0.0;     // d or a after the rectangle normalisation, mm
    double second = 0.0;    // c or b after it, mm
    bool exchanged = false; // a rectangle whose sides the calculation exchanged
    core::SectionGeometry geometry;
    module1::Capacity capacity;
    Module2Values module2;     // module 2 only
    bool overStandard = false; // module 3: the verdict is "超规"
};

class CandidateSpace {
public:
    // `options.candidateCount()` must not exceed kMaxCandidates.
    explicit CandidateSpace(const Options& options, const RunContext& context = {});

    ModuleKind module() const { return m_profile->module(); }
    const ModuleProfile& profile() const { return *m_profile; }
    const RunContext& context() const { return m_context; }
    std::uint64_t size() const { return m_size; }
    CandidateKey decode(std::uint64_t ordinal) const;

    // The input fields as the candidate is written into them, and its calculation through its
    // module's own arithmetic.
    CandidateInputs inputs(const CandidateKey& key, core::Precision precision) const {
        return m_profile->inputs(*this, key, precision);
    }
    Evaluation evaluate(const CandidateKey& key) const { return m_profile->evaluate(*this, key); }

    // The texts written into the fields.
    const FieldValue& firstValue(const CandidateKey& key) const;
    const FieldValue& secondValue(const CandidateKey& key) const; // the side again for a square
    const std::string& depthText(const CandidateKey& key) const;
    const DepthValue& depthValue(const CandidateKey& key) const { return m_depth[key.depth]; }
    const FieldValue& frkValue(const CandidateKey& key) const { return m_frk[key.frk]; }
    const IntegrityValue& integrityValue(const CandidateKey& key) const { return m_integrity[key.integrity]; }

    // The value lists, for the tables a profile makes once per run.
    const std::vector<DepthValue>& depths() const { return m_depth; }
    const std::vector<FieldValue>& strengths() const { return m_frk; }
    const std::vector<IntegrityValue>& integrities() const { return m_integrity; }
    const std::vector<int>& weatherings() const { return m_weatherings; }
    // The pile sizes in the order diameters, square sides, long sides, short sides.
    std::array<const std::vector<FieldValue>*, 4> sideLists() const {
        return {&m_diameter, &m_squareSide, &m_longSide, &m_shortSide};
    }
    // The module's tables, of the kind its profile made.
    template <class Tables> const Tables& tables() const { return static_cast<const Tables&>(*m_tables); }

    // The calculation's section: a square is computed as a rectangle with equal sides.
    static core::SectionType calculatedSection(core::SectionType kind);

private:
    struct Block {
        core::SectionType kind = core::SectionType::Round;
        std::uint64_t begin = 0;
        std::uint64_t size = 0;
        std::uint64_t secondCount = 1;
        std::uint64_t methodCount = 1;
    };
    void makeSizeLists(const Options& o, const std::vector<double>& kinds);
    void makeDepthAndStrengthLists(const Options& o);
    void makeIntegrityList(const Options& o);
    void makeInnerLoops(const Options& o);
    void makeBlocks(const std::vector<double>& kinds);

    const std::vector<FieldValue>& firstList(core::SectionType kind) const;
    const std::vector<FieldValue>& secondList(core::SectionType kind) const;

    const ModuleProfile* m_profile;
    std::vector<FieldValue> m_diameter, m_straight, m_longSide, m_shortSide, m_squareSide;
    std::vector<DepthValue> m_depth;
    std::vector<FieldValue> m_frk;
    std::vector<IntegrityValue> m_integrity;
    std::vector<int> m_grades;      // positions
    std::vector<int> m_processes;   // positions
    std::vector<int> m_methods;     // positions; empty where the module has no method loop
    std::vector<int> m_weatherings; // positions; {0} where the module has no weathering loop
    std::unique_ptr<const RunTables> m_tables;
    RunContext m_context;
    std::vector<Block> m_blocks;
    std::uint64_t m_size = 0;
};

} // namespace sp::optimise
