#include "core/text.h"
#include "module1/module1reports.h"
#include "module1/module1session.h"
#include "testsupport.h"

#include <gtest/gtest.h>

using namespace sp::core;
using namespace sp::module1;

namespace {

const Moment kMoment{2026, 12, 10, 9, 30, 0};

Values computed(const Inputs& in) {
    const Outcome o = calculate(in);
    EXPECT_TRUE(o.ok()) << o.message;
    return o.values;
}

// The three piles of the fixture: the default pile, a dry-process oblong pile under two decimals
// and a square pile with an integrity index under "十位取整"; then a pile that fails.
Session threePiles() {
    Session s;
    s.compute(kMoment);
    s.chooseSection(SectionType::Oblong);
    s.setFieldText(kFieldHr, "2.0d");
    s.setFieldText(kFieldFrk, "10");
    s.setFieldText(kFieldIntegrity, "完整");
    s.chooseGrade(3);
    s.chooseProcess(0);
    s.choosePrecision(Precision::TwoDecimals);
    s.compute(kMoment);
    s.chooseSection(SectionType::Rectangular);
    s.setFieldText(kFieldD, "1500");
    s.setFieldText(kFieldC, "1500");
    s.setFieldText(kFieldHr, "1800");
    s.setFieldText(kFieldFrk, "40");
    s.setFieldText(kFieldIntegrity, "0.45");
    s.chooseGrade(1);
    s.chooseProcess(1);
    s.choosePrecision(Precision::Tens);
    s.compute(kMoment);
    s.setFieldText(kFieldD, "0");
    s.compute(kMoment);
    return s;
}

} // namespace

TEST(Module1Reports, BookAndTableOfThreePilesMatchTheFixtures) {
    const Session s = threePiles();
    EXPECT_EQ(s.documents().pileRegister().count(), 3);
    EXPECT_EQ(s.documents().book().lines(), sp::test::fixtureLines("module1/three_piles_book.txt"));
    EXPECT_EQ(s.documents().table().lines(), sp::test::fixtureLines("module1/three_piles_table.txt"));
}

TEST(Module1Reports, DefaultPileBookLines) {
    const auto book = bookLines(computed(Inputs{}), 1);
    ASSERT_EQ(book.size(), 54u);
    EXPECT_EQ(book[1], "1.基桩编号: ZH1");
    EXPECT_EQ(book[5], "      桩身直径d:                         1000 mm");
    EXPECT_EQ(book[6], "      桩身嵌岩深度hr:                    1.0d");
    EXPECT_EQ(book[10], "      岩石完整程度：" + Spaces(19) + "较完整");
    EXPECT_EQ(book.back(), std::string(50, '='));
}

TEST(Module1Reports, IntegrityIndexIsPrintedAsANumber) {
    Inputs in;
    in.integrity = "0.45";
    in.hr = "2.0d";
    const Values v = computed(in);
    const auto book = bookLines(v, 1);
    EXPECT_EQ(book[10], "      岩石完整性指数:   " + PadLeft("0.45", " ", 21));
    EXPECT_EQ(book[46], "        1000      2.0d      25.00     0.45   ");
}

TEST(Module1Reports, EveryTableRowIs180ColumnsWide) {
    for (auto section : {SectionType::Round, SectionType::Oblong, SectionType::Rectangular}) {
        for (int p = 0; p < 5; ++p) {
            Inputs in;
            in.section = section;
            in.c = section == SectionType::Round ? "0" : "500";
            in.hr = section == SectionType::Rectangular ? "1.0b" : "1.0d";
            in.precision = static_cast<Precision>(p);
            const std::string row = tableRow(computed(in), 12);
            EXPECT_EQ(DisplayWidth(row), 180) << row;
        }
    }
    // The second heading line is narrower: ζr and ψc take one column each.
    const auto heading = tableHeading();
    for (std::size_t k : {0u, 1u, 2u, 4u})
        EXPECT_EQ(DisplayWidth(heading[k]), 180) << heading[k];
}

TEST(Module1Reports, PileNumbersBeyondTheirPadPushTheRowRight) {
    const Values v = computed(Inputs{});
    EXPECT_EQ(DisplayWidth(tableRow(v, 9999)), 180);
    EXPECT_EQ(DisplayWidth(tableRow(v, 10000)), 181);
}
