#include "charts/resistancebars.h"

#include <gtest/gtest.h>

#include <numbers>

using namespace sp;
using namespace sp::charts;
using namespace sp::module2;

namespace {

// Layers of lr, weathering, integrity and frk; the other input cells empty.
Inputs pileOf(std::initializer_list<std::array<const char*, 4>> layers) {
    Inputs in;
    in.grid.setLayerCount(static_cast<int>(layers.size()));
    int i = 0;
    for (const auto& l : layers) {
        ++i;
        in.grid.setCell(i, kColLr, l[0]);
        in.grid.setCell(i, kColWeathering, l[1]);
        in.grid.setCell(i, kColIntegrity, l[2]);
        in.grid.setCell(i, kColFrk, l[3]);
        for (int c : {kColKv, kColC1, kColC2, kColQpk, kColQsrk})
            in.grid.setCell(i, c, "");
    }
    return in;
}

double sum(const ResistanceBars& b) {
    double total = 0.0;
    for (const ResistanceBar& bar : b.bars)
        total += bar.value;
    return total;
}

} // namespace

TEST(ResistanceBars, OneBarPerLayerThenTheEndSummingToQuk) {
    const Outcome o = calculate(pileOf({{"1.0", "中风化", "较破碎", "10"},
                                        {"2.0", "微风化", "完整", "40"},
                                        {"0.5", "中风化", "较完整", "20"}}));
    ASSERT_TRUE(o.ok()) << o.message;
    const ResistanceBars b = resistanceBars(o);
    ASSERT_TRUE(b.ok);
    ASSERT_EQ(b.bars.size(), 4u);

    // Worked by hand: qsrk = C2·frk with the groundwater reduction, Qsrik = qsrk·lr·μ.
    const double mu = std::numbers::pi * 1000.0;
    const double qsrk[] = {0.06 * 0.85 * 10e3, 0.12 * 0.85 * 40e3, (0.08 + 0.01 / 3) * 0.85 * 20e3};
    const double lr[] = {1.0, 2.0, 0.5};
    const double qpk = (0.60 + 0.10 / 3) * 0.85 * 20e3 * std::numbers::pi / 4.0;
    const char* labels[] = {"1", "2", "3", kEndBarLabel};
    const char* shares[] = {"4.23%", "67.61%", "5.87%", "22.30%"};
    for (int i = 0; i < 4; ++i) {
        const ResistanceBar& bar = b.bars[static_cast<std::size_t>(i)];
        EXPECT_EQ(bar.label, labels[i]);
        EXPECT_EQ(bar.shareText, shares[i]);
        EXPECT_EQ(bar.kind, i < 3 ? ResistanceBar::Kind::Side : ResistanceBar::Kind::End);
        EXPECT_EQ(bar.layer, i < 3 ? i + 1 : 3);
        const double expected = i < 3 ? qsrk[i] * lr[i] * mu / 1000.0 : qpk;
        EXPECT_NEAR(bar.value, expected, 1e-9 * expected) << i;
        EXPECT_NEAR(bar.share, expected * 100.0 / o.values.quk, 1e-9) << i;
    }
    EXPECT_NEAR(sum(b), o.values.quk, 1e-9 * o.values.quk);
    EXPECT_EQ(b.quk, o.values.quk);
    EXPECT_EQ(b.endShare, o.values.endShare);
    EXPECT_NEAR(b.sideShare + b.endShare, 100.0, 1e-9);
}

TEST(ResistanceBars, ShortSocketPutsEverythingOnTheEnd) {
    const Outcome o =
        calculate(pileOf({{"0.2", "中风化", "较完整", "25"}, {"0.2", "中风化", "较完整", "25"}}));
    ASSERT_TRUE(o.ok()) << o.message;
    const ResistanceBars b = resistanceBars(o);
    ASSERT_EQ(b.bars.size(), 3u);
    EXPECT_EQ(b.bars[0].value, 0.0);
    EXPECT_EQ(b.bars[1].value, 0.0);
    EXPECT_EQ(b.bars[0].shareText, "0.00%");
    EXPECT_EQ(b.bars[2].value, o.values.quk);
    EXPECT_EQ(b.bars[2].shareText, "100.00%");
    EXPECT_EQ(sum(b), o.values.quk);
}

TEST(ResistanceBars, StoppedCalculationHasNothingToDraw) {
    const Outcome o = calculate(pileOf({{"1.0", "中风化", "较完整", ""}}));
    ASSERT_FALSE(o.ok());
    const ResistanceBars b = resistanceBars(o);
    EXPECT_FALSE(b.ok);
    EXPECT_TRUE(b.bars.empty());
}
