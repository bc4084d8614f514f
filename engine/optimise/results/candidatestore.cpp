#include "optimise/results/candidatestore.h"

#include "core/numbers.h"
#include "core/tables.h"
#include "optimise/results/fasttext.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace sp::optimise {

namespace {

int digitsOf(std::uint64_t n) {
    int digits = 1;
    while (n >= 10) {
        n /= 10;
        ++digits;
    }
    return digits;
}

static_assert(sizeof(CandidateStore::CellBuffer::data) >= kNumberTextCapacity);

// Module 2's result boxes take ten significant digits at the coarse precisions, seven otherwise.
int module2BoxDigits(core::Precision p) {
    return p == core::Precision::Tens || p == core::Precision::Hundreds ? 10 : 7;
}

// A figure as the grid cell the calculation writes it to reads back.
double gridValue(double value) {
    return core::readLenient(core::GeneralText(value));
}

// The cell carries fifteen significant digits, so the figure itself rounds to the same whole
// number unless it lies right next to a rounding step; only then is the cell's text made.
bool nearStep(double value) {
    const double fraction = value - std::floor(value);
    return std::abs(fraction - 0.5) < 1e-9 * std::max(1.0, std::abs(value));
}

double wholeFigure(double value) {
    return nearStep(value) ? gridValue(value) : value;
}

// Qpk·100/Quk (or the side's rest) from the cells, as the figures give it away from a step.
double endShare(double qpk, double quk) {
    const double share = qpk * 100.0 / quk;
    if (nearStep(share) || nearStep((1.0 - qpk / quk) * 100.0))
        return gridValue(qpk) * 100.0 / gridValue(quk);
    return share;
}

double sideShare(double qpk, double quk) {
    const double share = (1.0 - qpk / quk) * 100.0;
    if (nearStep(share) || nearStep(qpk * 100.0 / quk))
        return (1.0 - gridValue(qpk) / gridValue(quk)) * 100.0;
    return share;
}

std::string_view percentText(char* out, double value) {
    std::size_t n = writeFixedText(out, value, 10, 0);
    out[n++] = '%';
    return {out, n};
}

} // namespace

CandidateStore::CandidateStore(std::shared_ptr<const CandidateSpace> space, core::Precision precision)
    : m_space(std::move(space)), m_precision(precision) {}

void CandidateStore::reserve(std::size_t rows) {
    m_ra.reserve(rows);
    m_rc.reserve(rows);
}

void CandidateStore::append(const Evaluation& e) {
    if (m_space->module() == ModuleKind::Module2) {
        m_ra.push_back(precisionTextValue(e.module2.ra, m_precision, module2BoxDigits(m_precision)));
        m_rc.push_back(0.0); // module 2 has no Rc; its filter does not ask for one
        return;
    }
    m_ra.push_back(precisionTextValue(e.capacity.ra, m_precision, 7));
    m_rc.push_back(precisionTextValue(e.capacity.rc, m_precision, 7));
}

bool CandidateStore::overStandard(RowId id) const {
    if (m_space->module() != ModuleKind::Module3)
        return false;
    const CandidateKey key = m_space->decode(id);
    return module3::verdictOf(CandidateSpace::calculatedSection(key.kind),
                              static_cast<module3::DeqMethod>(key.method)) ==
           module3::ComplianceVerdict::OverStandard;
}

std::string_view CandidateStore::cellText2(const Row& row, int column, CellBuffer& buffer) const {
    const CandidateKey& key = row.key;
    const Module2Values& m = row.evaluation.module2;
    char* const out = buffer.data;
    switch (column) {
    case kColRa:
        return {out, writePrecisionText(out, m.ra, m_precision, module2BoxDigits(m_precision))};
    case kCol2Lr:
        return m_space->socketLengthCell(key).text;
    case kCol2Frk:
        return m_space->frkValue(key).text;
    case kCol2Weathering:
        return m_space->weatheringText(key);
    case kCol2Basis:
        return m_space->integrityValue(key).basis == 1 ? "1" : "2";
    case kCol2Integrity:
        return m_space->integrityValue(key).text;
    case kCol2C1:
        // Every candidate of a strength, weathering and integrity shows the same C1; C2 too,
        // but for a short socket's 0.
        if (const std::string_view text = m_space->c1Text(key, m.c1Cell); !text.empty())
            return text;
        return {out, writeFixedText(out, m.c1Cell, 10, 3)};
    case kCol2C2:
        if (const std::string_view text = m_space->c2Text(key, m.c2Cell); !text.empty())
            return text;
        return {out, writeFixedText(out, m.c2Cell, 10, 3)};
    case kCol2Qsrk:
        return {out, writeFixedText(out, wholeFigure(m.qsrk), 10, 0)};
    case kCol2SideShare:
        return percentText(out, sideShare(m.qpk, m.quk));
    case kCol2Qpk:
        return {out, writeFixedText(out, wholeFigure(m.qpk), 10, 0)};
    case kCol2EndShare:
        return percentText(out, endShare(m.qpk, m.quk));
    case kCol2Quk:
        return {out, writeFixedText(out, wholeFigure(m.quk), 10, 0)};
    default:
        return {};
    }
}

