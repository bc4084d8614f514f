#include "engine/handintestsupport.h"
#include "module2/module2handin.h"
#include "module2/module2reports.h"

#include <gtest/gtest.h>

using namespace sp;
using namespace sp::core;
using namespace sp::module2;

using test::plainLines;

namespace {

const std::string T = "\u2009";

Values computed(const Inputs& in) {
    const Outcome o = calculate(in);
    EXPECT_TRUE(o.ok()) << o.message;
    return o.values;
}

std::vector<std::string> plainTexts(const std::vector<std::string>& texts) {
    std::vector<std::string> out;
    for (const std::string& text : texts)
        out.push_back(handin::plainText(text));
    return out;
}

void setLayer(Inputs& in, int layer, std::vector<std::pair<int, std::string>> cells) {
    for (const auto& [column, text] : cells)
        in.grid.setCell(layer, column, text);
}

// The default layer over a second, harder layer at the pile tip.
Inputs twoLayers() {
    Inputs in;
    in.grid.setLayerCount(2);
    setLayer(in, 2, {{kColLr, "1.50"}, {kColWeathering, "中风化"}, {kColIntegrity, "较完整"}, {kColFrk, "30"}});
    return in;
}

const handin::Step& stepTitled(const handin::PileSection& s, const std::string& title) {
    for (const handin::Step& step : s.steps)
        if (step.title == title)
            return step;
    throw std::runtime_error("no step " + title);
}

} // namespace

// The default pile of a new window, worked by hand: C1 = 0.566 666 7, C2 = 0.073 666 67, then
// the sums to Quk = 16 912.24 kN and Ra = 8456.12 kN with the end share 65.79 %.
TEST(Module2HandIn, DefaultPileWorkedThrough) {
    const handin::PileSection s = pileSection(computed(Inputs{}), 1);
    EXPECT_EQ(s.heading, "ZH1  圆桩  d = 1000 mm");
    EXPECT_FALSE(s.warning);
    ASSERT_TRUE(s.inputTable);
    EXPECT_EQ(s.inputTable->rows, (std::vector<std::vector<std::string>>{{"1", "1.00", "中风化", "较完整", "25.00"}}));

    const handin::Step& layers = stepTitled(s, "各岩层阻力");
    EXPECT_EQ(plainLines(layers), (std::vector<std::string>{"qpk = C1·frk", "qsrk = C2·frk", "Qsrik = μ·qsrk·lri"}));
    ASSERT_TRUE(layers.table);
    EXPECT_EQ(plainTexts(layers.table->headers),
              (std::vector<std::string>{"岩层", "lri (m)", "风化程度", "完整程度", "frk (MPa)", "C1", "C2", "qpk (kPa)",
                                        "qsrk (kPa)", "Qsrik (kN)", "Qsrik/Quk"}));
    EXPECT_EQ(layers.table->rows, (std::vector<std::vector<std::string>>{
                                      {"1", "1.00", "中风化", "较完整", "25.00", "0.566" + T + "666" + T + "7",
                                       "0.073" + T + "666" + T + "67", "14" + T + "166.67", "1" + T + "841.67",
                                       "5" + T + "785.77", "34.21%"}}));

    EXPECT_EQ(plainLines(stepTitled(s, "嵌岩段总极限侧阻力")),
              (std::vector<std::string>{"∑Qsrik = Qsr1k = 5" + T + "785.77 kN"}));
    EXPECT_EQ(plainLines(stepTitled(s, "嵌岩段总极限端阻力")),
              (std::vector<std::string>{"Qpk = qpk·Ap = 14" + T + "166.667 × 785" + T + "398.163 / 10⁶ = 11" + T +
                                        "126.47 kN"}));
    EXPECT_EQ(plainLines(stepTitled(s, "单桩竖向极限承载力标准值")),
              (std::vector<std::string>{"Quk = Qsk + Qsrk + Qpk = 0 + 5" + T + "785.77 + 11" + T + "126.47 = 16" + T +
                                        "912.24 kN"}));
    EXPECT_EQ(stepTitled(s, "单桩竖向极限承载力标准值").lines[0].clause, "(5.3.3-4)");
    EXPECT_EQ(plainLines(stepTitled(s, "单桩竖向承载力特征值")),
              (std::vector<std::string>{"Ra = Quk / K = 16" + T + "912.24 / 2.00 = 8" + T + "456.12 kN"}));
    EXPECT_EQ(plainLines(stepTitled(s, "端阻力与侧阻力占比")),
              (std::vector<std::string>{"Qpk/Quk = 11" + T + "126.47 / 16" + T + "912.24 × 100% = 65.79%",
                                        "Qsrk/Quk = 5" + T + "785.77 / 16" + T + "912.24 × 100% = 34.21%"}));
    EXPECT_EQ(plainLines(stepTitled(s, "合规判定")), (std::vector<std::string>{"未采用人工指定的端阻、侧阻系数，判定：合规"}));
    EXPECT_EQ(plainTexts(s.conclusions),
              (std::vector<std::string>{
                  "单桩竖向承载力特征值 Ra = 8456 kN；单桩竖向极限承载力标准值 Quk = 16912 kN，其中桩端阻力占 66%。",
                  "计算结果合规判定：合规。"}));
}

