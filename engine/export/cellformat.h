#pragma once
// How a table's cells look in a spreadsheet: the header text of a column, the width a column
// needs for its texts, the number format that shows a number with the decimals the table gave
// it, and a valid sheet name. Shared by the .xlsx and .csv writers.

#include "handin/handinbook.h"

#include <string>
#include <string_view>

namespace sp::sheets {

// The header cell of a column: "Ra (kN)", or the title alone when it has no unit. One header row
// rather than a row of titles and a row of units, so that the auto-filter, the frozen pane and a
// CSV reader all see a single row of names.
std::string headerText(const handin::SheetColumn& column);

// The width of a text in a spreadsheet's character units: one per character, two for the wide
// East Asian ones (汉字, full-width forms), as a spreadsheet's default fonts draw them.
int cellWidth(std::string_view utf8);

// The shape of a figure as the table printed it: "7723.08" has two decimals, "32%" a percent sign.
struct NumberShape {
    int decimals = 0; // 0 to kMaxDecimals
    bool percent = false;
    friend bool operator==(const NumberShape&, const NumberShape&) = default;
};
inline constexpr int kMaxDecimals = 15;
NumberShape numberShape(std::string_view text);
// The spreadsheet number format for the shape: "0", "0.00", "0\"%\"" (the figure is written as
// it reads, 32 and not 0.32, so that the sheet's value is the table's; the sign only follows it).
std::string numberFormat(const NumberShape& shape);

// A sheet name a spreadsheet accepts: the characters []:*?/\ become "_", a name is at most 31
// characters long (the room for `suffix`, " (2)", is kept), and an empty name becomes "Sheet".
std::string sheetName(std::string_view name, std::string_view suffix = {});

} // namespace sp::sheets
