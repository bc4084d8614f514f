#include "report/reportdocuments.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

using namespace sp::report;

namespace {

PilePages pile(int n, const std::string& time) {
    const std::string name = PileRegister::pileName(n);
    PilePages p;
    p.book = {"title", "book " + name, "body " + name, std::string(50, '=')};
    p.timeLine = "time " + time;
    p.tableHeading = {"h1", "h2", "h3", "h4", "h5"};
    p.tableRow = "row " + name;
    p.tableClosing = {"c1", "c2", "c3", "time " + time};
    p.entry.section.pileName = name;
    p.entry.tableRow = {{name, std::nullopt}, {std::to_string(n * 100), n * 100.0}};
    p.entry.flagged = n % 2 == 0;
    p.tableColumns = {{"基桩编号", ""}, {"桩承载力 Ra", "kN"}};
    p.calculatedAt = "2026-12-10 09:3" + std::to_string(n) + ":00";
    return p;
}

std::vector<std::string> names(const ReportDocuments& docs) {
    std::vector<std::string> out;
    for (const sp::handin::PileEntry& entry : docs.entries())
        out.push_back(entry.section.pileName);
    return out;
}

} // namespace

TEST(ReportDocuments, AppendingKeepsOneTimeLineAndOneClosingBlock) {
    ReportDocuments docs;
    docs.append(pile(1, "t1"));
    docs.append(pile(2, "t2"));
    EXPECT_EQ(docs.book().lines(), (Lines{"title", "book ZH1", "body ZH1", std::string(50, '='), "title", "book ZH2",
                                          "body ZH2", std::string(50, '='), "time t2"}));
    EXPECT_EQ(docs.table().lines(),
              (Lines{"h1", "h2", "h3", "h4", "h5", "row ZH1", "row ZH2", "c1", "c2", "c3", "time t2"}));
    EXPECT_EQ(docs.saveState().value(), 3);
}

TEST(ReportDocuments, DeleteLastThreeTimes) {
    ReportDocuments docs;
    for (int n = 1; n <= 3; ++n)
        docs.append(pile(n, "t" + std::to_string(n)));
    docs.saveState().markSaved(Page::Book);

    docs.deleteLast();
    docs.deleteLast();
    EXPECT_EQ(docs.pileRegister().count(), 1);
    EXPECT_EQ(docs.table().lines(), (Lines{"h1", "h2", "h3", "h4", "h5", "row ZH1", "c1", "c2", "c3", "time t3"}));
    EXPECT_EQ(docs.book().lines(), (Lines{"title", "book ZH1", "body ZH1", std::string(50, '='), "time t3"}));
    EXPECT_EQ(docs.saveState().value(), 3); // the shortened pages are unsaved again

    docs.deleteLast();
    EXPECT_EQ(docs.pileRegister().count(), 0);
    EXPECT_TRUE(docs.book().lines().empty());
    EXPECT_TRUE(docs.table().lines().empty());
    EXPECT_EQ(docs.saveState().value(), 0);

    docs.append(pile(1, "t4")); // numbering and heading start again
    EXPECT_EQ(docs.table().lines().front(), "h1");
    EXPECT_EQ(docs.pileRegister().count(), 1);
}

// Whatever was saved before, a pile that leaves the pages makes both unsaved, so that the
// shortened pages can be saved over the files that still hold it.
TEST(ReportDocuments, DeleteLastOfSeveralMarksBothPagesUnsaved) {
    const struct {
        std::vector<Page> saved;
        int before;
    } cases[] = {
        {{Page::Book, Page::Table}, 0},
        {{Page::Book}, 2},
        {{Page::Table}, 1},
        {{}, 3},
    };
    for (const auto& c : cases) {
        ReportDocuments docs;
        docs.append(pile(1, "t1"));
        docs.append(pile(2, "t2"));
        for (Page page : c.saved)
            docs.saveState().markSaved(page);
        ASSERT_EQ(docs.saveState().value(), c.before);

        docs.deleteLast();
        EXPECT_EQ(docs.pileRegister().count(), 1) << c.before;
        EXPECT_TRUE(docs.saveState().unsaved(Page::Book)) << c.before;
        EXPECT_TRUE(docs.saveState().unsaved(Page::Table)) << c.before;
        EXPECT_EQ(docs.page(Page::Table), (Lines{"h1", "h2", "h3", "h4", "h5", "row ZH1", "c1", "c2", "c3", "time t2"}))
            << c.before;
    }
}

