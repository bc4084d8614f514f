#include "module3/module3calc.h"

#include <gtest/gtest.h>

#include <map>

using namespace sp::core;
using namespace sp::module3;

namespace {

std::map<std::string, std::string> boxes(const Outcome& o) { return {o.boxes.begin(), o.boxes.end()}; }
std::map<std::string, Colour> boxColours(const Outcome& o) { return {o.boxColours.begin(), o.boxColours.end()}; }

StatusLine statusAfter(const Outcome& o) {
    StatusLine line;
    o.status.applyTo(line);
    return line;
}

Inputs oblongInSoftIntactRock(DeqMethod method) {
    Inputs in;
    in.section = SectionType::Oblong;
    in.d = "1000";
    in.c = "500";
    in.hr = "2.0d";
    in.frk = "10";
    in.integrity = "完整";
    in.method = method;
    return in;
}

} // namespace

TEST(Module3Calculation, OblongPileByEqualAreaAndByLargestGyration) {
    const struct {
        DeqMethod method;
        double deq, ratio, zetaR, qrk, ra;
        const char *deqBox, *ratioBox, *zetaRBox, *raBox;
        ComplianceVerdict verdict;
        Colour colour;
    } cases[] = {
        {DeqMethod::AreaEqual, 1279.30, 1.5633, 1.0796, 13876.78, 6938.39, "1279", "1.56", "1.0796", "6938",
         ComplianceVerdict::Compliant, kGreen},
        {DeqMethod::GyrationMax, 1545.63, 1.2940, 1.0176, 13080.37, 6540.19, "1546", "1.29", "1.0176", "6540",
         ComplianceVerdict::OverStandard, kRed},
    };
    for (const auto& c : cases) {
        const Outcome o = calculate(oblongInSoftIntactRock(c.method));
        ASSERT_TRUE(o.ok()) << o.message;
        const auto& v = o.values;
        EXPECT_NEAR(v.geometry.deq, c.deq, 0.005);
        EXPECT_NEAR(v.geometry.ratioToDeq, c.ratio, 0.00005);
        EXPECT_NEAR(v.zetaR, c.zetaR, 0.00005);
        EXPECT_NEAR(v.qrk, c.qrk, 0.005);
        EXPECT_NEAR(v.ra, c.ra, 0.005);
        // Ap, μ, the ratio to d and Rc belong to the real section whatever the method.
        EXPECT_NEAR(v.geometry.area, 1285398.16, 0.005);
        EXPECT_NEAR(v.geometry.perimeter, 4141.59, 0.005);
        EXPECT_DOUBLE_EQ(v.geometry.ratioToD, 2.0);
        EXPECT_NEAR(v.rc, 11028.72, 0.005);
        EXPECT_EQ(boxes(o), (std::map<std::string, std::string>{{"edt_ddeq", c.deqBox},
                                                               {"edt_sjbeq", c.ratioBox},
                                                               {"edt_kesair", c.zetaRBox},
                                                               {"edt_ra", c.raBox},
                                                               {"edt_rc", "11029"}}));
        EXPECT_EQ(o.verdict, c.verdict);
        EXPECT_EQ(boxColours(o), (std::map<std::string, Colour>{{"edt_ddeq", c.colour},
                                                               {"edt_sjbeq", c.colour},
                                                               {"edt_kesair", c.colour},
                                                               {"edt_ra", c.colour}}))
            << "Rc does not depend on the method and is never recoloured";
    }
}

TEST(Module3Calculation, VerdictBySectionAndMethod) {
    for (int k = 0; k < kDeqMethodCount; ++k) {
        const auto method = static_cast<DeqMethod>(k);
        const auto nonRound = k == 0 ? ComplianceVerdict::Compliant : ComplianceVerdict::OverStandard;
        EXPECT_EQ(verdictOf(SectionType::Round, method), ComplianceVerdict::Compliant) << k;
        EXPECT_EQ(verdictOf(SectionType::Oblong, method), nonRound) << k;
        EXPECT_EQ(verdictOf(SectionType::Rectangular, method), nonRound) << k;
        EXPECT_EQ(verdictOf(SectionType::Square, method), nonRound) << k;
    }
    EXPECT_STREQ(verdictText(ComplianceVerdict::Compliant), "合规");
    EXPECT_STREQ(verdictText(ComplianceVerdict::OverStandard), "超规");
}

TEST(Module3Calculation, RoundPileIgnoresTheMethodAndComplies) {
    Inputs in;
    in.d = "1200";
    in.method = DeqMethod::GyrationMin;
    const Outcome o = calculate(in);
    ASSERT_TRUE(o.ok()) << o.message;
    EXPECT_EQ(o.values.geometry.deq, 1200.0);
    EXPECT_EQ(o.verdict, ComplianceVerdict::Compliant);
    EXPECT_EQ(boxColours(o).at("edt_ra"), kGreen);
}

TEST(Module3Calculation, RectangleEnteredShortSideFirstIsExchangedBeforeTheMethod) {
    Inputs in;
    in.section = SectionType::Rectangular;
    in.d = "1000";
    in.c = "2000";
    in.hr = "1.0b";
    in.method = DeqMethod::GyrationMax;
    const Outcome o = calculate(in);
    ASSERT_TRUE(o.ok()) << o.message;
    EXPECT_EQ(o.fields.textOf(kFieldD), "2000");
    EXPECT_EQ(o.fields.textOf(kFieldC), "1000");
    EXPECT_NEAR(o.values.geometry.deq, 2309.40, 0.005);
    // For a rectangle both ratios follow the method.
    EXPECT_NEAR(o.values.geometry.ratioToD, 1000 / 2309.401, 0.00001);
}

