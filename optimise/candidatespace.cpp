#include "candidatespace.h"

#include "core/numbers.h"
#include "core/zetar.h"

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

IntegrityValue classValue(double code) {
    IntegrityValue v;
    v.basis = 1;
    v.cls = static_cast<core::IntegrityClass>(static_cast<int>(code) - 1);
    v.text = core::integrityText(v.cls);
    return v;
}

IntegrityValue indexValue(double index) {
    IntegrityValue v;
    v.basis = 2;
    v.text = core::FixedText(index, 10, 2);
    const auto kv = core::readStrict(v.text);
    v.kv = kv.value_or(0.0);
    const core::IndexIntegrity reading = core::integrityOfIndex(v.kv);
    v.valid = kv.has_value() && reading.verdict == core::IndexIntegrity::Verdict::Class;
    v.cls = reading.cls;
    return v;
}

bool wanted(const std::vector<double>& codes, double code) {
    for (double c : codes)
        if (c == code)
            return true;
    return false;
}

} // namespace

SectionType CandidateSpace::calculatedSection(SectionType kind) {
    return kind == SectionType::Square ? SectionType::Rectangular : kind;
}

CandidateSpace::CandidateSpace(const Options& o) {
    const std::vector<double> kinds = o.sections.values();
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
    m_depth = depthValues(o.depth, o.depthMode);
    for (double v : o.frk.values()) {
        FieldValue f;
        f.text = core::FixedText(v, 10, 2);
        f.number = core::readLenient(f.text);
        m_frk.push_back(std::move(f));
    }
    for (double basis : o.bases.values()) {
        if (basis == 1.0)
            for (double code : o.classes.values())
                m_integrity.push_back(classValue(code));
        else
            for (double index : o.indices.values())
                m_integrity.push_back(indexValue(index));
    }
    for (double g : o.grades.values())
        m_grades.push_back((static_cast<int>(g) - 25) / 5);
    for (double p : o.processes.values())
        m_processes.push_back(static_cast<int>(p) - 1);

    const std::uint64_t perSize =
        m_depth.size() * m_frk.size() * m_integrity.size() * m_grades.size() * m_processes.size();
    for (double code : kinds) {
        Block b;
        b.kind = static_cast<SectionType>(static_cast<int>(code));
        b.begin = m_size;
        b.secondCount = b.kind == SectionType::Oblong || b.kind == SectionType::Rectangular
                            ? secondList(b.kind).size()
                            : 1;
        b.size = firstList(b.kind).size() * b.secondCount * perSize;
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
    key.frk = static_cast<std::uint32_t>(next(m_frk.size()));
    key.depth = static_cast<std::uint32_t>(next(m_depth.size()));
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

module1::Inputs CandidateSpace::inputs(const CandidateKey& key, core::Precision precision) const {
    module1::Inputs in;
    in.section = calculatedSection(key.kind);
    in.d = firstValue(key).text;
    in.c = key.kind == SectionType::Round ? "0" : secondValue(key).text;
    in.hr = depthText(key);
    in.grade = key.grade;
    in.process = key.process;
    in.frk = frkValue(key).text;
    in.integrity = integrityValue(key).text;
    in.precision = precision;
    return in;
}

// The checks of the calculation decide only whether the candidate passes; which message a
// failing candidate gets comes from the calculation itself.
Evaluation CandidateSpace::evaluate(const CandidateKey& key) const {
    Evaluation e;
    const SectionType section = calculatedSection(key.kind);
    double first = firstValue(key).number;
    double second = key.kind == SectionType::Round ? 0.0 : secondValue(key).number;
    const bool rectangular = section == SectionType::Rectangular;
    if (first <= 0.0 || (section != SectionType::Round && second <= 0.0))
        return e;
    if (rectangular && second >= first) {
        std::swap(first, second);
        e.exchanged = true;
    }
    e.first = first;
    e.second = second;

    // The field read once per value: factor × 1 is the factor itself, so the product below is the
    // very product the reading forms for the candidate's base.
    const DepthValue& depthValue = m_depth[key.depth];
    const core::SocketDepth& read = rectangular ? depthValue.perMillimetreB : depthValue.perMillimetreD;
    if (read.status != core::SocketDepth::Status::Ok)
        return e;
    core::SocketDepth depth;
    depth.givenAsMultiple = read.givenAsMultiple;
    depth.hr = read.givenAsMultiple ? read.hr * (rectangular ? second : first) : read.hr;
    e.geometry = module1::sectionGeometry(section, first, second, depth);

    const IntegrityValue& integrity = integrityValue(key);
    if (!integrity.valid)
        return e;
    if (core::isBroken(integrity.cls)) {
        const core::BrokenRockCheck check = core::checkBrokenRock(section, e.geometry);
        if (check == core::BrokenRockCheck::ShorterThan1m ||
            check == core::BrokenRockCheck::ShorterThanOneDiameter)
            return e;
    }
    const double frk = frkValue(key).number;
    if (frk <= 0.0)
        return e;
    e.capacity = module1::capacityOf(e.geometry, frk, integrity.cls, integrity.kv, key.process, key.grade);
    e.passed = true;
    return e;
}

} // namespace sp::optimise
