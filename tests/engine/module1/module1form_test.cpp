#include "module1/module1form.h"
#include "module1/module1handin.h"
#include "module1/module1session.h"

#include <gtest/gtest.h>

using namespace sp::core;
using namespace sp::module1;

TEST(Module1Form, SectionKindSetsLabelsListsAndTexts) {
    const SectionSetup round = sectionSetup(SectionType::Round);
    EXPECT_EQ(round.firstLabel, "桩  身   直   径    d (mm)");
    EXPECT_FALSE(round.secondEnabled);
    EXPECT_EQ(round.secondText, "0");
    EXPECT_EQ(round.secondItems.front(), "100");
    EXPECT_EQ(round.secondItems.size(), 12u);
    EXPECT_EQ(round.depthText, "1.0d");

    const SectionSetup oblong = sectionSetup(SectionType::Oblong);
    EXPECT_TRUE(oblong.secondEnabled);
    EXPECT_EQ(oblong.secondText, "500");
    EXPECT_EQ(oblong.secondItems[4], "500");

    const SectionSetup rect = sectionSetup(SectionType::Rectangular);
    EXPECT_EQ(rect.firstLabel, "矩形长边尺寸    a (mm)");
    EXPECT_EQ(rect.secondLabel, "矩形短边尺寸    b (mm)");
    EXPECT_EQ(rect.secondItems, (Items{"1000", "1100", "1200", "1300", "1400", "1500", "1600", "1700", "1800",
                                       "1900", "2000"}));
    EXPECT_EQ(rect.depthItems.front(), "1.0b");
    EXPECT_EQ(rect.depthItems.back(), "3000");
    EXPECT_EQ(rect.depthText, "1.0b");

    EXPECT_EQ(initialSecondItems().front(), "  100");
}

TEST(Module1Form, EachChangeClearsItsBoxesAndChecksWhileTyping) {
    const struct {
        const char* field;
        const char* text;
        std::vector<std::string> cleared;
        const char* message; // nullptr: no check; "": the check passes
    } cases[] = {
        {"cbe_dd", "0", {"edt_ddeq", "edt_sjbeq", "edt_kesair", "edt_ra", "edt_rc"}, "桩身直径数据有错"},
        {"cbe_dd", "1200", {"edt_ddeq", "edt_sjbeq", "edt_kesair", "edt_ra", "edt_rc"}, ""},
        {"cbe_tyzd", "-1", {"edt_ddeq", "edt_sjbeq", "edt_kesair", "edt_ra", "edt_rc"}, "椭圆直段长度数据有错"},
        {"cbe_tyzd", "0", {"edt_ddeq", "edt_sjbeq", "edt_kesair", "edt_ra", "edt_rc"}, ""},
        {"cbe_hr", "x", {"edt_sjbeq", "edt_kesair", "edt_ra"}, nullptr},
        {"cbb_hnt", "C40", {"edt_rc"}, nullptr},
        {"cbb_czgy", "", {"edt_kesair", "edt_ra", "edt_rc"}, nullptr},
        {"edt_frk", "-3", {"edt_kesair", "edt_ra"}, "岩石单轴抗压强度值有错"},
        {"edt_frk", "abc", {"edt_kesair", "edt_ra"}, "岩石单轴抗压强度值有错"},
        {"edt_frk", "0", {"edt_kesair", "edt_ra"}, ""},
        {"cbe_yswzcd", "?", {"edt_kesair", "edt_ra"}, nullptr},
    };
    for (const auto& c : cases) {
        const ChangeEffect e = fieldChanged(c.field, c.text);
        EXPECT_EQ(e.clearedBoxes, c.cleared) << c.field;
        StatusLine line{"old", kBlack, false};
        e.status.applyTo(line);
        if (!c.message) {
            EXPECT_EQ(line.text, "old") << c.field;
            EXPECT_FALSE(e.fields.colourOf(c.field)) << c.field;
        } else if (*c.message) {
            EXPECT_EQ(line.text, c.message);
            EXPECT_EQ(line.colour, kRed);
            EXPECT_TRUE(line.visible);
            EXPECT_EQ(e.fields.colourOf(c.field), kRed);
        } else {
            EXPECT_EQ(line.text, "");
            EXPECT_FALSE(line.visible) << "a passed check does not show the status line";
            EXPECT_EQ(e.fields.colourOf(c.field), kBlack);
        }
    }
}

TEST(Module1Session, AFailedCheckLeavesDocumentsAndRegisterAlone) {
    Session s;
    s.compute(Moment{});
    const auto book = s.documents().book().lines();
    s.setFieldText(kFieldD, "");
    const Outcome o = s.compute(Moment{});
    EXPECT_FALSE(o.ok());
    EXPECT_EQ(s.documents().pileRegister().count(), 1);
    EXPECT_EQ(s.documents().book().lines(), book);
    EXPECT_EQ(s.status().text, "桩身直径数据有错");
    EXPECT_EQ(s.box(kBoxRa), ""); // cleared by the change, not refilled
}

