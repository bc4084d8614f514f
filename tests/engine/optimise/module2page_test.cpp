// The optimisation page of module 2: single-layer sockets through the rock-layer grid, its own
// option rows, columns, keys, filter, recall and files.

#include "optimise/optimisepage.h"
#include "optimisetestsupport.h"
#include "testsupport.h"

#include "core/numbers.h"
#include "core/text.h"
#include "module2/module2calc.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace sp;
using namespace sp::optimise;

namespace {

const core::Moment kMoment{2026, 12, 10, 9, 30, 0};

OptimisePage runPage(std::initializer_list<sp::test::RowTexts> rows, const RunContext& context = {},
                     core::Precision precision = core::kDefaultPrecision) {
    OptimisePage page(ModuleKind::Module2);
    sp::test::editRows(page, rows);
    page.setRunContext(context);
    page.run(precision);
    return page;
}

std::string gridCell(const module2::Outcome& outcome, int column) {
    for (const module2::CellText& cell : outcome.cells)
        if (cell.layer == 1 && cell.column == column)
            return cell.text;
    return {};
}

std::string fixed(const std::string& text, int decimals) {
    return core::FixedText(core::readLenient(text), 10, decimals);
}

} // namespace

TEST(Module2Page, OptionTableHasFourteenRowsWithItsOwnEditableCells) {
    const OptionTable table(ModuleKind::Module2);
    ASSERT_EQ(table.rowCount(), 14);
    EXPECT_EQ(table.cell(kRow2Weathering, kColItem), "岩层风化程度");
    EXPECT_EQ(table.cell(kRow2Class, kColNote), "完整1/较完整2/较破碎3/破碎4/极破碎5");
    EXPECT_EQ(table.cell(kRow2FilterRa, kColMin), "10000");
    EXPECT_TRUE(table.editable(kRow2Index, kColStep));
    EXPECT_FALSE(table.editable(12, kColMin));
    EXPECT_FALSE(table.editable(kRow2FilterRa, kColStep));
    EXPECT_EQ(table.enables(kRow2Index, kColMin), OptionTable::Enables::Compute);
    EXPECT_EQ(table.enables(kRow2FilterRa, kColMax), OptionTable::Enables::Filter);
}

TEST(Module2Page, DefaultRunComputesEveryCandidateAsTheModuleDoes) {
    OptimisePage page = runPage({});
    const ResultTable& t = page.candidates();
    ASSERT_EQ(t.rowCount(), 1728u);
    EXPECT_EQ(page.status().text, "计算完成，桩数：1728 根");
    EXPECT_FALSE(page.computeEnabled());
    EXPECT_TRUE(page.filterEnabled());

    const RowCells first = t.cells(0);
    EXPECT_EQ(first[kColNumber], "ZH-0001");
    EXPECT_EQ(first[kColSection], "圆  桩");
    EXPECT_EQ(first[kColFirst], "1000");
    EXPECT_EQ(first[kColSecond], "-");
    EXPECT_EQ(first[kCol2Lr], "1.00");
    EXPECT_EQ(first[kCol2Frk], "35.00");
    EXPECT_EQ(first[kCol2Weathering], "微风化");
    EXPECT_EQ(first[kCol2Basis], "1");
    EXPECT_EQ(first[kCol2Integrity], "完整");
    EXPECT_EQ(first[kCol2Remark], "");
    EXPECT_EQ(t.header(5), "   lr(m)");
    EXPECT_EQ(t.header(10), " 系数 C1");

    // Every row against the module's own calculation of the candidate written into the grid.
    const CandidateSpace& space = t.store()->space();
    for (std::size_t i = 0; i < t.rowCount(); ++i) {
        const RowCells cells = t.cells(i);
        const module2::Outcome o = module2::calculate(std::get<module2::Inputs>(space.inputs(space.decode(t.rowId(i)), core::kDefaultPrecision)));
        ASSERT_TRUE(o.ok()) << i;
        const std::string quk = gridCell(o, module2::kColQuk);
        const std::string qpk = gridCell(o, module2::kColQpkTotal);
        const double share = core::readLenient(qpk) * 100.0 / core::readLenient(quk);
        EXPECT_EQ(cells[kColRa], o.boxes[1].second) << i;
        EXPECT_EQ(cells[kCol2C1], fixed(gridCell(o, module2::kColC1Used), 3)) << i;
        EXPECT_EQ(cells[kCol2C2], fixed(gridCell(o, module2::kColC2Used), 3)) << i;
        EXPECT_EQ(cells[kCol2Qsrk], fixed(gridCell(o, module2::kColSumQsrik), 0)) << i;
        EXPECT_EQ(cells[kCol2Qpk], fixed(qpk, 0)) << i;
        EXPECT_EQ(cells[kCol2Quk], fixed(quk, 0)) << i;
        EXPECT_EQ(cells[kCol2EndShare], core::FixedText(share, 10, 0) + "%") << i;
        EXPECT_EQ(cells[kCol2SideShare], core::FixedText(100.0 - share, 10, 0) + "%") << i;
    }
}

