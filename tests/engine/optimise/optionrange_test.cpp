#include "optimise/options/optionrange.h"
#include "optimise/options/options.h"
#include "optimisetestsupport.h"

#include "core/text.h"

#include <gtest/gtest.h>

using namespace sp::optimise;
using sp::core::FixedText;
using sp::core::GeneralText;

namespace {

std::vector<std::string> texts(const OptionRange& range, int decimals = -1) {
    std::vector<std::string> out;
    for (double v : range.values())
        out.push_back(decimals < 0 ? GeneralText(v) : FixedText(v, 10, decimals));
    return out;
}

using Texts = std::vector<std::string>;

} // namespace

TEST(OptionRange, DecimalRuleRoundsTheNumberOfStepsHalfUp) {
    const struct {
        double min, max, step;
        Texts values;
    } cases[] = {
        {1000, 2000, 400, {"1000", "1400", "1800", "2000"}}, // 2.5 steps: rounded up, the last is the maximum
        {1000, 2000, 300, {"1000", "1300", "1600", "1900"}}, // 3.33 steps: rounded down, 2000 not reached
        {1000, 2000, 500, {"1000", "1500", "2000"}},
        {2000, 1000, 500, {"2000"}}, // minimum above the maximum
        {1000, 1000, 500, {"1000"}},
        {1000, 2000, 0, {"1000", "2000"}}, // no step: the two ends
        {1000, 2000, -5, {"1000", "2000"}},
        {1000, 2000, 3000, {"1000", "2000"}}, // a step beyond the span: the two ends
        {1.0, 3.0, 1.0, {"1", "2", "3"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(texts(OptionRange::decimals(c.min, c.max, c.step)), c.values)
            << c.min << " " << c.max << " " << c.step;
}

TEST(OptionRange, IndexRowFromPoint35ToOneGivesEightValues) {
    const OptionRange r = OptionRange::decimals(0.35, 1.0, 0.1);
    EXPECT_EQ(r.count(), 8u);
    EXPECT_EQ(texts(r, 2), (Texts{"0.35", "0.45", "0.55", "0.65", "0.75", "0.85", "0.95", "1.00"}));
}

TEST(OptionRange, IntegerRule) {
    const struct {
        long long min, max, step;
        Texts values;
    } cases[] = {
        {1, 4, 1, {"1", "2", "3", "4"}}, {1, 4, 2, {"1", "3"}}, // the maximum only on a whole number of steps
        {1, 4, 3, {"1", "4"}},           {1, 4, 0, {"1", "4"}}, // step below 1: the two ends
        {1, 4, 7, {"1", "4"}},           {3, 1, 1, {"3"}},      {2, 2, 1, {"2"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(texts(OptionRange::integers(c.min, c.max, c.step)), c.values)
            << c.min << " " << c.max << " " << c.step;
}

TEST(OptionRange, CodedRowsAreClampedAndGradesFollowTheListInSteps) {
    const struct {
        int row;
        std::vector<std::string> cells;
        OptionRange Options::*range;
        Texts values;
    } cases[] = {
        {kRowSection, {"0", "9", "1"}, &Options::sections, {"1", "2", "3", "4"}},
        {kRowBasis, {"-3", "5", "1"}, &Options::bases, {"1", "2"}},
        {kRowClass, {"0", "7", "1"}, &Options::classes, {"1", "2", "3"}},
        {kRowProcess, {"0", "9", "1"}, &Options::processes, {"1", "2", "3", "4"}},
        {kRowGrade, {"C27", "C62", "7"}, &Options::grades, {"25", "30", "35", "40", "45", "50", "55", "60"}},
        {kRowGrade, {"C25", "C60", "3"}, &Options::grades, {"25", "30", "35", "40", "45", "50", "55", "60"}},
        {kRowGrade, {"C25", "C60", "12"}, &Options::grades, {"25", "35", "45", "55"}},
        {kRowGrade, {"C40", "C30", "5"}, &Options::grades, {"40"}},
        // Beyond the list: the smallest grade is taken as C60, the last item of the list.
        {kRowGrade, {"C65", "C70", "5"}, &Options::grades, {"60"}},
    };
    for (const auto& c : cases) {
        const OptionsReading reading = readOptions(sp::test::optionTable({{c.row, c.cells}}));
        ASSERT_TRUE(reading.ok()) << c.row << " " << c.cells[0];
        EXPECT_EQ(texts((*reading.options).*c.range), c.values) << c.row << " " << c.cells[0];
    }
}
