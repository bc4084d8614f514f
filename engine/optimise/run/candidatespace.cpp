#include "optimise/run/candidatespace.h"

#include "core/numbers.h"

#include <algorithm>

namespace sp::optimise {

using core::SectionType;

namespace {

// Sizes are written as the shortest general form, read back leniently as the calculation does.
std::vector<FieldValue> sizeValues(const OptionRange& range) {
    std::vector<FieldValue> out;
    for (double v : range.values()) {
        FieldValue f;
        f.text = core::GeneralText(v);
        f.number = core::readLenient(f.text);
        out.push_back(std::move(f));
    }
    return out;
}

std::vector<DepthValue> depthValues(const OptionRange& range, DepthMode mode) {
    std::vector<DepthValue> out;
    for (double v : range.values()) {
        DepthValue d;
        d.value = v;
        d.multiple = mode == DepthMode::Multiples;
        if (mode == DepthMode::Multiples) {
            const std::string factor = core::FixedText(v, 10, 1);
            d.textD = factor + "d";
            d.textB = factor + "b";
        } else {
            d.textD = d.textB = core::GeneralText(v);
        }
        d.perMillimetreD = core::readSocketDepth(d.textD, 'd', 1.0);
        d.perMillimetreB = core::readSocketDepth(d.textB, 'b', 1.0);
        out.push_back(std::move(d));
    }
    return out;
}

bool wanted(const std::vector<double>& codes, double code) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

} // namespace

SectionType CandidateSpace::calculatedSection(SectionType kind) {
    return kind == SectionType::Square ? SectionType::Rectangular : kind;
}

CandidateSpace::CandidateSpace(const Options& o, const RunContext& context)
    : m_profile(&profileOf(o.module)), m_context(context) {
    const std::vector<double> kinds = o.sections.values();
    makeSizeLists(o, kinds);
    makeDepthAndStrengthLists(o);
    makeIntegrityList(o);
    makeInnerLoops(o);
    makeBlocks(kinds);
    m_tables = m_profile->makeTables(*this);
}

// Only the sizes of the sections the run goes through are listed.
void CandidateSpace::makeSizeLists(const Options& o, const std::vector<double>& kinds) {
    if (wanted(kinds, 1.0) || wanted(kinds, 2.0))
        m_diameter = sizeValues(o.diameter);
    if (wanted(kinds, 2.0))
        m_straight = sizeValues(o.straight);
    if (wanted(kinds, 3.0)) {
        m_longSide = sizeValues(o.longSide);
        m_shortSide = sizeValues(o.shortSide);
    }
    if (wanted(kinds, 4.0))
        m_squareSide = sizeValues(o.squareSide);
}

void CandidateSpace::makeDepthAndStrengthLists(const Options& o) {
    m_depth = depthValues(o.depth, o.depthMode);
    for (double v : o.frk.values()) {
        FieldValue f;
        f.text = core::FixedText(v, 10, 2);
        f.number = core::readLenient(f.text);
        m_frk.push_back(std::move(f));
    }
}

// Within each basis the classes (or indices) in order; the module decides how a value reads.
void CandidateSpace::makeIntegrityList(const Options& o) {
    for (double basis : o.bases.values()) {
        const bool byClass = basis == 1.0;
        for (double value : (byClass ? o.classes : o.indices).values())
            m_integrity.push_back(m_profile->integrityValue(byClass ? 1 : 2, value));
    }
}

void CandidateSpace::makeInnerLoops(const Options& o) {
    InnerLoops loops = m_profile->innerLoops(o);
    m_grades = std::move(loops.grades);
    m_processes = std::move(loops.processes);
    m_weatherings = std::move(loops.weatherings);
    m_methods = std::move(loops.methods);
}

// One block per section in the order of the section row; a method loop goes through the
// methods for every section that is not round.
void CandidateSpace::makeBlocks(const std::vector<double>& kinds) {
    const std::uint64_t perSize = m_depth.size() * m_frk.size() * m_weatherings.size() * m_integrity.size() *
                                  m_grades.size() * m_processes.size();
    for (double code : kinds) {
        Block b;
        b.kind = static_cast<SectionType>(static_cast<int>(code));
        b.begin = m_size;
        b.secondCount = b.kind == SectionType::Oblong || b.kind == SectionType::Rectangular
                            ? secondList(b.kind).size()
                            : 1;
        b.methodCount = !m_methods.empty() && b.kind != SectionType::Round ? m_methods.size() : 1;
        b.size = firstList(b.kind).size() * b.secondCount * b.methodCount * perSize;
        m_size += b.size;
        m_blocks.push_back(b);
    }
}

const std::vector<FieldValue>& CandidateSpace::firstList(SectionType kind) const {
    switch (kind) {
    case SectionType::Round:
    case SectionType::Oblong:
        return m_diameter;
    case SectionType::Rectangular:
        return m_longSide;
    case SectionType::Square:
        break;
    }
    return m_squareSide;
}

const std::vector<FieldValue>& CandidateSpace::secondList(SectionType kind) const {
    switch (kind) {
    case SectionType::Oblong:
        return m_straight;
    case SectionType::Rectangular:
        return m_shortSide;
    default:
        break;
    }
    return firstList(kind);
}

CandidateKey CandidateSpace::decode(std::uint64_t ordinal) const {
    std::size_t b = 0;
    while (b + 1 < m_blocks.size() && ordinal >= m_blocks[b].begin + m_blocks[b].size)
        ++b;
    const Block& block = m_blocks[b];
    std::uint64_t r = ordinal - block.begin;
    CandidateKey key;
    key.kind = block.kind;
    auto next = [&r](std::size_t count) {
        const std::uint64_t index = r % count;
        r /= count;
        return index;
    };
    key.process = m_processes[next(m_processes.size())];
    key.grade = m_grades[next(m_grades.size())];
    key.integrity = static_cast<std::uint32_t>(next(m_integrity.size()));
    key.weathering = static_cast<std::uint32_t>(next(m_weatherings.size()));
    key.frk = static_cast<std::uint32_t>(next(m_frk.size()));
    key.depth = static_cast<std::uint32_t>(next(m_depth.size()));
    if (!m_methods.empty()) {
        // Round piles take the method the input layer shows.
        const std::uint64_t m = next(block.methodCount);
        key.method = block.kind == SectionType::Round ? static_cast<int>(m_context.method) : m_methods[m];
    }
    key.second = static_cast<std::uint32_t>(r % block.secondCount);
    key.first = static_cast<std::uint32_t>(r / block.secondCount);
    return key;
}

const FieldValue& CandidateSpace::firstValue(const CandidateKey& key) const {
    return firstList(key.kind)[key.first];
}

const FieldValue& CandidateSpace::secondValue(const CandidateKey& key) const {
    return key.kind == SectionType::Square ? firstValue(key) : secondList(key.kind)[key.second];
}

const std::string& CandidateSpace::depthText(const CandidateKey& key) const {
    const DepthValue& d = m_depth[key.depth];
    return key.kind == SectionType::Round || key.kind == SectionType::Oblong ? d.textD : d.textB;
}

} // namespace sp::optimise
