#include "engine/handintestsupport.h"
#include "module3/module3handin.h"
#include "module3/module3reports.h"
#include "module3/module3session.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace sp;
using namespace sp::core;
using namespace sp::module3;

using test::plainLines;

namespace {

const std::string T = "\u2009";

Outcome computed(const Inputs& in) {
    const Outcome o = calculate(in);
    EXPECT_TRUE(o.ok()) << o.message;
    return o;
}

Inputs pile(SectionType section, std::string d, std::string c, std::string hr, DeqMethod method,
            std::string frk = "10", std::string integrity = "完整", Precision precision = kDefaultPrecision) {
    Inputs in;
    in.section = section;
    in.d = std::move(d);
    in.c = std::move(c);
    in.hr = std::move(hr);
    in.method = method;
    in.frk = std::move(frk);
    in.integrity = std::move(integrity);
    in.precision = precision;
    return in;
}

} // namespace

// An oblong pile by the largest radius of gyration: the method named, its deq worked from d and
// c, the warning the window opens behind at the head, and Qrk and Rc from the real section's Ap.
TEST(Module3HandIn, OverStandardPileCarriesTheResearchWarning) {
    const Outcome o = computed(pile(SectionType::Oblong, "1000", "500", "2.0d", DeqMethod::GyrationMax));
    const handin::PileSection s = pileSection(o, 1);
    ASSERT_TRUE(s.warning);
    EXPECT_NE(s.warning->find(kResearchWarning), std::string::npos);
    EXPECT_NE(s.warning->find("最大回转半径折算"), std::string::npos);

    ASSERT_EQ(s.steps.size(), 9u);
    EXPECT_EQ(plainLines(s.steps[0]),
              (std::vector<std::string>{
                  "Ap = π·d²/4 + d·c = π × 1000² / 4 + 1000 × 500 = 1" + T + "285" + T + "398.16 mm²",
                  "μ = π·d + 2·c = π × 1000 + 2 × 500 = 4" + T + "141.59 mm",
                  "等效直径算法：最大回转半径折算（超规选项，谨慎抉择，结果仅供研究）",
                  "deq = d·√{[(4c²/d² + 1 + 32c/(3πd))·πd²/4 + 4c³/(3d)] / (πd²/4 + c·d)} = 1000 × √[((4 × 500² / "
                  "1000² + 1 + 32 × 500 / (3 × π × 1000)) × π × 1000² / 4 + 4 × 500³ / (3 × 1000)) / (π × 1000² / 4 "
                  "+ 500 × 1000)] = 1" + T + "545.634 mm"}));
    EXPECT_EQ(plainLines(s.steps[1])[0], "hr/deq = 2000 / 1" + T + "545.634 = 1.293" + T + "967" + T + "4（取 1.29）");
    EXPECT_EQ(plainLines(s.steps[4])[0], "Qrk = ζr·frk·Ap = 1.017" + T + "612" + T + "5 × 10 × 1" + T + "285" + T +
                                             "398.163 / 1000 = 13" + T + "080.372 kN（取 13" + T + "080.37 kN）");
    EXPECT_EQ(plainLines(s.steps[7])[1], "Rc = ψc·fc·Ap = 0.60 × 14.3 × 1" + T + "285" + T + "398.16 / 1000 = 11" + T +
                                             "028.72 kN");
    EXPECT_EQ(s.steps[8].title, "合规判定");
    EXPECT_EQ(plainLines(s.steps[8]), (std::vector<std::string>{"等效直径按最大回转半径折算，为超规选项，判定：超规"}));
    EXPECT_EQ(s.conclusions.back(), "计算结果合规判定：超规（超规选项，谨慎抉择，结果仅供研究）。");

    const report::PilePages pages = pilePages(o, 1, Moment{2026, 12, 10, 9, 30, 0});
    EXPECT_TRUE(pages.entry.flagged);
    EXPECT_EQ(pages.entry.tableRow.back().text, "超规");
    EXPECT_EQ(pages.calculatedAt, "2026-12-10 09:30:00");
}

