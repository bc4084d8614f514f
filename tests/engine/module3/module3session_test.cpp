#include "module3/module3form.h"
#include "module3/module3session.h"

#include <gtest/gtest.h>

#include <functional>

using namespace sp::core;
using namespace sp::module3;

namespace {

const Moment kMoment{2026, 12, 10, 9, 30, 0};
const char* const kAllBoxes[] = {kBoxDeq, kBoxRatio, kBoxZetaR, kBoxRa, kBoxRc};

// An oblong pile computed with `method`.
Session oblongComputedWith(DeqMethod method) {
    Session s;
    s.chooseSection(SectionType::Oblong);
    s.chooseMethod(method);
    EXPECT_TRUE(s.compute(kMoment).ok());
    return s;
}

void expectMethodBoxColours(const Session& s, Colour colour) {
    for (const char* box : kMethodBoxes)
        EXPECT_EQ(s.boxColour(box), colour) << box;
    EXPECT_EQ(s.boxColour(kBoxRc), kGreen);
}

} // namespace

TEST(Module3Session, StartsCompliantWithGreenBoxesAndTheMethodRowDisabled) {
    const Session s;
    EXPECT_EQ(s.verdict(), ComplianceVerdict::Compliant);
    EXPECT_EQ(s.inputs().method, DeqMethod::AreaEqual);
    EXPECT_FALSE(s.methodEnabled());
    EXPECT_EQ(s.fieldColour(kLabelMethod), kBlack);
    expectMethodBoxColours(s, kGreen);
}

TEST(Module3Session, BoxesTurnRedOverTheStandardAndGreenAgainWithinIt) {
    Session s = oblongComputedWith(DeqMethod::GyrationMax);
    EXPECT_EQ(s.verdict(), ComplianceVerdict::OverStandard);
    expectMethodBoxColours(s, kRed);
    EXPECT_EQ(s.box(kBoxDeq), "1546");

    s.chooseMethod(DeqMethod::AreaEqual);
    expectMethodBoxColours(s, kRed); // a change alone recolours nothing
    ASSERT_TRUE(s.compute(kMoment).ok());
    EXPECT_EQ(s.verdict(), ComplianceVerdict::Compliant);
    expectMethodBoxColours(s, kGreen);
    EXPECT_EQ(s.documents().pileRegister().count(), 2);
}

TEST(Module3Session, AStoppedCalculationKeepsTheColoursAndLeavesAVerdictOnlyPastTheDiameter) {
    const struct {
        const char* name;
        DeqMethod before; // method of the last completed calculation
        std::function<void(Session&)> change;
        ComplianceVerdict verdict;
    } cases[] = {
        {"frk stop after A → B", DeqMethod::AreaEqual,
         [](Session& s) {
             s.chooseMethod(DeqMethod::PerimeterEqual);
             s.setFieldText(kFieldFrk, "0");
         },
         ComplianceVerdict::OverStandard},
        {"diameter stop after C → A", DeqMethod::GyrationMax,
         [](Session& s) {
             s.chooseMethod(DeqMethod::AreaEqual);
             s.setFieldText(kFieldD, "0");
         },
         ComplianceVerdict::OverStandard},
        {"unreadable socket factor after C → A", DeqMethod::GyrationMax,
         [](Session& s) {
             s.chooseMethod(DeqMethod::AreaEqual);
             s.setFieldText(kFieldHr, "xd");
         },
         ComplianceVerdict::OverStandard},
        {"unreadable integrity on a round pile after C", DeqMethod::GyrationMax,
         [](Session& s) {
             s.chooseSection(SectionType::Round);
             s.setFieldText(kFieldIntegrity, "abc");
         },
         ComplianceVerdict::Compliant},
        {"broken-rock stop on a round pile after C", DeqMethod::GyrationMax,
         [](Session& s) {
             s.chooseSection(SectionType::Round);
             s.setFieldText(kFieldHr, "900");
             s.setFieldText(kFieldIntegrity, "较破碎");
         },
         ComplianceVerdict::Compliant},
    };
    for (const auto& c : cases) {
        Session s = oblongComputedWith(c.before);
        const Colour colour = s.boxColour(kBoxRa);
        const auto book = s.documents().book().lines();
        c.change(s);
        EXPECT_FALSE(s.compute(kMoment).ok()) << c.name;
        EXPECT_EQ(s.verdict(), c.verdict) << c.name;
        expectMethodBoxColours(s, colour);
        EXPECT_EQ(s.documents().pileRegister().count(), 1) << c.name;
        EXPECT_EQ(s.documents().book().lines(), book) << c.name;
    }
}

