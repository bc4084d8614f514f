#include "core/moment.h"
#include "core/text.h"

#include <gtest/gtest.h>

using namespace sp::core;

TEST(DisplayWidth, CountsCjkTwiceAndEverythingElseOnce) {
    const struct {
        const char* text;
        int width;
    } cases[] = {
        {"桩身直径d:", 10}, {"ζr", 2},     {"岩石完整程度：", 13}, {"《》", 4}, {"ψcμ", 3},
        {"，", 1},          {"≤∑", 4},     {"", 0},                {"\xF0\x9F\x98\x80", 2}, // outside the BMP
    };
    for (const auto& c : cases)
        EXPECT_EQ(DisplayWidth(c.text), c.width) << c.text;
}

TEST(Pads, FillToTheWidthAndNeverCut) {
    EXPECT_EQ(PadLeft("1000", " ", 6), "  1000");
    EXPECT_EQ(PadRight("ZH12", " ", 6), "ZH12  ");
    EXPECT_EQ(PadCentre("较完整", " ", 8), " 较完整 ");
    EXPECT_EQ(PadCentre("0.60", " ", 8), "  0.60  ");
    EXPECT_EQ(PadCentre("圆  桩", " ", 8), " 圆  桩 ");
    EXPECT_EQ(PadCentre("-", " ", 8), "    -   ");
    EXPECT_EQ(PadLeft("1234567", " ", 6), "1234567");
    EXPECT_EQ(PadCentre("1234567", " ", 6), "1234567");
    EXPECT_EQ(Spaces(3), "   ");
    EXPECT_EQ(Spaces(-2), "");
}

TEST(FixedText, RoundsHalfAwayFromZeroUnderTheDigitLimit) {
    const struct {
        double value;
        int p, n;
        const char* text;
    } cases[] = {
        {7723.081, 7, 0, "7723"},  {6738.716, 7, 2, "6738.72"}, {0.786666666, 5, 4, "0.7867"},
        {0.6, 3, 2, "0.60"},       {1000, 6, 0, "1000"},        {0.125, 7, 2, "0.13"},
        {2.5, 7, 0, "3"},          {-2.5, 7, 0, "-3"},          {123456.78, 7, 2, "123456.80"},
        {12.3456, 3, 2, "12.30"},  {9.996, 7, 2, "10.00"}, {9.995, 7, 2, "9.99"} /* 9.99499999… in binary */,      {0.004, 7, 2, "0.00"},
        {-0.004, 7, 2, "0.00"},    {0.005, 7, 2, "0.01"},       {0, 6, 2, "0.00"},
        {999999.6, 7, 0, "1000000"}, {8984.95499, 7, 2, "8984.95"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FixedText(c.value, c.p, c.n), c.text) << c.value << " P" << c.p << " n" << c.n;
}

TEST(FixedText, FallsBackToExponentFormBeyondTheDigitLimit) {
    EXPECT_EQ(FixedText(123456789.0, 7, 0), "1.234568E+08");
}

TEST(GeneralText, ShortestFormWithoutTrailingZeros) {
    EXPECT_EQ(GeneralText(1200), "1200");
    EXPECT_EQ(GeneralText(1250.5), "1250.5");
    EXPECT_EQ(GeneralText(0.1 + 0.2), "0.3");
    EXPECT_EQ(GeneralText(1e-5), "1E-5");
}

TEST(PrecisionText, RoundsOrCutsByTheChoice) {
    const struct {
        double value;
        Precision p;
        const char* text;
    } cases[] = {
        {7723.08, Precision::Tens, "7720"},       {7723.08, Precision::Hundreds, "7700"},
        {7799.99, Precision::Units, "7800"},      {7729.9, Precision::Tens, "7720"},
        {7729.9, Precision::Hundreds, "7700"},    {7723.08, Precision::TwoDecimals, "7723.08"},
        {7723.08, Precision::OneDecimal, "7723.1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PrecisionText(c.value, c.p, 7), c.text) << c.value;
}

TEST(PrecisionItems, RoundTripThroughTheirTexts) {
    for (int k = 0; k < 5; ++k) {
        Precision p{};
        ASSERT_TRUE(precisionFromItem(precisionItem(static_cast<Precision>(k)), p));
        EXPECT_EQ(static_cast<int>(p), k);
    }
    Precision p{};
    EXPECT_FALSE(precisionFromItem("三位小数", p));
}

TEST(DateTimeText, ShortDateAndLongTimeWithoutTheTimeAtMidnight) {
    EXPECT_EQ(DateTimeText({2026, 12, 10, 9, 5, 7}), "2026/12/10 9:05:07");
    EXPECT_EQ(DateTimeText({2026, 1, 2, 0, 0, 0}), "2026/1/2");
    EXPECT_EQ(DateTimeText({2026, 1, 2, 0, 0, 1}), "2026/1/2 0:00:01");
}

TEST(ParseMoment, AcceptsOnlyRealMoments) {
    EXPECT_EQ(parseMoment("2026-12-10 09:30:00"), (Moment{2026, 12, 10, 9, 30, 0}));
    EXPECT_FALSE(parseMoment("2026-02-30 09:30:00"));
    EXPECT_FALSE(parseMoment("2026-12-10T09:30:00"));
    EXPECT_FALSE(parseMoment("2026-12-10 24:00:00"));
}

TEST(Excerpt, QuotesAShortPieceCutBetweenCharacters) {
    const std::string sixty(60, 'x');
    const std::string cjk = [] {
        std::string s;
        for (int k = 0; k < 61; ++k)
            s += "桩";
        return s;
    }();
    const struct {
        std::string value, quoted;
    } cases[] = {
        {"", ""},
        {"C99", "C99"},
        {sixty, sixty},                                 // as long as may be: whole
        {sixty + "y", sixty + "…"},                     // one more: cut
        {std::string(200000, 'z'), std::string(60, 'z') + "…"},
        {cjk.substr(0, 60 * 3), cjk.substr(0, 60 * 3)}, // sixty characters of three bytes each
        {cjk, cjk.substr(0, 60 * 3) + "…"},
        {std::string(59, 'x') + "😀😀", std::string(59, 'x') + "😀…"},
        // Stray continuation bytes (not UTF-8) count a character per four bytes: never uncut.
        {std::string(1000, '\x80'), std::string(240, '\x80') + "…"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(excerpt(c.value), c.quoted) << c.value.size();
    EXPECT_EQ(excerpt("abcdef", 3), "abc…");
}
