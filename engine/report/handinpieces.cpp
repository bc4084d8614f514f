#include "report/handinpieces.h"

#include "core/numbers.h"
#include "core/tables.h"
#include "core/text.h"
#include "report/reportdocuments.h"
#include "report/summaryblock.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace sp::report {

using namespace sp::core;
using handin::groupDigits;

namespace {

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string mm(const std::string& text) { return trimmed(text) + " mm"; }

} // namespace

double figureValue(double value, int decimals) {
    return std::strtod(FixedText(value, 17, decimals).c_str(), nullptr);
}

bool shows(double hand, double result, int decimals) {
    // A checker works in decimals, not in binary: a hand result that lies on the halfway point
    // between two last digits (9605.935 from 19 211.87 / 2) rounds up on paper whichever side of
    // it the binary value fell, so a value that near the halfway point does not count as shown.
    const double margin = std::fabs(hand) * 1e-12;
    const std::string shown = FixedText(result, 17, decimals);
    return FixedText(hand - margin, 17, decimals) == shown && FixedText(hand + margin, 17, decimals) == shown;
}

std::vector<int> carryChain(const std::vector<CarryLevel>& levels) {
    constexpr int kMostDecimals = 15;
    constexpr int kBumps = 2;  // decimals the figure before may take more
    std::vector<int> decimals(levels.size());
    for (std::size_t k = 0; k < levels.size(); ++k) {
        const CarryLevel& level = levels[k];
        decimals[k] = level.floor;
        bool found = false;
        for (int bump = 0; bump <= (k == 0 ? 0 : kBumps) && !found; ++bump) {
            const int consumer = k == 0 ? 0 : decimals[k - 1] + bump;
            if (consumer > kMostDecimals)
                break;
            // The figure before, with more decimals, must still work in its own formula: it may
            // land on a halfway point where it did not before.
            if (bump > 0 && !levels[k - 1].works(consumer, k > 1 ? decimals[k - 2] : 0))
                continue;
            const int most = std::min(kMostDecimals, level.floor + level.window);
            for (int mine = level.floor; mine <= most && !found; ++mine) {
                if (level.works(mine, consumer)) {
                    if (k > 0)
                        decimals[k - 1] = consumer;
                    decimals[k] = mine;
                    found = true;
                }
            }
        }
    }
    return decimals;
}

int sevenDigits(double value, int floor) {
    const double magnitude = std::fabs(value);
    if (!(magnitude > 0.0) || !std::isfinite(magnitude))
        return floor;
    return std::clamp(6 - static_cast<int>(std::floor(std::log10(magnitude))), floor, 15);
}

double handInterpolation(double y1, double y2, double x, double x1, double x2) {
    return y1 + (y2 - y1) * (x - x1) / (x2 - x1);
}

std::string carried(double value, int decimals, int minDecimals) {
    std::string text = FixedText(value, 17, decimals);
    const std::size_t point = text.find('.');
    if (point == std::string::npos || text.find('E') != std::string::npos)
        return text;
    std::size_t keep = text.size();
    while (keep > point + 1 + static_cast<std::size_t>(minDecimals) && text[keep - 1] == '0')
        --keep;
    if (keep == point + 1)
        keep = point;
    return groupDigits(text.substr(0, keep));
}

std::string withShown(const std::string& figure, const std::string& shown) {
    return figure == shown ? figure : figure + "（取 " + shown + "）";
}

std::string force(double value, int decimals) {
    const std::string figure = carried(value, decimals, 2), shown = fixed(value, 2);
    return figure + " kN" + (figure == shown ? "" : "（取 " + shown + " kN）");
}

std::string fixed(double value, int decimals) { return groupDigits(FixedText(value, 15, decimals)); }

std::string plain(double value) { return GeneralText(value); }

const char* sectionName(SectionType type, bool square) {
    return sectionItemText(isRectangular(type) && square ? SectionType::Square : type);
}

std::string pileHeading(int pileNumber, SectionType type, bool square, const std::string& dText,
                        const std::string& cText) {
    std::string heading = PileRegister::pileName(pileNumber) + "  " + sectionName(type, square) + "  ";
    switch (type) {
    case SectionType::Round:
        return heading + "d = " + mm(dText);
    case SectionType::Oblong:
        return heading + "d = " + mm(dText) + "，c = " + mm(cText);
    default:
        return heading + "a = " + mm(dText) + "，b = " + mm(cText);
    }
}

