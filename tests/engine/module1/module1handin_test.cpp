#include "engine/handintestsupport.h"
#include "engine/module1/onelayerpile.h"
#include "module1/module1handin.h"
#include "module1/module1reports.h"
#include "module1/module1session.h"

#include <gtest/gtest.h>

using namespace sp;
using namespace sp::core;
using namespace sp::module1;

using test::plainLines;

namespace {

const std::string T = "\u2009"; // the thin space between groups of digits

Values computed(const Inputs& in) {
    const Outcome o = calculate(in);
    EXPECT_TRUE(o.ok()) << o.message;
    return o.values;
}

using test::pile;

} // namespace

// The calculation book's worked example, line for line: the default pile of a new window.
TEST(Module1HandIn, DefaultPileIsTheWorkedExample) {
    const handin::PileSection s = pileSection(computed(Inputs{}), 1);
    EXPECT_EQ(s.pileName, "ZH1");
    EXPECT_EQ(s.heading, "ZH1  圆桩  d = 1000 mm");
    EXPECT_FALSE(s.warning);

    const struct {
        const char* title;
        std::vector<std::string> lines;
        std::vector<std::string> clauses;
    } expected[] = {
        {"桩身截面面积", {"Ap = π·d²/4 = π × 1000² / 4 = 785" + T + "398.16 mm²", "折算直径：圆桩 deq = d = 1000 mm"}, {"", ""}},
        {"嵌岩深径比", {"hr/deq = 1000 / 1000 = 1.00"}, {""}},
        {"岩石坚硬程度", {"frk = 25 MPa，15 < frk ≤ 30，属较软岩"}, {""}},
        {"综合系数",
         {"查表（hr/deq = 1.0，较完整）：软岩 0.92，较硬岩 0.72",
          "按 frk 内插 ζ = 0.92 + (0.72 − 0.92) × (25 − 15) / (30 − 15) = 0.786" + T + "666" + T + "7",
          "泥浆护壁成桩，工艺系数 1.00，ζr = 0.786" + T + "666" + T + "7 × 1.00 = 0.786" + T + "666" + T +
              "7（取 0.7867）"},
         {"", "", ""}},
        {"嵌岩段总极限阻力",
         {"Qrk = ζr·frk·Ap = 0.786" + T + "666" + T + "7 × 25 × 785" + T + "398.16 / 1000 = 15" + T + "446.16 kN"},
         {"(5.3.3-3)"}},
        {"单桩竖向极限承载力标准值", {"Quk = Qsk + Qrk = 0 + 15" + T + "446.16 = 15" + T + "446.16 kN"}, {"(5.3.3-1)"}},
        {"单桩竖向承载力特征值", {"Ra = Quk / K = 15" + T + "446.16 / 2.00 = 7" + T + "723.08 kN"}, {"(5.2.2)"}},
        {"桩身正截面受压承载力",
         {"C30 混凝土 fc = 14.3 MPa；泥浆护壁成桩 ψc = 0.60",
          "Rc = ψc·fc·Ap = 0.60 × 14.3 × 785" + T + "398.16 / 1000 = 6" + T + "738.72 kN"},
         {"", "(5.7.1)"}},
    };
    ASSERT_EQ(s.steps.size(), std::size(expected));
    for (std::size_t k = 0; k < s.steps.size(); ++k) {
        EXPECT_EQ(s.steps[k].title, expected[k].title);
        EXPECT_EQ(plainLines(s.steps[k]), expected[k].lines) << expected[k].title;
        std::vector<std::string> clauses;
        for (const handin::FormulaLine& line : s.steps[k].lines)
            clauses.push_back(line.clause);
        EXPECT_EQ(clauses, expected[k].clauses) << expected[k].title;
    }
    // Subscripts are marked for the renderer, not written as plain letters.
    EXPECT_EQ(s.steps[4].lines[0].text.rfind("Q_{rk} = ζ_{r}·f_{rk}·A_{p} = ", 0), 0u);
    ASSERT_EQ(s.conclusions.size(), 1u);
    EXPECT_EQ(handin::plainText(s.conclusions[0]), "单桩竖向承载力特征值 Ra = 7723 kN；桩身正截面受压承载力设计值 Rc = 6739 kN。");
    EXPECT_EQ(s.clauses, (std::vector<std::string>{"5.2.2", "5.3.3", "5.7.1"}));

    std::vector<std::string> inputs;
    for (const handin::Entry& e : s.inputs)
        inputs.push_back(handin::plainText(e.label) + " = " + e.value);
    EXPECT_EQ(inputs, (std::vector<std::string>{"桩身截面类型 = 圆桩", "桩身直径 d = 1000 mm",
                                                "桩身嵌岩深度 hr = 1.0d（1000 mm）", "桩身混凝土强度等级 = C30",
                                                "基桩成桩工艺 = 泥浆护壁成桩", "岩石单轴抗压强度标准值 frk = 25 MPa",
                                                "岩体完整程度 = 较完整"}));
}

