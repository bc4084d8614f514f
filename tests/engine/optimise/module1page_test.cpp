#include "optimise/optimisepage.h"
#include "optimisetestsupport.h"
#include "testsupport.h"

#include "core/numbers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

using namespace sp;
using namespace sp::optimise;
using sp::test::column;
using sp::test::editRows;

namespace {

// A page after the default run.
struct OptimiseDefaultRun : ::testing::Test {
    void SetUp() override { ASSERT_TRUE(page.run(core::kDefaultPrecision).run); }
    OptimisePage page;
};

std::vector<double> values(const std::vector<std::string>& texts) {
    std::vector<double> out;
    for (const auto& t : texts)
        out.push_back(*core::readStrict(t));
    return out;
}

// The exchange sort as described, on the rows' texts.
std::vector<std::string> exchangeSorted(std::vector<std::string> numbers, std::vector<double> keys) {
    for (std::size_t i = 0; i < keys.size(); ++i) {
        double v = keys[i];
        for (std::size_t j = i; j < keys.size(); ++j) {
            if (v > keys[j]) {
                std::swap(keys[i], keys[j]);
                std::swap(numbers[i], numbers[j]);
                v = keys[i];
            }
        }
    }
    return numbers;
}

std::vector<std::string> keyHeaders(const ResultTable& t) {
    return {t.header(2), t.header(4), t.header(5)};
}

} // namespace

TEST(FilterBounds, ZeroDoesNotConstrainAndSwappedBoundsCollapse) {
    const struct {
        double lower, upper, expectLower, expectUpper;
    } cases[] = {
        {0, 0, 0, 1e15},
        {-5, 100, 0, 100},
        {100, 0, 100, 1e15},
        {12000, 11000, 12000, 12000},
        {10000, 11000, 10000, 11000},
    };
    for (const auto& c : cases) {
        const Window w = windowOf(c.lower, c.upper);
        EXPECT_EQ(w.lower, c.expectLower) << c.lower << " " << c.upper;
        EXPECT_EQ(w.upper, c.expectUpper) << c.lower << " " << c.upper;
    }
    const Window w = windowOf(10000, 11000);
    EXPECT_TRUE(w.contains(10000));
    EXPECT_TRUE(w.contains(11000));
    EXPECT_FALSE(w.contains(9999.99));
    EXPECT_FALSE(w.contains(11000.01));
}

TEST_F(OptimiseDefaultRun, FilterBoundsOfZeroLetEveryRowPass) {
    editRows(page, {{kRowFilterRa, {"0", "0"}}, {kRowFilterRc, {"0", "0"}}});
    EXPECT_FALSE(page.filter());
    EXPECT_EQ(page.visible(), VisibleTable::Filtered);
    EXPECT_EQ(page.filtered().rowCount(), 3456u);
    EXPECT_EQ(page.status().text, "筛选完成，桩数：3456 根");
    // Rows are copied whole, their candidate numbers included.
    EXPECT_EQ(page.filtered().cells(17), page.candidates().cells(17));
}

TEST_F(OptimiseDefaultRun, SwappedFilterBoundsKeepOnlyTheLowerValueBothEndsIncluded) {
    const std::string ra = page.candidates().cell(0, kColRa); // 12803
    editRows(page, {{kRowFilterRa, {ra, "11000"}}, {kRowFilterRc, {"0", "0"}}});
    EXPECT_FALSE(page.filter());
    const auto all = column(page.candidates(), kColRa);
    const auto expected = std::count(all.begin(), all.end(), ra);
    ASSERT_GT(expected, 0);
    EXPECT_EQ(page.filtered().rowCount(), static_cast<std::size_t>(expected));
    for (const auto& text : column(page.filtered(), kColRa))
        EXPECT_EQ(text, ra);

    // Both Rc bounds equal to a row's Rc: that row passes.
    const std::string rc = page.candidates().cell(5, kColRc);
    editRows(page, {{kRowFilterRa, {"0", "0"}}, {kRowFilterRc, {rc, rc}}});
    EXPECT_FALSE(page.filter());
    const auto numbers = column(page.filtered(), kColNumber);
    EXPECT_NE(std::find(numbers.begin(), numbers.end(), "ZH-0006"), numbers.end());
}

TEST_F(OptimiseDefaultRun, FilterThatFindsNothingDisablesSaving) {
    editRows(page, {{kRowFilterRa, {"1", "2"}}});
    EXPECT_FALSE(page.filter());
    EXPECT_EQ(page.filtered().rowCount(), 0u);
    EXPECT_EQ(page.status().text, "无满足条件桩，调整区间再筛选");
    EXPECT_EQ(page.status().colour, core::kBlack);
    EXPECT_FALSE(page.filterEnabled());
    EXPECT_FALSE(page.saveEnabled());
    EXPECT_FALSE(page.saveChoice());
}

