#include "module2/module2reports.h"

#include "module2/module2handin.h"
#include "report/columns.h"
#include "report/handinpieces.h"
#include "report/summaryblock.h"

#include "core/numbers.h"
#include "core/text.h"

namespace sp::module2 {

using namespace sp::core;
using namespace sp::report::columns;

namespace {

constexpr const char* kRule45 = "      ---------------------------------------";
constexpr const char* kRule38 = "      --------------------------------";
constexpr const char* kRule42 = "          --------------------------------";

// Significant digits: lengths and section values, the layer tables, the side-resistance table,
// and every other value.
constexpr int kDigitsSection = 6;
constexpr int kDigitsLayers = 8;
constexpr int kDigitsSide = 9;
constexpr int kDigitsOther = 10;

bool givenResistances(const Values& v) { return v.settings.strengthBasis == StrengthBasis::GivenResistances; }
bool manualMode(const Values& v) { return v.settings.mode == CoefficientMode::Manual; }
bool classBasis(const Values& v) { return v.settings.integrityBasis == IntegrityBasis::ClassName; }

// A cell of the layer's row as it stands (G) or read as a number and written with two decimals
// (N). The calculation leaves a number in every cell N reads; should one not be, it is printed
// as it stands rather than as a made-up 0.
const std::string& G(const Values& v, int layer, int column) { return v.grid.cell(layer, column); }
std::string N(const Values& v, int layer, int column, int digits) {
    const std::string& text = G(v, layer, column);
    const auto value = readStrict(text);
    return value ? FixedText(*value, digits, 2) : text;
}

std::string P(const Values& v, double value) { return PrecisionText(value, v.precision, kDigitsOther); }
std::string S(const Values& v, double share) {
    return FixedText(share, kDigitsOther, shareDecimals(v.precision)) + "%";
}

void appendDimensionLines(report::Lines& out, const Values& v) {
    switch (v.section) {
    case SectionType::Round:
        out.push_back("      桩身直径d:                   " + L(v.dText, 10) + " mm");
        break;
    case SectionType::Oblong:
        out.push_back("      桩身直径d:                   " + L(v.dText, 10) + " mm");
        out.push_back("      椭圆直段长度c:               " + L(v.cText, 10) + " mm");
        break;
    default:
        out.push_back("      矩形长边尺寸a:               " + L(v.dText, 10) + " mm");
        out.push_back("      矩形短边尺寸b:               " + L(v.cText, 10) + " mm");
        break;
    }
}

void appendSectionInputs(report::Lines& out, const Values& v) {
    switch (v.section) {
    case SectionType::Round:
        out.push_back("      桩身截面类型:                      圆桩");
        break;
    case SectionType::Oblong:
        out.push_back("      桩身截面类型:                    椭圆桩");
        break;
    default:
        out.push_back("      桩身截面类型:                    矩形桩"); // a square too
        break;
    }
    appendDimensionLines(out, v);
}

void appendSectionResults(report::Lines& out, const Values& v) {
    if (v.section == SectionType::Round)
        out.push_back("  4.1 桩身截面类型:                      圆桩");
    else if (v.section == SectionType::Oblong)
        out.push_back("  4.1 桩身截面类型:                    椭圆桩");
    else if (v.square)
        out.push_back("  4.1 桩身截面类型:                      方桩");
    else
        out.push_back("  4.1 桩身截面类型:                    矩形桩");
    appendDimensionLines(out, v);
    out.push_back("      桩身截面面积Ap:              " + L(FixedText(v.area / 1e6, kDigitsSection, 2), 10) + " m^2");
    out.push_back("      桩身截面周长μ:              " + L(FixedText(v.perimeter / 1000.0, kDigitsSection, 2), 10) +
                  " m");
}

void appendCheckBoxLines(report::Lines& out, const Values& v) {
    out.push_back("      基桩为地下水位以下和采用泥浆");
    out.push_back(v.settings.groundwater ? "      护壁钻、冲孔桩：                     是"
                                         : "      护壁钻、冲孔桩：                     否");
    if (v.settings.softRock) {
        out.push_back("      软化系数≤0.6的软质岩，施工时无可靠    ");
        out.push_back("                措施缩短桩端基岩暴露时间     ");
    }
}

std::string layerCell(const Values& v, int layer) { return L(G(v, layer, kColLayer), 2); }

void appendGivenResistancesTable(report::Lines& out, const Values& v) {
    out.push_back("      岩层参数:");
    out.push_back(kRule42);
    out.push_back("          岩  嵌岩长度  指定侧阻  指定端阻");
    out.push_back("          层   lri(m)   qsrk(kPa) qpk(kPa)");
    out.push_back(kRule42);
    for (int i = 1; i <= v.grid.layerCount(); ++i)
        out.push_back(sp(10) + layerCell(v, i) + sp(2) + L(N(v, i, kColLr, kDigitsLayers), 6) + sp(4) +
                      L(N(v, i, kColQsrk, kDigitsLayers), 8) + sp(2) + L(N(v, i, kColQpk, kDigitsLayers), 8));
    out.push_back(kRule42);
}

void appendManualTable(report::Lines& out, const Values& v) {
    out.push_back("      岩层参数:");
    out.push_back(kRule45);
    out.push_back("      岩  嵌岩长度 岩石强度 指定端阻 指定侧阻");
    out.push_back("      层   lri(m)  frk(MPa) 系数 C1  系数 C2 ");
    out.push_back(kRule45);
    for (int i = 1; i <= v.grid.layerCount(); ++i)
        out.push_back(sp(6) + layerCell(v, i) + sp(2) + L(G(v, i, kColLr), 6) + sp(3) +
                      L(G(v, i, kColFrk), 6) + sp(3) + L(G(v, i, kColC1), 6) + sp(3) + L(G(v, i, kColC2), 6) +
                      sp(2));
    out.push_back(kRule45);
}

void appendAutomaticTable(report::Lines& out, const Values& v) {
    out.push_back("      岩层参数:");
    out.push_back(kRule45);
    out.push_back("      岩  嵌岩长度 岩石风化 岩体完整 岩石强度");
    out.push_back(classBasis(v) ? "      层   lri(m)  程    度 程    度 frk(MPa)"
                                : "      层   lri(m)  程    度 性 指 数 frk(MPa)");
    out.push_back(kRule45);
    for (int i = 1; i <= v.grid.layerCount(); ++i) {
        std::string row = sp(6) + layerCell(v, i) + sp(2) + L(G(v, i, kColLr), 6) + sp(3) +
                          C(G(v, i, kColWeathering), 8) + sp(1);
        row += classBasis(v) ? C(G(v, i, kColIntegrity), 8) + sp(1) : L(G(v, i, kColKv), 6) + sp(3);
        out.push_back(row + L(G(v, i, kColFrk), 6) + sp(2));
    }
    out.push_back(kRule45);
}

void appendLargerSmallerTables(report::Lines& out, const Values& v) {
    out.push_back("      岩层参数:");
    out.push_back(kRule38);
    out.push_back("      岩  嵌岩长度  岩石风化  岩体完整");
    out.push_back(classBasis(v) ? "      层   lri(m)   程    度  程    度" : "      层   lri(m)   程    度  性 指 数");
    out.push_back(kRule38);
    for (int i = 1; i <= v.grid.layerCount(); ++i) {
        const std::string row = sp(6) + layerCell(v, i) + sp(2) + L(G(v, i, kColLr), 6) + sp(4) +
                                C(G(v, i, kColWeathering), 8) + sp(2);
        out.push_back(row + (classBasis(v) ? C(G(v, i, kColIntegrity), 8) : L(G(v, i, kColKv), 6) + sp(2)));
    }
    out.push_back(kRule38);
    out.push_back("      岩  岩石强度  指定端阻  指定侧阻");
    out.push_back("      层  frk(MPa)  系数 C1   系数 C2 ");
    out.push_back(kRule38);
    for (int i = 1; i <= v.grid.layerCount(); ++i)
        out.push_back(sp(6) + layerCell(v, i) + sp(2) + L(G(v, i, kColFrk), 6) + sp(4) +
                      L(G(v, i, kColC1), 6) + sp(4) + L(G(v, i, kColC2), 6) + sp(2));
    out.push_back(kRule38);
}

void appendCoefficientTable(report::Lines& out, const Values& v) {
    const bool noLookup = givenResistances(v) || manualMode(v);
    out.push_back(kRule45);
    out.push_back("      岩  嵌岩长度 岩石强度 插值端阻 插值侧阻");
    out.push_back("      层   lri(m)  frk(MPa) 系数 C1  系数 C2 ");
    out.push_back(kRule45);
    for (int i = 1; i <= v.grid.layerCount(); ++i) {
        std::string row =
            sp(6) + layerCell(v, i) + sp(2) + L(G(v, i, kColLr), 6) + sp(3) + L(G(v, i, kColFrk), 6) + sp(3);
        row += noLookup ? C("-", 8) + sp(1) + C("-", 8)
                        : L(N(v, i, kColC1Auto, kDigitsLayers), 6) + sp(3) +
                              L(N(v, i, kColC2Auto, kDigitsLayers), 6) + sp(2);
        out.push_back(row);
    }
    out.push_back(kRule45);
}

void appendResistanceTable(report::Lines& out, const Values& v) {
    out.push_back("      岩  计算采用 计算采用 总 阻 力 端 阻 力");
    out.push_back("      层  系数 C1  系数 C2   Quk(kN)  Qpk(kN)");
    out.push_back(kRule45);
    for (int i = 1; i <= v.grid.layerCount(); ++i) {
        std::string row = sp(6) + layerCell(v, i) + sp(2);
        row += givenResistances(v) ? C("-", 8) + sp(1) + C("-", 8) + sp(1)
                                   : L(N(v, i, kColC1Used, kDigitsLayers), 6) + sp(3) +
                                         L(N(v, i, kColC2Used, kDigitsLayers), 6) + sp(3);
        row += G(v, i, kColQuk).empty() ? C("-", 8) + sp(1) : L(N(v, i, kColQuk, kDigitsLayers), 8) + sp(1);
        row += G(v, i, kColQpkTotal).empty() ? C("-", 8) : L(N(v, i, kColQpkTotal, kDigitsLayers), 8);
        out.push_back(row);
    }
    out.push_back(kRule45);
}

void appendSideResistanceTable(report::Lines& out, const Values& v) {
    out.push_back("      岩  ∑Qsrik  层侧阻力 侧阻比例 岩石坚硬");
    out.push_back("      层    (kN)   Qsrik(kN) Rsia/Ra 程    度");
    out.push_back(kRule45);
    for (int i = 1; i <= v.grid.layerCount(); ++i)
        out.push_back(sp(6) + layerCell(v, i) + sp(2) + L(N(v, i, kColSumQsrik, kDigitsSide), 8) + sp(1) +
                      L(N(v, i, kColQsrik, kDigitsSide), 8) + sp(1) + L(G(v, i, kColShare), 7) + sp(2) +
                      (givenResistances(v) ? C("-", 8) : C(G(v, i, kColHardness), 8)));
    out.push_back(kRule45);
}

void appendSummary(report::Lines& out, const Values& v, int pileNumber) {
    report::appendSummaryPileBlock(out, v.section, v.square, v.dText, v.cText, pileNumber);
    out.push_back(kRule45);
    out.push_back("      嵌岩深度  端 阻 力  侧 阻 力  总 阻 力 ");
    out.push_back("        lr(m)    Qpk(kN)  Qsrk(kN)   Quk(kN) ");
    out.push_back(kRule45);
    out.push_back(sp(6) + C(FixedText(v.lr, kDigitsSection, 2), 8) + sp(2) + C(P(v, v.qpk), 8) + sp(2) +
                  C(P(v, v.qsrk), 8) + sp(2) + C(P(v, v.quk), 8) + sp(1));
    out.push_back(kRule45);
    out.push_back("      桩承载力  端 阻 力  侧 阻 力  计算结果 ");
    out.push_back("       Ra(kN)   占百分比  占百分比  合规判定 ");
    out.push_back(kRule45);
    out.push_back(sp(6) + C(P(v, v.ra), 8) + sp(2) + C(S(v, v.endShare), 8) + sp(2) +
                  C(S(v, v.sideShare), 8) + sp(2) + C(verdictText(v.overrideCount), 8) + sp(1));
    out.push_back(kRule45);
    out.push_back(std::string(50, '='));
}

std::string F(double value) { return FixedText(value, kDigitsOther, 2); }

} // namespace

std::string timeLine(const Moment& moment) { return "计算时间：" + DateTimeText(moment); }

report::Lines bookInputTable(const Values& v) {
    report::Lines out;
    if (givenResistances(v)) {
        appendGivenResistancesTable(out, v);
        return out;
    }
    out.push_back("      端阻侧阻系数:" + L(itemText(v.settings.mode), 26));
    if (manualMode(v)) {
        appendManualTable(out, v);
        return out;
    }
    out.push_back("      自动插值依据:" + L(itemText(v.settings.integrityBasis), 26));
    if (v.settings.mode == CoefficientMode::Automatic)
        appendAutomaticTable(out, v);
    else
        appendLargerSmallerTables(out, v);
    appendCheckBoxLines(out, v);
    return out;
}

report::Lines bookLines(const Values& v, int pileNumber) {
    report::Lines out;
    out.push_back("================== 嵌岩桩计算书 ==================");
    out.push_back("1.基桩编号: " + report::PileRegister::pileName(pileNumber));
    out.push_back("2.输入数据");
    out.push_back("  2.1 基桩参数");
    appendSectionInputs(out, v);
    out.push_back("  2.2 基岩参数");
    out.push_back("      嵌岩段岩层数:" + L(std::to_string(v.grid.layerCount()), 26));
    out.push_back("      岩石强度取值:" + L(itemText(v.settings.strengthBasis), 26));
    const report::Lines inputTable = bookInputTable(v);
    out.insert(out.end(), inputTable.begin(), inputTable.end());
    out.push_back("3.采用规范及公式");
    out.push_back("  3.1 采用规范:");
    out.push_back("        《贵州省建筑桩基设计与施工技术规程》");
    out.push_back("                 (DBJ 52/T088-2018)");
    out.push_back("  3.2 规范公式:");
    out.push_back("          Quk=Qsk+Qsrk+Qpk       (5.3.3-4)");
    out.push_back("          Qsk=μs.∑qsik.li      (5.3.3-5)");
    out.push_back("         Qsrk=μr.∑qsrk.lr      (5.3.3-6)");
    out.push_back("          Qpk=qpk.Ap             (5.3.3-7)");
    if (!givenResistances(v)) {
        out.push_back("          qpk=C1.frk             (5.3.3-8)");
        out.push_back("         qsrk=C2.frk             (5.3.3-9)");
    }
    out.push_back("4.承载力计算");
    appendSectionResults(out, v);
    out.push_back("  4.2 岩层阻力计算");
    appendCoefficientTable(out, v);
    appendResistanceTable(out, v);
    appendSideResistanceTable(out, v);
    out.push_back("  4.3 桩侧土极限侧阻力标准值Qsk(不考虑): 0.00 kN");
    out.push_back("  4.4 嵌岩段桩端端阻力标准值Qpk：  " + L(F(v.qpk), 10) + " kN");
    out.push_back("      嵌岩段极限侧阻力标准值Qsrk:  " + L(F(v.qsrk), 10) + " kN");
    out.push_back("  4.5 单桩总极限承载力标准值Quk：  " + L(F(v.quk), 10) + " kN");
    out.push_back("      安全系数K:                         2.00");
    out.push_back("      单桩竖向承载力特征值Ra:      " + L(F(v.ra), 10) + " kN");
    out.push_back("      嵌岩段桩端端阻力占百分比:    " + L(F(v.endShare), 9) + "%");
    out.push_back("      嵌岩段桩侧摩阻力占百分比:    " + L(F(v.sideShare), 9) + "%");
    appendSummary(out, v, pileNumber);
    return out;
}

report::Lines tableHeading() {
    return {
        std::string(58, '=') + " 嵌岩桩计算书 " + std::string(78, '='),
        std::string(kTableWidth, '-'),
        " 基    桩  桩身截面  桩身直径  椭圆直段  矩形长边  矩形短边  桩身面积  桩身周长  嵌岩深度  桩侧阻力  "
        "桩侧阻力  桩端阻力  桩端阻力  桩承载力  计算结果 ",
        " 编    号  类    型    d(mm)     c(mm)     a(mm)     b(mm)    Ap(m^2)   μr(m)     lr(m)   Qsrk(kN)  "
        "占百分比   Qpk(kN)  占百分比   Ra(kN)   合规判定 ",
        std::string(kTableWidth, '-'),
    };
}

std::string tableRow(const Values& v, int pileNumber) {
    std::string row = report::tableRowSection(v.section, v.square, v.dText, v.cText, pileNumber);
    row += L(FixedText(v.area / 1e6, kDigitsSection, 2), 6) + sp(4);
    row += L(FixedText(v.perimeter / 1000.0, kDigitsSection, 2), 6) + sp(4);
    row += L(FixedText(v.lr, kDigitsSection, 2), 6) + sp(4);
    if (v.precision == Precision::TwoDecimals || v.precision == Precision::OneDecimal) {
        row += L(P(v, v.qsrk), 8) + sp(2) + L(S(v, v.sideShare), 7) + sp(3) + L(P(v, v.qpk), 8) + sp(2) +
               L(S(v, v.endShare), 7) + sp(3) + L(P(v, v.ra), 8) + sp(2);
    } else {
        row += L(P(v, v.qsrk), 7) + sp(3) + L(S(v, v.sideShare), 6) + sp(4) + L(P(v, v.qpk), 7) + sp(3) +
               L(S(v, v.endShare), 6) + sp(4) + L(P(v, v.ra), 7) + sp(3);
    }
    return row + C(verdictText(v.overrideCount), 8) + sp(1);
}

report::Lines tableClosing(const Moment& moment) {
    return {
        std::string(kTableWidth, '-'),
        " 注: 采用《贵州省建筑桩基设计与施工技术规程》(DBJ 52/T088-2018)公式计算",
        std::string(kTableWidth, '='),
        timeLine(moment),
    };
}

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
        pages.entry.flagged = v.overrideCount > 0;
        pages.tableColumns = tableColumns();
    }
    pages.calculatedAt = report::calculatedAtText(moment);
    return pages;
}

} // namespace sp::module2
