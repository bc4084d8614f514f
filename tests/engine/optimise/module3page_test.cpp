// The optimisation page of module 3: the method loop for sections that are not round, the method
// and verdict columns, rows over the standard, the method's recall and the 190-column files.

#include "optimise/optimisepage.h"
#include "optimisetestsupport.h"
#include "testsupport.h"

#include "core/text.h"
#include "module3/module3calc.h"

#include <gtest/gtest.h>

#include <map>

using namespace sp;
using namespace sp::optimise;

namespace {

const core::Moment kMoment{2026, 12, 10, 9, 30, 0};

OptimisePage runPage(std::initializer_list<sp::test::RowTexts> rows, const RunContext& context = {}) {
    OptimisePage page(ModuleKind::Module3);
    sp::test::editRows(page, rows);
    page.setRunContext(context);
    page.run(core::kDefaultPrecision);
    return page;
}

std::string box(const module1::Outcome& o, const char* name) {
    for (const auto& [b, text] : o.boxes)
        if (b == name)
            return text;
    return {};
}

} // namespace

TEST(Module3Page, OptionTableHasTheMethodRow) {
    const OptionTable table(ModuleKind::Module3);
    ASSERT_EQ(table.rowCount(), 17);
    EXPECT_EQ(table.cell(kRow3Method, kColItem), "等效直径算法");
    EXPECT_EQ(table.cell(kRowDepth, kColMin), "2.0d");
    EXPECT_EQ(table.cell(kRowIndex, kColMin), "0.56");
    EXPECT_EQ(table.enables(kRow3Method, kColStep), OptionTable::Enables::Compute);
    EXPECT_EQ(table.enables(kRow3FilterRc, kColMax), OptionTable::Enables::Filter);
    EXPECT_EQ(table.enables(14, kColMin), OptionTable::Enables::Nothing);
}

TEST(Module3Page, DefaultRunComputesEveryCandidateAsTheModuleDoes) {
    OptimisePage page = runPage({});
    const ResultTable& t = page.candidates();
    ASSERT_EQ(t.rowCount(), 2880u);
    std::map<std::string, int> kinds;
    for (const std::string& kind : sp::test::column(t, kColSection))
        ++kinds[kind];
    EXPECT_EQ(kinds["圆  桩"], 192);
    EXPECT_EQ(kinds["椭圆桩"], 1152);
    EXPECT_EQ(kinds["矩形桩"], 1152);
    EXPECT_EQ(kinds["方  桩"], 384);

    const RowCells first = t.cells(0);
    EXPECT_EQ(first[kColNumber], "ZH-0001");
    EXPECT_EQ(first[kColDepth], "2.0d");
    EXPECT_EQ(first[kColIntegrity], "完整");
    EXPECT_EQ(first[kColDeqMethod], "-");
    EXPECT_EQ(first[kColRemark], "合规");
    EXPECT_EQ(t.header(kColRemark), "合规判定");

    const CandidateSpace& space = t.store()->space();
    for (std::size_t i = 0; i < t.rowCount(); ++i) {
        const RowCells cells = t.cells(i);
        const module3::Outcome o = module3::calculate(std::get<module3::Inputs>(space.inputs(space.decode(t.rowId(i)), core::kDefaultPrecision)));
        ASSERT_TRUE(o.ok()) << i;
        EXPECT_EQ(cells[kColDeq], box(o, module1::kBoxDeq)) << i;
        EXPECT_EQ(cells[kColRatio], box(o, module1::kBoxRatio)) << i;
        EXPECT_EQ(cells[kColZetaR], box(o, module1::kBoxZetaR)) << i;
        EXPECT_EQ(cells[kColRa], box(o, module1::kBoxRa)) << i;
        EXPECT_EQ(cells[kColRc], box(o, module1::kBoxRc)) << i;
        EXPECT_EQ(cells[kColRemark], module3::verdictText(*o.verdict)) << i;
        EXPECT_EQ(t.overStandard(i), *o.verdict == module3::ComplianceVerdict::OverStandard) << i;
    }
}

TEST(Module3Page, OverStandardRowsAreMarkedInBothTables) {
    // One oblong pile with the two default methods.
    OptimisePage page = runPage({{kRowSection, {"2", "2", "1"}},
                                 {kRowDiameter, {"1000", "1000", "1"}},
                                 {kRowStraight, {"500", "500", "1"}},
                                 {kRowDepth, {"2.0d", "2.0d", "1.0d"}},
                                 {kRowFrk, {"35", "35", "1"}},
                                 {kRowBasis, {"1", "1", "1"}},
                                 {kRowClass, {"1", "1", "1"}},
                                 {kRowGrade, {"C30", "C30", "5"}},
                                 {kRowProcess, {"2", "2", "1"}}});
    const ResultTable& t = page.candidates();
    ASSERT_EQ(t.rowCount(), 2u);
    EXPECT_EQ(t.cell(0, kColDeqMethod), "面积相等");
    EXPECT_EQ(t.cell(0, kColRemark), "合规");
    EXPECT_FALSE(page.overStandard(0));
    EXPECT_EQ(t.cell(1, kColDeqMethod), "周长相等");
    EXPECT_EQ(t.cell(1, kColRemark), "超规");
    EXPECT_TRUE(page.overStandard(1));

    page.editCell(kRow3FilterRa, kColMin, "0");
    page.editCell(kRow3FilterRa, kColMax, "0");
    page.editCell(kRow3FilterRc, kColMin, "0");
    page.editCell(kRow3FilterRc, kColMax, "0");
    page.headerClick(kColRc); // the overstandard row need not stay second
    page.filter();
    ASSERT_EQ(page.filtered().rowCount(), 2u);
    for (std::size_t i = 0; i < 2; ++i)
        EXPECT_EQ(page.overStandard(i), page.filtered().cell(i, kColRemark) == "超规");
}