TEST(Module2Page, CheckBoxesOfTheInputLayerApplyToEveryCandidate) {
    const OptimisePage wet = runPage({{kRowSection, {"1", "1", "1"}}}, RunContext{true, false});
    const OptimisePage dry = runPage({{kRowSection, {"1", "1", "1"}}}, RunContext{false, false});
    ASSERT_EQ(wet.candidates().rowCount(), dry.candidates().rowCount());
    // 0.85 of the dry coefficient under groundwater.
    EXPECT_EQ(dry.candidates().cell(0, kCol2C1), "1.000");
    EXPECT_EQ(wet.candidates().cell(0, kCol2C1), "0.850");
}

// "软化系数≤0.6的软质岩…" takes 0.8 of the automatic C1 and C2 of candidates in "软岩" and "较软岩"
// only. Round pile d 1000, 1.0 m of "中风化" "较完整"; C1 = mean of the bounds × 0.85 (groundwater)
// × 0.8 (soft rock), Ra = (C1 · frk · 1000 · π/4 + C2 · frk · 1000 · π) / 2:
// frk 10: C1 0.60 → Ra 3612.83; · 0.85 → 3070.91; · 0.85 · 0.8 → 2456.73; · 0.8 → 2890.27.
// frk 25: C1 0.666667 → 9948.38; 8456.12; 6764.90; 7958.70.
// frk 40 ("较硬岩"): C1 0.70 → 16650.44, and 0.595 → 14152.87 with groundwater, ticked or not.
TEST(Module2Page, SoftRockBoxReducesOnlySoftCandidates) {
    const struct {
        bool groundwater, softRock;
        std::vector<std::string> c1, ra;
    } cases[] = {
        {false, false, {"0.600", "0.667", "0.700"}, {"3613", "9948", "16650"}},
        {true, false, {"0.510", "0.567", "0.595"}, {"3071", "8456", "14153"}},
        {true, true, {"0.408", "0.453", "0.595"}, {"2457", "6765", "14153"}},
        {false, true, {"0.480", "0.533", "0.700"}, {"2890", "7959", "16650"}},
    };
    for (const auto& c : cases) {
        const OptimisePage page = runPage({{kRowSection, {"1", "1", "1"}},
                                           {kRowDiameter, {"1000", "1000", "1"}},
                                           {kRowDepth, {"1.0d", "1.0d", "1.0d"}},
                                           {kRowFrk, {"10", "40", "15"}},
                                           {kRow2Weathering, {"2", "2", "1"}},
                                           {kRow2Basis, {"1", "1", "1"}},
                                           {kRow2Class, {"2", "2", "1"}}},
                                          RunContext{c.groundwater, c.softRock});
        ASSERT_EQ(page.candidates().rowCount(), 3u);
        EXPECT_EQ(sp::test::column(page.candidates(), kCol2Frk),
                  (std::vector<std::string>{"10.00", "25.00", "40.00"}));
        EXPECT_EQ(sp::test::column(page.candidates(), kCol2C1), c.c1) << c.groundwater << c.softRock;
        EXPECT_EQ(sp::test::column(page.candidates(), kColRa), c.ra) << c.groundwater << c.softRock;
    }

    // The default table has hard rock only (frk 35 and 40): ticking the box changes nothing.
    const OptimisePage plain = runPage({}, RunContext{true, false});
    const OptimisePage ticked = runPage({}, RunContext{true, true});
    ASSERT_EQ(ticked.candidates().rowCount(), 1728u);
    EXPECT_EQ(sp::test::column(ticked.candidates(), kColRa), sp::test::column(plain.candidates(), kColRa));
}

