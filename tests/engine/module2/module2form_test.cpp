#include "module2/module2form.h"
#include "module2/module2session.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace sp::core;
using namespace sp::module2;

namespace {

std::string mask(const ColumnVisibility& shown) {
    std::string out;
    for (bool on : shown)
        out += on ? '1' : '0';
    return out;
}

const Moment kMoment{2026, 12, 10, 9, 30, 0};

} // namespace

TEST(Module2Form, ColumnVisibilityForEverySetting) {
    using S = StrengthBasis;
    using M = CoefficientMode;
    using I = IntegrityBasis;
    // Columns 0 … 21; 19 to 21 are never shown.
    const struct {
        S basis;
        M mode;
        I integrity;
        bool expanded;
        const char* shown;
    } cases[] = {
        {S::RockStrength, M::Automatic, I::ClassName, false, "1111010000000000000000"},
        {S::RockStrength, M::Automatic, I::ClassName, true, "1111010011111111111000"},
        {S::RockStrength, M::Automatic, I::Index, false, "1110110000000000000000"},
        {S::RockStrength, M::Automatic, I::Index, true, "1110110011111111111000"},
        {S::RockStrength, M::Manual, I::ClassName, false, "1100011100000000000000"},
        {S::RockStrength, M::Manual, I::ClassName, true, "1100011111111111111000"},
        {S::RockStrength, M::Manual, I::Index, false, "1100011100000000000000"},
        {S::RockStrength, M::Manual, I::Index, true, "1100011111111111111000"},
        {S::RockStrength, M::Larger, I::ClassName, false, "1111011100000000000000"},
        {S::RockStrength, M::Larger, I::ClassName, true, "1111011111111111111000"},
        {S::RockStrength, M::Larger, I::Index, false, "1110111100000000000000"},
        {S::RockStrength, M::Larger, I::Index, true, "1110111111111111111000"},
        {S::RockStrength, M::Smaller, I::ClassName, false, "1111011100000000000000"},
        {S::RockStrength, M::Smaller, I::ClassName, true, "1111011111111111111000"},
        {S::RockStrength, M::Smaller, I::Index, false, "1110111100000000000000"},
        {S::RockStrength, M::Smaller, I::Index, true, "1110111111111111111000"},
        {S::GivenResistances, M::Automatic, I::ClassName, false, "1100000000110000000000"},
        {S::GivenResistances, M::Automatic, I::ClassName, true, "1100000000111111111000"},
        {S::GivenResistances, M::Automatic, I::Index, false, "1100000000110000000000"},
        {S::GivenResistances, M::Automatic, I::Index, true, "1100000000111111111000"},
        {S::GivenResistances, M::Manual, I::ClassName, false, "1100000000110000000000"},
        {S::GivenResistances, M::Manual, I::ClassName, true, "1100000000111111111000"},
        {S::GivenResistances, M::Manual, I::Index, false, "1100000000110000000000"},
        {S::GivenResistances, M::Manual, I::Index, true, "1100000000111111111000"},
        {S::GivenResistances, M::Larger, I::ClassName, false, "1100000000110000000000"},
        {S::GivenResistances, M::Larger, I::ClassName, true, "1100000000111111111000"},
        {S::GivenResistances, M::Larger, I::Index, false, "1100000000110000000000"},
        {S::GivenResistances, M::Larger, I::Index, true, "1100000000111111111000"},
        {S::GivenResistances, M::Smaller, I::ClassName, false, "1100000000110000000000"},
        {S::GivenResistances, M::Smaller, I::ClassName, true, "1100000000111111111000"},
        {S::GivenResistances, M::Smaller, I::Index, false, "1100000000110000000000"},
        {S::GivenResistances, M::Smaller, I::Index, true, "1100000000111111111000"},
    };
    for (const auto& c : cases) {
        const GridView view{c.basis, c.mode, c.integrity, c.expanded};
        EXPECT_EQ(mask(columnVisibility(view)), c.shown)
            << static_cast<int>(c.basis) << static_cast<int>(c.mode) << static_cast<int>(c.integrity) << c.expanded;
    }
}

