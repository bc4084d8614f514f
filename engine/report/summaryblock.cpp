#include "report/summaryblock.h"

#include "core/text.h"

namespace sp::report {

using namespace sp::core;

namespace {
const std::string kSummaryRule = "      ---------------------------------------";
} // namespace

const char* tableKindText(SectionType type, bool square) {
    if (isRectangular(type))
        return sectionTableText(square ? SectionType::Square : SectionType::Rectangular);
    return sectionTableText(type);
}

std::string tableRowSection(SectionType type, bool square, const std::string& dText, const std::string& cText,
                            int pileNumber) {
    const std::string dash = PadCentre("-", " ", 8) + Spaces(2);
    const std::string d = PadLeft(dText, " ", 6) + Spaces(4);
    const std::string c = PadLeft(cText, " ", 6) + Spaces(4);
    std::string row = Spaces(3) + PadRight(PileRegister::pileName(pileNumber), " ", 6) + Spaces(2) +
                      PadCentre(tableKindText(type, square), " ", 8) + Spaces(2);
    switch (type) {
    case SectionType::Round:
        return row + d + dash + dash + dash;
    case SectionType::Oblong:
        return row + d + c + dash + dash;
    default:
        return row + dash + dash + d + c;
    }
}

void appendSummaryPileBlock(Lines& out, SectionType type, bool square, const std::string& dText,
                            const std::string& cText, int pileNumber) {
    out.push_back("5.基桩主要数据汇总");
    out.push_back(kSummaryRule);
    if (isRectangular(type)) {
        out.push_back("      基    桩  桩身截面  矩形长边  矩形短边 ");
        out.push_back("      编    号  类    型    a(mm)     b(mm)  ");
    } else {
        out.push_back("      基    桩  桩身截面  桩身直径  椭圆直段 ");
        out.push_back("      编    号  类    型    d(mm)     c(mm)  ");
    }
    out.push_back(kSummaryRule);
    const std::string secondCell = type == SectionType::Round ? PadCentre("-", " ", 8) : PadCentre(cText, " ", 8);
    out.push_back(Spaces(8) + PadRight(PileRegister::pileName(pileNumber), " ", 6) + Spaces(2) +
                  PadCentre(tableKindText(type, square), " ", 8) + Spaces(2) + PadCentre(dText, " ", 8) + Spaces(2) +
                  secondCell + Spaces(1));
}

} // namespace sp::report
