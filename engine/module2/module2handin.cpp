#include "module2/module2handin.h"

#include "core/numbers.h"
#include "core/tables.h"
#include "core/text.h"
#include "report/handinpieces.h"
#include "report/reportdocuments.h"

#include <algorithm>

namespace sp::module2 {

using namespace sp::core;
using handin::Step;
using report::carried;
using report::figureValue;
using report::fixed;
using report::force;
using report::sevenDigits;
using report::shows;

namespace {

bool givenResistances(const Values& v) { return v.settings.strengthBasis == StrengthBasis::GivenResistances; }
bool manualMode(const Values& v) { return v.settings.mode == CoefficientMode::Manual; }
bool lookedUp(const Values& v) { return !givenResistances(v) && !manualMode(v); }
bool specifiedAllowed(const Values& v) { return !givenResistances(v) && v.settings.mode != CoefficientMode::Automatic; }
bool classBasis(const Values& v) { return v.settings.integrityBasis == IntegrityBasis::ClassName; }

int layers(const Values& v) { return v.grid.layerCount(); }

std::string cellText(const Values& v, int layer, int column) {
    const std::string& text = v.grid.cell(layer, column);
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(' ') - first + 1);
}
double cellValue(const Values& v, int layer, int column) { return readLenient(v.grid.cell(layer, column)); }

// l_{r2}, Q_{sr2k}: a layer's socket length and side resistance.
std::string lengthSymbol(int layer) { return "l_{r" + std::to_string(layer) + "}"; }
std::string sideSymbol(int layer) { return "Q_{sr" + std::to_string(layer) + "k}"; }

// The decimals of the figures carried from one formula into the next, worked back from the last
// formula as module 1 does: Ra = Quk / K takes Quk, Quk = Qsrk + Qpk takes both, Qpk = qpk·Ap
// takes qpk and Ap, ∑Qsrik takes each layer's Qsrik; the share lines take Qpk, Qsrk and Quk.
struct Carry {
    int quk = 2;
    int addends = 2;  // Qsrk and Qpk into Quk
    int qpkUnit = 2;  // qpk and Ap into Qpk
    int layerSide = 2; // each Qsrik into ∑Qsrik
    int shares = 2;   // Qpk, Qsrk and Quk into the shares
};

Carry carryOf(const Values& v) {
    const auto fig = figureValue;
    const int n = layers(v);
    Carry c;
    const std::vector<int> sums = report::carryChain({
        {2, [&](int mine, int) { return shows(fig(v.quk, mine) / kSafetyFactor, v.ra, 2); }},
        {2, [&](int mine, int quk) { return shows(fig(v.qsrk, mine) + fig(v.qpk, mine), v.quk, quk); }},
    });
    c.quk = sums[0];
    c.addends = sums[1];
    const double qpkUnit = cellValue(v, n, kColQpk);
    c.qpkUnit = report::carryChain({{2, [&](int mine, int) {
                                         return shows(fig(qpkUnit, mine) * fig(v.area, mine) / 1e6, v.qpk, c.addends);
                                     }}})
                    .front();
    c.layerSide = n == 1 ? c.addends : report::carryChain({{2, [&](int mine, int) {
                                                              double sum = 0.0;
                                                              for (int i = 1; i <= n; ++i)
                                                                  sum += fig(cellValue(v, i, kColQsrik), mine);
                                                              return shows(sum, v.qsrk, c.addends);
                                                          }}})
                                              .front();
    c.shares = report::carryChain({{2, [&](int mine, int) {
                                        const double quk = fig(v.quk, mine);
                                        return shows(fig(v.qpk, mine) / quk * 100.0, v.endShare, 2) &&
                                               shows(fig(v.qsrk, mine) / quk * 100.0, v.sideShare, 2);
                                    }}})
                   .front();
    return c;
}

// A coefficient with the decimals qpk = C1·frk (qsrk = C2·frk) needs to be worked by hand to the
// two decimals of its kPa; "*" marks one the engineer specified.
std::string coefficient(const Values& v, int layer, int column, int resistanceColumn, bool specified) {
    const double value = cellValue(v, layer, column);
    const double frk = cellValue(v, layer, kColFrk);
    const double resistance = cellValue(v, layer, resistanceColumn);
    const int decimals = report::carryChain({{sevenDigits(value, 2), [&](int mine, int) {
                                                  return shows(figureValue(value, mine) * frk * 1000.0, resistance, 2);
                                              }}})
                             .front();
    return carried(value, decimals, 2) + (specified ? "*" : "");
}

std::vector<handin::Entry> inputEntries(const Values& v) {
    std::vector<handin::Entry> entries = report::sectionEntries(v.section, v.square, v.dText, v.cText);
    entries.push_back({"嵌岩段岩层数", std::to_string(layers(v))});
    entries.push_back({"岩石强度取值", itemText(v.settings.strengthBasis)});
    if (givenResistances(v))
        return entries;
    entries.push_back({"侧阻端阻系数", itemText(v.settings.mode)});
    if (manualMode(v))
        return entries;
    entries.push_back({"系数插值依据", itemText(v.settings.integrityBasis)});
    entries.push_back({"地下水位以下和采用泥浆护壁钻、冲孔桩", v.settings.groundwater ? "是" : "否"});
    entries.push_back({"软化系数≤0.6的软质岩，桩端岩石长时间暴露", v.settings.softRock ? "是" : "否"});
    return entries;
}

// The layers as the engineer gave them, in the columns the settings read.
handin::Table inputTable(const Values& v) {
    handin::Table t;
    std::vector<int> columns;
    if (givenResistances(v)) {
        t.headers = {"岩层", "l_{ri} (m)", "q_{srk} (kPa)", "q_{pk} (kPa)"};
        columns = {kColLr, kColQsrk, kColQpk};
    } else if (manualMode(v)) {
        t.headers = {"岩层", "l_{ri} (m)", "f_{rk} (MPa)", "指定 C_{1}", "指定 C_{2}"};
        columns = {kColLr, kColFrk, kColC1, kColC2};
    } else {
        t.headers = {"岩层", "l_{ri} (m)", "风化程度", classBasis(v) ? "完整程度" : "完整性指数 K_{v}", "f_{rk} (MPa)"};
        columns = {kColLr, kColWeathering, classBasis(v) ? kColIntegrity : kColKv, kColFrk};
        if (specifiedAllowed(v)) {
            t.headers.insert(t.headers.end(), {"指定 C_{1}", "指定 C_{2}"});
            columns.insert(columns.end(), {kColC1, kColC2});
        }
    }
    for (int i = 1; i <= layers(v); ++i) {
        std::vector<std::string> row{std::to_string(i)};
        for (int column : columns)
            row.push_back(cellText(v, i, column));
        t.rows.push_back(std::move(row));
    }
    return t;
}

// One row per layer: what the calculation read and found, as the grid holds it afterwards.
handin::Table layerTable(const Values& v, const Carry& carry) {
    handin::Table t;
    t.headers = {"岩层",    "l_{ri} (m)",   "风化程度",      classBasis(v) ? "完整程度" : "K_{v}",
                 "f_{rk} (MPa)", "C_{1}",       "C_{2}",         "q_{pk} (kPa)",
                 "q_{srk} (kPa)", "Q_{srik} (kN)", "Q_{srik}/Q_{uk}"};
    const bool byStrength = !givenResistances(v);
    for (int i = 1; i <= layers(v); ++i) {
        const std::size_t at = static_cast<std::size_t>(i - 1);
        const auto unit = [&](int column) {
            return byStrength ? fixed(cellValue(v, i, column), 2) : cellText(v, i, column);
        };
        t.rows.push_back({
            std::to_string(i),
            cellText(v, i, kColLr),
            lookedUp(v) ? cellText(v, i, kColWeathering) : "-",
            lookedUp(v) ? cellText(v, i, classBasis(v) ? kColIntegrity : kColKv) : "-",
            byStrength ? cellText(v, i, kColFrk) : "-",
            byStrength ? coefficient(v, i, kColC1Used, kColQpk, v.specifiedC1[at]) : "-",
            byStrength ? coefficient(v, i, kColC2Used, kColQsrk, v.specifiedC2[at]) : "-",
            unit(kColQpk),
            unit(kColQsrk),
            carried(cellValue(v, i, kColQsrik), carry.layerSide, 2),
            cellText(v, i, kColShare),
        });
    }
    return t;
}

// What the calculation noted on the way, each once, and how the coefficients were found.
std::vector<std::string> layerNotes(const Values& v) {
    std::vector<std::string> notes;
    for (const std::string& note : v.notes)
        if (std::find(notes.begin(), notes.end(), note) == notes.end())
            notes.push_back(note);
    if (givenResistances(v)) {
        notes.push_back("q_{pk}、q_{srk} 为指定的岩石极限端阻力、侧阻力标准值");
        return notes;
    }
    if (lookedUp(v)) {
        std::string lookup = "C_{1}、C_{2} 由岩石风化程度、坚硬程度和完整程度插值";
        if (v.settings.groundwater)
            lookup += "，地下水位以下和采用泥浆护壁钻、冲孔桩乘以 0.85";
        if (v.settings.softRock)
            lookup += "，软岩、较软岩再乘以 0.8";
        notes.push_back(lookup);
    }
    const bool anySpecified = std::any_of(v.specifiedC1.begin(), v.specifiedC1.end(), [](bool b) { return b; }) ||
                              std::any_of(v.specifiedC2.begin(), v.specifiedC2.end(), [](bool b) { return b; });
    if (anySpecified)
        notes.push_back("带 * 的系数为人工指定");
    return notes;
}

Step layerStep(const Values& v, const Carry& carry) {
    Step s;
    s.title = "各岩层阻力";
    if (!givenResistances(v)) {
        s.lines.push_back({"q_{pk} = C_{1}·f_{rk}", "(5.3.3-8)"});
        s.lines.push_back({"q_{srk} = C_{2}·f_{rk}", "(5.3.3-9)"});
    }
    s.lines.push_back({"Q_{srik} = μ·q_{srk}·l_{ri}", "(5.3.3-6)"});
    s.table = layerTable(v, carry);
    s.notes = layerNotes(v);
    return s;
}

std::string socketLengthLine(const Values& v) {
    std::string symbols, figures;
    for (int i = 1; i <= layers(v); ++i) {
        const double lri = cellValue(v, i, kColLr);
        symbols += (i > 1 ? " + " : "") + lengthSymbol(i);
        figures += (i > 1 ? " + " : "") + carried(lri, sevenDigits(lri, 2), 2);
    }
    const std::string result = FixedText(v.lr, 6, 2) + " m";
    if (layers(v) == 1)
        return "l_{r} = " + symbols + " = " + result;
    return "l_{r} = " + symbols + " = " + figures + " = " + result;
}

std::string sideSumLine(const Values& v, const Carry& carry) {
    std::string symbols, figures;
    for (int i = 1; i <= layers(v); ++i) {
        symbols += (i > 1 ? " + " : "") + sideSymbol(i);
        figures += (i > 1 ? " + " : "") + carried(cellValue(v, i, kColQsrik), carry.layerSide, 2);
    }
    const std::string result = force(v.qsrk, carry.addends);
    if (layers(v) == 1)
        return "∑Q_{srik} = " + symbols + " = " + result;
    return "∑Q_{srik} = " + symbols + " = " + figures + " = " + result;
}

std::vector<Step> steps(const Values& v) {
    const Carry carry = carryOf(v);
    const int n = layers(v);
    const std::string quk = carried(v.quk, carry.quk, 2);
    std::vector<Step> out;
    out.push_back({"桩身截面面积与周长",
                   {report::areaLine(v.section, v.first, v.second, v.area),
                    report::perimeterLine(v.section, v.first, v.second, v.perimeter)},
                   std::nullopt,
                   {}});
    out.push_back({"嵌岩段长度", {{socketLengthLine(v), ""}}, std::nullopt, {}});
    out.push_back(layerStep(v, carry));
    out.push_back({"嵌岩段总极限侧阻力", {{sideSumLine(v, carry), "(5.3.3-6)"}}, std::nullopt, {}});
    out.push_back({"嵌岩段总极限端阻力",
                   {{"Q_{pk} = q_{pk}·A_{p} = " + carried(cellValue(v, n, kColQpk), carry.qpkUnit, 2) + " × " +
                         carried(v.area, carry.qpkUnit, 2) + " / 10⁶ = " + force(v.qpk, carry.addends),
                     "(5.3.3-7)"}},
                   std::nullopt,
                   {"q_{pk} 取桩端所在的第 " + std::to_string(n) + " 层"}});
    out.push_back({"单桩竖向极限承载力标准值",
                   {{"Q_{uk} = Q_{sk} + Q_{srk} + Q_{pk} = 0 + " + carried(v.qsrk, carry.addends, 2) + " + " +
                         carried(v.qpk, carry.addends, 2) + " = " + force(v.quk, carry.quk),
                     "(5.3.3-4)"}},
                   std::nullopt,
                   {report::kSoilSideNote}});
    out.push_back(report::characteristicStep(quk, v.ra));
    const std::string total = carried(v.quk, carry.shares, 2);
    out.push_back({"端阻力与侧阻力占比",
                   {{"Q_{pk}/Q_{uk} = " + carried(v.qpk, carry.shares, 2) + " / " + total +
                         " × 100% = " + FixedText(v.endShare, 10, 2) + "%",
                     ""},
                    {"Q_{srk}/Q_{uk} = " + carried(v.qsrk, carry.shares, 2) + " / " + total +
                         " × 100% = " + FixedText(v.sideShare, 10, 2) + "%",
                     ""}},
                   std::nullopt,
                   {}});
    const std::string verdict = verdictText(v.overrideCount);
    out.push_back({"合规判定",
                   {{v.overrideCount == 0 ? "未采用人工指定的端阻、侧阻系数，判定：" + verdict
                                          : "采用人工指定的端阻、侧阻系数，判定：" + verdict,
                     ""}},
                   std::nullopt,
                   {}});
    return out;
}

// Quk and Ra as the result boxes show them: seven significant digits, ten when cut to tens or
// hundreds; the share never cut.
int boxDigits(Precision p) { return p == Precision::Tens || p == Precision::Hundreds ? 10 : 7; }

} // namespace

