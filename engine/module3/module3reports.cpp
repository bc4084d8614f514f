#include "module3/module3reports.h"

#include "core/text.h"
#include "module1/module1reports.h"
#include "module3/module3handin.h"
#include "report/columns.h"
#include "report/handinpieces.h"

namespace sp::module3 {

using namespace sp::core;
using namespace sp::report::columns;

namespace {

// Item 4.1 of a non-round pile names the method and gives its deq, both ending in column 45 like
// the other values of the book.
void appendMethodLines(report::Lines& out, const Outcome& o) {
    const module1::Values& v = o.values;
    const bool rectangular = isRectangular(v.section);
    const char* label = rectangular ? "  4.1 矩形桩等效直径算法:   " : "  4.1 椭圆桩等效直径算法:   ";
    out.push_back(label + L(deqMethodBookName(o.method, v.section), 17));
    out.push_back("      等效直径deq:          " + L(FixedText(v.geometry.deq, 6, 0), 17) + " mm");
}

// The three blocks that follow the pile's own block in item 5.
void appendSummaryBlocks(report::Lines& out, const Outcome& o) {
    const module1::Values& v = o.values;
    out.push_back(module1::kSummaryRule);
    out.push_back("      等效直径  等效直径  嵌岩深度  岩石强度 ");
    out.push_back("      算    法   deq(mm)   hr(mm)   frk(MPa) ");
    out.push_back(module1::kSummaryRule);
    out.push_back(sp(6) + C(methodCellText(o), 8) + sp(2) + C(FixedText(v.geometry.deq, 6, 0), 8) + sp(2) +
                  C(v.hrText, 8) + sp(2) + C(FixedText(v.frk, 6, 2), 8) + sp(1));
    out.push_back(module1::kSummaryRule);
    out.push_back("      完整程度  成    桩  深 径 比  综合系数 ");
    out.push_back("      (或指数)  工    艺   hr/deq     ζr    ");
    out.push_back(module1::kSummaryRule);
    out.push_back(sp(6) + C(v.integrityText, 8) + sp(2) + processShortText(v.process) + sp(2) +
                  C(FixedText(v.geometry.ratioToDeq, 6, 2), 8) + sp(2) + C(FixedText(v.zetaR, 5, 4), 8) + sp(1));
    out.push_back(module1::kSummaryRule);
    out.push_back("      桩承载力  桩混凝土  桩身强度  计算结果 ");
    out.push_back("       Ra(kN)   强度等级   Rc(kN)   合规判定 ");
    out.push_back(module1::kSummaryRule);
    out.push_back(sp(6) + C(PrecisionText(v.ra, v.precision, 10), 8) + sp(2) + C(gradeItem(v.grade), 8) + sp(2) +
                  C(PrecisionText(v.rc, v.precision, 10), 8) + sp(2) + C(verdictText(*o.verdict), 8) + sp(1));
}

} // namespace

std::string methodCellText(const Outcome& o) {
    return o.values.section == SectionType::Round ? "-" : deqMethodShortName(o.method);
}

report::Lines bookLines(const Outcome& o, int n) {
    const module1::Values& v = o.values;
    report::Lines out;
    module1::appendBookInputs(out, v, n);
    if (v.section == SectionType::Round)
        out.push_back(module1::bookDiameterLine(v));
    else
        appendMethodLines(out, o);
    module1::appendBookResults(out, v);
    module1::appendSummaryPileBlock(out, v, n);
    appendSummaryBlocks(out, o);
    module1::appendBookClosing(out);
    return out;
}

report::Lines tableHeading() {
    return {
        std::string(93, '=') + " 嵌岩桩计算书 " + std::string(93, '='),
        std::string(kTableWidth, '-'),
        " 基    桩  桩身截面  桩身直径  椭圆直段  矩形长边  矩形短边  等效直径  等效直径  嵌岩深度  岩石强度  完整程度"
        "  成    桩  深 径 比  综合系数  嵌岩阻力  桩承载力  桩混凝土  工艺系数  桩身强度  计算结果 ",
        " 编    号  类    型    d(mm)     c(mm)     a(mm)     b(mm)   算    法   deq(mm)   hr(mm)   frk(MPa)"
        "  (或指数)  工    艺   hr/deq     ζr      Qrk(kN)   Ra(kN)   强度等级    ψc      Rc(kN)   合规判定 ",
        std::string(kTableWidth, '-'),
    };
}

// Module 1's row with the method after the dimensions, one blank more after Rc, and the verdict.
std::string tableRow(const Outcome& o, int n) {
    const module1::Values& v = o.values;
    return module1::tableRowSection(v, n) + C(methodCellText(o), 8) + sp(2) + module1::tableRowValues(v) +
           module1::tableForceCell(v, v.rc, 2) + C(verdictText(*o.verdict), 8) + sp(1);
}

report::Lines tableClosing(const Moment& moment) { return module1::tableClosing(moment, kTableWidth); }

report::PilePages pilePages(const Outcome& o, int pileNumber, const Moment& moment, const report::PileParts& parts) {
    report::PilePages pages;
    pages.timeLine = module1::timeLine(moment);
    if (parts.pages) {
        pages.book = bookLines(o, pileNumber);
        pages.tableHeading = tableHeading();
        pages.tableRow = tableRow(o, pileNumber);
        pages.tableClosing = tableClosing(moment);
    }
    if (parts.handIn)
        pages.entry.section = pileSection(o, pileNumber);
    if (parts.handIn || parts.sheet) {
        pages.entry.tableRow = tableCells(o, pileNumber);
        pages.entry.flagged = *o.verdict == ComplianceVerdict::OverStandard;
        pages.tableColumns = tableColumns();
    }
    pages.calculatedAt = report::calculatedAtText(moment);
    return pages;
}

} // namespace sp::module3