TEST(Module2Form, EditableColumnsEnabledControlsAndModeHints) {
    std::string editable;
    for (int column = 0; column < kColumnCount; ++column)
        editable += cellEditable(column) ? '1' : '0';
    EXPECT_EQ(editable, "0111111100110000000000");

    using S = StrengthBasis;
    using M = CoefficientMode;
    EXPECT_EQ(enabledControls(S::RockStrength, M::Automatic), (Enabled{true, true, true}));
    EXPECT_EQ(enabledControls(S::RockStrength, M::Larger), (Enabled{true, true, true}));
    EXPECT_EQ(enabledControls(S::RockStrength, M::Manual), (Enabled{true, false, false}));
    EXPECT_EQ(enabledControls(S::GivenResistances, M::Automatic), (Enabled{false, false, false}));

    for (auto mode : {M::Manual, M::Larger, M::Smaller}) {
        const ModeHint hint = modeHint(mode);
        StatusLine line;
        hint.status.applyTo(line);
        EXPECT_EQ(hint.labelColour, kMagenta);
        EXPECT_EQ(line.text, "提示：指定的系数需自行确定其合理性");
        EXPECT_EQ(line.colour, kMagenta);
        EXPECT_TRUE(line.visible);
    }
    StatusLine line{"old", kMagenta, false};
    const ModeHint automatic = modeHint(M::Automatic);
    automatic.status.applyTo(line);
    EXPECT_EQ(automatic.labelColour, kBlack);
    EXPECT_EQ(line.text, "");
    EXPECT_EQ(line.colour, kBlack);
    EXPECT_TRUE(line.visible);

    EXPECT_STREQ(expandCaption(false), "展开");
    EXPECT_STREQ(expandCaption(true), "折叠");
    EXPECT_EQ(layerCountOf(0), 1);
    EXPECT_EQ(layerCountOf(8), 9);
    EXPECT_EQ(layerCountOf(12), 9);
}

TEST(Module2Form, SectionAndDimensionFieldsCheckWhileTyping) {
    EXPECT_EQ(sectionSetup(SectionType::Round).secondText, "0");
    EXPECT_FALSE(sectionSetup(SectionType::Round).secondEnabled);
    EXPECT_EQ(sectionSetup(SectionType::Oblong).secondText, "500");
    EXPECT_EQ(sectionSetup(SectionType::Oblong).secondItems.size(), 12u);
    const SectionSetup rect = sectionSetup(SectionType::Rectangular);
    EXPECT_EQ(rect.firstLabel, "矩形长边尺寸    a (mm)");
    EXPECT_EQ(rect.secondText, "1000");
    EXPECT_EQ(rect.secondItems.size(), 11u);
    EXPECT_EQ(initialSecondItems().front(), "  100");

    const struct {
        const char *field, *text, *message; // "": the check passes
    } cases[] = {
        {"cbe_dd", "0", "桩身直径数据有错"},      {"cbe_dd", "12x", "桩身直径数据有错"},
        {"cbe_dd", "1200", ""},                   {"cbe_tyzd", "-1", "椭圆直段长度数据有错"},
        {"cbe_tyzd", "abc", "椭圆直段长度数据有错"}, {"cbe_tyzd", "0", ""},
    };
    for (const auto& c : cases) {
        const ChangeEffect e = fieldChanged(c.field, c.text);
        EXPECT_EQ(e.clearedBoxes, (std::vector<std::string>{"edt_Quk", "edt_ra", "edt_percent"}));
        StatusLine line{"old", kBlack, false};
        e.status.applyTo(line);
        EXPECT_EQ(line.text, c.message) << c.field << " " << c.text;
        EXPECT_EQ(e.fields.colourOf(c.field), *c.message ? kRed : kBlack) << c.field << " " << c.text;
    }
}

TEST(RockLayerGrid, DefaultsAndTheLayerCount) {
    RockLayerGrid grid;
    EXPECT_EQ(grid.layerCount(), 1);
    EXPECT_EQ(grid.cell(1, kColFrk), "25.00");
    EXPECT_EQ(grid.cell(1, kColQsrk), "840.00");
    EXPECT_EQ(grid.cell(2, kColLayer), "");
    EXPECT_STREQ(columnName(kColSumQsrik), "strgrd14_Flo_SegemaQsrik");
    EXPECT_STREQ(columnName(kColC2Auto), "strgrd21_Flo_ChazhiC2");

    grid.setLayerCount(12);
    EXPECT_EQ(grid.layerCount(), 9);
    EXPECT_EQ(grid.cell(9, kColLayer), "9");
    EXPECT_EQ(grid.cell(9, kColLr), "");

    // A layer dropped and brought back keeps what was typed, not what was computed.
    grid.setCell(3, kColFrk, "40");
    grid.setCell(3, kColQsrik, "123");
    grid.setCell(3, kColQpk, "9000");
    grid.setLayerCount(2);
    grid.setLayerCount(3);
    EXPECT_EQ(grid.cell(3, kColFrk), "40");
    EXPECT_EQ(grid.cell(3, kColQpk), "9000");
    EXPECT_EQ(grid.cell(3, kColQsrik), "");
    EXPECT_EQ(grid.cell(3, kColLayer), "3");
}