std::vector<handin::Entry> sectionEntries(SectionType type, bool square, const std::string& dText,
                                          const std::string& cText) {
    std::vector<handin::Entry> entries{{"桩身截面类型", sectionName(type, square)}};
    if (isRectangular(type)) {
        entries.push_back({"矩形长边尺寸 a", mm(dText)});
        entries.push_back({"矩形短边尺寸 b", mm(cText)});
    } else {
        entries.push_back({"桩身直径 d", mm(dText)});
        if (type == SectionType::Oblong)
            entries.push_back({"椭圆直段长度 c", mm(cText)});
    }
    return entries;
}

handin::FormulaLine areaLine(SectionType type, double first, double second, double area) {
    const std::string d = plain(first), c = plain(second);
    const std::string result = " = " + fixed(area, 2) + " mm²";
    switch (type) {
    case SectionType::Round:
        return {"A_{p} = π·d²/4 = π × " + d + "² / 4" + result, ""};
    case SectionType::Oblong:
        return {"A_{p} = π·d²/4 + d·c = π × " + d + "² / 4 + " + d + " × " + c + result, ""};
    default:
        return {"A_{p} = a·b = " + d + " × " + c + result, ""};
    }
}

handin::FormulaLine perimeterLine(SectionType type, double first, double second, double perimeter) {
    const std::string d = plain(first), c = plain(second);
    const std::string result = " = " + fixed(perimeter, 2) + " mm";
    switch (type) {
    case SectionType::Round:
        return {"μ = π·d = π × " + d + result, ""};
    case SectionType::Oblong:
        return {"μ = π·d + 2·c = π × " + d + " + 2 × " + c + result, ""};
    default:
        return {"μ = 2·(a + b) = 2 × (" + d + " + " + c + ")" + result, ""};
    }
}

handin::Step characteristicStep(const std::string& quk, double ra) {
    return {"单桩竖向承载力特征值",
            {{"R_{a} = Q_{uk} / K = " + quk + " / " + FixedText(kSafetyFactor, 3, 2) + " = " + fixed(ra, 2) + " kN",
              "(5.2.2)"}},
            std::nullopt,
            {}};
}

handin::SheetCell sheetCell(const std::string& text) {
    handin::SheetCell cell{trimmed(text), std::nullopt};
    cell.number = readStrict(cell.text);
    if (!cell.number && cell.text.size() > 1 && cell.text.back() == '%')
        cell.number = readStrict(std::string_view(cell.text).substr(0, cell.text.size() - 1));
    return cell;
}

void appendSectionCells(handin::SheetRow& row, int pileNumber, SectionType type, bool square,
                        const std::string& dText, const std::string& cText) {
    row.push_back(sheetCell(PileRegister::pileName(pileNumber)));
    row.push_back(sheetCell(tableKindText(type, square)));
    const std::string dash = "-";
    switch (type) {
    case SectionType::Round:
        for (const std::string* text : {&dText, &dash, &dash, &dash})
            row.push_back(sheetCell(*text));
        break;
    case SectionType::Oblong:
        for (const std::string* text : {&dText, &cText, &dash, &dash})
            row.push_back(sheetCell(*text));
        break;
    default:
        for (const std::string* text : {&dash, &dash, &dText, &cText})
            row.push_back(sheetCell(*text));
        break;
    }
}

std::vector<handin::SheetColumn> pileTableColumns(const std::vector<handin::SheetColumn>& after) {
    std::vector<handin::SheetColumn> columns = {{"基桩编号", ""},     {"桩身截面类型", ""}, {"桩身直径 d", "mm"},
                                                {"椭圆直段 c", "mm"}, {"矩形长边 a", "mm"}, {"矩形短边 b", "mm"}};
    columns.insert(columns.end(), after.begin(), after.end());
    return columns;
}

std::string calculatedAtText(const Moment& m) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", m.year, m.month, m.day, m.hour, m.minute,
                  m.second);
    return buffer;
}

} // namespace sp::report
