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

// A small module 1 table for the charts: round piles d 1000 and 1500, sockets 1.0d and 2.0d, frk 40
// and 50, one integrity and grade, and the processes 2 and 4, which compute alike: 16 rows in four
// pairs of equal Ra and Rc.
//   rows 0-3   d 1000, hr 1000  (frk 40: rows 0, 1; frk 50: rows 2, 3)
//   rows 4-7   d 1000, hr 2000
//   rows 8-11  d 1500, hr 1500
//   rows 12-15 d 1500, hr 3000
inline void editSmallChartTable(optimise::OptimisePage& page) {
    using namespace optimise;
    editRows(page, {{kRowSection, {"1", "1", "1"}},
                    {kRowDiameter, {"1000", "1500", "500"}},
                    {kRowDepth, {"1.0d", "2.0d", "1.0d"}},
                    {kRowFrk, {"40", "50", "10"}},
                    {kRowBasis, {"1", "1", "1"}},
                    {kRowClass, {"1", "1", "1"}},
                    {kRowGrade, {"C30", "C30", "5"}},
                    {kRowProcess, {"2", "4", "2"}}});
}

} // namespace sp::test
