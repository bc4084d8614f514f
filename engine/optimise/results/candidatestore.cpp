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

} // namespace

CandidateStore::CandidateStore(std::shared_ptr<const CandidateSpace> space, core::Precision precision)
    : m_space(std::move(space)), m_precision(precision) {}

void CandidateStore::reserve(std::size_t rows) {
    m_ra.reserve(rows);
    m_rc.reserve(rows);
}

void CandidateStore::append(const Evaluation& e) {
    const std::array<double, 2> keys = m_space->profile().keys(e, m_precision);
    m_ra.push_back(keys[0]);
    m_rc.push_back(keys[1]);
}

bool CandidateStore::overStandard(RowId id) const {
    return m_space->profile().overStandard(*m_space, m_space->decode(id));
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
    default:
        break;
    }
    return m_space->profile().cellText(*this, row, column, out);
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
