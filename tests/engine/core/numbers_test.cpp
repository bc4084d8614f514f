#include "core/numbers.h"

#include <gtest/gtest.h>

using namespace sp::core;

TEST(ReadStrict, AcceptsOnlyWholeDecimalNumbers) {
    const struct {
        const char* text;
        bool ok;
        double value;
    } cases[] = {
        {"1000", true, 1000},  {" 12.5 ", true, 12.5}, {"-3", true, -3},   {"+2", true, 2},
        {".5", true, 0.5},     {"5.", true, 5},        {"1e3", true, 1000}, {"  100", true, 100},
        {"", false, 0},        {"   ", false, 0},      {"12abc", false, 0}, {"abc", false, 0},
        {"nan", false, 0},     {"inf", false, 0},      {"-inf", false, 0},  {"1,000", false, 0},
        {"1 000", false, 0},   {".", false, 0},        {"-", false, 0},     {"1e", false, 0},
        {"0x10", false, 0},    {"1e999", false, 0},
    };
    for (const auto& c : cases) {
        const auto v = readStrict(c.text);
        EXPECT_EQ(v.has_value(), c.ok) << '"' << c.text << '"';
        if (v && c.ok) {
            EXPECT_DOUBLE_EQ(*v, c.value) << c.text;
        }
    }
}

TEST(ReadLenient, ReadsZeroForAnythingThatIsNotWhollyANumber) {
    EXPECT_EQ(readLenient("12abc"), 0.0);
    EXPECT_EQ(readLenient(""), 0.0);
    EXPECT_EQ(readLenient("nan"), 0.0);
    EXPECT_EQ(readLenient(" 1500 "), 1500.0);
    EXPECT_EQ(readLenient("-7"), -7.0);
}
