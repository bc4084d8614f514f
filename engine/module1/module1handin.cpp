#include "module1/module1handin.h"

#include "core/text.h"
#include "report/handinpieces.h"
#include "report/reportdocuments.h"

namespace sp::module1 {

using namespace sp::core;
using handin::FormulaLine;
using handin::Step;
using report::carried;
using report::CarryLevel;
using report::figureValue;
using report::fixed;
using report::force;
using report::handInterpolation;
using report::plain;
using report::sevenDigits;
using report::shows;

namespace {

constexpr const char* kRatio = "h_{r}/d_{eq}";

// The ratio a table row stands for: "1.0", "1.5".
double rowRatio(int row) { return row * kZetaRowStep; }
std::string rowRatioText(int row) { return FixedText(rowRatio(row), 3, 1); }

const char* groupName(int firstColumn) { return firstColumn == kZetaSoftColumn ? "软岩" : "较硬岩"; }

const char* columnName(int column) { return integrityText(static_cast<IntegrityClass>(column % 3)); }

// The decimals of the figures carried from one formula into the next, worked back from the last
// formula: Ra = Quk / K takes Quk, Qrk = ζr·frk·Ap takes ζr, ζr = ζ × the factor takes ζ, the
// interpolation by frk takes the two groups' values, the one by Kv the two columns', the one by
// the ratio hr/deq, and hr/deq takes deq.
struct Carry {
    int quk = 2;
    int zetaR = 4;
    int zeta = 2;
    int groups = 2;
    int columns = 2;
    int ratio = 2;
    int deq = 2;
};

Carry carryOf(const Values& v) {
    const SectionGeometry& g = v.geometry;
    const ZetaWorking& w = v.zetaWorking;
    const auto fig = figureValue;
    const bool byFrk = w.groupCount > 1;
    const bool byKv = w.groupCount > 0 && w.groups[0].columnCount > 1;

    std::vector<CarryLevel> chain;
    chain.push_back({2, [&](int mine, int) { return shows(fig(v.quk, mine) / kSafetyFactor, v.ra, 2); }});
    // Quk is Qrk, so Qrk shows with Quk's decimals, and Ap enters it with as many.
    chain.push_back({sevenDigits(v.zetaR, 4), [&](int mine, int quk) {
                         return shows(fig(v.zetaR, mine) * v.frk * fig(g.area, quk) / 1000.0, v.qrk, quk);
                     }});
    chain.push_back({sevenDigits(v.zeta, 2), [&](int mine, int zetaR) {
                         return shows(fig(v.zeta, mine) * v.processFactor, v.zetaR, zetaR);
                     }});
    if (byFrk)
        chain.push_back({std::max(sevenDigits(w.groups[0].value, 2), sevenDigits(w.groups[1].value, 2)),
                         [&](int mine, int zeta) {
                             return shows(handInterpolation(fig(w.groups[0].value, mine), fig(w.groups[1].value, mine),
                                                            w.frk, kZetaSoftFrk, kZetaHardFrk),
                                          w.zeta, zeta);
                         }});
    if (byKv)
        chain.push_back({sevenDigits(w.groups[0].columns[1].value, 2), [&](int mine, int group) {
                             for (int k = 0; k < w.groupCount; ++k) {
                                 const ZetaWorking::Group& gr = w.groups[static_cast<std::size_t>(k)];
                                 if (!shows(handInterpolation(fig(gr.columns[0].value, mine),
                                                              fig(gr.columns[1].value, mine), w.kv,
                                                              kZetaKvFairlyIntact, kZetaKvFairlyBroken),
                                            gr.value, group))
                                     return false;
                             }
                             return true;
                         }});
    if (w.betweenRows)
        chain.push_back({sevenDigits(g.ratioToDeq, 2), [&](int mine, int column) {
                             const double ratio = fig(g.ratioToDeq, mine);
                             for (int k = 0; k < w.groupCount; ++k) {
                                 const ZetaWorking::Group& gr = w.groups[static_cast<std::size_t>(k)];
                                 for (int j = 0; j < gr.columnCount; ++j) {
                                     const ZetaWorking::Column& c = gr.columns[static_cast<std::size_t>(j)];
                                     if (!shows(handInterpolation(c.atRow, c.atNextRow, ratio, rowRatio(w.row),
                                                                  rowRatio(w.row + 1)),
                                                c.value, column))
                                         return false;
                                 }
                             }
                             return true;
                         }});
    const std::vector<int> d = report::carryChain(chain);

    Carry c;
    std::size_t k = 0;
    c.quk = d[k++];
    c.zetaR = d[k++];
    c.zeta = d[k++];
    c.groups = byFrk ? d[k++] : c.zeta;
    c.columns = byKv ? d[k++] : c.groups;
    c.ratio = w.betweenRows ? d[k++] : sevenDigits(g.ratioToDeq, 2);
    // deq enters hr/deq, which shows with the ratio's decimals, as many as its interpolations took.
    const auto ratioShown = [&](int mine, int) { return shows(g.hr / fig(g.deq, mine), g.ratioToDeq, c.ratio); };
    c.deq = report::carryChain({{sevenDigits(g.deq, 2), ratioShown, 15}}).front();
    return c;
}

// y1 + (y2 − y1) × (x − x1) / (x2 − x1) = result, as a checker works it.
std::string interpolation(const std::string& y1, const std::string& y2, const std::string& x, const std::string& x1,
                          const std::string& x2, const std::string& result) {
    return y1 + " + (" + y2 + " − " + y1 + ") × (" + x + " − " + x1 + ") / (" + x2 + " − " + x1 + ") = " + result;
}

std::string hardnessBounds(const std::string& hardness) {
    if (hardness == "极软岩")
        return "0 < f_{rk} ≤ 5";
    if (hardness == "软岩")
        return "5 < f_{rk} ≤ 15";
    if (hardness == "较软岩")
        return "15 < f_{rk} ≤ 30";
    if (hardness == "较硬岩")
        return "30 < f_{rk} ≤ 60";
    return "f_{rk} > 60";
}

// Which rows were read: the row, the two rows the ratio lies between, or the last row past it.
std::string rowsRead(const ZetaWorking& w, const std::string& ratio) {
    if (w.beyond)
        return ratio + " > " + rowRatioText(w.row) + "，取 " + rowRatioText(w.row) + " 行";
    if (w.betweenRows)
        return ratio + "，介于 " + rowRatioText(w.row) + " 与 " + rowRatioText(w.row + 1) + " 两行之间";
    return rowRatioText(w.row);
}

std::string integrityRead(const Values& v) {
    if (!v.integrityGivenAsIndex)
        return integrityText(v.integrity);
    const std::string kv = "K_{v} = " + plain(v.kv);
    if (v.integrity == IntegrityClass::Interpolated)
        return kv + "，介于较完整与较破碎之间";
    return kv + "，属" + integrityText(v.integrity);
}

// The table's own values: exact, with no more decimals than they have.
std::string tableValue(double value) { return carried(value, 3, 2); }

std::string columnValues(const ZetaWorking& w, const ZetaWorking::Column& c) {
    return w.betweenRows ? tableValue(c.atRow) + " / " + tableValue(c.atNextRow) : tableValue(c.atRow);
}

// "软岩 0.92，较硬岩 0.72", or with both columns of the interpolated class named.
std::string valuesRead(const ZetaWorking& w) {
    std::string out;
    for (int k = 0; k < w.groupCount; ++k) {
        const ZetaWorking::Group& g = w.groups[static_cast<std::size_t>(k)];
        out += std::string(k > 0 ? "，" : "") + groupName(g.firstColumn) + " ";
        if (g.columnCount == 1) {
            out += columnValues(w, g.columns[0]);
            continue;
        }
        out += std::string(columnName(g.columns[0].column)) + " " + columnValues(w, g.columns[0]) + "、" +
               columnName(g.columns[1].column) + " " + columnValues(w, g.columns[1]);
    }
    return out;
}

std::string ratioFigure(const Values& v, const Carry& c) { return carried(v.geometry.ratioToDeq, c.ratio, 2); }

// How ζ was read from the table, then ζr with the process factor.
std::vector<FormulaLine> zetaLines(const Values& v, const Carry& carry) {
    const ZetaWorking& w = v.zetaWorking;
    const std::string ratio = ratioFigure(v, carry);
    std::vector<FormulaLine> lines{
        {"查表（" + std::string(kRatio) + " = " + rowsRead(w, ratio) + "，" + integrityRead(v) + "）：" + valuesRead(w),
         ""}};
    const bool byFrk = w.groupCount > 1;
    for (int k = 0; k < w.groupCount; ++k) {
        const ZetaWorking::Group& g = w.groups[static_cast<std::size_t>(k)];
        const bool byKv = g.columnCount > 1;
        const std::string group = byFrk ? groupName(g.firstColumn) : "";
        if (w.betweenRows) {
            for (int j = 0; j < g.columnCount; ++j) {
                const ZetaWorking::Column& c = g.columns[static_cast<std::size_t>(j)];
                const std::string name = group + (byKv ? columnName(c.column) : "");
                const int decimals = byKv ? carry.columns : byFrk ? carry.groups : carry.zeta;
                lines.push_back({"按 " + std::string(kRatio) + " 内插 " + name + (name.empty() ? "" : " ") + "ζ = " +
                                     interpolation(tableValue(c.atRow), tableValue(c.atNextRow), ratio,
                                                   rowRatioText(w.row), rowRatioText(w.row + 1),
                                                   carried(c.value, decimals, 2)),
                                 ""});
            }
        }
        if (byKv) {
            const int decimals = byFrk ? carry.groups : carry.zeta;
            const auto column = [&](int j) {
                const ZetaWorking::Column& c = g.columns[static_cast<std::size_t>(j)];
                return w.betweenRows ? carried(c.value, carry.columns, 2) : tableValue(c.value);
            };
            lines.push_back({"按 K_{v} 内插 " + group + (group.empty() ? "" : " ") + "ζ = " +
                                 interpolation(column(0), column(1), plain(w.kv), plain(kZetaKvFairlyIntact),
                                               plain(kZetaKvFairlyBroken), carried(g.value, decimals, 2)),
                             ""});
        }
    }
    if (byFrk) {
        const auto group = [&](int k) {
            const ZetaWorking::Group& g = w.groups[static_cast<std::size_t>(k)];
            return w.betweenRows || g.columnCount > 1 ? carried(g.value, carry.groups, 2) : tableValue(g.value);
        };
        lines.push_back({"按 f_{rk} 内插 ζ = " + interpolation(group(0), group(1), plain(w.frk), plain(kZetaSoftFrk),
                                                              plain(kZetaHardFrk), carried(w.zeta, carry.zeta, 2)),
                         ""});
    }
    if (lines.size() == 1)
        lines.push_back({"ζ = " + carried(w.zeta, carry.zeta, 2), ""});

    const std::string factor = FixedText(v.processFactor, 3, 2);
    lines.push_back({std::string(processItem(v.process)) + "，工艺系数 " + factor + "，ζ_{r} = " +
                         carried(v.zeta, carry.zeta, 2) + " × " + factor + " = " +
                         report::withShown(carried(v.zetaR, carry.zetaR, 4), FixedText(v.zetaR, 7, 4)),
                     ""});
    return lines;
}

std::vector<handin::Entry> inputEntries(const Values& v) {
    std::vector<handin::Entry> entries = report::sectionEntries(v.section, v.square, v.dText, v.cText);
    const std::string hr = v.geometry.depthGivenAsMultiple ? v.hrText + "（" + plain(v.geometry.hr) + " mm）"
                                                           : v.hrText + " mm";
    entries.push_back({"桩身嵌岩深度 h_{r}", hr});
    entries.push_back({"桩身混凝土强度等级", gradeItem(v.grade)});
    entries.push_back({"基桩成桩工艺", processItem(v.process)});
    entries.push_back({"岩石单轴抗压强度标准值 f_{rk}", plain(v.frk) + " MPa"});
    if (v.integrityGivenAsIndex)
        entries.push_back({"岩体完整性指数 K_{v}", v.integrityText});
    else
        entries.push_back({"岩体完整程度", v.integrityText});
    return entries;
}

std::vector<Step> steps(const Values& v, std::vector<FormulaLine> sectionLines) {
    const SectionGeometry& g = v.geometry;
    const Carry carry = carryOf(v);
    const std::string area = fixed(g.area, 2);
    const std::string quk = carried(v.quk, carry.quk, 2);
    std::vector<Step> out;
    out.push_back({"桩身截面面积", std::move(sectionLines), std::nullopt, {}});

    Step ratio{"嵌岩深径比",
               {{std::string(kRatio) + " = " + plain(g.hr) + " / " + deqFigure(v) + " = " +
                     report::withShown(ratioFigure(v, carry), FixedText(g.ratioToDeq, 7, 2)),
                 ""}},
               std::nullopt,
               {}};
    if (!v.hint.empty())
        ratio.notes.push_back(v.hint);
    out.push_back(std::move(ratio));

    out.push_back({"岩石坚硬程度",
                   {{"f_{rk} = " + plain(v.frk) + " MPa，" + hardnessBounds(v.hardness) + "，属" + v.hardness, ""}},
                   std::nullopt,
                   {}});
    out.push_back({"综合系数", zetaLines(v, carry), std::nullopt, {}});
    out.push_back({"嵌岩段总极限阻力",
                   {{"Q_{rk} = ζ_{r}·f_{rk}·A_{p} = " + carried(v.zetaR, carry.zetaR, 4) + " × " + plain(v.frk) +
                         " × " + carried(g.area, carry.quk, 2) + " / 1000 = " + force(v.qrk, carry.quk),
                     "(5.3.3-3)"}},
                   std::nullopt,
                   {}});
    out.push_back({"单桩竖向极限承载力标准值",
                   {{"Q_{uk} = Q_{sk} + Q_{rk} = 0 + " + quk + " = " + force(v.quk, carry.quk), "(5.3.3-1)"}},
                   std::nullopt,
                   {report::kSoilSideNote}});
    out.push_back(report::characteristicStep(quk, v.ra));

    // ψc is the process's, except that grades from C40 on take 0.60 whatever the process.
    const std::string psiC = FixedText(v.psiC, 3, 2);
    const bool gradeRule = v.psiC != psiCOf(v.process, 0);
    out.push_back({"桩身正截面受压承载力",
                   {{std::string(gradeItem(v.grade)) + " 混凝土 f_{c} = " + plain(v.fc) + " MPa；" +
                         processItem(v.process) + " ψ_{c} = " + psiC + (gradeRule ? "（C40 及以上取 0.60）" : ""),
                     ""},
                    {"R_{c} = ψ_{c}·f_{c}·A_{p} = " + psiC + " × " + plain(v.fc) + " × " + area + " / 1000 = " +
                         fixed(v.rc, 2) + " kN",
                     "(5.7.1)"}},
                   std::nullopt,
                   {}});
    return out;
}

} // namespace

int deqDecimals(const Values& v) { return carryOf(v).deq; }

std::string deqFigure(const Values& v) {
    if (v.section == SectionType::Round)
        return plain(v.geometry.deq);
    return carried(v.geometry.deq, deqDecimals(v), 0);
}

std::vector<FormulaLine> sectionLines(const Values& v) {
    const SectionGeometry& g = v.geometry;
    std::vector<FormulaLine> lines{report::areaLine(v.section, v.first, v.second, g.area)};
    if (v.section == SectionType::Round)
        lines.push_back({"折算直径：圆桩 d_{eq} = d = " + plain(g.deq) + " mm", ""});
    else
        lines.push_back({"折算直径：按面积相等 d_{eq} = √(4·A_{p}/π) = " + equalAreaWorking(v) + " = " + deqFigure(v) +
                             " mm",
                         ""});
    return lines;
}

std::string equalAreaWorking(const Values& v) {
    const std::string d = plain(v.first), c = plain(v.second);
    switch (v.section) {
    case SectionType::Oblong:
        return "√[4 × (π × " + d + "² / 4 + " + d + " × " + c + ") / π]";
    case SectionType::Round:
        return d;
    default:
        return "√(4 × " + d + " × " + c + " / π)";
    }
}

handin::PileSection pileSection(const Values& v, int pileNumber, std::vector<FormulaLine> sectionLines) {
    handin::PileSection s;
    s.pileName = report::PileRegister::pileName(pileNumber);
    s.heading = report::pileHeading(pileNumber, v.section, v.square, v.dText, v.cText);
    s.inputs = inputEntries(v);
    s.clauses = {"5.2.2", "5.3.3", "5.7.1"};
    s.steps = steps(v, std::move(sectionLines));
    s.conclusions = {"单桩竖向承载力特征值 R_{a} = " + PrecisionText(v.ra, v.precision, 7) +
                     " kN；桩身正截面受压承载力设计值 R_{c} = " + PrecisionText(v.rc, v.precision, 7) + " kN。"};
    return s;
}

handin::PileSection pileSection(const Values& v, int pileNumber) {
    return pileSection(v, pileNumber, sectionLines(v));
}

handin::SheetCell forceCell(const Values& v, double value) {
    return report::sheetCell(PrecisionText(value, v.precision, 10));
}

void appendValueCells(handin::SheetRow& row, const Values& v) {
    const SectionGeometry& g = v.geometry;
    for (const std::string& text : {FixedText(g.deq, 6, 0), v.hrText, FixedText(v.frk, 6, 2), v.integrityText,
                                    std::string(processShortText(v.process)), FixedText(g.ratioToDeq, 6, 2),
                                    FixedText(v.zetaR, 5, 4)})
        row.push_back(report::sheetCell(text));
    row.push_back(forceCell(v, v.qrk));
    row.push_back(forceCell(v, v.ra));
    row.push_back(report::sheetCell(gradeItem(v.grade)));
    row.push_back(report::sheetCell(FixedText(v.psiC, 3, 2)));
}

handin::SheetRow tableCells(const Values& v, int pileNumber) {
    handin::SheetRow row;
    report::appendSectionCells(row, pileNumber, v.section, v.square, v.dText, v.cText);
    appendValueCells(row, v);
    row.push_back(forceCell(v, v.rc));
    return row;
}

std::vector<handin::SheetColumn> tableColumns() {
    return report::pileTableColumns({
        {"等效直径 deq", "mm"},  {"嵌岩深度 hr", "mm"},  {"岩石强度 frk", "MPa"}, {"完整程度(或指数)", ""},
        {"成桩工艺", ""},        {"深径比 hr/deq", ""},  {"综合系数 ζr", ""},     {"嵌岩阻力 Qrk", "kN"},
        {"桩承载力 Ra", "kN"},   {"桩混凝土强度等级", ""}, {"工艺系数 ψc", ""},     {"桩身强度 Rc", "kN"},
    });
}

std::string zetaTableNote(const Values& v) {
    if (!v.zetaWorking.beyond)
        return {};
    return "hr/deq = " + rowsRead(v.zetaWorking, FixedText(v.geometry.ratioToDeq, 7, 2)) +
           "：已超出 ζr 表，Ra 不再随 hr 增大";
}

} // namespace sp::module1
