#pragma once
// Module 3's two report pages: module 1's book and table with the equivalent-diameter method and
// the compliance verdict added, the table 200 columns wide. The pages are built from module 1's
// pieces wherever the lines are the same.

#include "core/moment.h"
#include "report/reportdocuments.h"
#include "module3/module3calc.h"

#include <string>

namespace sp::module3 {

inline constexpr int kTableWidth = 200;

// The outcome must be a completed calculation.
report::Lines bookLines(const Outcome& outcome, int pileNumber);
report::Lines tableHeading();
std::string tableRow(const Outcome& outcome, int pileNumber);
report::Lines tableClosing(const core::Moment& moment);

// The method as the table and the summary name it: its short name, "-" for a round pile.
std::string methodCellText(const Outcome& outcome);

// Everything pile `pileNumber` adds to the two pages, or the parts of it asked for.
report::PilePages pilePages(const Outcome& outcome, int pileNumber, const core::Moment& moment,
                            const report::PileParts& parts = {});

} // namespace sp::module3
