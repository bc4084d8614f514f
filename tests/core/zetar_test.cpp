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
