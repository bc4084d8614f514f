#include "core/text.h"
#include "module3/module3reports.h"
#include "module3/module3session.h"
#include "testsupport.h"

#include <gtest/gtest.h>

using namespace sp::core;
using namespace sp::module3;

namespace {

Outcome computed(const Inputs& in) {
    const Outcome o = calculate(in);
    EXPECT_TRUE(o.ok()) << o.message;
    return o;
}

Inputs pile(SectionType section, const char* d, const char* c, DeqMethod method) {
    Inputs in;
    in.section = section;
    in.d = d;
    in.c = c;
    in.hr = section == SectionType::Round || section == SectionType::Oblong ? "2.0d" : "1.0b";
    in.method = method;
    return in;
}

} // namespace

// An oblong pile by the largest gyration, then a rectangle entered short side first, by its short
// side, with an integrity index, the dry process and two decimals.
TEST(Module3Reports, OblongAndRectangleMatchTheFixtures) {
    Session s;
    s.chooseSection(SectionType::Oblong);
    s.chooseMethod(DeqMethod::GyrationMax);
    s.setFieldText(kFieldHr, "2.0d");
    s.setFieldText(kFieldFrk, "10");
    s.setFieldText(kFieldIntegrity, "完整");
    ASSERT_TRUE(s.compute(Moment{2026, 12, 10, 9, 30, 0}).ok());
    s.chooseSection(SectionType::Rectangular);
    s.chooseMethod(DeqMethod::ShortSide);
    s.setFieldText(kFieldD, "1000");
    s.setFieldText(kFieldC, "2000");
    s.setFieldText(kFieldHr, "1.5b");
    s.setFieldText(kFieldFrk, "40");
    s.setFieldText(kFieldIntegrity, "0.45");
    s.chooseGrade(3);
    s.chooseProcess(0);
    s.choosePrecision(Precision::TwoDecimals);
    ASSERT_TRUE(s.compute(Moment{2026, 12, 10, 10, 5, 7}).ok());

    EXPECT_EQ(s.documents().book().lines(), sp::test::fixtureLines("module3/oblong_and_rectangle_book.txt"));
    EXPECT_EQ(s.documents().table().lines(), sp::test::fixtureLines("module3/oblong_and_rectangle_table.txt"));
}

TEST(Module3Reports, RoundPileKeepsItsDiameterLineAndDashesTheMethod) {
    const Outcome o = computed(pile(SectionType::Round, "1000", "0", DeqMethod::GyrationMax));
    const auto book = bookLines(o, 1);
    ASSERT_EQ(book.size(), 59u);
    EXPECT_EQ(book[21], "  4.1 桩身直径d:                         1000 mm");
    EXPECT_EQ(book[22], "      桩身截面面积Ap:                    0.79 m^2");
    EXPECT_EQ(book[46], "          -       1000      2.0d      25.00  ");
    const std::string verdictEnd = "  合规   ";
    EXPECT_EQ(book[56].substr(book[56].size() - verdictEnd.size()), verdictEnd);
    const std::string row = tableRow(o, 1);
    const std::string start = "   ZH1      圆  桩     1000        -         -         -         -       1000  ";
    EXPECT_EQ(row.substr(0, start.size()), start);
}

TEST(Module3Reports, SquareIsNamedSquareInTheTablesOnly) {
    const Outcome o = computed(pile(SectionType::Rectangular, "1500", "1500", DeqMethod::ShortSide));
    const auto book = bookLines(o, 1);
    EXPECT_EQ(book[4], "      桩身截面类型:                    矩形桩");
    EXPECT_EQ(book[22], "  4.1 矩形桩等效直径算法:      取截面短边尺寸");
    EXPECT_EQ(book[23], "      等效直径deq:                       1500 mm");
    EXPECT_EQ(book[43], "        ZH1      方  桩     1500      1500   ");
    const std::string row = tableRow(o, 1);
    EXPECT_NE(row.find(" 方  桩 "), std::string::npos);
    EXPECT_NE(row.find("    1500    截面短边    1500  "), std::string::npos);
}

TEST(Module3Reports, EveryRowIs200ColumnsAndRcIsFollowedByOneBlankMore) {
    // Rc = 0.60 · 14.3 · Ap / 1000: round d 1000 6738.72 kN; oblong 1000 with 500 (Ap 1 285 398.16 mm²)
    // 11028.72 kN; rectangle 1000 × 500 4290 kN. By precision ("两位小数", "一位小数", "个位取整",
    // "十位取整", "百位取整"): right-aligned in 8 and two blanks, or in 7 and three blanks.
    const char* rcCells[3][5] = {
        {" 6738.72  ", "  6738.7  ", "   6739   ", "   6730   ", "   6700   "},
        {"11028.72  ", " 11028.7  ", "  11029   ", "  11020   ", "  11000   "},
        {" 4290.00  ", "  4290.0  ", "   4290   ", "   4290   ", "   4200   "},
    };
    const SectionType sections[] = {SectionType::Round, SectionType::Oblong, SectionType::Rectangular};
    for (int k = 0; k < 3; ++k) {
        const SectionType section = sections[k];
        for (int m = 0; m < kDeqMethodCount; ++m) {
            for (int p = 0; p < 5; ++p) {
                Inputs in = pile(section, "1000", section == SectionType::Round ? "0" : "500", DeqMethod(m));
                in.precision = static_cast<Precision>(p);
                const Outcome o = computed(in);
                const std::string row = tableRow(o, 12);
                EXPECT_EQ(DisplayWidth(row), 200) << row;
                // Rc and the verdict close the row: the verdict centred in 8 and one blank. Only a
                // round pile or equal areas comply.
                const bool compliant = section == SectionType::Round || m == 0;
                const std::string tail = std::string(rcCells[k][p]) + (compliant ? "  合规   " : "  超规   ");
                ASSERT_GE(row.size(), tail.size());
                EXPECT_EQ(row.substr(row.size() - tail.size()), tail) << row;
            }
        }
    }
    const auto heading = tableHeading();
    ASSERT_EQ(heading.size(), 5u);
    for (std::size_t k : {0u, 1u, 2u, 4u})
        EXPECT_EQ(DisplayWidth(heading[k]), 200) << heading[k];
    EXPECT_EQ(DisplayWidth(heading[3]), 198);
    const auto closing = tableClosing(Moment{2026, 1, 2, 0, 0, 0});
    EXPECT_EQ(closing[0], std::string(200, '-'));
    EXPECT_EQ(closing[2], std::string(200, '='));
    EXPECT_EQ(closing[3], "计算时间：2026/1/2");
}

TEST(Module3Reports, SummaryRowsAre45ColumnsWide) {
    for (int m = 0; m < kDeqMethodCount; ++m) {
        for (int p = 0; p < 5; ++p) {
            Inputs in = pile(SectionType::Oblong, "1800", "1200", DeqMethod(m));
            in.precision = static_cast<Precision>(p);
            const auto book = bookLines(computed(in), 3);
            ASSERT_EQ(book.size(), 61u);
            for (std::size_t k : {43u, 48u, 53u, 58u})
                EXPECT_EQ(DisplayWidth(book[k]), 45) << book[k];
            EXPECT_EQ(DisplayWidth(book[22]), 45) << book[22];
        }
    }
}