// The handed-in book's piles and the exported table follow the pages: delete-last takes the last
// pile's entry and moment with its book and row, and the only pile's takes them all.
TEST(ReportDocuments, EntriesKeepInStepWithDeleteLast) {
    ReportDocuments docs;
    for (int n = 1; n <= 3; ++n)
        docs.append(pile(n, "t" + std::to_string(n)));
    EXPECT_EQ(names(docs), (std::vector<std::string>{"ZH1", "ZH2", "ZH3"}));

    docs.deleteLast();
    EXPECT_EQ(names(docs), (std::vector<std::string>{"ZH1", "ZH2"}));
    EXPECT_EQ(docs.calculatedAt(), (std::vector<std::string>{"2026-12-10 09:31:00", "2026-12-10 09:32:00"}));
    const sp::handin::Sheet sheet = docs.pileSheet();
    EXPECT_EQ(sheet.name(), "桩表");
    ASSERT_EQ(sheet.rowCount(), 2u);
    EXPECT_EQ(sheet.rows[1][0].text, "ZH2");
    EXPECT_EQ(sheet.rows[1][1].number, 200.0);
    EXPECT_FALSE(sheet.flagged(0));
    EXPECT_TRUE(sheet.flagged(1));
    EXPECT_EQ(sheet.columns().size(), 2u);

    docs.append(pile(3, "t4")); // the next pile takes the freed number
    EXPECT_EQ(names(docs), (std::vector<std::string>{"ZH1", "ZH2", "ZH3"}));
    EXPECT_EQ(docs.entries().size(), static_cast<std::size_t>(docs.pileRegister().count()));

    for (int k = 0; k < 3; ++k)
        docs.deleteLast();
    EXPECT_TRUE(docs.entries().empty());
    EXPECT_TRUE(docs.calculatedAt().empty());
    EXPECT_EQ(docs.pileSheet().rowCount(), 0u);
}

TEST(SaveState, FlagsPerPage) {
    SaveState s;
    s.markAllUnsaved();
    EXPECT_TRUE(s.unsaved(Page::Book));
    EXPECT_TRUE(s.unsaved(Page::Table));
    s.markSaved(Page::Book);
    EXPECT_EQ(s.value(), 2);
    EXPECT_FALSE(s.unsaved(Page::Book));
    s.markSaved(Page::Table);
    EXPECT_EQ(s.value(), 0);
}

namespace {

// Collects what a sink is given.
struct Collected : PageSink {
    void pileEntered(const PilePages& pages, int number) override {
        numbers.push_back(number);
        rows.push_back(pages.tableRow);
    }
    std::vector<int> numbers;
    std::vector<std::string> rows;
};

using Cells = std::vector<std::pair<std::string, std::optional<double>>>;

std::vector<Cells> rowsOf(const sp::handin::SheetSource& sheet) {
    std::vector<Cells> rows;
    sp::handin::SheetRow row;
    for (std::size_t k = 0; k < sheet.rowCount(); ++k) {
        sheet.row(k, row);
        Cells cells;
        for (const sp::handin::SheetCell& cell : row)
            cells.emplace_back(cell.text, cell.number);
        rows.push_back(cells);
    }
    return rows;
}

} // namespace

// Documents that take only some parts of their piles (the command line's): the page lines go to
// the sink and are not held; the sheet rows read back as they came, through a copy or in place,
// also after a deletion; nothing of the hand-in is kept without it.
TEST(ReportDocuments, TakingPartsOfThePilesKeepsTheRowsAsTheyCame) {
    ReportDocuments full;
    for (int n = 1; n <= 4; ++n)
        full.append(pile(n, "t"));
    const std::vector<Cells> expected = rowsOf(full.pileSheet());
    ASSERT_EQ(expected.size(), 4u);
    EXPECT_EQ(expected[2], (Cells{{"ZH3", std::nullopt}, {"300", 300.0}}));

    const struct {
        const char* name;
        PileParts parts;
        bool withSink;
    } cases[] = {
        {"rows only, lines to a sink", {false, false, true}, true},
        {"rows and hand-in", {false, true, true}, false},
        {"everything, lines to a sink too", {true, true, true}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ReportDocuments docs;
        Collected sink;
        docs.take(c.parts, c.withSink ? &sink : nullptr);
        EXPECT_EQ(docs.wanted().pages, c.parts.pages || c.withSink);
        for (int n = 1; n <= 4; ++n)
            docs.append(pile(n, "t"));
        EXPECT_EQ(docs.book().lines().empty(), !c.parts.pages);
        EXPECT_EQ(docs.entries().size(), c.parts.handIn ? 4u : 0u);
        if (c.withSink) {
            EXPECT_EQ(sink.numbers, (std::vector<int>{1, 2, 3, 4}));
            EXPECT_EQ(sink.rows, (std::vector<std::string>{"row ZH1", "row ZH2", "row ZH3", "row ZH4"}));
        }
        const PileSheet inPlace(docs);
        EXPECT_EQ(inPlace.name(), "桩表");
        EXPECT_EQ(inPlace.columns().size(), 2u);
        EXPECT_EQ(rowsOf(inPlace), expected);
        EXPECT_EQ(rowsOf(docs.pileSheet()), expected);
        for (std::size_t k = 0; k < 4; ++k)
            EXPECT_EQ(inPlace.flagged(k), k % 2 == 1) << k;

        docs.deleteLast();
        EXPECT_EQ(rowsOf(inPlace), std::vector<Cells>(expected.begin(), expected.begin() + 3));
    }

    ReportDocuments nothing;
    nothing.take({false, false, false});
    EXPECT_FALSE(nothing.wanted().pages);
    nothing.append(pile(1, "t"));
    EXPECT_EQ(nothing.pileRegister().count(), 1);
    EXPECT_TRUE(nothing.book().lines().empty());
    EXPECT_EQ(PileSheet(nothing).rowCount(), 0u);
}
