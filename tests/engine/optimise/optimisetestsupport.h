#pragma once
// Helpers of the optimisation tests: option tables from a few changed rows, and a run of the
// page's engine to its end.

#include "optimise/optimisepage.h"

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace sp::test {

struct RowTexts {
    int row;
    std::vector<std::string> cells; // min, max, step (bounds rows: lower, upper)
};

inline optimise::OptionTable optionTable(std::initializer_list<RowTexts> rows) {
    optimise::OptionTable table;
    for (const auto& r : rows)
        for (std::size_t k = 0; k < r.cells.size(); ++k)
            table.setCell(r.row, optimise::kColMin + static_cast<int>(k), r.cells[k]);
    return table;
}

inline void editRows(optimise::OptimisePage& page, std::initializer_list<RowTexts> rows) {
    for (const auto& r : rows)
        for (std::size_t k = 0; k < r.cells.size(); ++k)
            page.editCell(r.row, optimise::kColMin + static_cast<int>(k), r.cells[k]);
}

inline std::vector<std::string> column(const optimise::ResultTable& table, int col) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < table.rowCount(); ++i)
        out.push_back(table.cell(i, col));
    return out;
}

} // namespace sp::test
