#include "report/handinassembly.h"

#include <gtest/gtest.h>

using namespace sp;
using namespace sp::report;

namespace {

PilePages pile(const std::string& name, const std::string& ra, bool flagged) {
    PilePages pages;
    pages.book = {"book"};
    pages.tableHeading = {"h1", "h2", "h3", "h4", "h5"};
    pages.tableClosing = {"c1", "c2", "c3", "time"};
    pages.entry.section.pileName = name;
    pages.entry.tableRow = {{name, std::nullopt}, {ra, std::stod(ra)}};
    pages.entry.flagged = flagged;
    pages.tableColumns = {{"基桩编号", ""}, {"桩承载力 Ra", "kN"}};
    return pages;
}

} // namespace

TEST(HandInAssembly, TheBookHoldsEveryPileInOrderWithItsTableAndTitle) {
    ReportDocuments documents;
    documents.append(pile("ZH1", "7723", false));
    PilePages unnamed = pile("", "8000", true); // a section that came without its name
    documents.append(unnamed);
    documents.append(pile("ZH3", "9000", false));
    documents.deleteLast();

    handin::TitleBlock title;
    title.project = "贵阳某商业综合体";
    title.date = bookDate(core::Moment{2026, 12, 10, 9, 30, 0});
    const handin::HandInBook book = bookOf(documents, title, programLine("0.1.0"));

    ASSERT_EQ(book.piles.size(), 2u);
    EXPECT_EQ(book.piles[0].pileName, "ZH1");
    EXPECT_EQ(book.piles[0].heading, "ZH1");
    EXPECT_EQ(book.piles[1].pileName, "ZH2");
    EXPECT_EQ(book.title.project, "贵阳某商业综合体");
    EXPECT_EQ(book.title.date, "2026年12月10日");
    EXPECT_EQ(book.programLine, "SocketPile 嵌岩桩承载力计算 0.1.0");
    ASSERT_EQ(book.pileTable.rowCount(), 2u);
    EXPECT_EQ(book.pileTable.rows[1][1].text, "8000");
    EXPECT_FALSE(book.pileTable.flagged(0));
    EXPECT_TRUE(book.pileTable.flagged(1));
    EXPECT_EQ(book.pileTable.columns().size(), 2u);
}

TEST(HandInAssembly, TheDateIsWrittenInChinese) {
    EXPECT_EQ(bookDate(core::Moment{2027, 1, 5, 0, 0, 0}), "2027年1月5日");
    EXPECT_EQ(bookDate(core::Moment{2026, 12, 31, 23, 59, 59}), "2026年12月31日");
}
