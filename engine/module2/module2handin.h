#pragma once
// Module 2's pile in the handed-in calculation book: the section, the rock layers as given, a
// table of each layer's coefficients and resistances as the grid holds them after the
// calculation with the notes the calculation made, then the sums written out to Quk, Ra, the
// shares and the verdict; and the pile's row of the exported pile table.

#include "handin/handinbook.h"
#include "module2/module2calc.h"

#include <vector>

namespace sp::module2 {

// The values must be those of a completed calculation.
handin::PileSection pileSection(const Values& v, int pileNumber);
// The cells of the pile's row, one per column of the text pile table and as it shows them.
handin::SheetRow tableCells(const Values& v, int pileNumber);
std::vector<handin::SheetColumn> tableColumns();

} // namespace sp::module2
