#include "core/numbers.h"
#include "module2/module2calc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numbers>

using namespace sp::core;
using namespace sp::module2;

namespace {

std::map<std::string, std::string> boxes(const Outcome& o) { return {o.boxes.begin(), o.boxes.end()}; }

StatusLine statusAfter(const Outcome& o, StatusLine before = {}) {
    o.status.applyTo(before);
    return before;
}

double cellNumber(const Outcome& o, int layer, int column) {
    return readStrict(o.values.grid.cell(layer, column)).value_or(-1.0);
}

struct Layer {
    const char *lr, *weathering, *integrity, *kv, *frk, *c1, *c2, *qpk, *qsrk;
};

// A grid of the given layers, every input cell as given (nullptr: empty).
RockLayerGrid gridOf(std::initializer_list<Layer> layers) {
    RockLayerGrid grid;
    grid.setLayerCount(static_cast<int>(layers.size()));
    int i = 0;
    for (const Layer& l : layers) {
        ++i;
        const std::pair<int, const char*> cells[] = {{kColLr, l.lr},   {kColWeathering, l.weathering},
                                                     {kColIntegrity, l.integrity}, {kColKv, l.kv},
                                                     {kColFrk, l.frk}, {kColC1, l.c1},
                                                     {kColC2, l.c2},   {kColQpk, l.qpk},
                                                     {kColQsrk, l.qsrk}};
        for (const auto& [column, text] : cells)
            grid.setCell(i, column, text ? text : "");
    }
    return grid;
}

const Layer kDefault{"1.00", "中风化", "较完整", "0.65", "25.00", "0.50", "0.04", "8000.00", "840.00"};

bool hasResults(const Outcome& o, int layer) { return !o.values.grid.cell(layer, kColQsrik).empty(); }

} // namespace

TEST(Module2Calculation, DefaultPileGivesTheWindowsFigures) {
    const Outcome o = calculate(Inputs{});
    ASSERT_TRUE(o.ok()) << o.message;
    EXPECT_EQ(boxes(o), (std::map<std::string, std::string>{
                            {"edt_Quk", "16912"}, {"edt_ra", "8456"}, {"edt_percent", "66%"}}));
    EXPECT_EQ(o.boxColour, kGreen);
    EXPECT_STREQ(o.verdict(), "合规");
    const Values& v = o.values;
    EXPECT_NEAR(v.area, 785398.16, 0.005);
    EXPECT_NEAR(v.perimeter, 3141.59, 0.005);
    EXPECT_NEAR(v.qpk, 11126.47, 0.005);
    EXPECT_NEAR(v.qsrk, 5785.77, 0.005);
    EXPECT_NEAR(v.quk, 16912.24, 0.005);
    EXPECT_NEAR(v.ra, 8456.12, 0.005);
    EXPECT_NEAR(v.endShare, 65.79, 0.005);
    EXPECT_TRUE(o.notes.empty());

    // The row as the grid shows it: general numbers of up to 15 digits.
    const std::map<int, std::string> row = {
        {8, "0.566666666666667"},  {9, "0.0736666666666667"}, {10, "14166.6666666667"},
        {11, "1841.66666666667"},  {12, "16912.2404518251"},  {13, "11126.4739814639"},
        {14, "5785.7664703612"},   {15, "5785.7664703612"},   {16, "34.21%"},
        {17, "34.2105263157895"},  {18, "中风化较软岩,岩体较完整"}, {19, "较软岩"},
        {20, "0.566666666666667"}, {21, "0.0736666666666667"},
    };
    for (const auto& [column, text] : row)
        EXPECT_EQ(v.grid.cell(1, column), text) << columnName(column);
    // One layer: the output columns 8 to 21 are written, each once.
    ASSERT_EQ(o.cells.size(), 14u);
    for (const CellText& cell : o.cells) {
        EXPECT_EQ(cell.layer, 1);
        EXPECT_GE(cell.column, 8);
        EXPECT_LE(cell.column, 21);
        EXPECT_EQ(cell.text, v.grid.cell(cell.layer, cell.column)) << columnName(cell.column);
    }

    // The section passed: the status text is cleared, its colour and visibility left alone.
    const StatusLine status = statusAfter(o, {"提示：指定的系数需自行确定其合理性", kMagenta, true});
    EXPECT_EQ(status.text, "");
    EXPECT_EQ(status.colour, kMagenta);
    EXPECT_EQ(o.fields.colourOf(kFieldD), kBlack);
}

