#include "handin/handinbook.h"

#include <gtest/gtest.h>

namespace {

using namespace sp::handin;

const std::string T = "\u2009"; // thin space

TEST(HandInText, PlainTextDropsTheScriptMarks) {
    EXPECT_EQ(plainText("Q_{rk} = ζ_{r}·f_{rk}·A_{p}"), "Qrk = ζr·frk·Ap");
    EXPECT_EQ(plainText("π·d^{2}/4"), "π·d2/4");
    EXPECT_EQ(plainText("a_b {c} }"), "a_b {c} }"); // marks without a brace, and stray braces, stay
}

TEST(HandInText, FiguresAreGroupedInThrees) {
    struct Case {
        double value;
        int decimals;
        std::string text;
    };
    const Case cases[] = {
        {785398.1634, 2, "785" + T + "398.16"},
        {7723.08, 2, "7" + T + "723.08"},
        {15446.1612, 2, "15" + T + "446.16"},
        {100.0, 0, "100"},
        {1000.0, 0, "1" + T + "000"},
        {0.78666666, 7, "0.786" + T + "666" + T + "7"},
        {0.78666666, 4, "0.7867"},
        {-1234.5, 1, "-1" + T + "234.5"},
        {-0.0001, 2, "0.00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(grouped(c.value, c.decimals), c.text) << c.value;
    EXPECT_EQ(significant(0.78666666, 7), "0.786" + T + "666" + T + "7");
    EXPECT_EQ(significant(25.0, 3), "25.0");
    EXPECT_EQ(groupDigits("1234567"), "1" + T + "234" + T + "567");
}

} // namespace
