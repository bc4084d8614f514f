#include "core/zetar.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace sp::core;

TEST(ZetaLookup, ReadsTheTableByGroupRatioAndIntegrity) {
    using I = IntegrityClass;
    const struct {
        double frk, ratio;
        I cls;
        double kv, zeta;
    } cases[] = {
        {10, 1.25, I::Intact, 0, 1.0075},        {10, 6.0, I::FairlyIntact, 0, 1.45},
        {10, 7.3, I::FairlyIntact, 0, 1.45},     {40, 4.0, I::Intact, 0, 1.04},
        {40, 5.0, I::Intact, 0, 1.04},           {40, 3.25, I::Intact, 0, 1.01},
        {22.5, 2.0, I::Intact, 0, 1.04},         {22.5, 5.0, I::Intact, 0, 1.26},
        {10, 2.0, I::Interpolated, 0.45, 0.84},  {10, 8.0, I::Interpolated, 0.45, 1.08},
        {40, 10, I::Interpolated, 0.45, 0.72},   {25, 1.0, I::FairlyIntact, 0, 0.78666666666666667},
        {10, 1.0, I::FairlyBroken, 0, 0.55},     {40, 2.0, I::FairlyBroken, 0, 0.44},
        {10, 2.0, I::Interpolated, 0.55, 1.08},  {10, 2.0, I::Interpolated, 0.35, 0.60},
        {22.5, 5.0, I::FairlyBroken, 0, 0.615},  {22.5, 5.0, I::Interpolated, 0.45, (1.01 + 0.72) / 2},
        {22.5, 2.0, I::Interpolated, 0.45, (0.84 + (0.79 + 0.44) / 2) / 2},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(zetaOf(c.ratio, c.frk, c.cls, c.kv), c.zeta, 1e-12)
            << "frk " << c.frk << " r " << c.ratio << " class " << static_cast<int>(c.cls);
}

TEST(BrokenRock, DepthRulesInOrder) {
    auto geometry = [](double hr, double d, double deq) {
        SectionGeometry g;
        g.hr = hr;
        g.deq = deq;
        g.ratioToDeq = hr / deq;
        g.ratioToD = hr / d;
        return g;
    };
    EXPECT_EQ(checkBrokenRock(SectionType::Round, geometry(900, 1000, 1000)), BrokenRockCheck::ShorterThan1m);
    EXPECT_EQ(checkBrokenRock(SectionType::Round, geometry(1000, 1000, 1000)), BrokenRockCheck::Pass);
    EXPECT_EQ(checkBrokenRock(SectionType::Round, geometry(1200, 1500, 1500)),
              BrokenRockCheck::ShorterThanOneDiameter);
    EXPECT_EQ(checkBrokenRock(SectionType::Oblong, geometry(1100, 1200, 1400)),
              BrokenRockCheck::ShorterThanOneDiameter);
    EXPECT_EQ(checkBrokenRock(SectionType::Oblong, geometry(1300, 1200, 1400)), BrokenRockCheck::HintShorterThanDeq);
    EXPECT_EQ(checkBrokenRock(SectionType::Rectangular, geometry(1200, 1595.8, 1595.8)),
              BrokenRockCheck::HintShorterThanDeq);
}

// Past the last row read (soft 6.0, transition and hard 4.0) an integrity index between 0.35 and
// 0.55 interpolates between the "较完整" value at Kv 0.55 and the "较破碎" value at Kv 0.35 of that
// row; inside the table it interpolates the same way between the two ratio rows. Worked by hand:
// ζ = ζ(较完整) + (ζ(较破碎) − ζ(较完整)) · (0.55 − Kv) / 0.2, and for the transition group
// ζ = s + (h − s) · (frk − 15) / 15 with s and h the soft and hard values.
TEST(ZetaLookup, IntegrityIndexInterpolatesInsideAndBeyondTheTable) {
    const auto I = IntegrityClass::Interpolated;
    const struct {
        const char* where;
        double frk, ratio, kv, zeta;
    } cases[] = {
        // Soft, beyond 6.0: 1.45 at Kv 0.55, 0.71 at Kv 0.35.
        {"soft beyond", 10, 7.0, 0.36, 0.747},
        {"soft beyond", 10, 7.0, 0.40, 0.895},
        {"soft beyond", 10, 7.0, 0.50, 1.265},
        {"soft beyond", 10, 7.0, 0.54, 1.413},
        {"soft beyond", 4, 12.0, 0.40, 0.895},
        // Hard, beyond 4.0: 0.92 and 0.52.
        {"hard beyond", 40, 5.0, 0.36, 0.54},
        {"hard beyond", 40, 5.0, 0.40, 0.62},
        {"hard beyond", 40, 5.0, 0.50, 0.82},
        {"hard beyond", 70, 9.5, 0.54, 0.90},
        // Transition (frk 25, two thirds of the way to hard), beyond 4.0: soft row 4.0 gives
        // 1.31 and 0.71, so s = 0.74, 0.86, 1.16, 1.28; h as for hard rock.
        {"transition beyond", 25, 5.0, 0.36, (0.74 + 2 * 0.54) / 3},
        {"transition beyond", 25, 5.0, 0.40, (0.86 + 2 * 0.62) / 3},
        {"transition beyond", 25, 5.0, 0.50, (1.16 + 2 * 0.82) / 3},
        {"transition beyond", 25, 4.5, 0.54, (1.28 + 2 * 0.90) / 3},
        // The last row inside the range gives the same values as beyond it.
        {"soft at 6.0", 10, 6.0, 0.40, 0.895},
        {"hard at 4.0", 40, 4.0, 0.40, 0.62},
        // Inside: soft at 2.25 lies halfway between rows 4 and 5, so "较完整" 1.11 and "较破碎" 0.6125.
        {"soft inside", 10, 2.25, 0.40, 1.11 - 0.4975 * 0.75},
        {"soft inside", 10, 2.25, 0.50, 1.11 - 0.4975 * 0.25},
        // Hard at 1.25, halfway between rows 2 and 3: 0.7375 and 0.41.
        {"hard inside", 40, 1.25, 0.36, 0.7375 - 0.3275 * 0.95},
        {"hard inside", 40, 1.25, 0.54, 0.7375 - 0.3275 * 0.05},
        // Transition at 3.0 (row 6): soft 1.20 and 0.65, hard 0.87 and 0.48.
        {"transition inside", 25, 3.0, 0.40, (0.7875 + 2 * 0.5775) / 3},
        {"transition inside", 25, 3.0, 0.50, (1.0625 + 2 * 0.7725) / 3},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(zetaOf(c.ratio, c.frk, I, c.kv), c.zeta, 1e-12)
            << c.where << ": frk " << c.frk << " r " << c.ratio << " Kv " << c.kv;
}

namespace {

// The lookup as it was written before it kept its working, with the bilinear routine: the
// working must give its very numbers, to the last bit.
double referenceZeta(double ratio, double frk, IntegrityClass cls, double kv) {
    auto T = zetaTableValue;
    const int kc = 1, kb = 2;
    const int offset = cls == IntegrityClass::Intact ? 0 : cls == IntegrityClass::FairlyIntact ? 1 : 2;
    auto column = [&](int group) { return group + offset; };
    const double u = ratio / 0.5;
    auto group = [&](int g) {
        const int i = static_cast<int>(u);
        if (cls == IntegrityClass::Interpolated)
            return bilinearInterpolate(i, T(i, g + kc), i + 1, T(i + 1, g + kc), T(i, g + kb), T(i + 1, g + kb), 0.55,
                                       0.35, u, kv);
        return linearInterpolate(i, T(i, column(g)), i + 1, T(i + 1, column(g)), u);
    };
    auto beyond = [&](int row, int g) {
        if (cls == IntegrityClass::Interpolated)
            return linearInterpolate(0.55, T(row, g + kc), 0.35, T(row, g + kb), kv);
        return T(row, column(g));
    };
    switch (rockGroupOf(frk)) {
    case RockGroup::Soft:
        return ratio <= 6.0 ? group(0) : beyond(12, 0);
    case RockGroup::Hard:
        return ratio <= 4.0 ? group(3) : beyond(8, 3);
    case RockGroup::Transition: {
        if (ratio > 4.0)
            return linearInterpolate(15, beyond(8, 0), 30, beyond(8, 3), frk);
        if (cls == IntegrityClass::Interpolated)
            return linearInterpolate(15, group(0), 30, group(3), frk);
        const int i = static_cast<int>(u);
        return bilinearInterpolate(i, T(i, column(0)), i + 1, T(i + 1, column(0)), T(i, column(3)),
                                   T(i + 1, column(3)), 15, 30, u, frk);
    }
    case RockGroup::None:
        break;
    }
    return 0.0;
}

} // namespace

TEST(ZetaWorking, GivesTheLookupsOwnNumbersBitForBit) {
    const IntegrityClass classes[] = {IntegrityClass::Intact, IntegrityClass::FairlyIntact,
                                      IntegrityClass::FairlyBroken, IntegrityClass::Interpolated};
    const double frks[] = {0.5, 5, 10, 14.99, 15, 15.01, 17.3, 22.5, 25, 29.9, 30, 30.01, 45, 60, 61, 150};
    const double kvs[] = {0.35, 0.3712, 0.4, 0.45, 0.5, 0.537, 0.55};
    int compared = 0;
    for (int step = 0; step <= 1700; ++step) {
        const double ratio = step * 0.0049; // 0 … 8.33, on rows and between them
        for (double frk : frks) {
            for (IntegrityClass cls : classes) {
                for (double kv : kvs) {
                    if (cls != IntegrityClass::Interpolated && kv != kvs[0])
                        continue;
                    const ZetaWorking w = zetaWorking(ratio, frk, cls, kv);
                    const double expected = referenceZeta(ratio, frk, cls, kv);
                    ASSERT_EQ(std::memcmp(&w.zeta, &expected, sizeof expected), 0)
                        << "r " << ratio << " frk " << frk << " class " << static_cast<int>(cls) << " Kv " << kv;
                    ASSERT_EQ(zetaOf(ratio, frk, cls, kv), w.zeta);
                    ++compared;
                }
            }
        }
    }
    EXPECT_GT(compared, 100000);
}

// The working names what the book writes out: the row or rows, the columns read with their table
// values, and each interpolation's result.
TEST(ZetaWorking, KeepsRowsColumnsAndEachInterpolation) {
    // The default pile: transition rock on the 1.0 row, "较完整" of both groups, then by frk.
    const ZetaWorking onRow = zetaWorking(1.0, 25, IntegrityClass::FairlyIntact, 0);
    EXPECT_EQ(onRow.rockGroup, RockGroup::Transition);
    EXPECT_FALSE(onRow.beyond);
    EXPECT_FALSE(onRow.betweenRows);
    EXPECT_EQ(onRow.row, 2);
    ASSERT_EQ(onRow.groupCount, 2);
    EXPECT_EQ(onRow.groups[0].columnCount, 1);
    EXPECT_EQ(onRow.groups[0].columns[0].column, 1);
    EXPECT_EQ(onRow.groups[0].value, 0.92);
    EXPECT_EQ(onRow.groups[1].columns[0].column, 4);
    EXPECT_EQ(onRow.groups[1].value, 0.72);

    // Soft rock between rows 1.0 and 1.5, "完整": 0.95 → 1.065 halfway.
    const ZetaWorking between = zetaWorking(1.25, 10, IntegrityClass::Intact, 0);
    EXPECT_TRUE(between.betweenRows);
    EXPECT_EQ(between.row, 2);
    ASSERT_EQ(between.groupCount, 1);
    EXPECT_EQ(between.groups[0].columns[0].atRow, 0.95);
    EXPECT_EQ(between.groups[0].columns[0].atNextRow, 1.065);
    EXPECT_NEAR(between.zeta, 1.0075, 1e-15);

    // Hard rock, Kv 0.45, between rows 2.0 and 2.5: "较完整" 0.79 → 0.83 and "较破碎" 0.44 → 0.46
    // at a quarter of the way (2.125), then halfway between the two by Kv.
    const ZetaWorking byKv = zetaWorking(2.125, 40, IntegrityClass::Interpolated, 0.45);
    ASSERT_EQ(byKv.groups[0].columnCount, 2);
    EXPECT_EQ(byKv.groups[0].columns[0].column, 4);
    EXPECT_EQ(byKv.groups[0].columns[1].column, 5);
    EXPECT_NEAR(byKv.groups[0].columns[0].value, 0.80, 1e-15);
    EXPECT_NEAR(byKv.groups[0].columns[1].value, 0.445, 1e-15);
    EXPECT_NEAR(byKv.zeta, (0.80 + 0.445) / 2, 1e-15);

    // Past the table the last row read stands: 6.0 for soft rock, 4.0 for the transition.
    const ZetaWorking soft = zetaWorking(7.3, 10, IntegrityClass::FairlyIntact, 0);
    EXPECT_TRUE(soft.beyond);
    EXPECT_EQ(soft.row, kZetaLastSoftRow);
    EXPECT_EQ(soft.zeta, 1.45);
    const ZetaWorking transition = zetaWorking(5.0, 22.5, IntegrityClass::Intact, 0);
    EXPECT_TRUE(transition.beyond);
    EXPECT_EQ(transition.row, kZetaLastHardRow);
    EXPECT_EQ(transition.groups[0].value, 1.48);
    EXPECT_EQ(transition.groups[1].value, 1.04);

    EXPECT_EQ(zetaWorking(1.0, 0, IntegrityClass::Intact, 0).groupCount, 0);
}
