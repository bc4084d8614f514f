#include "module1/module1reports.h"

#include "core/text.h"
#include "module1/module1handin.h"
#include "report/columns.h"
#include "report/handinpieces.h"
#include "report/summaryblock.h"

namespace sp::module1 {

using namespace sp::core;
using namespace sp::report::columns;

std::string timeLine(const Moment& moment) { return "计算时间：" + DateTimeText(moment); }

void appendBookInputs(report::Lines& out, const Values& v, int n) {
    out.push_back("================== 嵌岩桩计算书 ==================");
    out.push_back("1.基桩编号: ZH" + std::to_string(n));
    out.push_back("2.输入数据");
    out.push_back("  2.1 基桩参数");
    switch (v.section) {
    case SectionType::Round:
        out.push_back("      桩身截面类型:                      圆桩");
        out.push_back("      桩身直径d:                   " + L(v.dText, 10) + " mm");
        break;
    case SectionType::Oblong:
        out.push_back("      桩身截面类型:                    椭圆桩");
        out.push_back("      桩身直径d:                   " + L(v.dText, 10) + " mm");
        out.push_back("      椭圆直段长度c:               " + L(v.cText, 10) + " mm");
        break;
    default:
        out.push_back("      桩身截面类型:                    矩形桩");
        out.push_back("      矩形长边尺寸a:               " + L(v.dText, 10) + " mm");
        out.push_back("      矩形短边尺寸b:               " + L(v.cText, 10) + " mm");
        break;
    }
    if (v.geometry.depthGivenAsMultiple)
        out.push_back("      桩身嵌岩深度hr:              " + L(v.hrText, 10));
    else
        out.push_back("      桩身嵌岩深度hr:              " + L(v.hrText, 10) + " mm");
    out.push_back("      桩身混凝土强度等级:          " + L(gradeItem(v.grade), 10));
    out.push_back("  2.2 基岩参数");
    out.push_back("      岩石单轴抗压强度标准值frk:   " + L(FixedText(v.frk, 6, 2), 10) + " MPa");
    if (v.integrityGivenAsIndex)
        out.push_back("      岩石完整性指数:   " + L(FixedText(v.kv, 6, 2), 21));
    else
        out.push_back("      岩石完整程度：" + L(v.integrityText, 25));
    out.push_back("  2.3 基桩成桩工艺:" + L(processItem(v.process), 26));
    out.push_back("  3.1 采用规范:");
    out.push_back("        《贵州省建筑桩基设计与施工技术规程》");
    out.push_back("                 (DBJ 52/T088-2018)");
    out.push_back("  3.2 规范公式:  Ra=Quk/K             (5.2.2)");
    out.push_back("                 Quk=Qsk+Qrk        (5.3.3-1)");
    out.push_back("                 Qsk=μ∑qsik.li    (5.3.3-2)");
    out.push_back("                 Qrk=ζr.frk.Ap     (5.3.3-3)");
    out.push_back("                  Q≤ψc.Ap.fc        (5.7.1)");
    out.push_back("4.承载力计算");
}

std::string bookDiameterLine(const Values& v) {
    if (v.section == SectionType::Round)
        return "  4.1 桩身直径d:                   " + L(FixedText(v.first, 6, 0), 10) + " mm";
    return "  4.1 按面积相等折算等效直径deq:   " + L(FixedText(v.geometry.deq, 6, 0), 10) + " mm";
}

void appendBookResults(report::Lines& out, const Values& v) {
    const SectionGeometry& g = v.geometry;
    out.push_back("      桩身截面面积Ap:              " + L(FixedText(g.area / 1e6, 6, 2), 10) + " m^2");
    out.push_back("      桩身截面周长μ:              " + L(FixedText(g.perimeter / 1000.0, 6, 2), 10) + " m");
    out.push_back("  4.2 岩石坚硬程度:              " + L(v.hardness, 12));
    out.push_back("  4.3 嵌岩深径比hr/deq:            " + L(FixedText(g.ratioToDeq, 6, 2), 10));
    out.push_back("      嵌岩段侧阻和端阻综合系数ζr: " + L(FixedText(v.zetaR, 5, 4), 10));
    out.push_back("      嵌岩段总极限阻力标准值Qrk:   " + L(FixedText(v.qrk, 10, 2), 10) + " kN");
    out.push_back("  4.4 土的总极限侧阻力标准值Qsk(不考虑): 0.00 kN");
    out.push_back("  4.5 桩竖向极限承载力标准值Quk:   " + L(FixedText(v.quk, 10, 2), 10) + " kN");
    out.push_back("      安全系数K:                         2.00");
    out.push_back("      单桩竖向承载力特征值Ra:      " + L(FixedText(v.ra, 10, 2), 10) + " kN");
    out.push_back("  4.6 基桩成桩工艺:" + L(processItem(v.process), 26));
    out.push_back("      基桩成桩工艺系数ψc:         " + L(FixedText(v.psiC, 3, 2), 10));
    out.push_back("      桩身混凝土强度设计值fc:      " + L(FixedText(v.fc, 6, 2), 10) + " MPa");
    out.push_back("      桩身正截面受压承载力设计值Rc:" + L(FixedText(v.rc, 10, 2), 10) + " kN");
}

void appendSummaryPileBlock(report::Lines& out, const Values& v, int n) {
    report::appendSummaryPileBlock(out, v.section, v.square, v.dText, v.cText, n);
}

void appendBookClosing(report::Lines& out) {
    out.push_back(kSummaryRule);
    out.push_back(std::string(50, '='));
}

report::Lines bookLines(const Values& v, int n) {
    const SectionGeometry& g = v.geometry;
    report::Lines out;
    appendBookInputs(out, v, n);
    out.push_back(bookDiameterLine(v));
    appendBookResults(out, v);
    appendSummaryPileBlock(out, v, n);
    out.push_back(kSummaryRule);
    out.push_back("      等效直径  嵌岩深度  岩石强度  完整程度 ");
    out.push_back("       deq(mm)   hr(mm)   frk(MPa)  (或指数) ");
    out.push_back(kSummaryRule);
    out.push_back(sp(6) + C(FixedText(g.deq, 6, 0), 8) + sp(2) + C(v.hrText, 8) + sp(2) + C(FixedText(v.frk, 6, 2), 8) +
                  sp(2) + C(v.integrityText, 8) + sp(1));
    out.push_back(kSummaryRule);
    out.push_back("      综合系数  桩承载力  桩混凝土  桩身强度 ");
    out.push_back("        ζr      Ra(kN)   强度等级   Rc(kN)  ");
    out.push_back(kSummaryRule);
    out.push_back(sp(6) + C(FixedText(v.zetaR, 5, 4), 8) + sp(2) + C(PrecisionText(v.ra, v.precision, 10), 8) + sp(2) +
                  C(gradeItem(v.grade), 8) + sp(2) + C(PrecisionText(v.rc, v.precision, 10), 8) + sp(1));
    appendBookClosing(out);
    return out;
}

report::Lines tableHeading() {
    return {
        std::string(83, '=') + " 嵌岩桩计算书 " + std::string(83, '='),
        std::string(180, '-'),
        " 基    桩  桩身截面  桩身直径  椭圆直段  矩形长边  矩形短边  等效直径  嵌岩深度  岩石强度  完整程度  成    桩  "
        "深 径 比  综合系数  嵌岩阻力  桩承载力  桩混凝土  工艺系数  桩身强度 ",
        " 编    号  类    型    d(mm)     c(mm)     a(mm)     b(mm)    deq(mm)   hr(mm)   frk(MPa)  (或指数)  工    艺 "
        "  hr/deq     ζr      Qrk(kN)   Ra(kN)   强度等级    ψc      Rc(kN)  ",
        std::string(180, '-'),
    };
}

std::string tableRowSection(const Values& v, int n) {
    return report::tableRowSection(v.section, v.square, v.dText, v.cText, n);
}

std::string tableForceCell(const Values& v, double value, int after) {
    const bool decimals = v.precision == Precision::TwoDecimals || v.precision == Precision::OneDecimal;
    return decimals ? L(PrecisionText(value, v.precision, 10), 8) + sp(after)
                    : L(PrecisionText(value, v.precision, 10), 7) + sp(after + 1);
}

std::string tableRowValues(const Values& v) {
    const SectionGeometry& g = v.geometry;
    std::string row = L(FixedText(g.deq, 6, 0), 6) + sp(4);
    row += L(v.hrText, 6) + sp(4);
    row += L(FixedText(v.frk, 6, 2), 6) + sp(4);
    row += C(v.integrityText, 8) + sp(2);
    row += std::string(processShortText(v.process)) + sp(2);
    row += L(FixedText(g.ratioToDeq, 6, 2), 6) + sp(4);
    row += L(FixedText(v.zetaR, 5, 4), 7) + sp(3);
    row += tableForceCell(v, v.qrk, 2);
    row += tableForceCell(v, v.ra, 2);
    row += L(gradeItem(v.grade), 6) + sp(4);
    row += L(FixedText(v.psiC, 3, 2), 6) + sp(4);
    return row;
}

std::string tableRow(const Values& v, int n) {
    return tableRowSection(v, n) + tableRowValues(v) + tableForceCell(v, v.rc, 1);
}

report::Lines tableClosing(const Moment& moment, int width) {
    return {
        std::string(static_cast<std::size_t>(width), '-'),
        "注: 采用《贵州省建筑桩基设计与施工技术规程》(DBJ 52/T088-2018)公式计算",
        std::string(static_cast<std::size_t>(width), '='),
        timeLine(moment),
    };
}

report::Lines tableClosing(const Moment& moment) { return tableClosing(moment, 180); }

report::PilePages pilePages(const Values& v, int pileNumber, const Moment& moment, const report::PileParts& parts) {
    report::PilePages pages;
    pages.timeLine = timeLine(moment);
    if (parts.pages) {
        pages.book = bookLines(v, pileNumber);
        pages.tableHeading = tableHeading();
        pages.tableRow = tableRow(v, pileNumber);
        pages.tableClosing = tableClosing(moment);
    }
    if (parts.handIn)
        pages.entry.section = pileSection(v, pileNumber);
    if (parts.handIn || parts.sheet) {
        pages.entry.tableRow = tableCells(v, pileNumber);
        pages.tableColumns = tableColumns();
    }
    pages.calculatedAt = report::calculatedAtText(moment);
    return pages;
}

} // namespace sp::module1