// ζ's reading written out: rows between which the ratio lies, each interpolation with its
// figures, the integrity index weighing "较完整" against "较破碎", and rows past the table.
TEST(Module1HandIn, ZetaReadingIsWrittenOut) {
    const struct {
        const char* what;
        Inputs in;
        std::vector<std::string> lines;
    } cases[] = {
        {"soft rock between two rows",
         pile(SectionType::Round, "1000", "0", "1.25d", "10", "完整"),
         {"查表（hr/deq = 1.25，介于 1.0 与 1.5 两行之间，完整）：软岩 0.95 / 1.065",
          "按 hr/deq 内插 ζ = 0.95 + (1.065 − 0.95) × (1.25 − 1.0) / (1.5 − 1.0) = 1.0075",
          "泥浆护壁成桩，工艺系数 1.00，ζr = 1.0075 × 1.00 = 1.0075"}},
        {"transition rock, Kv 0.45, between two rows",
         pile(SectionType::Round, "1000", "0", "2.3d", "22.5", "0.45"),
         {"查表（hr/deq = 2.30，介于 2.0 与 2.5 两行之间，Kv = 0.45，介于较完整与较破碎之间）："
          "软岩 较完整 1.08 / 1.14、较破碎 0.60 / 0.625，较硬岩 较完整 0.79 / 0.83、较破碎 0.44 / 0.46",
          "按 hr/deq 内插 软岩较完整 ζ = 1.08 + (1.14 − 1.08) × (2.30 − 2.0) / (2.5 − 2.0) = 1.116",
          "按 hr/deq 内插 软岩较破碎 ζ = 0.60 + (0.625 − 0.60) × (2.30 − 2.0) / (2.5 − 2.0) = 0.615",
          "按 Kv 内插 软岩 ζ = 1.116 + (0.615 − 1.116) × (0.45 − 0.55) / (0.35 − 0.55) = 0.8655",
          "按 hr/deq 内插 较硬岩较完整 ζ = 0.79 + (0.83 − 0.79) × (2.30 − 2.0) / (2.5 − 2.0) = 0.814",
          "按 hr/deq 内插 较硬岩较破碎 ζ = 0.44 + (0.46 − 0.44) × (2.30 − 2.0) / (2.5 − 2.0) = 0.452",
          "按 Kv 内插 较硬岩 ζ = 0.814 + (0.452 − 0.814) × (0.45 − 0.55) / (0.35 − 0.55) = 0.633",
          "按 frk 内插 ζ = 0.8655 + (0.633 − 0.8655) × (22.5 − 15) / (30 − 15) = 0.749" + T + "25",
          "泥浆护壁成桩，工艺系数 1.00，ζr = 0.749" + T + "25 × 1.00 = 0.749" + T + "25（取 0.7492）"}},
        {"soft rock, Kv 0.45, on a row",
         pile(SectionType::Round, "1000", "0", "2.0d", "10", "0.45"),
         {"查表（hr/deq = 2.0，Kv = 0.45，介于较完整与较破碎之间）：软岩 较完整 1.08、较破碎 0.60",
          "按 Kv 内插 ζ = 1.08 + (0.60 − 1.08) × (0.45 − 0.55) / (0.35 − 0.55) = 0.84",
          "泥浆护壁成桩，工艺系数 1.00，ζr = 0.84 × 1.00 = 0.8400"}},
        {"hard rock past the table, dry process",
         pile(SectionType::Round, "1000", "0", "5000", "70", "较完整", 0),
         {"查表（hr/deq = 5.00 > 4.0，取 4.0 行，较完整）：较硬岩 0.92", "ζ = 0.92",
          "干作业成桩(清底干净)，工艺系数 1.15，ζr = 0.92 × 1.15 = 1.0580"}},
        {"an index that names a class",
         pile(SectionType::Round, "1000", "0", "1.0d", "40", "0.8"),
         {"查表（hr/deq = 1.0，Kv = 0.8，属完整）：较硬岩 0.81", "ζ = 0.81",
          "泥浆护壁成桩，工艺系数 1.00，ζr = 0.81 × 1.00 = 0.8100"}},
    };
    for (const auto& c : cases) {
        const handin::PileSection s = pileSection(computed(c.in), 1);
        ASSERT_EQ(s.steps.size(), 8u) << c.what;
        EXPECT_EQ(plainLines(s.steps[3]), c.lines) << c.what;
    }
}

