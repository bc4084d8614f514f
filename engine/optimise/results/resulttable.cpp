#include "optimise/results/resulttable.h"

#include "optimise/results/exchangesort.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace sp::optimise {

ResultTable::ResultTable(ModuleKind module) : m_module(module) {
    for (int column = 0; column < kResultColumns; ++column)
        m_headers[static_cast<std::size_t>(column)] = headerText(module, column);
}

std::string ResultTable::cell(std::size_t row, int column) const {
    return m_store->cell(m_order[row], column);
}

RowCells ResultTable::cells(std::size_t row) const {
    return m_store->cells(m_order[row]);
}

void ResultTable::resetKeyHeaders() {
    for (SortKey key : {SortKey::D, SortKey::Ra, SortKey::Rc})
        if (hasSortKey(m_module, key))
            m_headers[static_cast<std::size_t>(columnOfSortKey(key))] = headerText(m_module, columnOfSortKey(key));
}

void ResultTable::markKeyHeaders(SortKey marked, SortDirection direction) {
    resetKeyHeaders();
    m_headers[static_cast<std::size_t>(columnOfSortKey(marked))] = keyHeaderText(marked, direction);
}

void ResultTable::clear() {
    m_store.reset();
    m_order.clear();
    m_order.shrink_to_fit();
}

void ResultTable::showAll(std::shared_ptr<const CandidateStore> store) {
    m_store = std::move(store);
    m_order.resize(m_store ? m_store->size() : 0);
    std::iota(m_order.begin(), m_order.end(), RowId{0});
}

void ResultTable::show(std::shared_ptr<const CandidateStore> store, std::vector<RowId> order) {
    m_store = std::move(store);
    m_order = std::move(order);
}

std::optional<std::vector<double>> ResultTable::keys(SortKey key) const {
    std::vector<double> out(m_order.size());
    for (std::size_t i = 0; i < m_order.size(); ++i) {
        const RowId id = m_order[i];
        const double value = key == SortKey::D    ? m_store->firstKey(id)
                             : key == SortKey::Ra ? m_store->raKey(id)
                                                  : m_store->rcKey(id);
        if (std::isnan(value))
            return std::nullopt;
        out[i] = value;
    }
    return out;
}

bool ResultTable::sortAscending(SortKey key) {
    const auto values = keys(key);
    if (!values)
        return false;
    const std::vector<std::uint32_t> from = exchangeSortOrder(*values);
    std::vector<RowId> sorted(m_order.size());
    for (std::size_t i = 0; i < sorted.size(); ++i)
        sorted[i] = m_order[from[i]];
    m_order = std::move(sorted);
    return true;
}

void ResultTable::reverse() {
    std::reverse(m_order.begin(), m_order.end());
}

} // namespace sp::optimise
