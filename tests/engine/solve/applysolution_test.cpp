// A solution taken into a module's input layer: the depth (or diameter) typed into its field, then
// an ordinary calculation with the pile's inputs recorded.

#include "solve/applysolution.h"

#include "module2/rocklayergrid.h"
#include "project/pileinputs.h"

#include <gtest/gtest.h>

using namespace sp;
using namespace sp::solve;

namespace {

const core::Moment kMoment{2026, 12, 10, 9, 30, 0};

} // namespace

TEST(ApplySolution, DepthGoesIntoTheHrFieldAndIsCalculatedAsOnePile) {
    module1::Session session;
    session.setFieldText(module1::kFieldFrk, "30");
    const DepthSolution s = solveDepth(session.inputs(), Target{10000.0, 6000.0});
    ASSERT_EQ(s.kind, SolveKind::Found) << s.message;

    const module1::Outcome o = applyDepth(session, s, kMoment);
    ASSERT_TRUE(o.ok()) << o.message;
    EXPECT_EQ(session.fieldText(module1::kFieldHr), s.depthText);
    EXPECT_EQ(o.values.ra, s.ra);
    EXPECT_EQ(o.values.rc, *s.rc);
    EXPECT_EQ(session.box(module1::kBoxRa), o.boxes[3].second);
    EXPECT_TRUE(session.calculated());
    ASSERT_EQ(session.documents().pileRegister().count(), 1);
    EXPECT_NE(session.documents().records().back().find("\"hr\":\"" + s.depthText + "\""), std::string::npos)
        << session.documents().records().back();
}

TEST(ApplySolution, Module3KeepsItsMethodAndVerdict) {
    module3::Session session;
    session.chooseSection(core::SectionType::Rectangular);
    session.setFieldText(module1::kFieldD, "2000");
    session.chooseMethod(module3::DeqMethod::ShortSide);
    const DepthSolution s = solveDepth(session.inputs(), Target{20000.0, std::nullopt});
    ASSERT_EQ(s.kind, SolveKind::Found) << s.message;
    const module3::Outcome o = applyDepth(session, s, kMoment);
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(o.values.ra, s.ra);
    EXPECT_EQ(session.verdict(), module3::ComplianceVerdict::OverStandard);
    EXPECT_EQ(session.fieldText(module1::kFieldHr), s.depthText);
}

TEST(ApplySolution, Module2DepthGoesIntoTheBottomLayersLength) {
    module2::Session session;
    module2::LayerTexts top = module2::defaultLayer();
    top.lr = "0.8";
    session.enterLayers({top, module2::defaultLayer()});
    const DepthSolution s = solveDepth(session.inputs(), Target{12000.0, std::nullopt});
    ASSERT_EQ(s.kind, SolveKind::Found) << s.message;
    const module2::Outcome o = applyDepth(session, s, kMoment);
    ASSERT_TRUE(o.ok()) << o.message;
    EXPECT_EQ(session.grid().cell(2, module2::kColLr), s.depthText);
    EXPECT_EQ(session.grid().cell(1, module2::kColLr), "0.8");
    EXPECT_EQ(o.values.ra, s.ra);
    EXPECT_EQ(session.documents().pileRegister().count(), 1);
}

TEST(ApplySolution, DiameterGoesIntoDWithTheSocketAsTyped) {
    module1::Session session;
    session.setFieldText(module1::kFieldHr, "2000");
    const auto s = leastDiameter(session.inputs(), Target{15000.0, std::nullopt});
    ASSERT_TRUE(s && s->kind == SolveKind::Found);
    const module1::Outcome o = applyDiameter(session, *s, kMoment, false);
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(session.fieldText(module1::kFieldD), s->dText);
    EXPECT_EQ(session.fieldText(module1::kFieldHr), "2000");
    EXPECT_EQ(o.values.ra, s->ra);
    EXPECT_EQ(session.documents().pileRegister().count(), 0) << "the optimisation layer was open";
}

TEST(ApplySolution, ASocketInMillimetresReachesThePagesAsTyped) {
    // 250 mm of socket on a 1200 mm pile once went into the pages as "0.208333333333333d".
    module1::Session session;
    session.setFieldText(module1::kFieldD, "1200");
    session.setFieldText(module1::kFieldHr, "250");
    const auto s = leastDiameter(session.inputs(), Target{9000.0, std::nullopt});
    ASSERT_TRUE(s && s->kind == SolveKind::Found) << (s ? s->message : "");
    ASSERT_TRUE(applyDiameter(session, *s, kMoment).ok());
    EXPECT_EQ(session.fieldText(module1::kFieldHr), "250");
    ASSERT_EQ(session.documents().pileRegister().count(), 1);
    EXPECT_NE(session.documents().records().back().find("\"hr\":\"250\""), std::string::npos)
        << session.documents().records().back();
    for (const report::Page page : {report::Page::Book, report::Page::Table})
        for (const std::string& line : session.documents().page(page))
            EXPECT_EQ(line.find("0.2083"), std::string::npos) << line;
}

TEST(ApplySolution, WhatWasNotFoundChangesNoInput) {
    module1::Session session;
    const DepthSolution s = solveDepth(session.inputs(), Target{1e9, std::nullopt});
    ASSERT_EQ(s.kind, SolveKind::Unreachable);
    EXPECT_THROW(applyDepth(session, s, kMoment), std::invalid_argument);
    EXPECT_EQ(session.fieldText(module1::kFieldHr), "1.0d");
    EXPECT_EQ(session.documents().pileRegister().count(), 0);
}
