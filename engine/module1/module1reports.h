#pragma once
// Module 1's two report pages: the calculation book of one pile and its row of the pile table,
// laid out in display columns exactly as they are printed and saved.

#include "core/moment.h"
#include "report/reportdocuments.h"
#include "module1/module1calc.h"

#include <string>

namespace sp::module1 {

using report::kBookFileName;
using report::kTableFileName;

std::string timeLine(const core::Moment& moment); // "计算时间：…"

report::Lines bookLines(const Values& v, int pileNumber);
report::Lines tableHeading();
std::string tableRow(const Values& v, int pileNumber);
report::Lines tableClosing(const core::Moment& moment);

// Everything pile `pileNumber` adds to the two pages, or the parts of it asked for.
report::PilePages pilePages(const Values& v, int pileNumber, const core::Moment& moment,
                            const report::PileParts& parts = {});

// Pieces of the two pages that module 3, whose reports extend these, builds its own from.

inline constexpr const char* kSummaryRule = "      ---------------------------------------";

// The book from its title to the heading "4.承载力计算": inputs, standard and formulas.
void appendBookInputs(report::Lines& out, const Values& v, int pileNumber);
// Item 4.1: the diameter of a round pile, the equal-area deq of any other.
std::string bookDiameterLine(const Values& v);
// From Ap to Rc, the lines after item 4.1.
void appendBookResults(report::Lines& out, const Values& v);
// Item 5's title and its first block, which names the pile, its section and its dimensions.
void appendSummaryPileBlock(report::Lines& out, const Values& v, int pileNumber);
// The dash rule under the last summary block and the closing line of 50 "=".
void appendBookClosing(report::Lines& out);

// Table row cells from the pile number to b(mm).
std::string tableRowSection(const Values& v, int pileNumber);
// Table row cells from deq(mm) to ψc.
std::string tableRowValues(const Values& v);
// A force cell by the row's precision: right-aligned in 8 and followed by `after` blanks for the
// two decimal choices, in 7 and followed by one blank more for the others.
std::string tableForceCell(const Values& v, double value, int after);
report::Lines tableClosing(const core::Moment& moment, int width);

} // namespace sp::module1
