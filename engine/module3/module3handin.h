#pragma once
// Module 3's pile in the handed-in calculation book: module 1's section with the equivalent-
// diameter method named, its formula worked with the section's dimensions, and the compliance
// verdict; an over-standard pile opens with the program's research warning and its table row is
// flagged. Ap and μ stay those of the real section whatever the method.

#include "handin/handinbook.h"
#include "module3/module3calc.h"

#include <string>
#include <vector>

namespace sp::module3 {

// The warning the module's window opens behind, set at the head of an over-standard pile.
inline constexpr const char* kResearchWarning = "超规选项，仅供研究，实际工程，不得采用，否则后果自负  ！！！";

// The outcome must be a completed calculation.
handin::PileSection pileSection(const Outcome& outcome, int pileNumber);
handin::SheetRow tableCells(const Outcome& outcome, int pileNumber);
std::vector<handin::SheetColumn> tableColumns();

} // namespace sp::module3