TEST(Module2Calculation, ResultBoxesFollowThePrecision) {
    const struct {
        Precision precision;
        const char *quk, *ra, *percent;
    } cases[] = {
        {Precision::TwoDecimals, "16912.24", "8456.12", "65.79%"},
        {Precision::OneDecimal, "16912.2", "8456.1", "65.8%"},
        {Precision::Units, "16912", "8456", "66%"},
        {Precision::Tens, "16910", "8450", "66%"},
        {Precision::Hundreds, "16900", "8400", "66%"},
    };
    for (const auto& c : cases) {
        Inputs in;
        in.precision = c.precision;
        const auto b = boxes(calculate(in));
        EXPECT_EQ(b.at("edt_Quk"), c.quk);
        EXPECT_EQ(b.at("edt_ra"), c.ra);
        EXPECT_EQ(b.at("edt_percent"), c.percent);
    }
}

TEST(Module2Calculation, ManualCoefficientsComputeInMagenta) {
    Inputs in;
    in.settings.mode = CoefficientMode::Manual;
    const Outcome o = calculate(in);
    ASSERT_TRUE(o.ok()) << o.message;
    // qpk = 0.50 × 25 MPa = 12500 kPa, qsrk = 0.04 × 25 MPa = 1000 kPa; no reduction applies.
    EXPECT_NEAR(o.values.qpk, 12500.0 * std::numbers::pi / 4.0, 1e-6);
    EXPECT_NEAR(o.values.qsrk, 1000.0 * std::numbers::pi, 1e-6);
    EXPECT_EQ(boxes(o), (std::map<std::string, std::string>{
                            {"edt_Quk", "12959"}, {"edt_ra", "6480"}, {"edt_percent", "76%"}}));
    EXPECT_EQ(o.boxColour, kMagenta);
    EXPECT_EQ(o.values.overrideCount, 1);
    EXPECT_STREQ(o.verdict(), "超规");
    const RockLayerGrid& g = o.values.grid;
    EXPECT_EQ(g.cell(1, kColC1Used), "0.5");
    EXPECT_EQ(g.cell(1, kColC2Used), "0.04");
    EXPECT_EQ(g.cell(1, kColC1Auto), "0");
    EXPECT_EQ(g.cell(1, kColC2Auto), "0");
    EXPECT_EQ(g.cell(1, kColRemark), "");
    EXPECT_EQ(g.cell(1, kColHardness), "较软岩");
}

TEST(Module2Calculation, LargerModeTieCountsAsOverride) {
    Inputs in;
    in.settings.mode = CoefficientMode::Larger;
    in.settings.groundwater = false;
    in.grid = gridOf({{"1", "微风化", "完整", "", "80", "1", "", "", ""}}); // C1a = 1.00, C2a = 0.12
    const Outcome o = calculate(in);
    ASSERT_TRUE(o.ok()) << o.message;
    EXPECT_EQ(o.values.overrideCount, 1);
    EXPECT_EQ(o.boxColour, kMagenta);
    EXPECT_EQ(o.values.grid.cell(1, kColC1Used), "1");
    EXPECT_EQ(o.values.grid.cell(1, kColC2Used), "0.12");
    EXPECT_EQ(o.values.grid.cell(1, kColC2), "") << "no fill-in outside manual mode";
}

