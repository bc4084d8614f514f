#include "module3/module3handin.h"

#include "core/text.h"
#include "module1/module1handin.h"
#include "module3/module3form.h"
#include "report/handinpieces.h"

namespace sp::module3 {

using namespace sp::core;
using handin::FormulaLine;
using report::carried;
using report::plain;

namespace {

// deq of a method in symbols and with the section's dimensions put in; the envelopes list the
// four values they choose from.
struct Working {
    std::string symbols;
    std::string figures;
};

Working oblongWorking(DeqMethod method, const std::string& d, const std::string& c) {
    switch (method) {
    case DeqMethod::AreaEqual:
        return {"√(4·A_{p}/π)", "√[4 × (π × " + d + "² / 4 + " + d + " × " + c + ") / π]"};
    case DeqMethod::PerimeterEqual:
        return {"μ/π", "(π × " + d + " + 2 × " + c + ") / π"};
    case DeqMethod::GyrationMax:
        return {"d·√{[(4c²/d² + 1 + 32c/(3πd))·πd²/4 + 4c³/(3d)] / (πd²/4 + c·d)}",
                d + " × √[((4 × " + c + "² / " + d + "² + 1 + 32 × " + c + " / (3 × π × " + d + ")) × π × " + d +
                    "² / 4 + 4 × " + c + "³ / (3 × " + d + ")) / (π × " + d + "² / 4 + " + c + " × " + d + ")]"};
    case DeqMethod::GyrationMin:
        return {"d·√[(16c/3 + πd)/(πd + 4c)]",
                d + " × √[(16 × " + c + " / 3 + π × " + d + ") / (π × " + d + " + 4 × " + c + ")]"};
    case DeqMethod::LongSide:
        return {"d + c", d + " + " + c};
    default:
        return {"d", d};
    }
}

Working rectangleWorking(DeqMethod method, const std::string& a, const std::string& b) {
    switch (method) {
    case DeqMethod::AreaEqual:
        return {"√(4·a·b/π)", "√(4 × " + a + " × " + b + " / π)"};
    case DeqMethod::PerimeterEqual:
        return {"2·(a + b)/π", "2 × (" + a + " + " + b + ") / π"};
    case DeqMethod::GyrationMax:
        return {"2·a/√3", "2 × " + a + " / √3"};
    case DeqMethod::GyrationMin:
        return {"2·b/√3", "2 × " + b + " / √3"};
    case DeqMethod::LongSide:
        return {"a", a};
    default:
        return {"b", b};
    }
}

Working workingOf(const module1::Values& v, DeqMethod method) {
    const std::string first = plain(v.first), second = plain(v.second);
    if (method == DeqMethod::EnvelopeMax || method == DeqMethod::EnvelopeMin) {
        // The envelope takes the largest (smallest) of A to D, computed as the calculation does.
        const int decimals = module1::deqDecimals(v);
        std::string values;
        for (DeqMethod m : {DeqMethod::AreaEqual, DeqMethod::PerimeterEqual, DeqMethod::GyrationMax,
                            DeqMethod::GyrationMin}) {
            const double deq =
                equivalentDiameter(v.section, m, v.first, v.second, v.geometry.area, v.geometry.perimeter);
            values += (values.empty() ? "" : ", ") + carried(deq, decimals, 0);
        }
        const std::string name = method == DeqMethod::EnvelopeMax ? "max" : "min";
        return {name + "(d_{A}, d_{B}, d_{C}, d_{D})", name + "(" + values + ")"};
    }
    return v.section == SectionType::Oblong ? oblongWorking(method, first, second)
                                            : rectangleWorking(method, first, second);
}

std::vector<FormulaLine> sectionLines(const Outcome& o) {
    const module1::Values& v = o.values;
    if (v.section == SectionType::Round)
        return module1::sectionLines(v);
    const Working w = workingOf(v, o.method);
    const bool over = *o.verdict == ComplianceVerdict::OverStandard;
    return {
        report::areaLine(v.section, v.first, v.second, v.geometry.area),
        report::perimeterLine(v.section, v.first, v.second, v.geometry.perimeter),
        {std::string("等效直径算法：") + deqMethodBookName(o.method, v.section) + "（" +
             (over ? kNoteOverStandard : kNoteRecommended) + "）",
         ""},
        {"d_{eq} = " + w.symbols + " = " + w.figures + " = " + module1::deqFigure(v) + " mm", ""},
    };
}

std::string verdictLine(const Outcome& o) {
    const module1::Values& v = o.values;
    const std::string verdict = verdictText(*o.verdict);
    if (v.section == SectionType::Round)
        return "圆桩 d_{eq} = d，判定：" + verdict;
    const std::string method = std::string("等效直径按") + deqMethodBookName(o.method, v.section);
    if (*o.verdict == ComplianceVerdict::OverStandard)
        return method + "，为超规选项，判定：" + verdict;
    return method + "，为" + kNoteRecommended + "，判定：" + verdict;
}

} // namespace

handin::PileSection pileSection(const Outcome& o, int pileNumber) {
    const bool over = *o.verdict == ComplianceVerdict::OverStandard;
    handin::PileSection s = module1::pileSection(o.values, pileNumber, sectionLines(o));
    if (over)
        s.warning = std::string("等效直径算法：") + deqMethodBookName(o.method, o.values.section) + "。" +
                    kResearchWarning;
    s.steps.push_back({"合规判定", {{verdictLine(o), ""}}, std::nullopt, {}});
    s.conclusions.push_back(std::string("计算结果合规判定：") + verdictText(*o.verdict) +
                            (over ? "（" + std::string(kNoteOverStandard) + "）。" : "。"));
    return s;
}

handin::SheetRow tableCells(const Outcome& o, int pileNumber) {
    const module1::Values& v = o.values;
    handin::SheetRow row;
    report::appendSectionCells(row, pileNumber, v.section, v.square, v.dText, v.cText);
    row.push_back(report::sheetCell(v.section == SectionType::Round ? "-" : deqMethodShortName(o.method)));
    module1::appendValueCells(row, v);
    row.push_back(module1::forceCell(v, v.rc));
    row.push_back(report::sheetCell(verdictText(*o.verdict)));
    return row;
}

std::vector<handin::SheetColumn> tableColumns() {
    std::vector<handin::SheetColumn> columns = module1::tableColumns();
    columns.insert(columns.begin() + static_cast<std::ptrdiff_t>(report::kSectionColumnCount),
                   handin::SheetColumn{"等效直径算法", ""});
    columns.push_back({"计算结果合规判定", ""});
    return columns;
}

} // namespace sp::module3