TEST_F(OptimiseDefaultRun, UnreadableFilterBoundChangesNothing) {
    editRows(page, {{kRowFilterRc, {"6000", "八千"}}});
    const auto message = page.filter();
    ASSERT_TRUE(message);
    EXPECT_NE(message->find("八千"), std::string::npos);
    EXPECT_EQ(page.visible(), VisibleTable::Candidates);
    EXPECT_EQ(page.status().text, "计算完成，桩数：3456 根");
    EXPECT_TRUE(page.filterEnabled());
}

TEST_F(OptimiseDefaultRun, ThreeClicksOnRaSortReverseAndReverseAgain) {
    const auto before = column(page.candidates(), kColNumber);
    const auto ascending = exchangeSorted(before, values(column(page.candidates(), kColRa)));

    const struct {
        const char* status;
        std::vector<std::string> headers;
        bool reversed;
    } clicks[] = {
        {"Ra升序排列完成", {" d|a(mm)", "Ra(kN)▲", "  Rc(kN)"}, false},
        {"Ra降序排列完成", {" d|a(mm)", "Ra(kN)▼", "  Rc(kN)"}, true},
        {"Ra升序排列完成", {" d|a(mm)", "Ra(kN)▲", "  Rc(kN)"}, false},
    };
    std::vector<std::string> descending(ascending.rbegin(), ascending.rend());
    for (const auto& c : clicks) {
        EXPECT_FALSE(page.headerClick(kColRa));
        EXPECT_EQ(page.status().text, c.status);
        EXPECT_EQ(keyHeaders(page.candidates()), c.headers);
        EXPECT_EQ(column(page.candidates(), kColNumber), c.reversed ? descending : ascending);
    }
    // The other headers keep their padding.
    EXPECT_EQ(page.candidates().header(0), "  桩编号");
    EXPECT_EQ(page.candidates().header(1), "截面类型");
    EXPECT_EQ(page.candidates().header(16), "      ψc");
}

TEST_F(OptimiseDefaultRun, ClickingAnotherKeySortsAfreshAndOtherColumnsDoNotSort) {
    page.headerClick(kColRa);
    page.headerClick(kColRa);
    const auto byRaDescending = column(page.candidates(), kColNumber);
    const auto diameters = values(column(page.candidates(), kColFirst));

    for (int col : {0, 1, 3, 6, 17}) {
        EXPECT_FALSE(page.headerClick(col));
        EXPECT_EQ(page.status().text, "仅支持d、Ra、Rc排序");
        EXPECT_EQ(column(page.candidates(), kColNumber), byRaDescending);
    }

    page.headerClick(kColFirst);
    EXPECT_EQ(page.status().text, "d升序排列完成");
    EXPECT_EQ(keyHeaders(page.candidates()), (std::vector<std::string>{"d|a(mm)▲", "  Ra(kN)", "  Rc(kN)"}));
    EXPECT_EQ(column(page.candidates(), kColNumber), exchangeSorted(byRaDescending, diameters));
    EXPECT_EQ(page.sortState().direction(SortKey::Ra), SortDirection::None);
}

TEST_F(OptimiseDefaultRun, FilterAfterSortKeepsTheOrderButDropsTheMarkers) {
    page.headerClick(kColRc);
    page.headerClick(kColRc);
    const auto sorted = column(page.candidates(), kColNumber);
    editRows(page, {{kRowFilterRa, {"0", "0"}}, {kRowFilterRc, {"0", "0"}}});
    page.filter();
    EXPECT_EQ(column(page.filtered(), kColNumber), sorted);
    EXPECT_EQ(keyHeaders(page.filtered()), (std::vector<std::string>{" d|a(mm)", "  Ra(kN)", "  Rc(kN)"}));
    // The candidate table, now hidden, keeps its marker; the next click sorts the filtered table afresh.
    EXPECT_EQ(page.candidates().header(kColRc), "Rc(kN)▼");
    page.headerClick(kColRc);
    EXPECT_EQ(page.status().text, "Rc升序排列完成");
    EXPECT_EQ(page.filtered().header(kColRc), "Rc(kN)▲");
}

TEST(OptimisePage, SortingFewerThanTwoRowsIsNotNeeded) {
    OptimisePage page;
    page.headerClick(kColRa);
    EXPECT_EQ(page.status().text, "无需排序");
    editRows(page, {{kRowSection, {"1", "1", "1"}},
                    {kRowDiameter, {"1000", "1000", "1"}},
                    {kRowDepth, {"1.0d", "1.0d", "1.0d"}},
                    {kRowFrk, {"35", "35", "1"}},
                    {kRowBasis, {"1", "1", "1"}},
                    {kRowClass, {"1", "1", "1"}},
                    {kRowGrade, {"C30", "C30", "5"}},
                    {kRowProcess, {"2", "2", "1"}}});
    page.run(core::kDefaultPrecision);
    ASSERT_EQ(page.candidates().rowCount(), 1u);
    page.headerClick(kColRa);
    EXPECT_EQ(page.status().text, "无需排序");
    EXPECT_EQ(page.sortState().direction(SortKey::Ra), SortDirection::None);
}