TEST(Module3Calculation, BrokenRockChecksUseTheChosenDiameter) {
    const struct {
        SectionType section;
        const char *d, *c, *hr;
        DeqMethod method;
        bool ok;
        const char* status;
        Colour colour;
    } cases[] = {
        // Equal area: hr/deq = 0.75 gives the hint; the short side makes it 1.20 and no hint.
        {SectionType::Rectangular, "2000", "1000", "1200", DeqMethod::AreaEqual, true,
         "提示：较破碎岩体上嵌入深度小于1倍折算直径", kMagenta},
        {SectionType::Rectangular, "2000", "1000", "1200", DeqMethod::ShortSide, true, "软岩,岩体较破碎", kBlack},
        // Oblong: the stop compares hr/d (1.10) whatever the method; the hint compares hr/deq (0.71).
        {SectionType::Oblong, "1000", "500", "1100", DeqMethod::GyrationMax, true,
         "提示：较破碎岩体上嵌入深度小于1倍折算直径", kMagenta},
        {SectionType::Oblong, "1000", "500", "1100", DeqMethod::GyrationMin, true, "软岩,岩体较破碎", kBlack},
        {SectionType::Oblong, "1200", "500", "1100", DeqMethod::GyrationMin, false, "较破碎岩体上嵌入深度小于1倍桩径",
         kRed},
    };
    for (const auto& c : cases) {
        Inputs in;
        in.section = c.section;
        in.d = c.d;
        in.c = c.c;
        in.hr = c.hr;
        in.frk = "10";
        in.integrity = "较破碎";
        in.method = c.method;
        const Outcome o = calculate(in);
        EXPECT_EQ(o.ok(), c.ok) << o.message;
        const StatusLine status = statusAfter(o);
        EXPECT_EQ(status.text, c.status) << deqMethodItem(c.method);
        EXPECT_EQ(status.colour, c.colour) << deqMethodItem(c.method);
        EXPECT_EQ(o.verdict, c.method == DeqMethod::AreaEqual ? ComplianceVerdict::Compliant
                                                               : ComplianceVerdict::OverStandard);
    }
}

TEST(Module3Calculation, AVerdictOnlyOnceTheEquivalentDiameterIsReached) {
    const struct {
        const char *d, *hr, *frk, *integrity;
        OutcomeKind kind;
        bool verdict;
    } cases[] = {
        {"0", "1.0d", "25", "较完整", OutcomeKind::Check, false},         // diameter
        {"1000", "-1", "25", "较完整", OutcomeKind::Check, false},        // socket depth
        {"1000", "xd", "25", "较完整", OutcomeKind::Conversion, false},   // socket factor unreadable
        {"1000", "1.0d", "25", "1.2", OutcomeKind::Check, true},          // integrity index
        {"1000", "1.0d", "25", "abc", OutcomeKind::Conversion, true},     // integrity unreadable
        {"1000", "900", "25", "较破碎", OutcomeKind::Check, true},        // broken rock
        {"1000", "1.0d", "0", "较完整", OutcomeKind::Check, true},        // frk
    };
    for (const auto& c : cases) {
        Inputs in = oblongInSoftIntactRock(DeqMethod::PerimeterEqual);
        in.d = c.d;
        in.hr = c.hr;
        in.frk = c.frk;
        in.integrity = c.integrity;
        const Outcome o = calculate(in);
        EXPECT_EQ(o.kind, c.kind) << o.message;
        EXPECT_EQ(o.verdict.has_value(), c.verdict) << o.message;
        if (o.verdict) {
            EXPECT_EQ(*o.verdict, ComplianceVerdict::OverStandard);
        }
        EXPECT_TRUE(o.boxes.empty());
        EXPECT_TRUE(o.boxColours.empty()) << "a stopped calculation leaves the box colours alone";
    }
}

// A size greater than 0 whose section has no area (it underflows) or an infinite one stops on
// its own field before any method computes a diameter from it.
TEST(Module3Calculation, DegenerateSectionsStopOnTheirFieldWhateverTheMethod) {
    const struct {
        SectionType section;
        const char *d, *c, *hr, *message, *field;
    } cases[] = {
        {SectionType::Round, "1e-320", "0", "1.0d", "桩身直径数据有错", "cbe_dd"},
        {SectionType::Oblong, "1e-320", "500", "1.0d", "桩身直径数据有错", "cbe_dd"},
        {SectionType::Oblong, "1000", "1e308", "1.0d", "椭圆直段长度数据有错", "cbe_tyzd"},
        {SectionType::Rectangular, "1e-200", "1e-200", "1.0b", "矩形长边尺寸数据有错", "cbe_dd"},
        {SectionType::Rectangular, "1e-100", "1e-300", "1.0b", "矩形短边尺寸数据有错", "cbe_tyzd"},
        {SectionType::Rectangular, "1000", "1e308", "1.0b", "矩形短边尺寸数据有错", "cbe_tyzd"},
    };
    for (const auto& c : cases) {
        for (int m = 0; m < kDeqMethodCount; ++m) {
            Inputs in;
            in.section = c.section;
            in.d = c.d;
            in.c = c.c;
            in.hr = c.hr;
            in.method = static_cast<DeqMethod>(m);
            const Outcome o = calculate(in);
            ASSERT_EQ(o.kind, OutcomeKind::Check) << c.d << " " << c.c << " method " << m;
            EXPECT_EQ(o.message, c.message) << c.d << " " << c.c;
            EXPECT_EQ(o.field, c.field) << c.d << " " << c.c;
            EXPECT_EQ(o.fields.colourOf(c.field), kRed);
            EXPECT_EQ(statusAfter(o).text, c.message);
            EXPECT_EQ(statusAfter(o).colour, kRed);
            EXPECT_TRUE(o.boxes.empty());
        }
    }
}
