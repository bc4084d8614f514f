#include "core/tables.h"

#include <gtest/gtest.h>

using namespace sp::core;

TEST(Hardness, UpperBoundsAreInclusive) {
    const struct {
        double frk;
        const char* cls;
        RockGroup group;
    } cases[] = {
        {5, "极软岩", RockGroup::Soft},        {5.01, "软岩", RockGroup::Soft},
        {15, "软岩", RockGroup::Soft},         {15.01, "较软岩", RockGroup::Transition},
        {30, "较软岩", RockGroup::Transition}, {60, "较硬岩", RockGroup::Hard},
        {60.5, "坚硬岩", RockGroup::Hard},     {0, "", RockGroup::None},
        {-3, "", RockGroup::None},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(hardnessOf(c.frk), c.cls) << c.frk;
        EXPECT_EQ(rockGroupOf(c.frk), c.group) << c.frk;
    }
}

TEST(IntegrityIndex, ClassesWithTheirTolerance) {
    using V = IndexIntegrity::Verdict;
    const struct {
        double kv;
        V verdict;
        IntegrityClass cls;
    } cases[] = {
        {0.76, V::Class, IntegrityClass::Intact},        {1.0, V::Class, IntegrityClass::Intact},
        {0.75, V::Class, IntegrityClass::FairlyIntact},  {0.56, V::Class, IntegrityClass::FairlyIntact},
        {0.55, V::Class, IntegrityClass::Interpolated},  {0.45, V::Class, IntegrityClass::Interpolated},
        {0.35, V::Class, IntegrityClass::Interpolated},  {0.349999, V::Class, IntegrityClass::Interpolated},
        {0.349, V::Broken, IntegrityClass::Intact},      {0.34, V::Broken, IntegrityClass::Intact},
        {1.01, V::Invalid, IntegrityClass::Intact},      {0, V::Invalid, IntegrityClass::Intact},
    };
    for (const auto& c : cases) {
        const IndexIntegrity r = integrityOfIndex(c.kv);
        EXPECT_EQ(r.verdict, c.verdict) << c.kv;
        if (c.verdict == V::Class) {
            EXPECT_EQ(r.cls, c.cls) << c.kv;
        }
    }
}

TEST(ProcessAndGrade, PsiCFollowsTheProcessThenTheGrade) {
    EXPECT_DOUBLE_EQ(psiCOf(0, 1), 0.80); // dry process, C30
    EXPECT_DOUBLE_EQ(psiCOf(0, 3), 0.60); // dry process, C40
    EXPECT_DOUBLE_EQ(psiCOf(2, 0), 0.60);
    EXPECT_DOUBLE_EQ(processFactorOf(2), 1.15);
    EXPECT_DOUBLE_EQ(processFactorOf(0), 1.15);
    EXPECT_DOUBLE_EQ(processFactorOf(1), 1.00);
    EXPECT_DOUBLE_EQ(fcOf(1), 14.3);
    EXPECT_DOUBLE_EQ(fcOf(7), 27.5);
    EXPECT_STREQ(gradeItem(7), "C60");
    EXPECT_EQ(gradeNumber(2), 35);
    EXPECT_STREQ(processShortText(2), "后 注 浆");
}

TEST(Interpolation, LinearAndBilinear) {
    EXPECT_DOUBLE_EQ(linearInterpolate(0, 0.6, 1, 0.8, 0.5), 0.7);
    EXPECT_NEAR(linearInterpolate(0.55, 1.31, 0.35, 0.71, 0.45), 1.01, 1e-12);
    // Downward second axis and extrapolation need no special case.
    EXPECT_NEAR(bilinearInterpolate(0, 1, 1, 2, 3, 4, 0.55, 0.35, 0.5, 0.45), 2.5, 1e-12);
    EXPECT_NEAR(linearInterpolate(0, 0, 1, 1, 2), 2.0, 1e-12);
}

TEST(IntegrityIndex, EachBoundIsOneMillionthWideOnItsOwnSide) {
    using V = IndexIntegrity::Verdict;
    const struct {
        double kv;
        V verdict;
        IntegrityClass cls;
    } cases[] = {
        {0.750002, V::Class, IntegrityClass::Intact},
        {0.750001, V::Class, IntegrityClass::FairlyIntact},
        {0.550002, V::Class, IntegrityClass::FairlyIntact},
        {0.550001, V::Class, IntegrityClass::Interpolated},
        {0.349999, V::Class, IntegrityClass::Interpolated},
        {0.349998, V::Broken, IntegrityClass::Intact},
        {1.000001, V::Invalid, IntegrityClass::Intact},
        {-0.2, V::Invalid, IntegrityClass::Intact},
    };
    for (const auto& c : cases) {
        const IndexIntegrity r = integrityOfIndex(c.kv);
        EXPECT_EQ(r.verdict, c.verdict) << c.kv;
        if (c.verdict == V::Class) {
            EXPECT_EQ(r.cls, c.cls) << c.kv;
        }
    }
}