TEST(Module3Session, MethodChangeNotesTheChoiceAndEmptiesTheMethodBoxes) {
    const struct {
        SectionType section;
        DeqMethod method;
        const char* status;
        Colour statusColour, labelColour;
    } cases[] = {
        {SectionType::Oblong, DeqMethod::GyrationMax, "超规选项，谨慎抉择，结果仅供研究", kRed, kRed},
        {SectionType::Rectangular, DeqMethod::EnvelopeMin, "超规选项，谨慎抉择，结果仅供研究", kRed, kRed},
        {SectionType::Rectangular, DeqMethod::AreaEqual, "规范推荐算法", kBlack, kBlack},
        {SectionType::Round, DeqMethod::GyrationMax, "", kBlack, kBlack},
        {SectionType::Round, DeqMethod::AreaEqual, "", kBlack, kBlack},
    };
    for (const auto& c : cases) {
        Session s;
        s.chooseSection(c.section);
        // Start from the other end of the list, so that every case is a change.
        s.chooseMethod(c.method == DeqMethod::AreaEqual ? DeqMethod::LongSide : DeqMethod::AreaEqual);
        ASSERT_TRUE(s.compute(kMoment).ok());
        s.chooseMethod(c.method);
        EXPECT_EQ(s.status().text, c.status);
        EXPECT_EQ(s.status().colour, c.statusColour);
        EXPECT_TRUE(s.status().visible);
        EXPECT_EQ(s.fieldColour(kLabelMethod), c.labelColour);
        for (const char* box : kMethodBoxes)
            EXPECT_EQ(s.box(box), "") << box;
        EXPECT_NE(s.box(kBoxRc), "") << "Rc does not depend on the method";
    }
}

TEST(Module3Session, SectionChangeSetsTheMethodRowAndKeepsTheMethod) {
    Session s;
    s.chooseSection(SectionType::Oblong);
    EXPECT_TRUE(s.methodEnabled());
    EXPECT_EQ(s.fieldColour(kLabelMethod), kBlack);
    s.chooseMethod(DeqMethod::GyrationMax);
    EXPECT_EQ(s.fieldColour(kLabelMethod), kRed);

    s.chooseSection(SectionType::Round);
    EXPECT_FALSE(s.methodEnabled());
    EXPECT_EQ(s.fieldColour(kLabelMethod), kBlack);
    EXPECT_EQ(s.inputs().method, DeqMethod::GyrationMax);
    ASSERT_TRUE(s.compute(kMoment).ok());
    EXPECT_EQ(s.verdict(), ComplianceVerdict::Compliant);
    expectMethodBoxColours(s, kGreen);

    s.chooseSection(SectionType::Rectangular);
    EXPECT_TRUE(s.methodEnabled());
    EXPECT_EQ(s.fieldColour(kLabelMethod), kRed);
    for (const char* box : kAllBoxes)
        EXPECT_EQ(s.box(box), "") << box;
}

TEST(Module3Session, ProcessChangeEmptiesAllFiveBoxes) {
    Session s;
    ASSERT_TRUE(s.compute(kMoment).ok());
    s.chooseProcess(0);
    for (const char* box : kAllBoxes)
        EXPECT_EQ(s.box(box), "") << box;
    // The other handlers are module 1's.
    EXPECT_EQ(fieldChanged("cbb_hnt", "").clearedBoxes, (std::vector<std::string>{kBoxRc}));
    EXPECT_EQ(methodItems().size(), 8u);
    EXPECT_EQ(methodItems().front(), "A-面积相等折算");
    EXPECT_EQ(methodItems().back(), "H-Min(A,B,C,D)");
}
