#include "core/geometry.h"

#include <gtest/gtest.h>

using namespace sp::core;

TEST(SectionGeometry, AreaPerimeterAndEqualAreaDiameter) {
    const struct {
        SectionType type;
        double first, second, area, perimeter, deq;
    } cases[] = {
        {SectionType::Round, 1000, 0, 785398.16, 3141.59, 1000},
        {SectionType::Oblong, 1000, 500, 1285398.16, 4141.59, 1279.3},
        {SectionType::Rectangular, 1500, 1500, 2250000, 6000, 1692.6},
        {SectionType::Rectangular, 2000, 1000, 2000000, 6000, 1595.8},
    };
    for (const auto& c : cases) {
        const double area = sectionArea(c.type, c.first, c.second);
        EXPECT_NEAR(area, c.area, 0.01);
        EXPECT_NEAR(sectionPerimeter(c.type, c.first, c.second), c.perimeter, 0.01);
        EXPECT_NEAR(equalAreaDiameter(c.type, area, c.first), c.deq, 0.05);
    }
}

TEST(SectionGeometry, RoundDiameterIsItsOwnEquivalentExactly) {
    // √(4·Ap/π) would give 1650.0000000000002 here.
    const double area = sectionArea(SectionType::Round, 1650, 0);
    EXPECT_EQ(equalAreaDiameter(SectionType::Round, area, 1650), 1650.0);
}

TEST(SocketDepth, MillimetresOrAMultipleOfTheLetter) {
    using S = SocketDepth::Status;
    const struct {
        const char* text;
        char letter;
        double base;
        S status;
        double hr;
        bool multiple;
    } cases[] = {
        {"2.0d", 'd', 1200, S::Ok, 2400, true},   {"2400", 'd', 1200, S::Ok, 2400, false},
        {"1.5b", 'b', 1000, S::Ok, 1500, true},   {"1.5dxyz", 'd', 1000, S::Ok, 1500, true},
        {"0d", 'd', 1000, S::Ok, 0, true},        {"0", 'd', 1000, S::Ok, 0, false},
        {"-500", 'd', 1000, S::Invalid, 0, false}, {"-1.0d", 'd', 1000, S::Invalid, 0, false},
        {"abc", 'd', 1000, S::Invalid, 0, false}, {"1.5b", 'd', 1000, S::Invalid, 0, false},
        {"1.5D", 'd', 1000, S::Invalid, 0, false}, {"", 'd', 1000, S::Invalid, 0, false},
        {"xd", 'd', 1000, S::FactorUnread, 0, false}, {"d", 'd', 1000, S::FactorUnread, 0, false},
    };
    for (const auto& c : cases) {
        const SocketDepth s = readSocketDepth(c.text, c.letter, c.base);
        EXPECT_EQ(s.status, c.status) << c.text;
        if (c.status == S::Ok) {
            EXPECT_DOUBLE_EQ(s.hr, c.hr) << c.text;
            EXPECT_EQ(s.givenAsMultiple, c.multiple) << c.text;
        }
    }
}