handin::PileSection pileSection(const Values& v, int pileNumber) {
    handin::PileSection s;
    s.pileName = report::PileRegister::pileName(pileNumber);
    s.heading = report::pileHeading(pileNumber, v.section, v.square, v.dText, v.cText);
    s.inputs = inputEntries(v);
    s.inputTable = inputTable(v);
    s.clauses = {"5.2.2", "5.3.3"};
    s.steps = steps(v);
    const int digits = boxDigits(v.precision);
    s.conclusions = {
        "单桩竖向承载力特征值 R_{a} = " + PrecisionText(v.ra, v.precision, digits) +
            " kN；单桩竖向极限承载力标准值 Q_{uk} = " + PrecisionText(v.quk, v.precision, digits) + " kN，其中桩端阻力占 " +
            FixedText(v.endShare, digits, shareDecimals(v.precision)) + "%。",
        std::string("计算结果合规判定：") + verdictText(v.overrideCount) + "。",
    };
    return s;
}

handin::SheetRow tableCells(const Values& v, int pileNumber) {
    handin::SheetRow row;
    report::appendSectionCells(row, pileNumber, v.section, v.square, v.dText, v.cText);
    const auto P = [&](double value) { return report::sheetCell(PrecisionText(value, v.precision, 10)); };
    const auto S = [&](double share) {
        return report::sheetCell(FixedText(share, 10, shareDecimals(v.precision)) + "%");
    };
    row.push_back(report::sheetCell(FixedText(v.area / 1e6, 6, 2)));
    row.push_back(report::sheetCell(FixedText(v.perimeter / 1000.0, 6, 2)));
    row.push_back(report::sheetCell(FixedText(v.lr, 6, 2)));
    row.push_back(P(v.qsrk));
    row.push_back(S(v.sideShare));
    row.push_back(P(v.qpk));
    row.push_back(S(v.endShare));
    row.push_back(P(v.ra));
    row.push_back(report::sheetCell(verdictText(v.overrideCount)));
    return row;
}

std::vector<handin::SheetColumn> tableColumns() {
    return report::pileTableColumns({
        {"桩身面积 Ap", "m²"},      {"桩身周长 μr", "m"},  {"嵌岩深度 lr", "m"},        {"桩侧阻力 Qsrk", "kN"},
        {"桩侧阻力占百分比", "%"}, {"桩端阻力 Qpk", "kN"}, {"桩端阻力占百分比", "%"}, {"桩承载力 Ra", "kN"},
        {"计算结果合规判定", ""},
    });
}

} // namespace sp::module2