TEST(Module2Session, HandlersResetTheResultsAndKeepTheModeHint) {
    Session s;
    ASSERT_TRUE(s.compute(kMoment).ok());
    EXPECT_TRUE(s.calculated());
    EXPECT_EQ(s.box("edt_Quk"), "16912");

    s.chooseCoefficientMode(CoefficientMode::Manual);
    EXPECT_FALSE(s.calculated());
    EXPECT_EQ(s.box("edt_Quk"), "");
    EXPECT_EQ(s.status().text, "提示：指定的系数需自行确定其合理性");
    EXPECT_EQ(s.status().colour, kMagenta);
    EXPECT_EQ(s.modeLabelColour(), kMagenta);
    EXPECT_EQ(s.enabled(), (Enabled{true, false, false}));
    EXPECT_TRUE(s.columnVisible(kColC1));

    s.chooseStrengthBasis(StrengthBasis::GivenResistances);
    s.chooseStrengthBasis(StrengthBasis::RockStrength);
    EXPECT_EQ(s.status().text, "提示：指定的系数需自行确定其合理性");
    EXPECT_EQ(s.enabled(), (Enabled{true, false, false}));

    // Every other input resets the results too.
    const std::function<void(Session&)> changes[] = {
        [](Session& x) { x.chooseLayerCount(2); },
        [](Session& x) { x.chooseIntegrityBasis(IntegrityBasis::Index); },
        [](Session& x) { x.setGroundwater(false); },
        [](Session& x) { x.setSoftRock(true); },
        [](Session& x) { x.editCell(1, kColFrk, "30"); },
        [](Session& x) { x.setFieldText(kFieldD, "1200"); },
        [](Session& x) { x.chooseSection(SectionType::Oblong); },
    };
    for (const auto& change : changes) {
        Session fresh;
        ASSERT_TRUE(fresh.compute(kMoment).ok());
        change(fresh);
        EXPECT_FALSE(fresh.calculated());
        EXPECT_EQ(fresh.box("edt_ra"), "");
    }
}

// A new window's status line is red and hidden. A note of the calculation keeps the line's
// colour, so the first note of a fresh window shows red; the short-socket note is always black,
// and a mode hint sets the colour the notes then keep.
TEST(Module2Session, StatusLineStartsRedSoAFirstNoteShowsRed) {
    const Session fresh;
    EXPECT_EQ(fresh.status().colour, kRed);
    EXPECT_FALSE(fresh.status().visible);
    EXPECT_EQ(fresh.status().text, "");

    const LayerTexts noDepth{"", "中风化", "较完整", "", "25", "", "", "", ""};
    const struct {
        std::function<void(Session&)> before;
        std::vector<LayerTexts> layers;
        const char* text;
        Colour colour;
    } cases[] = {
        {[](Session&) {}, {defaultLayer(), noDepth}, "第2层岩石嵌岩深度未输入，隐含取0.00", kRed},
        {[](Session& s) { s.chooseCoefficientMode(CoefficientMode::Manual); },
         {LayerTexts{"1", "", "", "", "25", "0.5", "0.04", "", ""}, LayerTexts{"", "", "", "", "25", "0.5", "0.04", "", ""}},
         "第2层岩石嵌岩深度未输入，隐含取0.00",
         kMagenta},
        {[](Session& s) {
             s.chooseCoefficientMode(CoefficientMode::Manual);
             s.chooseCoefficientMode(CoefficientMode::Automatic);
         },
         {defaultLayer(), noDepth},
         "第2层岩石嵌岩深度未输入，隐含取0.00",
         kBlack},
        {[](Session&) {}, {LayerTexts{"0.2", "中风化", "较完整", "", "25", "", "", "", ""}}, "桩身嵌岩深度<0.5m，不计侧阻力",
         kBlack},
    };
    for (const auto& c : cases) {
        Session s;
        c.before(s);
        s.enterLayers(c.layers);
        ASSERT_TRUE(s.compute(kMoment).ok()) << c.text;
        EXPECT_EQ(s.status().text, c.text);
        EXPECT_EQ(s.status().colour, c.colour) << c.text;
        EXPECT_TRUE(s.status().visible) << c.text;
    }
}