TEST(Module2Page, SocketLengthFollowsTheMultipleOfTheShorterSide) {
    struct Case {
        const char* sections;
        const char* size; // d, a and b, or the square side
        const char* second;
        const char* depth;
        const char* step;
        const char* lr;
    } cases[] = {
        {"3", "1000", "500", "2.0d", "1.0d", "1.00"}, // the rectangle's shorter side
        {"3", "500", "1000", "2.0d", "1.0d", "1.00"}, // sides given the other way round
        {"1", "800", "0", "1.5d", "1.0d", "1.20"},
        {"4", "1200", "0", "2.0d", "1.0d", "2.40"},
        {"2", "1000", "600", "1500", "1", "1.50"}, // millimetres
    };
    for (const Case& c : cases) {
        OptimisePage page = runPage({{kRowSection, {c.sections, c.sections, "1"}},
                                     {kRowDiameter, {c.size, c.size, "1"}},
                                     {kRowStraight, {c.second, c.second, "1"}},
                                     {kRowLongSide, {c.size, c.size, "1"}},
                                     {kRowShortSide, {c.second, c.second, "1"}},
                                     {kRowSquareSide, {c.size, c.size, "1"}},
                                     {kRowDepth, {c.depth, c.depth, c.step}}});
        ASSERT_GT(page.candidates().rowCount(), 0u) << c.depth;
        EXPECT_EQ(page.candidates().cell(0, kCol2Lr), c.lr) << c.sections << " " << c.depth;
    }
}

TEST(Module2Page, OptionRowsOfTheRockAreCheckedAndClamped) {
    struct Case {
        int row;
        std::vector<std::string> cells;
        const char* status;
        std::uint64_t rows;
    } cases[] = {
        {kRow2Index, {"0", "0.66", "0.1"}, "岩体完整性指数不能为负值或0", 0},
        {kRow2Index, {"0.3", "1.2", "0.1"}, "岩体完整性指数不能大于1", 0},
        // Accepted by the row; the calculation's broken-rock rule stops the first index candidate.
        {kRow2Index, {"0.30", "0.30", "0.1"}, kStoppedStatus, 3},
        {kRow2Weathering, {"0", "9", "1"}, "计算完成，桩数：1728 根", 1728},
        {kRow2Basis, {"2", "2", "1"}, "计算完成，桩数：864 根", 864},
    };
    for (const Case& c : cases) {
        OptimisePage page(ModuleKind::Module2);
        sp::test::editRows(page, {{c.row, c.cells}});
        page.run(core::kDefaultPrecision);
        EXPECT_EQ(page.status().text, c.status) << c.row;
        EXPECT_EQ(page.candidates().rowCount(), c.rows) << c.row;
    }
}

TEST(Module2Page, BrokenClassesStopTheRunAtTheirFirstCandidate) {
    // Class 3 then 4 for each socket: the first candidate of class 4 stops the run.
    OptimisePage page = runPage({{kRow2Basis, {"1", "1", "1"}}, {kRow2Class, {"3", "5", "1"}}});
    EXPECT_EQ(page.candidates().rowCount(), 1u);
    EXPECT_EQ(page.status().text, kStoppedStatus);
    EXPECT_EQ(page.status().colour, core::kRed);
    EXPECT_TRUE(page.computeEnabled());
    EXPECT_EQ(page.candidates().cell(0, kColNumber), "1");

    OptimisePage broken = runPage({{kRow2Basis, {"1", "1", "1"}}, {kRow2Class, {"5", "5", "1"}}});
    EXPECT_EQ(broken.candidates().rowCount(), 0u);
    EXPECT_EQ(broken.status().text, kStoppedStatus);
}