TEST(Module2Calculation, ThreeLayersWriteTheirRowsAndTheBottomCarriesTheEnd) {
    Inputs in;
    in.grid = gridOf({{"1.0", "中风化", "较破碎", "", "10", "", "", "", ""},
                      {"2.0", "微风化", "完整", "", "40", "", "", "", ""},
                      {"0.5", "中风化", "较完整", "", "20", "", "", "", ""}});
    const Outcome o = calculate(in);
    ASSERT_TRUE(o.ok()) << o.message;

    const double mu = std::numbers::pi * 1000.0; // mm
    const double qsrk[] = {0.06 * 0.85 * 10e3, 0.12 * 0.85 * 40e3, (0.08 + 0.01 / 3) * 0.85 * 20e3}; // kPa
    const double lr[] = {1.0, 2.0, 0.5};
    const double c1Bottom = (0.60 + 0.10 / 3) * 0.85;
    const double qpk = c1Bottom * 20e3 * std::numbers::pi * 1e6 / 4.0 / 1e6; // kN
    double sum = 0.0;
    for (int i = 1; i <= 3; ++i) {
        const double qsrik = qsrk[i - 1] * lr[i - 1] * mu / 1000.0;
        sum += qsrik;
        EXPECT_NEAR(cellNumber(o, i, kColQsrk), qsrk[i - 1], 1e-9) << i;
        EXPECT_NEAR(cellNumber(o, i, kColQsrik), qsrik, 1e-9) << i;
        EXPECT_NEAR(cellNumber(o, i, kColSumQsrik), sum, 1e-9) << i;
    }
    const double quk = qpk + sum;
    EXPECT_NEAR(o.values.quk, quk, 1e-9);
    EXPECT_NEAR(cellNumber(o, 3, kColQuk), quk, 1e-9);
    EXPECT_NEAR(cellNumber(o, 3, kColQpkTotal), qpk, 1e-9);
    EXPECT_NEAR(cellNumber(o, 3, kColC1Used), c1Bottom, 1e-14);
    for (int i = 1; i <= 2; ++i) {
        EXPECT_EQ(o.values.grid.cell(i, kColQuk), "") << i;
        EXPECT_EQ(o.values.grid.cell(i, kColQpkTotal), "") << i;
    }
    const char* shares[] = {"4.23%", "67.61%", "5.87%"};
    const char* hardness[] = {"软岩", "较硬岩", "较软岩"};
    const char* remarks[] = {"中风化软岩,岩体较破碎", "微风化较硬岩,岩体完整", "中风化较软岩,岩体较完整"};
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(o.values.grid.cell(i, kColShare), shares[i - 1]);
        EXPECT_EQ(o.values.grid.cell(i, kColHardness), hardness[i - 1]);
        EXPECT_EQ(o.values.grid.cell(i, kColRemark), remarks[i - 1]);
    }
    EXPECT_EQ(boxes(o).at("edt_Quk"), "37919");
    EXPECT_EQ(boxes(o).at("edt_ra"), "18960");
    EXPECT_EQ(boxes(o).at("edt_percent"), "22%");
    EXPECT_DOUBLE_EQ(o.values.lr, 3.5);
}

TEST(Module2Calculation, ShortSocketCarriesNoSideResistance) {
    for (auto basis : {StrengthBasis::RockStrength, StrengthBasis::GivenResistances}) {
        Inputs in;
        in.settings.strengthBasis = basis;
        in.grid = gridOf({{"0.1", "中风化", "较完整", "", "25", "", "", "8000", "840"},
                          {"0.1", "中风化", "较完整", "", "25", "", "", "8000", "840"},
                          {"0.1", "中风化", "较完整", "", "25", "", "", "8000", "840"}});
        const Outcome o = calculate(in);
        ASSERT_TRUE(o.ok()) << o.message;
        EXPECT_EQ(o.values.qsrk, 0.0);
        EXPECT_EQ(o.values.quk, o.values.qpk);
        EXPECT_EQ(o.notes, std::vector<std::string>(3, "桩身嵌岩深度<0.5m，不计侧阻力"));
        const StatusLine status = statusAfter(o, {"", kRed, true});
        EXPECT_EQ(status.text, "桩身嵌岩深度<0.5m，不计侧阻力");
        EXPECT_EQ(status.colour, kBlack);
        for (int i = 1; i <= 3; ++i) {
            EXPECT_EQ(o.values.grid.cell(i, kColQsrik), "0");
            EXPECT_EQ(o.values.grid.cell(i, kColShare), "0.00%");
            EXPECT_EQ(o.values.grid.cell(i, kColLr), "0.1") << "the length keeps its text";
        }
        if (basis == StrengthBasis::RockStrength) {
            EXPECT_EQ(o.values.grid.cell(1, kColC2Used), "0");
            EXPECT_EQ(o.values.grid.cell(1, kColC2Auto), "0.0736666666666667");
        } else {
            EXPECT_EQ(o.values.grid.cell(1, kColQsrk), "840");
        }
        EXPECT_EQ(boxes(o).at("edt_percent"), "100%");
    }

    // A socket of exactly 0.5 m carries side resistance.
    Inputs half;
    half.grid.setCell(1, kColLr, "0.5");
    const Outcome h = calculate(half);
    ASSERT_TRUE(h.ok()) << h.message;
    EXPECT_TRUE(h.notes.empty());
    EXPECT_NEAR(h.values.qsrk, 5785.77 / 2, 0.005);
}