TEST(Module2Session, ExpandAndEditingFollowTheGrid) {
    Session s;
    EXPECT_FALSE(s.columnVisible(kColQuk));
    s.pressExpand();
    EXPECT_TRUE(s.expanded());
    EXPECT_TRUE(s.columnVisible(kColQuk));
    EXPECT_TRUE(s.columnVisible(kColC1Used));
    s.chooseStrengthBasis(StrengthBasis::GivenResistances);
    EXPECT_FALSE(s.columnVisible(kColC1Used));
    s.pressExpand();
    EXPECT_TRUE(s.columnVisible(kColQpk)) << "the resistances stay shown as inputs";
    EXPECT_FALSE(s.columnVisible(kColQuk));

    EXPECT_FALSE(s.editCell(1, kColQuk, "1"));
    EXPECT_FALSE(s.editCell(2, kColLr, "1")) << "row 2 is not shown with one layer";
    EXPECT_TRUE(s.editCell(1, kColQpk, "9000"));
    EXPECT_EQ(s.grid().cell(1, kColQpk), "9000");
}

TEST(Module2Session, AStopKeepsEarlierRowsButNoPile) {
    Session s;
    ASSERT_TRUE(s.compute(kMoment).ok());
    const auto book = s.documents().book().lines();
    s.enterLayers({defaultLayer(), LayerTexts{"1", "中风化", "较完整", "", "", "", "", "", ""}, defaultLayer()});
    const Outcome o = s.compute(kMoment);
    EXPECT_EQ(o.message, "第2层岩石单轴抗压强度值错");
    EXPECT_EQ(s.status().text, "第2层岩石单轴抗压强度值错");
    EXPECT_EQ(s.status().colour, kRed);
    EXPECT_FALSE(s.grid().cell(1, kColQsrik).empty());
    EXPECT_TRUE(s.grid().cell(2, kColQsrik).empty());
    EXPECT_EQ(s.box("edt_Quk"), "");
    EXPECT_FALSE(s.calculated());
    EXPECT_EQ(s.documents().pileRegister().count(), 1);
    EXPECT_EQ(s.documents().book().lines(), book);
}

TEST(Module2Session, ManualModeShowsMagentaResultsAndTheVerdict) {
    Session s;
    s.chooseCoefficientMode(CoefficientMode::Manual);
    ASSERT_TRUE(s.compute(kMoment).ok());
    EXPECT_EQ(s.boxColour(), kMagenta);
    EXPECT_STREQ(s.verdict(), "超规");
    EXPECT_EQ(s.status().text, "") << "the calculation clears the hint";
    s.chooseCoefficientMode(CoefficientMode::Automatic);
    ASSERT_TRUE(s.compute(kMoment).ok());
    EXPECT_EQ(s.boxColour(), kGreen);
    EXPECT_STREQ(s.verdict(), "合规");
    EXPECT_EQ(s.documents().pileRegister().count(), 2);
}

// A run's end is written as it stands: no handler runs, the check boxes stay, the cells follow
// in order (a later write of the same cell wins) and "计算" is offered again.
TEST(Module2Session, ARunsEndIsWrittenWithoutHandlersAndKeepsTheCheckBoxes) {
    Session s;
    s.setSoftRock(true);
    ASSERT_TRUE(s.compute(kMoment).ok());
    LayerWrite write;
    write.fields.section = SectionType::Rectangular;
    write.fields.d = "1200";
    write.fields.c = "800";
    write.fields.settings.mode = CoefficientMode::Manual;
    write.fields.settings.groundwater = false; // not part of the write
    write.layerCount = 1;
    write.cells = {{1, kColFrk, "30"}, {1, kColLr, "2.5"}, {1, kColFrk, "35"}};
    write.boxes = {{kBoxQuk, "1"}, {kBoxRa, "2"}, {kBoxPercent, "3%"}};
    write.boxColour = kMagenta;
    write.status.showMessage("note", kBlack);
    s.writeLayer(write);

    EXPECT_EQ(s.inputs().section, SectionType::Rectangular);
    EXPECT_EQ(s.fieldText(kFieldD), "1200");
    EXPECT_EQ(s.fieldText(kFieldC), "800");
    EXPECT_TRUE(s.inputs().settings.groundwater);
    EXPECT_TRUE(s.inputs().settings.softRock);
    EXPECT_EQ(s.grid().cell(1, kColFrk), "35");
    EXPECT_EQ(s.grid().cell(1, kColLr), "2.5");
    EXPECT_EQ(s.box(kBoxRa), "2");
    EXPECT_EQ(s.boxColour(), kMagenta);
    EXPECT_EQ(s.modeLabelColour(), kMagenta);
    EXPECT_EQ(s.status().text, "note");
    EXPECT_FALSE(s.calculated());
    EXPECT_EQ(s.documents().pileRegister().count(), 1);
}