TEST(Module1Session, ChoosingASectionResetsTheDependentFields) {
    Session s;
    s.chooseSection(SectionType::Rectangular);
    EXPECT_EQ(s.fieldText(kFieldC), "1000");
    EXPECT_EQ(s.fieldText(kFieldHr), "1.0b");
    s.chooseSection(SectionType::Round);
    EXPECT_EQ(s.fieldText(kFieldC), "0");
    EXPECT_EQ(s.fieldText(kFieldHr), "1.0d");
}

// A section kind whose second dimension keeps the text already typed still runs that field's
// handler: the passing check clears the status text (its colour stays) and turns the field black.
TEST(Module1Session, ChoosingASectionRunsTheSecondFieldsHandlerEvenWhenItsTextStays) {
    Session s;
    s.chooseSection(SectionType::Oblong);
    s.setFieldText(kFieldC, "1000");
    s.setFieldText(kFieldFrk, "-3");
    ASSERT_EQ(s.status().text, "岩石单轴抗压强度值有错");
    s.chooseSection(SectionType::Rectangular); // its second dimension is also "1000"
    EXPECT_EQ(s.fieldText(kFieldC), "1000");
    EXPECT_EQ(s.status().text, "");
    EXPECT_EQ(s.status().colour, kRed);
    EXPECT_TRUE(s.status().visible);
    EXPECT_EQ(s.fieldColours().at(kFieldC), kBlack);
    EXPECT_EQ(s.fieldColours().at(kFieldFrk), kRed);
}

// While the optimisation layer is open a pile fills the boxes but neither the pages nor "结果".
TEST(Module1Session, OnlyAPileComputedIntoThePagesOffersItsResults) {
    const struct {
        const char* name;
        bool intoPages;
        int piles;
        bool calculated;
    } cases[] = {{"pages closed", false, 0, false}, {"pages open", true, 1, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Session s;
        ASSERT_TRUE(s.compute(Moment{}, c.intoPages).ok());
        EXPECT_EQ(s.box(kBoxRa), "7723");
        EXPECT_EQ(s.documents().pileRegister().count(), c.piles);
        EXPECT_EQ(s.calculated(), c.calculated);
        s.chooseGrade(0);
        EXPECT_FALSE(s.calculated());
        EXPECT_EQ(s.box(kBoxRc), "");
        EXPECT_EQ(s.box(kBoxRa), "7723");
    }
}

// Past the end of the ζr table the last row is read; the session keeps the book's remark for the
// window while the ζr box shows the figure it belongs to.
TEST(Module1Session, ReadingPastTheEndOfTheZetaTableIsKeptBesideTheZetaBox) {
    const struct {
        const char *hr, *frk, *integrity;
        const char* note;
    } cases[] = {
        {"5.0d", "40", "完整", "hr/deq = 5.00 > 4.0，取 4.0 行：已超出 ζr 表，Ra 不再随 hr 增大"},
        {"7.5d", "10", "较完整", "hr/deq = 7.50 > 6.0，取 6.0 行：已超出 ζr 表，Ra 不再随 hr 增大"},
        {"4500", "25", "0.45", "hr/deq = 4.50 > 4.0，取 4.0 行：已超出 ζr 表，Ra 不再随 hr 增大"},
        {"4.0d", "40", "完整", ""}, // the last row itself
        {"5.0d", "10", "完整", ""}, // soft rock reads on to 6.0
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.hr) + " " + c.frk + " " + c.integrity);
        Session s;
        s.setFieldText(kFieldHr, c.hr);
        s.setFieldText(kFieldFrk, c.frk);
        s.setFieldText(kFieldIntegrity, c.integrity);
        const Outcome o = s.compute(Moment{});
        ASSERT_TRUE(o.ok()) << o.message;
        EXPECT_EQ(s.zetaNote(), c.note);
        EXPECT_EQ(s.zetaNote(), zetaTableNote(o.values));
        EXPECT_EQ(o.values.zetaWorking.beyond, *c.note != '\0') << "the book's own decision";
    }
    Session s;
    s.setFieldText(kFieldHr, "5.0d");
    s.setFieldText(kFieldFrk, "40");
    ASSERT_TRUE(s.compute(Moment{}).ok());
    ASSERT_NE(s.zetaNote(), "");
    s.setFieldText(kFieldD, "1200"); // clears the ζr box, and the remark with it
    EXPECT_EQ(s.box(kBoxZetaR), "");
    EXPECT_EQ(s.zetaNote(), "");
    ASSERT_TRUE(s.compute(Moment{}).ok());
    EXPECT_NE(s.zetaNote(), "");
    s.clearResults();
    EXPECT_EQ(s.zetaNote(), "");
}