CandidateStore::Row CandidateStore::row(RowId id) const {
    Row r;
    r.id = id;
    r.key = m_space->decode(id);
    r.evaluation = m_space->evaluate(r.key);
    return r;
}

std::string_view CandidateStore::cellText(const Row& row, int column, CellBuffer& buffer) const {
    const CandidateKey& key = row.key;
    const Evaluation& e = row.evaluation;
    char* const out = buffer.data;
    switch (column) {
    case kColNumber: {
        // "ZH-" and the number filled with zeros to the digits of the row count, once numbered.
        char* at = out;
        const std::uint64_t number = std::uint64_t{row.id} + 1;
        if (m_numbered) {
            at = std::copy_n("ZH-", 3, at);
            const int zeros = digitsOf(size()) - digitsOf(number);
            if (zeros > 0)
                at = std::fill_n(at, zeros, '0');
        }
        at = std::to_chars(at, out + sizeof buffer.data, number).ptr;
        return {out, static_cast<std::size_t>(at - out)};
    }
    case kColSection:
        return core::sectionTableText(key.kind);
    default:
        break;
    }
    if (column >= kColRa && m_space->module() == ModuleKind::Module2)
        return cellText2(row, column, buffer);
    switch (column) {
    case kColFirst:
        // A rectangle whose sides the calculation exchanged shows them exchanged.
        return (e.exchanged ? m_space->secondValue(key) : m_space->firstValue(key)).text;
    case kColSecond:
        if (key.kind == core::SectionType::Round)
            return "-";
        return (e.exchanged ? m_space->firstValue(key) : m_space->secondValue(key)).text;
    case kColRa:
        return {out, writePrecisionText(out, e.capacity.ra, m_precision, 7)};
    case kColRc:
        return {out, writePrecisionText(out, e.capacity.rc, m_precision, 7)};
    case kColDepth:
        return m_space->depthText(key);
    case kColFrk:
        return m_space->frkValue(key).text;
    case kColBasis:
        return m_space->integrityValue(key).basis == 1 ? "1" : "2";
    case kColIntegrity:
        return m_space->integrityValue(key).text;
    case kColProcess:
        return core::processShortText(key.process);
    case kColDeqMethod:
        if (m_space->module() == ModuleKind::Module3)
            return key.kind == core::SectionType::Round
                       ? "-"
                       : module3::deqMethodShortName(static_cast<module3::DeqMethod>(key.method));
        return "面积相等";
    case kColDeq:
        return {out, writeFixedText(out, e.geometry.deq, 7, 0)};
    case kColRatio:
        return {out, writeFixedText(out, e.geometry.ratioToDeq, 7, 2)};
    case kColZetaR:
        return {out, writeFixedText(out, e.capacity.zetaR, 7, 4)};
    case kColGrade:
        return core::gradeItem(key.grade);
    case kColPsiC:
        // The ψc the calculation took for Rc, as the pile table prints it.
        return {out, writeFixedText(out, e.capacity.psiC, 3, 2)};
    case kColRemark:
        if (m_space->module() == ModuleKind::Module3)
            return module3::verdictText(e.overStandard ? module3::ComplianceVerdict::OverStandard
                                                       : module3::ComplianceVerdict::Compliant);
        return {};
    default:
        return {};
    }
}

void CandidateStore::appendCell(std::string& out, const Row& row, int column) const {
    CellBuffer buffer;
    out += cellText(row, column, buffer);
}

std::string CandidateStore::cell(RowId id, int column) const {
    std::string out;
    appendCell(out, row(id), column);
    return out;
}

RowCells CandidateStore::cells(RowId id) const {
    const Row r = row(id);
    RowCells out;
    for (int column = 0; column < kResultColumns; ++column)
        appendCell(out[static_cast<std::size_t>(column)], r, column);
    return out;
}

double CandidateStore::firstKey(RowId id) const {
    const CandidateKey key = m_space->decode(id);
    const double first = m_space->firstValue(key).number;
    if (key.kind != core::SectionType::Rectangular)
        return first;
    // The longer side is shown first, as the calculation exchanged them.
    const double second = m_space->secondValue(key).number;
    return second >= first ? second : first;
}

} // namespace sp::optimise