// A figure put into a later formula carries the decimals that formula needs to be worked by hand
// to its result: more than seven where ζr meets a large frk·Ap, or where Quk / 2 would land
// halfway between two hundredths.
TEST(Module1HandIn, EveryFormulaCanBeWorkedByHandToItsResult) {
    const SectionType kinds[] = {SectionType::Round, SectionType::Oblong, SectionType::Rectangular};
    const char* depths[] = {"1.0d", "1.3d", "2.7d", "1700", "3333", "4.6d"};
    const char* strengths[] = {"7.5", "18.7", "25", "47", "99"};
    const char* integrities[] = {"完整", "较破碎", "0.37", "0.52"};
    int worked = 0;
    for (int k = 0; k < 120; ++k) {
        Inputs in = pile(kinds[k % 3], std::to_string(900 + 137 * (k % 11)), std::to_string(350 + 71 * (k % 7)),
                         depths[k % 6], strengths[k % 5], integrities[k % 4], k % 4);
        if (in.section == SectionType::Rectangular && in.hr.back() == 'd')
            in.hr.back() = 'b';
        in.grade = k % 8;
        const Outcome o = calculate(in);
        if (o.ok())
            worked += test::expectWorkedByHand(pileSection(o.values, 1));
    }
    EXPECT_GT(worked, 600);

    // 2 × 14 412.725 would round up on paper, so Quk goes on with its third decimal.
    const handin::PileSection s = pileSection(computed(pile(SectionType::Rectangular, "2000", "1000", "1200", "40",
                                                            "较破碎")),
                                              1);
    EXPECT_EQ(plainLines(s.steps[5])[0], "Quk = Qsk + Qrk = 0 + 28" + T + "825.453 = 28" + T + "825.453 kN（取 28" + T +
                                             "825.45 kN）");
    EXPECT_EQ(plainLines(s.steps[6])[0], "Ra = Quk / K = 28" + T + "825.453 / 2.00 = 14" + T + "412.73 kN");
    // The equal-area deq from the sides themselves, and the hint the calculation went on with.
    EXPECT_EQ(plainLines(s.steps[0])[1], "折算直径：按面积相等 deq = √(4·Ap/π) = √(4 × 2000 × 1000 / π) = 1" + T +
                                             "595.769 mm");
    EXPECT_EQ(s.steps[1].notes, (std::vector<std::string>{"提示：较破碎岩体上嵌入深度小于1倍折算直径"}));
    EXPECT_EQ(s.heading, "ZH1  矩形桩  a = 2000 mm，b = 1000 mm");
}

// The sheet row has the text table row's cells, as the row shows them, with a number wherever
// the text is one.
TEST(Module1HandIn, SheetCellsAreTheTextTableRowsCells) {
    const std::vector<int> widths = {11, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 9};
    const Inputs piles[] = {
        Inputs{},
        pile(SectionType::Oblong, "1000", "500", "2.0d", "10", "完整", 0, Precision::TwoDecimals),
        pile(SectionType::Rectangular, "1500", "1500", "1800", "40", "0.45", 1, Precision::Tens),
        pile(SectionType::Rectangular, "2000", "1200", "1.5b", "25", "较破碎", 2, Precision::OneDecimal),
        pile(SectionType::Round, "1200", "0", "3000", "60", "较完整", 3, Precision::Hundreds),
    };
    ASSERT_EQ(tableColumns().size(), widths.size());
    int n = 0;
    for (const Inputs& in : piles) {
        const Values v = computed(in);
        ++n;
        test::expectRowCells(tableCells(v, n), tableRow(v, n), widths, "pile " + std::to_string(n));
    }
    // "-" and "1.0d" are no numbers; "15446" and "0.7867" are.
    const handin::SheetRow first = tableCells(computed(Inputs{}), 1);
    EXPECT_FALSE(first[3].number);
    EXPECT_FALSE(first[7].number);
    EXPECT_EQ(first[13].number, 15446.0);
    EXPECT_EQ(first[12].number, 0.7867);
    EXPECT_EQ(tableColumns()[14].title, "桩承载力 Ra");
    EXPECT_EQ(tableColumns()[14].unit, "kN");
}

// Each pile the window enters keeps its section, its row and the moment, in step with the pages.
TEST(Module1HandIn, PilesEnterTheDocumentsWithTheirEntries) {
    Session s;
    s.compute(Moment{2026, 12, 10, 9, 30, 0});
    s.setFieldText(kFieldFrk, "10");
    s.compute(Moment{2026, 12, 10, 14, 5, 7});
    const report::ReportDocuments& docs = s.documents();
    ASSERT_EQ(docs.entries().size(), 2u);
    EXPECT_EQ(docs.entries()[1].section.pileName, "ZH2");
    EXPECT_EQ(docs.entries()[1].tableRow.front().text, "ZH2");
    EXPECT_FALSE(docs.entries()[1].flagged);
    EXPECT_EQ(docs.calculatedAt(), (std::vector<std::string>{"2026-12-10 09:30:00", "2026-12-10 14:05:07"}));
    EXPECT_EQ(docs.tableColumns().size(), 18u);
    const handin::Sheet sheet = docs.pileSheet();
    EXPECT_EQ(sheet.rowCount(), 2u);
    EXPECT_EQ(sheet.rows[0][14].text, "7723");
}