TEST(OptimisePage, ButtonsAfterRunFilterSortAndSave) {
    OptimisePage page;
    EXPECT_TRUE(page.computeEnabled());
    EXPECT_FALSE(page.filterEnabled());
    EXPECT_FALSE(page.saveEnabled());

    page.run(core::kDefaultPrecision);
    EXPECT_FALSE(page.computeEnabled());
    EXPECT_TRUE(page.filterEnabled());
    EXPECT_TRUE(page.saveEnabled());

    // Only the step cells of rows 0-12 and the bounds of rows 14-15 enable anything.
    page.editCell(13, kColMin, "1");
    page.editCell(kRowFilterRa, kColStep, "1");
    EXPECT_FALSE(page.computeEnabled());
    page.editCell(kRowProcess, kColStep, "1");
    EXPECT_TRUE(page.computeEnabled());

    editRows(page, {{kRowFilterRa, {"0", "0"}}, {kRowFilterRc, {"0", "0"}}});
    page.filter();
    EXPECT_FALSE(page.filterEnabled());
    EXPECT_TRUE(page.saveEnabled());
    EXPECT_EQ(page.saveChoice(), ResultFileKind::Filtered);

    const sp::test::TemporaryFolder temporary("socketpile-optimise-buttons");
    const std::filesystem::path& folder = temporary.path();
    const auto saved = page.save(folder, core::Moment{2026, 12, 10, 9, 30, 0});
    ASSERT_TRUE(saved);
    EXPECT_TRUE(saved->ok);
    EXPECT_TRUE(std::filesystem::exists(folder / resultFileName(ResultFileKind::Filtered)));
    EXPECT_FALSE(page.saveEnabled());
    EXPECT_FALSE(page.save(folder, core::Moment{}));

    page.headerClick(kColFirst);
    EXPECT_TRUE(page.saveEnabled());
    page.editCell(kRowFilterRc, kColMax, "9000");
    EXPECT_TRUE(page.filterEnabled());
}

TEST(OptimisePage, FailedSaveKeepsSavingEnabled) {
    OptimisePage page;
    page.run(core::kDefaultPrecision);
    const sp::test::TemporaryFolder temporary("socketpile-optimise-failed");
    const auto saved = page.save(temporary / "missing", core::Moment{});
    ASSERT_TRUE(saved);
    EXPECT_FALSE(saved->ok);
    EXPECT_TRUE(page.saveEnabled());
}

TEST(OptimisePage, OptionTableStopsTheRunAfterEmptyingTheTables) {
    OptimisePage page;
    page.run(core::kDefaultPrecision);
    page.editCell(kRowDiameter, kColMin, "-1000");
    auto start = page.run(core::kDefaultPrecision);
    EXPECT_FALSE(start.run);
    ASSERT_TRUE(start.error);
    EXPECT_EQ(page.status().text, "桩径不能为负值");
    EXPECT_EQ(page.status().colour, core::kRed);
    EXPECT_EQ(page.candidates().rowCount(), 0u);

    page.editCell(kRowDiameter, kColMin, "1000mm");
    start = page.run(core::kDefaultPrecision);
    ASSERT_TRUE(start.error);
    EXPECT_EQ(start.error->kind, OptionError::Kind::Conversion);
    EXPECT_EQ(page.status().text, "");
}

namespace {

// What a refused run must leave alone: both tables in their order, their headers with the sort
// marks, the sort state, the visible table and the buttons.
struct PageView {
    VisibleTable visible;
    std::vector<std::string> candidates, filtered, candidateHeaders, filteredHeaders;
    std::vector<SortDirection> directions;
    bool compute, filter, save;
    bool operator==(const PageView&) const = default;
};

PageView viewOf(const OptimisePage& page) {
    return {page.visible(),
            column(page.candidates(), kColNumber),
            column(page.filtered(), kColNumber),
            keyHeaders(page.candidates()),
            keyHeaders(page.filtered()),
            {page.sortState().direction(SortKey::D), page.sortState().direction(SortKey::Ra),
             page.sortState().direction(SortKey::Rc)},
            page.computeEnabled(),
            page.filterEnabled(),
            page.saveEnabled()};
}

} // namespace