TEST(Module3Page, MethodRowIsEnumeratedForSectionsThatAreNotRound) {
    struct Case {
        std::vector<std::string> sections;
        std::vector<std::string> methods;
        std::uint64_t rows;
    } cases[] = {
        {{"1", "4", "1"}, {"0", "9", "1"}, 192 + 8 * (1152 + 1152 + 384) / 2},
        {{"1", "1", "1"}, {"1", "8", "1"}, 192},
        {{"4", "4", "1"}, {"3", "3", "1"}, 384 / 2},
    };
    for (const Case& c : cases) {
        OptimisePage page = runPage({{kRowSection, c.sections}, {kRow3Method, c.methods}});
        EXPECT_EQ(page.candidates().rowCount(), c.rows) << c.sections[0] << c.methods[0];
    }
    OptimisePage all = runPage({{kRowSection, {"2", "2", "1"}}, {kRow3Method, {"0", "9", "1"}}});
    std::map<std::string, int> methods;
    for (const std::string& m : sp::test::column(all.candidates(), kColDeqMethod))
        ++methods[m];
    ASSERT_EQ(methods.size(), 8u);
    EXPECT_EQ(methods["回转imin"], 1152 / 2);
}

TEST(Module3Page, RecallSelectsTheMethod) {
    OptimisePage page = runPage({{kRowSection, {"3", "3", "1"}}, {kRow3Method, {"4", "4", "1"}}});
    ASSERT_EQ(page.candidates().cell(0, kColDeqMethod), "回转imin");
    const auto recall = page.recall(0);
    ASSERT_TRUE(recall);
    EXPECT_EQ(recall->methodPosition, 3);
    EXPECT_EQ(recall->sectionPosition, 2);
    EXPECT_EQ(recall->depth, "2.0b");

    OptimisePage round = runPage({{kRowSection, {"1", "1", "1"}}});
    const auto roundRecall = round.recall(0);
    ASSERT_TRUE(roundRecall);
    EXPECT_FALSE(roundRecall->methodPosition.has_value());
}

TEST(Module3Page, InputLayerAfterARunHoldsTheMethod) {
    OptimisePage page(ModuleKind::Module3);
    sp::test::editRows(page, {{kRowSection, {"1", "2", "1"}}});
    OptimisePage::RunStart start = page.startRun(core::kDefaultPrecision);
    start.run->runToEnd();
    ASSERT_TRUE(start.run->inputLayer().written);
    const OneLayerFields& s = start.run->inputLayer().oneLayer();
    EXPECT_EQ(s.method, module3::DeqMethod::PerimeterEqual);
    EXPECT_EQ(s.verdict, module3::ComplianceVerdict::OverStandard);
    ASSERT_FALSE(s.boxColours.empty());
    EXPECT_EQ(s.boxColours.front().second, core::kRed);

    OptimisePage round(ModuleKind::Module3);
    sp::test::editRows(round, {{kRowSection, {"1", "1", "1"}}});
    OptimisePage::RunStart roundRun = round.startRun(core::kDefaultPrecision);
    roundRun.run->runToEnd();
    EXPECT_FALSE(roundRun.run->inputLayer().oneLayer().method.has_value()); // the list keeps its method
    EXPECT_EQ(roundRun.run->inputLayer().oneLayer().verdict, module3::ComplianceVerdict::Compliant);
}

TEST(Module3Page, GradeMinimumAboveC60IsTakenAsC60) {
    OptimisePage page = runPage({{kRowSection, {"1", "1", "1"}}, {kRowGrade, {"C65", "C70", "5"}}});
    ASSERT_EQ(page.candidates().rowCount(), 192u / 2);
    for (const std::string& grade : sp::test::column(page.candidates(), kColGrade))
        ASSERT_EQ(grade, "C60");
}

