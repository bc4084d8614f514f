#include "core/geometry.h"
#include "core/text.h"
#include "module3/deqmethod.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <utility>

using namespace sp::core;
using namespace sp::module3;

namespace {

double deqOf(SectionType section, DeqMethod method, double first, double second) {
    return equivalentDiameter(section, method, first, second, sectionArea(section, first, second),
                              sectionPerimeter(section, first, second));
}

} // namespace

TEST(DeqMethod, EightMethodsOnOblongRectangleAndSquare) {
    using M = DeqMethod;
    const auto oblong = SectionType::Oblong;
    const auto rect = SectionType::Rectangular;
    const struct {
        SectionType section;
        double first, second;
        DeqMethod method;
        double deq; // mm, to 0.005
    } cases[] = {
        // Oblong d 1000, c 500: the envelopes pick C and D.
        {oblong, 1000, 500, M::AreaEqual, 1279.30},
        {oblong, 1000, 500, M::PerimeterEqual, 1318.31},
        {oblong, 1000, 500, M::GyrationMax, 1545.63},
        {oblong, 1000, 500, M::GyrationMin, 1062.86},
        {oblong, 1000, 500, M::LongSide, 1500.00},
        {oblong, 1000, 500, M::ShortSide, 1000.00},
        {oblong, 1000, 500, M::EnvelopeMax, 1545.63},
        {oblong, 1000, 500, M::EnvelopeMin, 1062.86},
        // Rectangle 2000 × 1000: E and F lie outside the envelopes, which take C and D only.
        {rect, 2000, 1000, M::AreaEqual, 1595.77},
        {rect, 2000, 1000, M::PerimeterEqual, 1909.86},
        {rect, 2000, 1000, M::GyrationMax, 2309.40},
        {rect, 2000, 1000, M::GyrationMin, 1154.70},
        {rect, 2000, 1000, M::LongSide, 2000.00},
        {rect, 2000, 1000, M::ShortSide, 1000.00},
        {rect, 2000, 1000, M::EnvelopeMax, 2309.40},
        {rect, 2000, 1000, M::EnvelopeMin, 1154.70},
        // Square 1000: C = D, and the envelopes come from B and A.
        {rect, 1000, 1000, M::AreaEqual, 1128.38},
        {rect, 1000, 1000, M::PerimeterEqual, 1273.24},
        {rect, 1000, 1000, M::GyrationMax, 1154.70},
        {rect, 1000, 1000, M::GyrationMin, 1154.70},
        {rect, 1000, 1000, M::LongSide, 1000.00},
        {rect, 1000, 1000, M::ShortSide, 1000.00},
        {rect, 1000, 1000, M::EnvelopeMax, 1273.24},
        {rect, 1000, 1000, M::EnvelopeMin, 1128.38},
        {SectionType::Square, 1000, 1000, M::EnvelopeMax, 1273.24},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(deqOf(c.section, c.method, c.first, c.second), c.deq, 0.005)
            << static_cast<int>(c.section) << " " << deqMethodItem(c.method) << " " << c.first << "×" << c.second;
}

TEST(DeqMethod, GyrationMaxAgreesWithTheSecondMomentOfTheOblong) {
    // deq = 4·√(I/Ap) with I about the axis across the section, for shapes short and long.
    for (const auto& [d, c] : {std::pair{1000.0, 500.0}, {800.0, 3000.0}, {1500.0, 10.0}}) {
        const double pi = std::numbers::pi;
        const double inertia =
            d * c * c * c / 12 + pi * d * d * d * d / 64 + pi * d * d * c * c / 16 + c * d * d * d / 6;
        const double area = sectionArea(SectionType::Oblong, d, c);
        EXPECT_NEAR(deqOf(SectionType::Oblong, DeqMethod::GyrationMax, d, c), 4 * std::sqrt(inertia / area), 1e-9 * d);
        const double minimum = c * d * d * d / 12 + pi * d * d * d * d / 64;
        EXPECT_NEAR(deqOf(SectionType::Oblong, DeqMethod::GyrationMin, d, c), 4 * std::sqrt(minimum / area), 1e-9 * d);
    }
}

TEST(DeqMethod, ARoundSectionIsItsDiameterWhateverTheMethod) {
    for (int k = 0; k < kDeqMethodCount; ++k)
        EXPECT_EQ(deqOf(SectionType::Round, static_cast<DeqMethod>(k), 1200, 0), 1200.0) << k;
}

TEST(DeqMethod, TextsOfEveryMethod) {
    const struct {
        DeqMethod method;
        const char *item, *shortName, *oblongName, *rectangleName;
    } cases[] = {
        {DeqMethod::AreaEqual, "A-面积相等折算", "面积相等", "面积相等折算", "面积相等折算"},
        {DeqMethod::PerimeterEqual, "B-周长相等折算", "周长相等", "周长相等折算", "周长相等折算"},
        {DeqMethod::GyrationMax, "C-最大回转半径折算", "回转imax", "最大回转半径折算", "最大回转半径折算"},
        {DeqMethod::GyrationMin, "D-最小回转半径折算", "回转imin", "最小回转半径折算", "最小回转半径折算"},
        {DeqMethod::LongSide, "E-取截面长边尺寸", "截面长边", "截面长边尺寸", "取截面长边尺寸"},
        {DeqMethod::ShortSide, "F-取截面短边尺寸", "截面短边", "截面短边尺寸", "取截面短边尺寸"},
        {DeqMethod::EnvelopeMax, "G-Max(A,B,C,D)", "最大包络", "折算直径最大包络", "折算直径最大包络"},
        {DeqMethod::EnvelopeMin, "H-Min(A,B,C,D)", "最小包络", "折算直径最小包络", "折算直径最小包络"},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(deqMethodItem(c.method), c.item);
        EXPECT_STREQ(deqMethodShortName(c.method), c.shortName);
        EXPECT_EQ(DisplayWidth(c.shortName), 8) << c.shortName;
        EXPECT_STREQ(deqMethodBookName(c.method, SectionType::Oblong), c.oblongName);
        EXPECT_STREQ(deqMethodBookName(c.method, SectionType::Rectangular), c.rectangleName);
        EXPECT_STREQ(deqMethodBookName(c.method, SectionType::Square), c.rectangleName);
        DeqMethod back = DeqMethod::AreaEqual;
        EXPECT_TRUE(deqMethodFromShortName(c.shortName, back));
        EXPECT_EQ(back, c.method);
    }
    DeqMethod unchanged = DeqMethod::GyrationMin;
    EXPECT_FALSE(deqMethodFromShortName("-", unchanged));
    EXPECT_EQ(unchanged, DeqMethod::GyrationMin);
}
