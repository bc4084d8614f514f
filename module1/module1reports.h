#pragma once
// Module 1's two report pages: the calculation book of one pile and its row of the pile table,
// laid out in display columns exactly as they are printed and saved.

#include "core/moment.h"
#include "frame/reportdocuments.h"
#include "module1calc.h"

#include <string>

namespace sp::module1 {

using frame::kBookFileName;
using frame::kTableFileName;

std::string timeLine(const core::Moment& moment); // "计算时间：…"

frame::Lines bookLines(const Values& v, int pileNumber);
frame::Lines tableHeading();
std::string tableRow(const Values& v, int pileNumber);
frame::Lines tableClosing(const core::Moment& moment);

// Everything pile `pileNumber` adds to the two pages.
frame::PilePages pilePages(const Values& v, int pileNumber, const core::Moment& moment);

} // namespace sp::module1