TEST(Module3Page, FilesOfASmallRun) {
    OptimisePage page = runPage({{kRowDiameter, {"1200", "1200", "1"}},
                                 {kRowStraight, {"600", "600", "1"}},
                                 {kRowLongSide, {"2000", "2000", "1"}},
                                 {kRowShortSide, {"1250.5", "1250.5", "1"}},
                                 {kRowSquareSide, {"1500", "1500", "1"}},
                                 {kRowDepth, {"2.0d", "2.0d", "1.0d"}},
                                 {kRowFrk, {"24.5", "24.5", "1"}},
                                 {kRowBasis, {"1", "1", "1"}},
                                 {kRowClass, {"2", "2", "1"}},
                                 {kRowGrade, {"C40", "C40", "5"}},
                                 {kRowProcess, {"1", "1", "1"}},
                                 {kRow3Method, {"3", "4", "1"}}});
    ASSERT_EQ(page.candidates().rowCount(), 7u);
    const auto raw = resultFileLines(page.candidates(), ResultFileKind::Raw, kMoment);
    ASSERT_EQ(raw.size(), 7u + 9u);
    for (std::size_t i = 0; i + 1 < raw.size(); ++i)
        if (i != 3 && i != 5 + 7 + 1) { // heading 2 (ζr and ψc count one column each), the note
            EXPECT_EQ(core::DisplayWidth(raw[i]), 190) << i;
        }
    EXPECT_EQ(raw, sp::test::fixtureLines("optimise/module3_raw_small.txt"));

    page.headerClick(kColFirst);
    page.editCell(kRow3FilterRa, kColMin, "0");
    page.editCell(kRow3FilterRa, kColMax, "0");
    page.editCell(kRow3FilterRc, kColMin, "0");
    page.editCell(kRow3FilterRc, kColMax, "0");
    page.filter();
    const auto filtered = resultFileLines(page.filtered(), ResultFileKind::Filtered, kMoment);
    EXPECT_NE(filtered[3].find("方    法"), std::string::npos);
    EXPECT_EQ(filtered, sp::test::fixtureLines("optimise/module3_filtered_small.txt"));
}

// Module 3 filters on its own rows 15 (Ra) and 16 (Rc). Three round piles, 2.0d in frk 35 "完整"
// (ζ 0.90), mud-protected C30 (ψc 0.60, fc 14.3): Ra = 0.90 · 35 · Ap / 2000, Rc = 8.58 · Ap / 1000.
// d 1000: Ra 12370.02, Rc 6738.72; d 1500: 27832.55, 15162.11; d 2000: 49480.08, 26954.86.
TEST(Module3Page, FilterTakesTheRcBoundsFromItsOwnRow) {
    OptimisePage page = runPage({{kRowSection, {"1", "1", "1"}},
                                 {kRowDiameter, {"1000", "2000", "500"}},
                                 {kRowDepth, {"2.0d", "2.0d", "1.0d"}},
                                 {kRowFrk, {"35", "35", "1"}},
                                 {kRowBasis, {"1", "1", "1"}},
                                 {kRowClass, {"1", "1", "1"}},
                                 {kRowGrade, {"C30", "C30", "5"}},
                                 {kRowProcess, {"2", "2", "1"}}});
    ASSERT_EQ(page.candidates().rowCount(), 3u);
    ASSERT_EQ(sp::test::column(page.candidates(), kColRa), (std::vector<std::string>{"12370", "27833", "49480"}));
    ASSERT_EQ(sp::test::column(page.candidates(), kColRc), (std::vector<std::string>{"6739", "15162", "26955"}));

    const struct {
        const char *raLower, *raUpper, *rcLower, *rcUpper;
        std::vector<std::string> kept;
    } cases[] = {
        {"0", "0", "10000", "20000", {"ZH-2"}},
        {"0", "0", "6739", "15162", {"ZH-1", "ZH-2"}}, // both ends inclusive
        {"0", "0", "6740", "15161", {}},
        {"0", "0", "20000", "0", {"ZH-3"}},            // an upper bound of 0 does not constrain
        {"0", "0", "26955", "100", {"ZH-3"}},          // the upper bound becomes the lower one
        {"0", "30000", "10000", "0", {"ZH-2"}},
        {"12370", "27833", "0", "0", {"ZH-1", "ZH-2"}},
        {"12371", "0", "0", "15162", {"ZH-2"}},
        {"-5", "0", "-1", "0", {"ZH-1", "ZH-2", "ZH-3"}},
    };
    for (const auto& c : cases) {
        page.editCell(kRow3FilterRa, kColMin, c.raLower);
        page.editCell(kRow3FilterRa, kColMax, c.raUpper);
        page.editCell(kRow3FilterRc, kColMin, c.rcLower);
        page.editCell(kRow3FilterRc, kColMax, c.rcUpper);
        ASSERT_TRUE(page.filterEnabled());
        ASSERT_EQ(page.filter(), std::nullopt);
        const std::string bounds = std::string(c.raLower) + " " + c.raUpper + " " + c.rcLower + " " + c.rcUpper;
        EXPECT_EQ(sp::test::column(page.filtered(), kColNumber), c.kept) << bounds;
        EXPECT_EQ(page.status().text, c.kept.empty() ? std::string("无满足条件桩，调整区间再筛选")
                                                     : "筛选完成，桩数：" + std::to_string(c.kept.size()) + " 根")
            << bounds;
        EXPECT_EQ(page.saveEnabled(), !c.kept.empty()) << bounds;
    }
}