TEST(Module2Page, InputLayerAfterARunHoldsTheLastCandidate) {
    OptimisePage page(ModuleKind::Module2);
    sp::test::editRows(page, {{kRow2Basis, {"1", "1", "1"}}, {kRow2Class, {"3", "4", "1"}}});
    OptimisePage::RunStart start = page.startRun(core::kDefaultPrecision);
    ASSERT_TRUE(start.run);
    start.run->runToEnd();
    page.finishRun(*start.run);
    const InputLayerState& layer = start.run->inputLayer();
    ASSERT_TRUE(layer.written);
    const RockGridFields& s = layer.rockGrid();
    EXPECT_EQ(s.fields.d, "1000");
    EXPECT_EQ(s.fields.settings.strengthBasis, module2::StrengthBasis::RockStrength);
    EXPECT_EQ(s.fields.settings.mode, module2::CoefficientMode::Automatic);
    EXPECT_EQ(s.fields.settings.integrityBasis, module2::IntegrityBasis::ClassName);
    EXPECT_EQ(s.lr, "1.00");
    EXPECT_EQ(s.weathering, "微风化");
    EXPECT_EQ(s.frk, "35.00");
    EXPECT_EQ(s.integrity, "破碎");
    EXPECT_FALSE(s.kv.has_value());
    EXPECT_EQ(s.outcome.message, "破碎、极破碎岩体不适用嵌岩桩");
    EXPECT_EQ(layer.status.text, "破碎、极破碎岩体不适用嵌岩桩");
    EXPECT_EQ(layer.boxes, (std::vector<std::pair<std::string, std::string>>{
                           {"edt_Quk", ""}, {"edt_ra", ""}, {"edt_percent", ""}}));

    // A complete default run ends on an index candidate; the class column keeps the last class.
    OptimisePage full(ModuleKind::Module2);
    OptimisePage::RunStart run = full.startRun(core::kDefaultPrecision);
    run.run->runToEnd();
    const InputLayerState& lastLayer = run.run->inputLayer();
    const RockGridFields& last = lastLayer.rockGrid();
    EXPECT_EQ(last.fields.section, core::SectionType::Rectangular);
    EXPECT_EQ(last.fields.settings.integrityBasis, module2::IntegrityBasis::Index);
    EXPECT_EQ(last.kv, "0.66");
    EXPECT_EQ(last.integrity, "较破碎");
    EXPECT_EQ(last.weathering, "中风化");
    EXPECT_TRUE(last.outcome.ok());
    EXPECT_EQ(lastLayer.boxes, last.outcome.boxes);
    // Square 2000 (Ap 4 m², μ 8 m), 6.00 m in "中风化" "较硬岩" frk 40 with Kv 0.66: C1 = (0.50 + 0.40 ·
    // 0.55) · 0.85 = 0.612, C2 = (0.07 + 0.04 · 0.55) · 0.85 = 0.0782; Qpk = 0.612 · 40000 · 4 = 97920,
    // Qsrk = 0.0782 · 40000 · 6 · 8 = 150144, Quk 248064 kN, Ra 124032, end share 39.47 %.
    EXPECT_EQ(lastLayer.boxes, (std::vector<std::pair<std::string, std::string>>{
                              {"edt_Quk", "248064"}, {"edt_ra", "124032"}, {"edt_percent", "39%"}}));
}

