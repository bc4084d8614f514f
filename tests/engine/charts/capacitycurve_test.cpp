#include "charts/capacitycurve.h"
#include "engine/module1/onelayerpile.h"

#include "core/numbers.h"
#include "core/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace sp;
using namespace sp::charts;
using core::SectionType;

namespace {

using test::pile;

// The calculation alone at a depth in millimetres.
module1::Outcome alone(module1::Inputs in, double hr) {
    in.hr = core::GeneralText(hr);
    return module1::calculate(in);
}

struct CurveCase {
    const char* name;
    module1::Inputs inputs;
    double plateauRatio;  // hr/deq where the table's last row is read: 6 soft, 4 otherwise
    double firstAccepted; // mm: 0, or where the broken-rock rules stop refusing
    const char* firstGap; // the message of the refused depths from 0; empty when none
};

// Sizes that put the table's rows off the even grid, so that a curve without its row samples
// would cut the bends.
const CurveCase kCases[] = {
    {"soft intact round", pile(SectionType::Round, "1150", "0", "2.0d", "10", "完整"), 6.0, 0.0, ""},
    {"transition, the window's default rock", pile(SectionType::Round, "1150", "0", "1.0d", "25", "较完整"),
     4.0, 0.0, ""},
    {"hard, dry work", pile(SectionType::Round, "1150", "0", "1500", "45", "完整", 0), 4.0, 0.0, ""},
    {"soft, interpolated by Kv", pile(SectionType::Round, "1150", "0", "2.0d", "12", "0.45"), 6.0, 1150.0,
     "较破碎岩体上嵌入深度小于1m"},
    {"broken round, 1 m then 1 d", pile(SectionType::Round, "1500", "0", "2.0d", "40", "较破碎"), 4.0, 1500.0,
     "较破碎岩体上嵌入深度小于1m"},
    {"broken round smaller than 1 m", pile(SectionType::Round, "800", "0", "2.0d", "40", "较破碎"), 4.0,
     1000.0, "较破碎岩体上嵌入深度小于1m"},
    {"broken oblong, 1 d by hr/d", pile(SectionType::Oblong, "1150", "700", "2.0d", "20", "较破碎"), 4.0,
     1150.0, "较破碎岩体上嵌入深度小于1m"},
    {"broken rectangle: 1 m, then a hint only",
     pile(SectionType::Rectangular, "2300", "1150", "1.0b", "50", "较破碎"), 4.0, 1000.0,
     "较破碎岩体上嵌入深度小于1m"},
};

} // namespace

// Ra is a straight line between two samples only if no bend of the reading lies between them:
// every midpoint calculated alone must fall on the line, so the drawn curve is the calculation's.
TEST(CapacityCurve, DrawnLineIsTheCalculationBetweenEverySampleAndRcIsFlat) {
    for (const CurveCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const CapacityCurve curve = capacityCurve(c.inputs);
        ASSERT_TRUE(curve.ok) << curve.message;
        ASSERT_TRUE(curve.design);
        const module1::Outcome design = module1::calculate(c.inputs);
        ASSERT_TRUE(design.ok());
        EXPECT_EQ(curve.design->ra, design.values.ra);
        EXPECT_EQ(curve.design->rc, design.values.rc);
        EXPECT_EQ(curve.design->hr, design.values.geometry.hr);
        EXPECT_EQ(curve.deq, design.values.geometry.deq);

        ASSERT_GT(curve.points.size(), 160u) << "at least 400 steps' worth, rounded to a plain step";
        EXPECT_EQ(curve.points.front().hr, 0.0);
        EXPECT_EQ(curve.points.back().hr, curve.hrEnd);
        for (const CurveSegment& s : curve.segments()) {
            for (std::size_t i = s.begin; i < s.end; ++i) {
                const CurvePoint& p = curve.points[i];
                const module1::Outcome single = alone(c.inputs, p.hr);
                ASSERT_TRUE(single.ok()) << p.hr;
                EXPECT_EQ(p.ra, single.values.ra) << p.hr;
                EXPECT_EQ(p.rc, design.values.rc) << p.hr;
                EXPECT_EQ(p.hinted, !single.values.hint.empty()) << p.hr;
                if (i + 1 == s.end)
                    continue;
                const CurvePoint& q = curve.points[i + 1];
                ASSERT_LT(p.hr, q.hr);
                const double mid = 0.5 * (p.hr + q.hr);
                const module1::Outcome between = alone(c.inputs, mid);
                ASSERT_TRUE(between.ok()) << mid;
                const double line = p.ra + (q.ra - p.ra) * (mid - p.hr) / (q.hr - p.hr);
                EXPECT_NEAR(between.values.ra, line, 1e-9 * line) << "between " << p.hr << " and " << q.hr;
            }
        }
    }
}

