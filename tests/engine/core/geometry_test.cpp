#include "core/geometry.h"
#include "core/sectioncheck.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

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
        // Found by fuzzing: a factor that is a number but whose depth overflows to infinity.
        {"9e307d", 'd', 1000, S::Invalid, 0, false}, {"1e308b", 'b', 2500.5, S::Invalid, 0, false},
        {"1e305d", 'd', 1000, S::Ok, 1e308, true},
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

// Each of the four section fields stops with its own message when its size is not greater than
// 0 or leaves the section without a proper area or perimeter; the field checked before it passes.
TEST(SectionCheck, SizesStopOnTheFieldThatLeavesNoProperSection) {
    const auto round = SectionType::Round;
    const auto oblong = SectionType::Oblong;
    const auto rect = SectionType::Rectangular;
    const char* none = nullptr;
    const struct {
        SectionType section;
        const char *d, *c;
        const char *field, *message;
    } cases[] = {
        {round, "0", "0", kFieldFirst, "桩身直径数据有错"},
        {round, "1e-320", "0", kFieldFirst, "桩身直径数据有错"}, // π·d²/4 underflows to 0
        {round, "1e200", "0", kFieldFirst, "桩身直径数据有错"},  // the area overflows
        {round, "1e-150", "1e308", none, nullptr},             // c of a round pile is not read
        {oblong, "1e-320", "500", kFieldFirst, "桩身直径数据有错"},
        {oblong, "1000", "-1", kFieldSecond, "椭圆直段长度数据有错"},
        {oblong, "1000", "1e308", kFieldSecond, "椭圆直段长度数据有错"}, // π·d + 2c overflows
        {oblong, "1e-150", "1", none, nullptr},
        {rect, "-1", "1000", kFieldFirst, "矩形长边尺寸数据有错"},
        {rect, "1000", "0", kFieldSecond, "矩形短边尺寸数据有错"},
        // a·b underflows: the smaller side stops, the long side on a tie.
        {rect, "1e-200", "1e-200", kFieldFirst, "矩形长边尺寸数据有错"},
        {rect, "1e-300", "1e-100", kFieldFirst, "矩形长边尺寸数据有错"},
        {rect, "1e-100", "1e-300", kFieldSecond, "矩形短边尺寸数据有错"},
        // The area or the perimeter overflows: the larger side stops, the long side on a tie.
        {rect, "1e200", "1e200", kFieldFirst, "矩形长边尺寸数据有错"},
        {rect, "1000", "1e308", kFieldSecond, "矩形短边尺寸数据有错"},
        {rect, "1e308", "1e-300", kFieldFirst, "矩形长边尺寸数据有错"},
        {rect, "1e-200", "1e-120", none, nullptr}, // an area of 1e-320 mm² is still an area
    };
    for (const auto& c : cases) {
        StatusEffect status;
        FieldEffects fields;
        const SectionCheck check = checkSection(c.section, c.d, c.c, status, fields);
        const std::string name = std::string(c.d) + " " + c.c;
        // By text: equal literals of two files need not share an address (they do not under
        // AddressSanitizer).
        EXPECT_EQ(check.stopField == nullptr ? "" : std::string(check.stopField),
                  c.field == nullptr ? "" : std::string(c.field))
            << name;
        EXPECT_EQ(check.stopMessage == nullptr ? "" : std::string(check.stopMessage),
                  c.message == nullptr ? "" : std::string(c.message))
            << name;
        // A field passed before the one that stops; none is marked red here (the run marks it).
        EXPECT_EQ(fields.colourOf(kFieldFirst),
                  c.field == kFieldFirst ? std::nullopt : std::optional<Colour>(kBlack))
            << name;
        if (c.field == nullptr && c.section != round)
            EXPECT_EQ(fields.colourOf(kFieldSecond), kBlack) << name;
        else
            EXPECT_EQ(fields.colourOf(kFieldSecond), std::nullopt) << name;
        if (c.field == nullptr) {
            const double area = sectionArea(c.section, check.first, check.second);
            EXPECT_TRUE(std::isfinite(area) && area > 0.0) << name;
        }
    }
}