TEST(Module2Calculation, NotesAccumulateInOrderAndTheLastStays) {
    Inputs in;
    in.settings.mode = CoefficientMode::Manual;
    in.grid = gridOf({{"0.2", "", "", "", "25", "", "0.04", "", ""}, {"", "", "", "", "25", "0.5", "", "", ""}});
    const Outcome o = calculate(in);
    ASSERT_TRUE(o.ok()) << o.message;
    EXPECT_EQ(o.notes, (std::vector<std::string>{
                           "第2层岩石嵌岩深度未输入，隐含取0.00",
                           "第1层岩石端阻系数未输入，隐含取0.00",
                           "桩身嵌岩深度<0.5m，不计侧阻力",
                           "第2层岩石侧阻系数未输入，隐含取0.00",
                           "桩身嵌岩深度<0.5m，不计侧阻力",
                       }));
    EXPECT_EQ(o.values.grid.cell(2, kColLr), "0.00");
    EXPECT_EQ(o.values.grid.cell(1, kColC1), "0.00");
    EXPECT_EQ(o.values.grid.cell(2, kColC2), "0.00");
    EXPECT_EQ(o.values.grid.cell(1, kColC2), "0.04");

    // Under given resistances the last note is not the black one: the line keeps its colour.
    Inputs given;
    given.settings.strengthBasis = StrengthBasis::GivenResistances;
    given.grid = gridOf({{"1", "", "", "", "", "", "", "8000", "840"}, {"1", "", "", "", "", "", "", "9000", ""}});
    const Outcome g = calculate(given);
    ASSERT_TRUE(g.ok()) << g.message;
    EXPECT_EQ(g.notes, std::vector<std::string>{"第2层岩石侧阻未输入，隐含取0.00"});
    const StatusLine status = statusAfter(g, {"", kMagenta, true});
    EXPECT_EQ(status.text, "第2层岩石侧阻未输入，隐含取0.00");
    EXPECT_EQ(status.colour, kMagenta);
    EXPECT_EQ(g.values.grid.cell(2, kColQsrk), "0.00");
    EXPECT_EQ(g.values.grid.cell(2, kColC1Used), "") << "no coefficients under given resistances";
    EXPECT_EQ(g.values.grid.cell(2, kColHardness), "");
}

TEST(Module2Calculation, TextThatIsNotANumberReadsAsAnEmptyCell) {
    Inputs in;
    in.grid = gridOf({{"1.5m", "中风化", "较完整", "", "25", "", "", "", ""}});
    const Outcome o = calculate(in);
    ASSERT_TRUE(o.ok()) << o.message;
    EXPECT_EQ(o.notes, (std::vector<std::string>{"第1层岩石嵌岩深度未输入，隐含取0.00", "桩身嵌岩深度<0.5m，不计侧阻力"}));
    EXPECT_EQ(o.values.grid.cell(1, kColLr), "0.00");

    in.grid = gridOf({{"1", "中风化", "较完整", "", "25MPa", "", "", "", ""}});
    EXPECT_EQ(calculate(in).message, "第1层岩石单轴抗压强度值错");
}

