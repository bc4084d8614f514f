#include "candidatestore.h"

#include "core/tables.h"
#include "fasttext.h"

#include <algorithm>
#include <charconv>

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

} // namespace

CandidateStore::CandidateStore(std::shared_ptr<const CandidateSpace> space, core::Precision precision)
    : m_space(std::move(space)), m_precision(precision) {}

void CandidateStore::reserve(std::size_t rows) {
    m_ra.reserve(rows);
    m_rc.reserve(rows);
}

void CandidateStore::append(const Evaluation& e) {
    m_ra.push_back(precisionTextValue(e.capacity.ra, m_precision, 7));
    m_rc.push_back(precisionTextValue(e.capacity.rc, m_precision, 7));
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
