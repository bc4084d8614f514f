#include "core/zetar.h"

#include <gtest/gtest.h>

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