TEST(CapacityCurve, RefusedDepthsAreGapsEndingWhereTheRulesStopRefusing) {
    for (const CurveCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const CapacityCurve curve = capacityCurve(c.inputs);
        ASSERT_TRUE(curve.ok);
        ASSERT_TRUE(curve.firstAcceptedHr());
        EXPECT_EQ(*curve.firstAcceptedHr(), c.firstAccepted);
        for (const CurvePoint& p : curve.points) {
            EXPECT_EQ(p.accepted, p.hr >= c.firstAccepted) << p.hr;
            if (!p.accepted) {
                EXPECT_TRUE(std::isnan(p.ra) && std::isnan(p.rc)) << p.hr;
                EXPECT_EQ(p.refusal, alone(c.inputs, p.hr).message) << p.hr;
            }
        }
        EXPECT_EQ(curve.segments().size(), 1u);
        if (*c.firstGap == '\0') {
            EXPECT_TRUE(curve.gaps.empty());
            continue;
        }
        ASSERT_FALSE(curve.gaps.empty());
        EXPECT_EQ(curve.gaps.front().from, 0.0);
        EXPECT_EQ(curve.gaps.front().message, c.firstGap);
        EXPECT_EQ(curve.gaps.back().to, c.firstAccepted);
        for (std::size_t i = 1; i < curve.gaps.size(); ++i)
            EXPECT_EQ(curve.gaps[i].from, curve.gaps[i - 1].to);
    }
}

TEST(CapacityCurve, BrokenRoundPileGapsSayWhyInTurn) {
    const CapacityCurve curve = capacityCurve(pile(SectionType::Round, "1500", "0", "2.0d", "40", "较破碎"));
    ASSERT_EQ(curve.gaps.size(), 2u);
    EXPECT_EQ(curve.gaps[0].from, 0.0);
    EXPECT_EQ(curve.gaps[0].to, 1000.0);
    EXPECT_EQ(curve.gaps[0].message, "较破碎岩体上嵌入深度小于1m");
    EXPECT_EQ(curve.gaps[1].from, 1000.0);
    EXPECT_EQ(curve.gaps[1].to, 1500.0);
    EXPECT_EQ(curve.gaps[1].message, "较破碎岩体上嵌入深度小于1倍桩径");
}

TEST(CapacityCurve, BrokenRectangleGoesOnWithTheHintBelowOneDeq) {
    const module1::Inputs in = pile(SectionType::Rectangular, "2300", "1150", "1.0b", "50", "较破碎");
    const CapacityCurve curve = capacityCurve(in);
    int hinted = 0;
    for (const CurvePoint& p : curve.points) {
        if (!p.accepted)
            continue;
        EXPECT_EQ(p.hinted, p.hr < curve.deq) << p.hr;
        hinted += p.hinted ? 1 : 0;
    }
    EXPECT_GT(hinted, 0);
    EXPECT_TRUE(curve.gaps.size() == 1 && curve.gaps[0].to == 1000.0) << "a hint is no gap";
}

TEST(CapacityCurve, RaIsFlatFromThePlateauStartAndBendsThere) {
    for (const CurveCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const CapacityCurve curve = capacityCurve(c.inputs);
        EXPECT_DOUBLE_EQ(curve.plateauStart, c.plateauRatio * curve.deq);
        EXPECT_EQ(curve.plateauRow, static_cast<int>(c.plateauRatio * 2));
        EXPECT_GE(curve.hrEnd, 1.5 * curve.plateauStart);
        const module1::Outcome flat = alone(c.inputs, curve.plateauStart);
        ASSERT_TRUE(flat.ok());
        bool sampledAtStart = false;
        for (const CurvePoint& p : curve.points) {
            if (!p.accepted)
                continue;
            if (p.hr == curve.plateauStart)
                sampledAtStart = true;
            // Past the last row the same value stands; just before it (the hr text read back
            // may fall a hair short of the row) the last stretch of the line ends there.
            if (p.hr >= curve.plateauStart) {
                EXPECT_NEAR(p.ra, flat.values.ra, 1e-12 * flat.values.ra) << p.hr;
            } else {
                EXPECT_LT(p.ra, flat.values.ra * (1.0 - 1e-9)) << p.hr;
            }
        }
        EXPECT_TRUE(sampledAtStart);
    }
}

