#pragma once
// Module 2's two report pages: the calculation book of one pile, with its input table in the
// variant the settings call for and the per-layer coefficient, resistance and side-resistance
// tables, and the pile's row of the 150-column pile table.

#include "core/moment.h"
#include "report/reportdocuments.h"
#include "module2/module2calc.h"

#include <string>

namespace sp::module2 {

// The same two files as every module writes.
using report::kBookFileName;
using report::kTableFileName;

inline constexpr int kTableWidth = 150;

std::string timeLine(const core::Moment& moment); // "计算时间：…"

// The book from its title to the closing line of 50 "=" (the time line follows separately).
report::Lines bookLines(const Values& v, int pileNumber);
// Item 9 of the book: the rock-layer input table in one of its four variants, with the
// check-box lines where the settings use the automatic coefficients.
report::Lines bookInputTable(const Values& v);

report::Lines tableHeading();
std::string tableRow(const Values& v, int pileNumber);
report::Lines tableClosing(const core::Moment& moment);

// Everything pile `pileNumber` adds to the two pages, or the parts of it asked for.
report::PilePages pilePages(const Values& v, int pileNumber, const core::Moment& moment,
                            const report::PileParts& parts = {});

} // namespace sp::module2