TEST(Module2Calculation, ErrorsStopAtTheirLayerAndKeepTheRowsAbove) {
    using B = StrengthBasis;
    const Layer good = kDefault;
    const struct {
        B basis;
        std::vector<Layer> layers;
        const char* message;
        int rowsWithResults;
    } cases[] = {
        {B::RockStrength, {good, {"-1", "中风化", "较完整", "", "25", "", "", "", ""}, good}, "第2层岩石嵌岩深度<0", 0},
        {B::RockStrength, {good, {"1", "中风化", "较完整", "", "", "", "", "", ""}, good}, "第2层岩石单轴抗压强度值错", 1},
        {B::RockStrength, {good, good, {"1", "全风化", "较完整", "", "25", "", "", "", ""}}, "第3层岩石风化程度未明确", 2},
        {B::RockStrength, {{"1", "中风化", "较完整", "", "4", "", "", "", ""}, good}, "极软岩不适用", 0},
        {B::GivenResistances, {good, good, {"1", "", "", "", "", "", "", "-5", "800"}}, "第3层岩石端阻qpk<0", 2},
        {B::GivenResistances, {good, {"1", "", "", "", "", "", "", "", "-1"}}, "第2层岩石侧阻qsrk<0", 1},
    };
    for (const auto& c : cases) {
        Inputs in;
        in.settings.strengthBasis = c.basis;
        in.grid = RockLayerGrid();
        in.grid.setLayerCount(static_cast<int>(c.layers.size()));
        for (std::size_t k = 0; k < c.layers.size(); ++k) {
            const Layer& l = c.layers[k];
            const int i = static_cast<int>(k) + 1;
            const std::pair<int, const char*> cells[] = {{1, l.lr}, {2, l.weathering}, {3, l.integrity}, {4, l.kv},
                                                         {5, l.frk}, {6, l.c1}, {7, l.c2}, {10, l.qpk}, {11, l.qsrk}};
            for (const auto& [column, text] : cells)
                in.grid.setCell(i, column, text);
        }
        // Results of an earlier calculation stand in every row.
        for (int i = 1; i <= in.grid.layerCount(); ++i)
            in.grid.setCell(i, kColQsrik, "999");
        const Outcome o = calculate(in);
        ASSERT_EQ(o.kind, OutcomeKind::Check) << c.message;
        EXPECT_EQ(o.message, c.message);
        EXPECT_EQ(o.field, "");
        // A layer marks no field: only the diameter of the round pile, which passed, is coloured.
        ASSERT_EQ(o.fields.colours.size(), 1u) << c.message;
        for (const auto& [field, colour] : o.fields.colours) {
            EXPECT_EQ(field, kFieldD) << c.message;
            EXPECT_EQ(colour, kBlack) << field << " " << c.message;
        }
        const StatusLine status = statusAfter(o);
        EXPECT_EQ(status.text, c.message);
        EXPECT_EQ(status.colour, kRed);
        EXPECT_TRUE(status.visible);
        EXPECT_TRUE(o.boxes.empty());
        for (int i = 1; i <= in.grid.layerCount(); ++i)
            EXPECT_EQ(hasResults(o, i), i <= c.rowsWithResults) << c.message << " row " << i;
    }
}

TEST(Module2Calculation, SectionChecksMarkTheirField) {
    const auto round = SectionType::Round;
    const auto oblong = SectionType::Oblong;
    const auto rect = SectionType::Rectangular;
    const struct {
        SectionType section;
        const char *d, *c, *message, *field;
    } cases[] = {
        {round, "0", "0", "桩身直径数据有错", "cbe_dd"},
        {round, "abc", "0", "桩身直径数据有错", "cbe_dd"},
        {oblong, "1000", "", "椭圆直段长度数据有错", "cbe_tyzd"},
        {rect, "-1", "1000", "矩形长边尺寸数据有错", "cbe_dd"},
        {rect, "1000", "0", "矩形短边尺寸数据有错", "cbe_tyzd"},
        // Greater than 0, but with no area (it underflows) or an infinite one.
        {round, "1e-320", "0", "桩身直径数据有错", "cbe_dd"},
        {oblong, "1000", "1e308", "椭圆直段长度数据有错", "cbe_tyzd"},
        {rect, "1e-200", "1e-200", "矩形长边尺寸数据有错", "cbe_dd"},
        {rect, "1000", "1e308", "矩形短边尺寸数据有错", "cbe_tyzd"},
    };
    for (const auto& c : cases) {
        Inputs in;
        in.section = c.section;
        in.d = c.d;
        in.c = c.c;
        in.grid.setCell(1, kColQsrik, "999");
        const Outcome o = calculate(in);
        ASSERT_EQ(o.kind, OutcomeKind::Check) << c.message;
        EXPECT_EQ(o.message, c.message);
        EXPECT_EQ(o.field, c.field);
        EXPECT_EQ(o.fields.colourOf(c.field), kRed);
        EXPECT_EQ(o.values.grid.cell(1, kColQsrik), "999") << "the grid is not touched";
    }
}

