#pragma once
// Every candidate of a run, in the nesting order of the enumeration, without storing any of them:
// the value lists of the option rows with the texts written into the input fields and the numbers
// the calculation reads back from those texts, so that a candidate is found by its ordinal and
// computed in a fraction of a microsecond, exactly as module 1 computes it from its fields.

#include "module1/module1calc.h"
#include "options.h"

#include <cstdint>
#include <string>
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
    bool valid = true; // an index the calculation accepts
    core::IntegrityClass cls = core::IntegrityClass::Intact;
    double kv = 0.0;
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
};

// A candidate computed through module 1's own arithmetic.
struct Evaluation {
    bool passed = false;    // every check of the calculation passed
    double first = 0.0;     // d or a after the rectangle normalisation, mm
    double second = 0.0;    // c or b after it, mm
    bool exchanged = false; // a rectangle whose sides the calculation exchanged
    core::SectionGeometry geometry;
    module1::Capacity capacity;
};

class CandidateSpace {
public:
    // `options.candidateCount()` must not exceed kMaxCandidates.
    explicit CandidateSpace(const Options& options);

    std::uint64_t size() const { return m_size; }
    CandidateKey decode(std::uint64_t ordinal) const;

    // The input fields as the candidate is written into them.
    module1::Inputs inputs(const CandidateKey& key, core::Precision precision) const;
    Evaluation evaluate(const CandidateKey& key) const;

    // The texts written into the fields.
    const FieldValue& firstValue(const CandidateKey& key) const;
    const FieldValue& secondValue(const CandidateKey& key) const; // the side again for a square
    const std::string& depthText(const CandidateKey& key) const;
    const FieldValue& frkValue(const CandidateKey& key) const { return m_frk[key.frk]; }
    const IntegrityValue& integrityValue(const CandidateKey& key) const { return m_integrity[key.integrity]; }
    // The calculation's section: a square is computed as a rectangle with equal sides.
    static core::SectionType calculatedSection(core::SectionType kind);

private:
    struct Block {
        core::SectionType kind = core::SectionType::Round;
        std::uint64_t begin = 0;
        std::uint64_t size = 0;
        std::uint64_t secondCount = 1;
    };

    const std::vector<FieldValue>& firstList(core::SectionType kind) const;
    const std::vector<FieldValue>& secondList(core::SectionType kind) const;

    std::vector<FieldValue> m_diameter, m_straight, m_longSide, m_shortSide, m_squareSide;
    std::vector<DepthValue> m_depth;
    std::vector<FieldValue> m_frk;
    std::vector<IntegrityValue> m_integrity;
    std::vector<int> m_grades;    // positions
    std::vector<int> m_processes; // positions
    std::vector<Block> m_blocks;
    std::uint64_t m_size = 0;
};

} // namespace sp::optimise
