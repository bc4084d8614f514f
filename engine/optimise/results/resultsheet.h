#pragma once
// A result table of the optimisation page as a sheet to export: its eighteen columns with title
// and unit taken apart from the headers ("Ra(kN)" → "Ra", "kN"; a key column's ▲/▼ dropped),
// each row's cells as the table shows them, with the number of every cell that reads as one, and
// the rows the page draws red flagged. Rows are made when asked for, so a million rows stream.

#include "handin/handinbook.h"
#include "optimise/results/resulttable.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sp::optimise {

inline constexpr const char* kCandidateSheetName = "候选方案";
inline constexpr const char* kFilteredSheetName = "筛选结果";

// The title and unit of a result column from its header: "  Ra(kN)▲" → "Ra", "kN"; "系数 C1" →
// "系数 C1" without a unit.
handin::SheetColumn resultSheetColumn(std::string_view header);

// The figure a cell shows: "7723.08", "-0.5", "32%" (read as 32); none for "-", "1.0d", "ZH-0001".
std::optional<double> cellNumber(std::string_view text);

class ResultSheet : public handin::SheetSource {
public:
    // The table must outlive the sheet and stay as it is while the sheet is read.
    ResultSheet(const ResultTable& table, std::string name);

    std::string name() const override { return m_name; }
    const std::vector<handin::SheetColumn>& columns() const override { return m_columns; }
    std::size_t rowCount() const override { return m_table.rowCount(); }
    void row(std::size_t index, handin::SheetRow& row) const override;
    bool flagged(std::size_t index) const override { return m_table.overStandard(index); }

private:
    const ResultTable& m_table;
    std::string m_name;
    std::vector<handin::SheetColumn> m_columns;
};

} // namespace sp::optimise