TEST(Module2Calculation, RectangleSidesAreExchangedAndASquareIsKnown) {
    Inputs in;
    in.section = SectionType::Rectangular;
    in.d = "800";
    in.c = "1200";
    const Outcome o = calculate(in);
    ASSERT_TRUE(o.ok()) << o.message;
    EXPECT_EQ(o.fields.textOf(kFieldD), "1200");
    EXPECT_EQ(o.fields.textOf(kFieldC), "800");
    EXPECT_DOUBLE_EQ(o.values.area, 960000.0);
    EXPECT_DOUBLE_EQ(o.values.perimeter, 4000.0);
    EXPECT_FALSE(o.values.square);

    in.d = "1000";
    in.c = "1000";
    const Outcome square = calculate(in);
    EXPECT_TRUE(square.values.square);
    EXPECT_EQ(square.fields.textOf(kFieldD), "1000"); // equal sides take the exchange too
}

TEST(Module2Calculation, NoResistanceAtAllStopsInsteadOfDividingByZero) {
    Inputs in;
    in.settings.strengthBasis = StrengthBasis::GivenResistances;
    in.grid = gridOf({{"1", "", "", "", "", "", "", "", ""}});
    const Outcome o = calculate(in);
    ASSERT_EQ(o.kind, OutcomeKind::Check);
    EXPECT_EQ(o.message, "单桩总极限承载力Quk为0，无法计算阻力占比");
    EXPECT_EQ(statusAfter(o).colour, kRed);
    EXPECT_EQ(o.notes, (std::vector<std::string>{"第1层岩石端阻未输入，隐含取0.00", "第1层岩石侧阻未输入，隐含取0.00"}));
    EXPECT_TRUE(o.boxes.empty());
    EXPECT_EQ(o.values.grid.cell(1, kColShare), "");

    // Manual coefficients of 0 end the same way rather than showing "nan".
    Inputs manual;
    manual.settings.mode = CoefficientMode::Manual;
    manual.grid = gridOf({{"1", "", "", "", "25", "0", "0", "", ""}});
    EXPECT_EQ(calculate(manual).message, "单桩总极限承载力Quk为0，无法计算阻力占比");
}

TEST(Module2Calculation, ResultsBeyondTheRangeOfNumbersStop) {
    // 1e308 kPa over 1 m of a 1000 mm pile (μ = 3141.6 mm) is 3.1e308 kN, more than a double holds.
    const struct {
        StrengthBasis basis;
        Layer layer;
    } cases[] = {
        {StrengthBasis::GivenResistances, {"1", "", "", "", "", "", "", "1e308", "1e308"}},
        {StrengthBasis::GivenResistances, {"1", "", "", "", "", "", "", "1e308", "0.5"}}, // the end alone
        // frk 1e306 MPa: qpk = C1 · frk · 1000 kPa is already beyond.
        {StrengthBasis::RockStrength, {"1", "微风化", "完整", "", "1e306", "", "", "", ""}},
    };
    for (const auto& c : cases) {
        Inputs in;
        in.settings.strengthBasis = c.basis;
        in.grid = gridOf({c.layer});
        const Outcome o = calculate(in);
        ASSERT_EQ(o.kind, OutcomeKind::Check) << c.layer.qpk << " " << c.layer.frk;
        EXPECT_EQ(o.message, "数据过大，计算结果溢出");
        EXPECT_EQ(o.field, "");
        const StatusLine status = statusAfter(o);
        EXPECT_EQ(status.text, "数据过大，计算结果溢出");
        EXPECT_EQ(status.colour, kRed);
        EXPECT_TRUE(status.visible);
        EXPECT_TRUE(o.boxes.empty());
        EXPECT_EQ(o.values.grid.cell(1, kColShare), "") << "no share is worked out";
    }

    // Large but within range: computed.
    Inputs large;
    large.settings.strengthBasis = StrengthBasis::GivenResistances;
    large.grid = gridOf({{"1", "", "", "", "", "", "", "1e300", "1e300"}});
    const Outcome o = calculate(large);
    ASSERT_TRUE(o.ok()) << o.message;
    // Qpk = 1e300 · 0.785398 and Qsrk = 1e300 · 3.141593: the end takes a fifth.
    EXPECT_NEAR(o.values.endShare, 20.0, 1e-9);
}

