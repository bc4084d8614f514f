#pragma once
// Pieces every module's calculation book and pile table print alike: the section's kind as the
// tables name it, the opening cells of a pile's table row, and the summary block that opens item 5
// of a book with the pile and its section.

#include "core/geometry.h"
#include "report/reportdocuments.h"

#include <string>

namespace sp::report {

// "圆  桩", "椭圆桩", "矩形桩", or "方  桩" for a rectangle with equal sides.
const char* tableKindText(core::SectionType type, bool square);

// A pile table row from the pile's number to b(mm): the dimension cells d, c, a and b, each with
// "-" where the section has no such dimension.
std::string tableRowSection(core::SectionType type, bool square, const std::string& dText,
                            const std::string& cText, int pileNumber);

// "5.基桩主要数据汇总", the rule, the two heading lines for the section, the rule and the pile's row.
void appendSummaryPileBlock(Lines& out, core::SectionType type, bool square, const std::string& dText,
                            const std::string& cText, int pileNumber);

} // namespace sp::report
