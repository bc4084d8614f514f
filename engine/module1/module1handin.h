#pragma once
// Module 1's pile in the handed-in calculation book: the inputs with their units, the calculation
// worked step by step from Ap to Rc with the standard's formula numbers, ζ's reading from the
// table written out, and the conclusions; and the pile's row of the exported pile table. Every
// figure is the calculation's own value, formatted as the result boxes and the text book do.

#include "handin/handinbook.h"
#include "module1/module1calc.h"

#include <string>
#include <vector>

namespace sp::module1 {

handin::PileSection pileSection(const Values& v, int pileNumber);
// Past the end of the ζr table the calculation reads the table's last row, and the book's reading
// of ζ says so ("5.00 > 4.0，取 4.0 行"); this is that remark in plain text for the window to show
// beside the ζr box. Empty while the ratio lies within the table.
std::string zetaTableNote(const Values& v);
// The cells of the pile's row, one per column of the text pile table and as it shows them.
handin::SheetRow tableCells(const Values& v, int pileNumber);
std::vector<handin::SheetColumn> tableColumns();

// Pieces module 3, whose book extends module 1's, builds its own from.

// The section with step 1 made of `sectionLines` (Ap, then how deq was found).
handin::PileSection pileSection(const Values& v, int pileNumber, std::vector<handin::FormulaLine> sectionLines);
// Module 1's step 1: Ap, and deq = d for a round pile, the equal-area deq for any other.
std::vector<handin::FormulaLine> sectionLines(const Values& v);
// deq as hr/deq takes it in: d itself for a round pile, else with the decimals the ratio needs.
std::string deqFigure(const Values& v);
int deqDecimals(const Values& v);
// The equal-area deq = √(4·Ap/π) with the section's own dimensions put in, so that no rounded
// area enters it: "√(4 × 2000 × 1000 / π)".
std::string equalAreaWorking(const Values& v);
// The cells from deq to ψc, and the Rc cell.
void appendValueCells(handin::SheetRow& row, const Values& v);
handin::SheetCell forceCell(const Values& v, double value);

} // namespace sp::module1
