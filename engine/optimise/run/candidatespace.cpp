#include "optimise/run/candidatespace.h"

#include "core/numbers.h"
#include "core/zetar.h"
#include "optimise/results/fasttext.h"
#include "module2/coefficientlookup.h"

#include <algorithm>
#include <cmath>
#include <string_view>

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

// Module 2's grid: the class list holds only the first three classes; 破碎 and 极破碎 are named
// so that the stopping candidate shows which class it was.
IntegrityValue gridClassValue(double code) {
    IntegrityValue v;
    v.basis = 1;
    v.classCode = static_cast<int>(code);
    v.valid = v.classCode <= 3;
    if (v.valid)
        v.text = module2::integrityClassItems()[static_cast<std::size_t>(v.classCode - 1)];
    else
        v.text = v.classCode == 4 ? "破碎" : "极破碎";
    return v;
}

// Module 2 reads the index cell leniently and leaves its range to the coefficient lookup.
IntegrityValue gridIndexValue(double index) {
    IntegrityValue v;
    v.basis = 2;
    v.text = core::FixedText(index, 10, 2);
    v.kv = core::readLenient(v.text);
    return v;
}

// Module 2's socket length, m, for the side a multiple applies to, mm.
double lengthOf(const DepthValue& depth, double reference) {
    return depth.multiple ? depth.value * reference / 1000.0 : depth.value / 1000.0;
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

CandidateSpace::CandidateSpace(const Options& o, const RunContext& context)
    : m_module(o.module), m_context(context) {
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
    const bool module2 = m_module == ModuleKind::Module2;
    for (double basis : o.bases.values()) {
        if (basis == 1.0)
            for (double code : o.classes.values())
                m_integrity.push_back(module2 ? gridClassValue(code) : classValue(code));
        else
            for (double index : o.indices.values())
                m_integrity.push_back(module2 ? gridIndexValue(index) : indexValue(index));
    }
    if (module2) {
        // No concrete and no process: one pass of each inner loop.
        m_grades = {0};
        m_processes = {0};
        for (double w : o.weatherings.values())
            m_weatherings.push_back(static_cast<int>(w) - 1);
        m_coefficients.resize(m_frk.size() * m_weatherings.size() * m_integrity.size());
        std::size_t at = 0;
        for (const FieldValue& frk : m_frk)
            for (int w : m_weatherings)
                for (const IntegrityValue& integrity : m_integrity) {
                    Coefficients& c = m_coefficients[at++];
                    if (!integrity.valid)
                        continue;
                    module2::LayerCells cells;
                    cells.frk = frk.number;
                    cells.weathering = module2::weatheringItems()[static_cast<std::size_t>(w)];
                    cells.integrity = integrity.text;
                    cells.kv = integrity.kv;
                    module2::Settings settings;
                    settings.strengthBasis = module2::StrengthBasis::RockStrength;
                    settings.mode = module2::CoefficientMode::Automatic;
                    settings.integrityBasis = integrity.basis == 1 ? module2::IntegrityBasis::ClassName
                                                                   : module2::IntegrityBasis::Index;
                    settings.groundwater = context.groundwater;
                    settings.softRock = context.softRock;
                    const module2::LayerCoefficients r = module2::determineCoefficients(cells, settings);
                    c.ok = r.ok();
                    c.c1 = r.c1;
                    c.c2 = r.c2;
                    c.c1Cell = core::readLenient(core::GeneralText(r.c1));
                    c.c2Cell = core::readLenient(core::GeneralText(r.c2));
                }
        for (Coefficients& c : m_coefficients) {
            c.c1Text = fixedText(c.c1Cell, 10, 3);
            c.c2Text = fixedText(c.c2Cell, 10, 3);
        }
    } else {
        m_weatherings = {0};
        for (double g : o.grades.values())
            m_grades.push_back((static_cast<int>(g) - 25) / 5);
        for (double p : o.processes.values())
            m_processes.push_back(static_cast<int>(p) - 1);
    }
    if (m_module == ModuleKind::Module3) {
        for (double m : o.methods.values())
            m_methods.push_back(static_cast<int>(m) - 1);
        for (int m = 0; m < module3::kDeqMethodCount; ++m)
            m_rules[static_cast<std::size_t>(m)] = [method = static_cast<module3::DeqMethod>(m)](
                                                       SectionType section, double first, double second,
                                                       double area, double perimeter) {
                return module3::equivalentDiameter(section, method, first, second, area, perimeter);
            };
    }

    const std::uint64_t perSize = m_depth.size() * m_frk.size() * m_weatherings.size() * m_integrity.size() *
                                  m_grades.size() * m_processes.size();
    for (double code : kinds) {
        Block b;
        b.kind = static_cast<SectionType>(static_cast<int>(code));
        b.begin = m_size;
        b.secondCount = b.kind == SectionType::Oblong || b.kind == SectionType::Rectangular
                            ? secondList(b.kind).size()
                            : 1;
        // Module 3 goes through the methods for every section that is not round.
        b.methodCount = m_module == ModuleKind::Module3 && b.kind != SectionType::Round ? m_methods.size() : 1;
        b.size = firstList(b.kind).size() * b.secondCount * b.methodCount * perSize;
        m_size += b.size;
        m_blocks.push_back(b);
    }
    if (module2)
        makeSocketLengthCells();
}

std::size_t CandidateSpace::referenceSlot(const CandidateKey& key) const {
    const std::size_t squares = m_diameter.size();
    const std::size_t longSides = squares + m_squareSide.size();
    const std::size_t shortSides = longSides + m_longSide.size();
    switch (key.kind) {
    case SectionType::Round:
    case SectionType::Oblong:
        return key.first;
    case SectionType::Square:
        return squares + key.first;
    case SectionType::Rectangular:
        // The shorter side, picked as socketLength picks it.
        return m_shortSide[key.second].number < m_longSide[key.first].number ? shortSides + key.second
                                                                             : longSides + key.first;
    }
    return key.first;
}

// Every socket length a run can write, made by the arithmetic of socketLength for each depth and
// reference side, so that its text and the figure read back are those of every candidate with them.
void CandidateSpace::makeSocketLengthCells() {
    m_referenceSlots = m_diameter.size() + m_squareSide.size() + m_longSide.size() + m_shortSide.size();
    m_socketLengths.resize(m_depth.size() * m_referenceSlots);
    auto at = m_socketLengths.begin();
    for (const DepthValue& depth : m_depth)
        for (const std::vector<FieldValue>* sides : {&m_diameter, &m_squareSide, &m_longSide, &m_shortSide})
            for (const FieldValue& side : *sides) {
                char text[kNumberTextCapacity];
                const std::size_t length = writeFixedText(text, lengthOf(depth, side.number), 10, 2);
                at->text.assign(text, length);
                at->value = core::readLenient(std::string_view(text, length));
                ++at;
            }
}

const CandidateSpace::SocketLengthCell& CandidateSpace::socketLengthCell(const CandidateKey& key) const {
    return m_socketLengths[std::size_t{key.depth} * m_referenceSlots + referenceSlot(key)];
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
    if (m_module == ModuleKind::Module3) {
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

module3::Inputs CandidateSpace::inputs3(const CandidateKey& key, core::Precision precision) const {
    module3::Inputs in;
    static_cast<module1::Inputs&>(in) = inputs(key, precision);
    in.method = key.method >= 0 ? static_cast<module3::DeqMethod>(key.method) : m_context.method;
    return in;
}

module2::Inputs CandidateSpace::inputs2(const CandidateKey& key, core::Precision precision,
                                        const module2::RockLayerGrid& grid) const {
    module2::Inputs in;
    in.section = calculatedSection(key.kind);
    in.d = firstValue(key).text;
    in.c = key.kind == SectionType::Round ? "0" : secondValue(key).text;
    in.precision = precision;
    const IntegrityValue& integrity = integrityValue(key);
    in.settings.strengthBasis = module2::StrengthBasis::RockStrength;
    in.settings.mode = module2::CoefficientMode::Automatic;
    in.settings.integrityBasis =
        integrity.basis == 1 ? module2::IntegrityBasis::ClassName : module2::IntegrityBasis::Index;
    in.settings.groundwater = m_context.groundwater;
    in.settings.softRock = m_context.softRock;
    in.grid = grid;
    in.grid.setLayerCount(1);
    in.grid.setCell(1, module2::kColLr, core::FixedText(socketLength(key), 10, 2));
    in.grid.setCell(1, module2::kColWeathering, weatheringText(key));
    in.grid.setCell(1, module2::kColFrk, frkValue(key).text);
    in.grid.setCell(1, integrity.basis == 1 ? module2::kColIntegrity : module2::kColKv, integrity.text);
    return in;
}

double CandidateSpace::socketLength(const CandidateKey& key) const {
    // The multiple applies to d, to a square's side, and to the shorter side of a rectangle.
    double reference = firstValue(key).number;
    if (key.kind == SectionType::Rectangular)
        reference = std::min(reference, secondValue(key).number);
    return lengthOf(m_depth[key.depth], reference);
}

const std::string& CandidateSpace::weatheringText(const CandidateKey& key) const {
    return module2::weatheringItems()[static_cast<std::size_t>(m_weatherings[key.weathering])];
}

const CandidateSpace::Coefficients& CandidateSpace::coefficients(const CandidateKey& key) const {
    return m_coefficients[(std::size_t{key.frk} * m_weatherings.size() + key.weathering) * m_integrity.size() +
                          key.integrity];
}

std::string_view CandidateSpace::c1Text(const CandidateKey& key, double c1Cell) const {
    const Coefficients& c = coefficients(key);
    return c1Cell == c.c1Cell ? std::string_view(c.c1Text) : std::string_view();
}

std::string_view CandidateSpace::c2Text(const CandidateKey& key, double c2Cell) const {
    const Coefficients& c = coefficients(key);
    return c2Cell == c.c2Cell ? std::string_view(c.c2Text) : std::string_view();
}

Evaluation CandidateSpace::evaluate(const CandidateKey& key) const {
    return m_module == ModuleKind::Module2 ? evaluate2(key) : evaluate1(key);
}

// Module 2's arithmetic for one layer, step for step as module2::calculate takes it, each figure
// read from the cell text it is written to where the calculation reads it back.
Evaluation CandidateSpace::evaluate2(const CandidateKey& key) const {
    Evaluation e;
    const SectionType section = calculatedSection(key.kind);
    double first = firstValue(key).number;
    double second = key.kind == SectionType::Round ? 0.0 : secondValue(key).number;
    if (first <= 0.0 || (section != SectionType::Round && second <= 0.0))
        return e;
    if (section == SectionType::Rectangular && second >= first) {
        std::swap(first, second);
        e.exchanged = true;
    }
    e.first = first;
    e.second = second;
    e.geometry.perimeter = core::sectionPerimeter(section, first, second);
    e.geometry.area = core::sectionArea(section, first, second);

    Module2Values& m = e.module2;
    m.lr = socketLengthCell(key).value;
    if (m.lr < 0.0)
        return e;
    const Coefficients& c = coefficients(key);
    if (!c.ok)
        return e;
    const double frk = frkValue(key).number;
    const bool shortSocket = m.lr < 0.5;
    m.c1 = c.c1;
    m.c2 = shortSocket ? 0.0 : c.c2;
    m.c1Cell = c.c1Cell;
    m.c2Cell = shortSocket ? 0.0 : c.c2Cell;
    const double qpk = m.c1 * frk * 1000.0; // kPa
    const double qsrk = m.c2 * frk * 1000.0;
    const double qsrik = qsrk * m.lr * e.geometry.perimeter / 1000.0;
    m.qsrk = 0.0;
    m.qsrk += qsrik;
    m.qpk = qpk * e.geometry.area / 1e6;
    m.quk = m.qpk + m.qsrk;
    if (!std::isfinite(m.quk) || m.quk <= 0.0)
        return e;
    m.ra = m.quk / core::kSafetyFactor;
    e.passed = true;
    return e;
}

// The checks of the calculation decide only whether the candidate passes; which message a
// failing candidate gets comes from the calculation itself.
Evaluation CandidateSpace::evaluate1(const CandidateKey& key) const {
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
    if (key.method >= 0) {
        e.geometry = module1::sectionGeometry(section, first, second, depth,
                                              m_rules[static_cast<std::size_t>(key.method)]);
        e.overStandard = module3::verdictOf(section, static_cast<module3::DeqMethod>(key.method)) ==
                         module3::ComplianceVerdict::OverStandard;
    } else {
        e.geometry = module1::sectionGeometry(section, first, second, depth);
    }

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