// Two layers: one row each, the side resistances summed layer by layer, qpk from the layer at the
// tip; and the notes the calculation made stand under the table, each once.
TEST(Module2HandIn, TwoLayersSumTheirSideResistanceAndKeepTheNotes) {
    const handin::PileSection s = pileSection(computed(twoLayers()), 1);
    EXPECT_EQ(plainLines(stepTitled(s, "嵌岩段长度")), (std::vector<std::string>{"lr = lr1 + lr2 = 1.00 + 1.50 = 2.50 m"}));
    const handin::Step& layers = stepTitled(s, "各岩层阻力");
    ASSERT_EQ(layers.table->rows.size(), 2u);
    EXPECT_EQ(layers.table->rows[1],
              (std::vector<std::string>{"2", "1.50", "中风化", "较完整", "30", "0.595", "0.0765", "17" + T + "850.00",
                                        "2" + T + "295.00", "10" + T + "814.93", "35.32%"}));
    EXPECT_EQ(plainLines(stepTitled(s, "嵌岩段总极限侧阻力")),
              (std::vector<std::string>{"∑Qsrik = Qsr1k + Qsr2k = 5" + T + "785.77 + 10" + T + "814.93 = 16" + T +
                                        "600.70 kN"}));
    EXPECT_EQ(plainLines(stepTitled(s, "嵌岩段总极限端阻力"))[0],
              "Qpk = qpk·Ap = 17" + T + "850.00 × 785" + T + "398.16 / 10⁶ = 14" + T + "019.36 kN");
    EXPECT_EQ(plainTexts(stepTitled(s, "嵌岩段总极限端阻力").notes), (std::vector<std::string>{"qpk 取桩端所在的第 2 层"}));

    // Manual coefficients over a socket shorter than 0.5 m, with C2 of layer 2 left empty.
    Inputs manual;
    manual.settings.mode = CoefficientMode::Manual;
    manual.grid.setLayerCount(2);
    setLayer(manual, 1, {{kColLr, "0.20"}});
    setLayer(manual, 2, {{kColLr, "0.20"}, {kColFrk, "40"}, {kColC1, "0.6"}});
    const Values v = computed(manual);
    const handin::PileSection m = pileSection(v, 2);
    const handin::Step& table = stepTitled(m, "各岩层阻力");
    EXPECT_EQ(plainTexts(table.notes),
              (std::vector<std::string>{"桩身嵌岩深度<0.5m，不计侧阻力", "第2层岩石侧阻系数未输入，隐含取0.00",
                                        "带 * 的系数为人工指定"}));
    EXPECT_EQ(table.table->rows[1][5], "0.60*");
    EXPECT_EQ(table.table->rows[1][6], "0.00*");
    EXPECT_EQ(table.table->rows[1][2], "-"); // weathering is not read for manual coefficients
    EXPECT_EQ(m.inputTable->headers.size(), 5u);
    EXPECT_EQ(m.inputTable->rows[1], (std::vector<std::string>{"2", "0.20", "40", "0.6", "0.00"}));
    EXPECT_EQ(plainLines(stepTitled(m, "嵌岩段总极限侧阻力")),
              (std::vector<std::string>{"∑Qsrik = Qsr1k + Qsr2k = 0.00 + 0.00 = 0.00 kN"}));
    EXPECT_EQ(plainLines(stepTitled(m, "合规判定")), (std::vector<std::string>{"采用人工指定的端阻、侧阻系数，判定：超规"}));
    EXPECT_EQ(m.conclusions.back(), "计算结果合规判定：超规。");
    EXPECT_TRUE(pilePages(v, 2, Moment{}).entry.flagged);
}