TEST(OptimisePage, ARunRefusedForItsSizeKeepsTheLastResults) {
    const struct {
        const char* name;
        std::function<void(OptimisePage&)> before;
        std::vector<std::string> candidateHeaders, filteredHeaders;
    } cases[] = {
        {"sorted candidates",
         [](OptimisePage& p) {
             p.headerClick(kColRa);
             p.headerClick(kColRa);
         },
         {" d|a(mm)", "Ra(kN)▼", "  Rc(kN)"},
         {" d|a(mm)", "  Ra(kN)", "  Rc(kN)"}},
        {"filtered, then sorted",
         [](OptimisePage& p) {
             editRows(p, {{kRowFilterRa, {"7000", "9000"}}});
             p.filter();
             p.headerClick(kColFirst);
         },
         {" d|a(mm)", "  Ra(kN)", "  Rc(kN)"},
         {"d|a(mm)▲", "  Ra(kN)", "  Rc(kN)"}},
    };
    for (const auto& c : cases) {
        OptimisePage page;
        ASSERT_TRUE(page.run(core::kDefaultPrecision).run);
        c.before(page);
        editRows(page, {{kRowDiameter, {"1000", "2000", "0.01"}}});
        const PageView before = viewOf(page);
        ASSERT_EQ(before.candidates.size(), 3456u) << c.name;
        ASSERT_EQ(before.candidateHeaders, c.candidateHeaders) << c.name;
        ASSERT_EQ(before.filteredHeaders, c.filteredHeaders) << c.name;

        const auto start = page.run(core::kDefaultPrecision);
        EXPECT_FALSE(start.run) << c.name;
        ASSERT_TRUE(start.error) << c.name;
        EXPECT_EQ(page.status().text, "候选桩数超过10000000 根，请加大步进值或缩小取值范围") << c.name;
        EXPECT_EQ(page.status().colour, core::kRed) << c.name;
        EXPECT_TRUE(viewOf(page) == before) << c.name;
    }
}

TEST(OptimisePage, EditableCellsAndExpandState) {
    for (int row = 0; row < optionRowCount(ModuleKind::Module1); ++row) {
        for (int col = 0; col < kOptionColumns; ++col) {
            const bool value = row <= 12 && col >= 1 && col <= 3;
            const bool bound = (row == 14 || row == 15) && (col == 1 || col == 2);
            EXPECT_EQ(OptionTable::makesEditable(ModuleKind::Module1, row, col), value || bound) << row << " " << col;
        }
    }
    OptimisePage page;
    EXPECT_STREQ(page.expandCaption(), "展开");
    EXPECT_TRUE(page.noteColumnVisible());
    EXPECT_FALSE(page.resultColumnVisible(6));
    EXPECT_TRUE(page.resultColumnVisible(5));
    page.toggleExpand();
    EXPECT_STREQ(page.expandCaption(), "折叠");
    EXPECT_TRUE(page.noteColumnVisible());
    EXPECT_TRUE(page.resultColumnVisible(17));
    page.toggleExpand();
    EXPECT_STREQ(page.expandCaption(), "展开");
    EXPECT_FALSE(page.noteColumnVisible());
    EXPECT_FALSE(page.resultColumnVisible(6));
}

TEST_F(OptimiseDefaultRun, RecallOfASquareRowWritesARectangleWithEqualSides) {
    const auto sections = column(page.candidates(), kColSection);
    const auto square =
        static_cast<std::size_t>(std::find(sections.begin(), sections.end(), "方  桩") - sections.begin());
    ASSERT_LT(square, sections.size());
    const auto recall = page.recall(square);
    ASSERT_TRUE(recall);
    EXPECT_EQ(recall->sectionPosition, 2); // "矩形桩"
    EXPECT_EQ(recall->first, "1000");
    EXPECT_EQ(recall->second, "1000");
    EXPECT_EQ(recall->depth, "1.0b");
    EXPECT_EQ(recall->frk, "35.00");
    EXPECT_EQ(recall->gradePosition, 0);   // C25
    EXPECT_EQ(recall->processPosition, 0); // 干 作 业
    EXPECT_EQ(recall->integrity, "完整");
    EXPECT_FALSE(recall->grid); // the rock-layer grid is module 2's

    const auto round = page.recall(0);
    EXPECT_EQ(round->sectionPosition, 0);
    EXPECT_EQ(round->second, "0");
    EXPECT_FALSE(page.recall(3456));
}

TEST(OptimisePage, RecallLeavesUnknownTextsAlone) {
    RowCells row;
    row[kColSection] = "圆桩";
    row[kColProcess] = "人工挖孔";
    row[kColGrade] = "C45";
    row[kColIntegrity] = "0.46";
    const Recall r = profileOf(ModuleKind::Module1).recall(row);
    EXPECT_FALSE(r.sectionPosition);
    EXPECT_FALSE(r.first);
    EXPECT_FALSE(r.processPosition);
    EXPECT_EQ(r.gradePosition, 4);
    EXPECT_EQ(r.integrity, "0.46");
}