TEST(Module2Page, SortsByDAndRaOnlyAndFiltersOnRaAlone) {
    OptimisePage page = runPage({});
    page.headerClick(kColRc);
    EXPECT_EQ(page.status().text, "仅支持d、Ra排序");
    EXPECT_EQ(page.candidates().cell(0, kColNumber), "ZH-0001");
    page.headerClick(kColRa);
    EXPECT_EQ(page.status().text, "Ra升序排列完成");
    EXPECT_EQ(page.candidates().header(kColRa), "Ra(kN)▲");
    EXPECT_EQ(page.candidates().header(5), "   lr(m)");
    const auto ra = sp::test::column(page.candidates(), kColRa);
    ASSERT_EQ(ra.size(), 1728u);
    for (std::size_t i = 1; i < ra.size(); ++i)
        ASSERT_LE(core::readLenient(ra[i - 1]), core::readLenient(ra[i]));

    // Bounds on two of the values; the Rc row of module 1 does not exist here.
    page.editCell(kRow2FilterRa, kColMin, ra[100]);
    page.editCell(kRow2FilterRa, kColMax, ra[500]);
    ASSERT_EQ(page.filter(), std::nullopt);
    const auto passed = sp::test::column(page.filtered(), kColRa);
    std::size_t inWindow = 0;
    for (const std::string& text : ra) {
        const double value = core::readLenient(text);
        inWindow += value >= core::readLenient(ra[100]) && value <= core::readLenient(ra[500]);
    }
    EXPECT_GE(passed.size(), 401u);
    EXPECT_EQ(passed.size(), inWindow);
    EXPECT_EQ(passed.front(), ra[100]);
    EXPECT_EQ(page.filtered().header(kColRa), "  Ra(kN)");
}

TEST(Module2Page, RecallPutsTheCandidateIntoTheGrid) {
    OptimisePage page = runPage({});
    // Row 1727: the last, a square pile with an index.
    const auto recall = page.recall(1727);
    ASSERT_TRUE(recall);
    EXPECT_EQ(recall->sectionPosition, 2);
    EXPECT_EQ(recall->first, "2000");
    EXPECT_EQ(recall->second, "2000");
    ASSERT_TRUE(recall->grid);
    EXPECT_EQ(recall->grid->layerCountPosition, 0);
    EXPECT_EQ(recall->grid->coefficientModePosition, 1);
    EXPECT_EQ(recall->grid->integrityBasisPosition, 1);
    EXPECT_EQ(recall->grid->lr, "6.00");
    EXPECT_EQ(recall->grid->weathering, "中风化");
    EXPECT_EQ(recall->integrity, "0.66");
    EXPECT_EQ(recall->frk, "40.00");
    // Nothing of the one-layer windows' recall applies.
    EXPECT_EQ(recall->depth, "");
    EXPECT_FALSE(recall->gradePosition);
    EXPECT_FALSE(recall->processPosition);
    EXPECT_FALSE(recall->methodPosition);
    EXPECT_FALSE(page.recall(1728)); // past the last row
}

TEST(Module2Page, FilesOfASmallRun) {
    OptimisePage page = runPage({{kRowDiameter, {"1200", "1200", "1"}},
                                 {kRowStraight, {"600", "600", "1"}},
                                 {kRowLongSide, {"2000", "2000", "1"}},
                                 {kRowShortSide, {"1250.5", "1250.5", "1"}},
                                 {kRowSquareSide, {"1500", "1500", "1"}},
                                 {kRowDepth, {"0.3d", "2.0d", "1.7d"}},
                                 {kRowFrk, {"24.5", "24.5", "1"}},
                                 {kRow2Weathering, {"2", "2", "1"}},
                                 {kRow2Class, {"2", "2", "1"}},
                                 {kRow2Index, {"0.46", "0.46", "0.1"}}});
    ASSERT_EQ(page.candidates().rowCount(), 16u);
    const auto raw = resultFileLines(page.candidates(), ResultFileKind::Raw, kMoment);
    ASSERT_EQ(raw.size(), 16u + 9u);
    for (std::size_t i = 0; i + 1 < raw.size(); ++i)
        if (i != 5 + 16 + 1) { // the note
            EXPECT_EQ(core::DisplayWidth(raw[i]), 180) << i;
        }
    EXPECT_EQ(raw, sp::test::fixtureLines("optimise/module2_raw_small.txt"));

    page.headerClick(kColRa);
    page.headerClick(kColRa);
    page.editCell(kRow2FilterRa, kColMin, "0");
    page.editCell(kRow2FilterRa, kColMax, "12000");
    page.filter();
    EXPECT_EQ(resultFileLines(page.filtered(), ResultFileKind::Filtered, kMoment),
              sp::test::fixtureLines("optimise/module2_filtered_small.txt"));
}
