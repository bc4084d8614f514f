#include "charts/capacitycurve.h"
#include "charts/pilesummary.h"
#include "charts/resistancebars.h"
#include "engine/module1/onelayerpile.h"

#include <gtest/gtest.h>

using namespace sp;
using core::SectionType;

// The pile a chart's title names, each section with its own sizes, as the engineer typed them.
TEST(PileSummary, NamesTheSectionItsSizesAndTheRock) {
    const struct {
        module1::Inputs inputs;
        const char* summary;
    } cases[] = {
        {test::pile(SectionType::Round, "1150", "0", "2.0d", "10", "完整"),
         "圆桩 d = 1150 mm，C30，frk = 10 MPa，完整"},
        {test::pile(SectionType::Oblong, "1000", "500", "2000", "25", "较完整"),
         "椭圆桩 d = 1000 mm，c = 500 mm，C30，frk = 25 MPa，较完整"},
        {test::pile(SectionType::Rectangular, "1200", "1000", "1.5b", "40", "0.45"),
         "矩形桩 a = 1200 mm，b = 1000 mm，C30，frk = 40 MPa，完整性指数 0.45"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(charts::pileSummary(c.inputs), c.summary);

    // Module 3 adds its method where it applies: not to a round pile.
    module3::Inputs research;
    static_cast<module1::Inputs&>(research) = cases[1].inputs;
    research.method = module3::DeqMethod::PerimeterEqual;
    EXPECT_EQ(charts::pileSummary(research), std::string(cases[1].summary) + "，等效直径 " +
                                                 module3::deqMethodItem(module3::DeqMethod::PerimeterEqual));
    static_cast<module1::Inputs&>(research) = cases[0].inputs;
    EXPECT_EQ(charts::pileSummary(research), cases[0].summary);

    // The capacity curve carries it for its chart.
    EXPECT_EQ(charts::capacityCurve(cases[0].inputs).pile, cases[0].summary);
}

TEST(PileSummary, Module2NamesTheLayersAndTheSocketLength) {
    module2::Inputs in; // one layer of 1.00 m by default
    const module2::Outcome outcome = module2::calculate(in);
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(charts::pileSummary(outcome.values), "圆桩 d = 1000 mm，1 层嵌岩，lr = 1.00 m");
    EXPECT_EQ(charts::resistanceBars(outcome).pile, charts::pileSummary(outcome.values));
}