// The standard's method and a round pile stay within the standard: no warning, no flag.
TEST(Module3HandIn, CompliantPilesHaveNoWarning) {
    const struct {
        Inputs in;
        std::string methodLine;
        std::string verdictLine;
    } cases[] = {
        {pile(SectionType::Oblong, "1000", "500", "2.0d", DeqMethod::AreaEqual), "等效直径算法：面积相等折算（规范推荐算法）",
         "等效直径按面积相等折算，为规范推荐算法，判定：合规"},
        {pile(SectionType::Round, "1200", "0", "1.0d", DeqMethod::GyrationMin), "折算直径：圆桩 deq = d = 1200 mm",
         "圆桩 deq = d，判定：合规"},
    };
    for (const auto& c : cases) {
        const Outcome o = computed(c.in);
        const handin::PileSection s = pileSection(o, 1);
        EXPECT_FALSE(s.warning);
        const std::vector<std::string> section = plainLines(s.steps[0]);
        EXPECT_NE(std::find(section.begin(), section.end(), c.methodLine), section.end()) << c.methodLine;
        EXPECT_EQ(plainLines(s.steps.back()), (std::vector<std::string>{c.verdictLine}));
        EXPECT_EQ(s.conclusions.back(), "计算结果合规判定：合规。");
        EXPECT_FALSE(pilePages(o, 1, Moment{}).entry.flagged);
    }
}

// Each method's deq, worked from the dimensions (or, for the envelopes, from the four values they
// choose among), gives the deq the calculation used; every formula works by hand.
TEST(Module3HandIn, EveryMethodsWorkingGivesItsDeq) {
    const Outcome envelope = computed(pile(SectionType::Rectangular, "2000", "1000", "1200", DeqMethod::EnvelopeMin,
                                           "25", "较破碎"));
    EXPECT_EQ(plainLines(pileSection(envelope, 1).steps[0])[3],
              "deq = min(dA, dB, dC, dD) = min(1" + T + "595.769, 1" + T + "909.859, 2" + T + "309.401, 1" + T +
                  "154.701) = 1" + T + "154.701 mm");

    int worked = 0;
    for (SectionType section : {SectionType::Oblong, SectionType::Rectangular}) {
        for (int m = 0; m < kDeqMethodCount; ++m) {
            for (const char* frk : {"10", "25", "47"}) {
                const char* depth = section == SectionType::Oblong ? "2.3d" : "1.7b";
                const Outcome o = computed(pile(section, "1600", "900", depth, static_cast<DeqMethod>(m), frk, "0.45"));
                worked += test::expectWorkedByHand(pileSection(o, 1));
            }
        }
    }
    EXPECT_GT(worked, 400);
}

// The sheet row has the 200-column row's twenty cells, method and verdict included.
TEST(Module3HandIn, SheetCellsAreTheTextTableRowsCells) {
    std::vector<int> widths(20, 10);
    widths.front() = 11;
    widths.back() = 9;
    const Inputs piles[] = {
        pile(SectionType::Round, "1000", "0", "1.0d", DeqMethod::AreaEqual, "25", "较完整"),
        pile(SectionType::Oblong, "1000", "500", "2.0d", DeqMethod::GyrationMax, "10", "完整", Precision::TwoDecimals),
        pile(SectionType::Rectangular, "1500", "1500", "1800", DeqMethod::ShortSide, "40", "0.45", Precision::Tens),
        pile(SectionType::Rectangular, "2000", "1000", "1.2b", DeqMethod::EnvelopeMax, "25", "较完整",
             Precision::OneDecimal),
    };
    ASSERT_EQ(tableColumns().size(), widths.size());
    EXPECT_EQ(tableColumns()[6].title, "等效直径算法");
    EXPECT_EQ(tableColumns().back().title, "计算结果合规判定");
    int n = 0;
    for (const Inputs& in : piles) {
        const Outcome o = computed(in);
        ++n;
        test::expectRowCells(tableCells(o, n), tableRow(o, n), widths, "pile " + std::to_string(n));
    }
}
