#pragma once
// A result table of the optimisation page: the candidate table or the filtered table. It holds
// the rows of a run in its present order (sorted, reversed or filtered) and its eighteen headers;
// the rows themselves live in the run's store, which both tables share.

#include "optimise/results/candidatestore.h"
#include "optimise/results/sortstate.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sp::optimise {

class ResultTable {
public:
    explicit ResultTable(ModuleKind module = ModuleKind::Module1);

    ModuleKind module() const { return m_module; }
    std::size_t rowCount() const { return m_order.size(); }
    std::string cell(std::size_t row, int column) const;
    RowCells cells(std::size_t row) const;
    RowId rowId(std::size_t row) const { return m_order[row]; }
    // Module 3: the row's verdict is "超规", and the page draws the whole row in red.
    bool overStandard(std::size_t row) const { return m_store->overStandard(m_order[row]); }
    const std::vector<RowId>& order() const { return m_order; }
    const std::shared_ptr<const CandidateStore>& store() const { return m_store; }

    const std::string& header(int column) const { return m_headers[static_cast<std::size_t>(column)]; }
    // The module's key columns' headers back to their plain texts.
    void resetKeyHeaders();
    // The key's header marked with its direction, the other key headers plain.
    void markKeyHeaders(SortKey key, SortDirection direction);

    // Empties the table; its headers stay.
    void clear();
    // All rows of the store, in the run's order.
    void showAll(std::shared_ptr<const CandidateStore> store);
    // The given rows of the store, in this order.
    void show(std::shared_ptr<const CandidateStore> store, std::vector<RowId> order);

    // The key's value of every row in the present order; nothing when a cell is not a number.
    std::optional<std::vector<double>> keys(SortKey key) const;
    // Orders the rows by the key exactly as the page's exchange sort does.
    bool sortAscending(SortKey key);
    void reverse();

private:
    ModuleKind m_module;
    std::shared_ptr<const CandidateStore> m_store;
    std::vector<RowId> m_order;
    std::array<std::string, kResultColumns> m_headers;
};

// The grids by their names.
using CandidateTable = ResultTable;
using FilteredTable = ResultTable;

} // namespace sp::optimise