TEST(CapacityCurve, ModuleThreeReadsTheTableByItsMethodsDiameter) {
    module3::Inputs in;
    static_cast<module1::Inputs&>(in) = pile(SectionType::Oblong, "1000", "500", "2.0d", "40", "完整");
    const CapacityCurve byArea = capacityCurve(in);
    in.method = module3::DeqMethod::GyrationMax;
    const CapacityCurve byGyration = capacityCurve(in);
    ASSERT_TRUE(byArea.ok && byGyration.ok);
    EXPECT_NEAR(byArea.deq, 1279.30, 0.01);
    EXPECT_NEAR(byGyration.deq, 1545.63, 0.01);
    EXPECT_DOUBLE_EQ(byGyration.plateauStart, 4.0 * byGyration.deq);
    const module3::Outcome design = module3::calculate(in);
    ASSERT_TRUE(byGyration.design);
    EXPECT_EQ(byGyration.design->ra, design.values.ra);
    for (const CurvePoint& p : byGyration.points) {
        module3::Inputs at = in;
        at.hr = core::GeneralText(p.hr);
        EXPECT_EQ(p.ra, module3::calculate(at).values.ra) << p.hr;
    }
}

TEST(CapacityCurve, LinesAndDesignAsGivenAndTheRangeCoversADeepDesign) {
    CurveRequest request;
    request.raRequired = 9000.0;
    request.axialForce = 6000.0;
    const module1::Inputs deep = pile(SectionType::Round, "1000", "0", "9.0d", "40", "完整");
    const CapacityCurve curve = capacityCurve(deep, request);
    EXPECT_EQ(curve.raRequired, 9000.0);
    EXPECT_EQ(curve.axialForce, 6000.0);
    ASSERT_TRUE(curve.design);
    EXPECT_EQ(curve.design->hr, 9000.0);
    EXPECT_GE(curve.hrEnd, 1.1 * 9000.0);
    EXPECT_FALSE(capacityCurve(pile(SectionType::Round, "1000", "0", "1.0d", "40", "完整")).raRequired);
}

TEST(CapacityCurve, DesignDepthRefusedStillDrawsTheCurve) {
    const CapacityCurve curve = capacityCurve(pile(SectionType::Round, "1000", "0", "900", "40", "较破碎"));
    ASSERT_TRUE(curve.ok);
    EXPECT_FALSE(curve.design);
    EXPECT_EQ(curve.designMessage, "较破碎岩体上嵌入深度小于1m");
    EXPECT_FALSE(curve.segments().empty());
}

TEST(CapacityCurve, InputsThatFailWhateverTheDepthGiveNothingToDraw) {
    const struct {
        module1::Inputs inputs;
        const char* message;
        const char* field;
    } cases[] = {
        {pile(SectionType::Round, "1000", "0", "1.0d", "0", "完整"), "岩石单轴抗压强度值有错", "edt_frk"},
        {pile(SectionType::Round, "0", "0", "1.0d", "30", "完整"), "桩身直径数据有错", "cbe_dd"},
        {pile(SectionType::Round, "1000", "0", "1.0d", "30", "0.2"), "破碎、极破碎岩体不适用嵌岩桩",
         "cbe_yswzcd"},
    };
    for (const auto& c : cases) {
        const CapacityCurve curve = capacityCurve(c.inputs);
        EXPECT_FALSE(curve.ok);
        EXPECT_EQ(curve.message, c.message);
        EXPECT_EQ(curve.field, c.field);
        EXPECT_TRUE(curve.points.empty());
    }
}

// An edge that no sampled depth names is narrowed by the calculation itself.
TEST(CapacityCurve, UnnamedEdgeIsFoundByBisection) {
    const module1::Inputs in = pile(SectionType::Round, "1000", "0", "2.0d", "40", "完整");
    const DepthCalculation refusingBelow = [&in](const std::string& hr) {
        module1::Inputs at = in;
        at.hr = hr;
        if (*core::readStrict(hr) >= 1234.567)
            return module1::calculate(at);
        module1::Outcome refused;
        refused.kind = core::OutcomeKind::Check;
        refused.message = "太浅";
        return refused;
    };
    const CapacityCurve curve = capacityCurve(refusingBelow, in.hr, {});
    ASSERT_TRUE(curve.ok);
    ASSERT_TRUE(curve.firstAcceptedHr());
    EXPECT_GE(*curve.firstAcceptedHr(), 1234.567);
    EXPECT_LT(*curve.firstAcceptedHr(), 1234.567 + 1e-5);
    ASSERT_EQ(curve.gaps.size(), 1u);
    EXPECT_EQ(curve.gaps[0].message, "太浅");
    EXPECT_EQ(curve.gaps[0].to, *curve.firstAcceptedHr());
}