// Given resistances: no coefficients, the resistances as the engineer gave them.
TEST(Module2HandIn, GivenResistancesNeedNoCoefficients) {
    Inputs in;
    in.settings.strengthBasis = StrengthBasis::GivenResistances;
    const handin::PileSection s = pileSection(computed(in), 1);
    const handin::Step& layers = stepTitled(s, "各岩层阻力");
    EXPECT_EQ(plainLines(layers), (std::vector<std::string>{"Qsrik = μ·qsrk·lri"}));
    EXPECT_EQ(layers.table->rows[0], (std::vector<std::string>{"1", "1.00", "-", "-", "-", "-", "-", "8000.00",
                                                               "840.00", "2" + T + "638.938", "29.58%"}));
    EXPECT_EQ(plainTexts(layers.notes), (std::vector<std::string>{"qpk、qsrk 为指定的岩石极限端阻力、侧阻力标准值"}));
    EXPECT_EQ(plainTexts(s.inputTable->headers),
              (std::vector<std::string>{"岩层", "lri (m)", "qsrk (kPa)", "qpk (kPa)"}));
    // Qsrk and Qpk go into Quk with a third decimal, which the two-decimal figures would miss by 0.01.
    EXPECT_EQ(plainLines(stepTitled(s, "单桩竖向极限承载力标准值"))[0],
              "Quk = Qsk + Qsrk + Qpk = 0 + 2" + T + "638.938 + 6" + T + "283.185 = 8" + T + "922.12 kN");
}

TEST(Module2HandIn, EveryFormulaCanBeWorkedByHandToItsResult) {
    int worked = 0;
    const char* lengths[] = {"1.00", "0.85", "2.35", "1.7"};
    const char* strengths[] = {"7.5", "18.7", "25", "33.3", "65"};
    const char* integrities[] = {"完整", "较完整", "较破碎"};
    for (int k = 0; k < 60; ++k) {
        Inputs in;
        in.section = static_cast<SectionType>(1 + k % 3);
        in.d = std::to_string(900 + 113 * (k % 9));
        in.c = std::to_string(400 + 57 * (k % 5));
        in.settings.mode = static_cast<CoefficientMode>(k % 4);
        in.settings.softRock = k % 3 == 0;
        const int n = 1 + k % 4;
        in.grid.setLayerCount(n);
        for (int i = 1; i <= n; ++i)
            setLayer(in, i, {{kColLr, lengths[(k + i) % 4]}, {kColWeathering, (k + i) % 2 ? "微风化" : "中风化"},
                             {kColIntegrity, integrities[(k + 2 * i) % 3]}, {kColFrk, strengths[(k + i) % 5]},
                             {kColC1, "0.45"}, {kColC2, "0.06"}});
        const Outcome o = calculate(in);
        if (o.ok())
            worked += test::expectWorkedByHand(pileSection(o.values, 1));
    }
    EXPECT_GT(worked, 300);
}

// The sheet row has the 150-column row's fifteen cells, the shares as numbers of percent.
TEST(Module2HandIn, SheetCellsAreTheTextTableRowsCells) {
    std::vector<int> widths(15, 10);
    widths.front() = 11;
    widths.back() = 9;
    std::vector<Inputs> piles(4, twoLayers());
    piles[1].section = SectionType::Oblong;
    piles[1].c = "500";
    piles[1].precision = Precision::TwoDecimals;
    piles[2].section = SectionType::Rectangular;
    piles[2].d = "1200";
    piles[2].c = "1200";
    piles[2].precision = Precision::Hundreds;
    piles[2].settings.mode = CoefficientMode::Manual;
    piles[3].section = SectionType::Rectangular;
    piles[3].d = "1000";
    piles[3].c = "1800";
    piles[3].precision = Precision::OneDecimal;
    ASSERT_EQ(tableColumns().size(), widths.size());
    int n = 0;
    for (const Inputs& in : piles) {
        const Values v = computed(in);
        ++n;
        test::expectRowCells(tableCells(v, n), tableRow(v, n), widths, "pile " + std::to_string(n));
    }
    EXPECT_EQ(tableColumns()[10].unit, "%");
    EXPECT_EQ(tableCells(computed(Inputs{}), 1)[10].number, 34.0); // "34%" under "个位取整"
}