// "软化系数≤0.6的软质岩…" takes 0.8 of the automatic C1 and C2 of "软岩" and "较软岩" layers, and so of
// every resistance of such a layer. Default round pile d 1000, one 1 m layer "中风化" "较完整":
// frk 25: C1 = (0.466667 + 0.866667)/2 · 0.85 = 0.566667, C2 = 0.073667, Quk = 16912.24 kN,
// with the box 0.8 of each: C1 0.453333, C2 0.058933, Quk 13529.79, Ra 6764.90 (the share stays).
// frk 10 ("软岩"): C1 0.60 · 0.85 = 0.51, C2 0.08 · 0.85 = 0.068, Quk 6141.81; boxed 4913.45.
// frk 40 ("较硬岩") and coefficients or resistances given by hand are not reduced.
TEST(Module2Calculation, SoftRockBoxReducesTheAutomaticCoefficientsOfSoftLayers) {
    const struct {
        const char* frk;
        CoefficientMode mode;
        StrengthBasis basis;
        bool groundwater;
        double plainC1, softC1; // C1 used without and with the box; unused for given resistances
        const char *plainQuk, *plainRa, *softQuk, *softRa, *share;
    } cases[] = {
        {"25", CoefficientMode::Automatic, StrengthBasis::RockStrength, true, 2.0 / 3 * 0.85, 2.0 / 3 * 0.85 * 0.8,
         "16912", "8456", "13530", "6765", "66%"},
        // Without groundwater: 0.666667, reduced 0.533333; Quk 19896.75 → 15917.40.
        {"25", CoefficientMode::Automatic, StrengthBasis::RockStrength, false, 2.0 / 3, 1.6 / 3, "19897", "9948",
         "15917", "7959", "66%"},
        {"10", CoefficientMode::Automatic, StrengthBasis::RockStrength, true, 0.51, 0.408, "6142", "3071", "4913",
         "2457", "65%"},
        // 0.70 · 0.85 = 0.595: Quk 28305.75, unchanged.
        {"40", CoefficientMode::Automatic, StrengthBasis::RockStrength, true, 0.595, 0.595, "28306", "14153",
         "28306", "14153", "66%"},
        // Manual C1 0.50 and C2 0.04 of frk 25: 12959, unchanged.
        {"25", CoefficientMode::Manual, StrengthBasis::RockStrength, true, 0.5, 0.5, "12959", "6480", "12959",
         "6480", "76%"},
        // qpk 8000 and qsrk 840 as given: 6283.19 + 2638.94 = 8922.12 kN, unchanged.
        {"25", CoefficientMode::Automatic, StrengthBasis::GivenResistances, true, 0, 0, "8922", "4461", "8922",
         "4461", "70%"},
    };
    for (const auto& c : cases) {
        for (bool soft : {false, true}) {
            Inputs in;
            in.settings.mode = c.mode;
            in.settings.strengthBasis = c.basis;
            in.settings.groundwater = c.groundwater;
            in.settings.softRock = soft;
            in.grid.setCell(1, kColFrk, c.frk);
            const Outcome o = calculate(in);
            ASSERT_TRUE(o.ok()) << c.frk << " " << soft << ": " << o.message;
            EXPECT_EQ(boxes(o), (std::map<std::string, std::string>{{"edt_Quk", soft ? c.softQuk : c.plainQuk},
                                                                    {"edt_ra", soft ? c.softRa : c.plainRa},
                                                                    {"edt_percent", c.share}}))
                << c.frk << " soft " << soft;
            if (c.basis == StrengthBasis::RockStrength) {
                EXPECT_NEAR(cellNumber(o, 1, kColC1Used), soft ? c.softC1 : c.plainC1, 1e-12)
                    << c.frk << " soft " << soft;
            }
        }
    }
}
