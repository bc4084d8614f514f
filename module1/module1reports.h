#pragma once
// Module 1's two report pages: the calculation book of one pile and its row of the pile table,
// laid out in display columns exactly as they are printed and saved.

#include "core/moment.h"
#include "frame/reportdocuments.h"
#include "module1calc.h"

#include <string>

namespace sp::module1 {

// File names of the saved pages, shared by all three modules.
inline constexpr const char* kBookFileName = "嵌岩桩计算书(依据DBJ52T088-2018)_文本.txt";
inline constexpr const char* kTableFileName = "嵌岩桩计算书(依据DBJ52T088-2018)_表格.txt";

std::string timeLine(const core::Moment& moment); // "计算时间：…"

frame::Lines bookLines(const Values& v, int pileNumber);
frame::Lines tableHeading();
std::string tableRow(const Values& v, int pileNumber);
frame::Lines tableClosing(const core::Moment& moment);

// Everything pile `pileNumber` adds to the two pages.
frame::PilePages pilePages(const Values& v, int pileNumber, const core::Moment& moment);

} // namespace sp::module1
