// A result table of the optimisation page as a sheet: titles and units from the headers, the
// cells as the table shows them with their numbers, and the red rows.

#include "optimise/optimisepage.h"
#include "optimise/results/resultsheet.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace sp;
using namespace sp::optimise;

TEST(ResultSheet, HeaderSplitsIntoTitleAndUnitWithoutTheSortMark) {
    const struct {
        const char* header;
        const char* title;
        const char* unit;
    } cases[] = {
        {" d|a(mm)", "d|a", "mm"}, {"  Ra(kN)▲", "Ra", "kN"}, {"Rc(kN)▼", "Rc", "kN"},  {"frk(MPa)", "frk", "MPa"},
        {"  hr/deq", "hr/deq", ""}, {"系数 C1", "系数 C1", ""},  {"    ζr", "ζr", ""},     {"桩编号", "桩编号", ""},
    };
    for (const auto& c : cases) {
        const handin::SheetColumn column = resultSheetColumn(c.header);
        EXPECT_EQ(column.title, c.title) << c.header;
        EXPECT_EQ(column.unit, c.unit) << c.header;
    }
}

TEST(ResultSheet, OnlyPlainFiguresAreNumbers) {
    const struct {
        const char* text;
        std::optional<double> number;
    } cases[] = {
        {"7723", 7723},    {"7723.08", 7723.08}, {"-0.5", -0.5},        {"0.7867", 0.7867}, {"32%", 32},
        {"  35.00", 35},   {"-", std::nullopt},  {"1.0d", std::nullopt}, {"ZH-0001", std::nullopt},
        {"", std::nullopt}, {"1e5", std::nullopt}, {".5", std::nullopt}, {"5.", std::nullopt},
        {"C30", std::nullopt}, {"%", std::nullopt}, {"1.2.3", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cellNumber(c.text), c.number) << c.text;
}

// Every cell of a sorted module 3 run, whose table has red rows and a marked header.
TEST(ResultSheet, RowsAreTheTablesCellsWithTheirNumbersAndRedRows) {
    OptimisePage page(ModuleKind::Module3);
    page.run(core::kDefaultPrecision);
    page.headerClick(kColRa);
    const ResultTable& table = page.candidates();
    ASSERT_GT(table.rowCount(), 100u);

    const ResultSheet sheet(table, kCandidateSheetName);
    EXPECT_EQ(sheet.name(), "候选方案");
    ASSERT_EQ(sheet.columns().size(), static_cast<std::size_t>(kResultColumns));
    EXPECT_EQ(sheet.columns()[kColRa].title, "Ra"); // the header reads "Ra(kN)▲"
    EXPECT_EQ(sheet.columns()[kColRa].unit, "kN");
    EXPECT_EQ(sheet.columns()[kColRemark].title, "合规判定");
    EXPECT_EQ(sheet.rowCount(), table.rowCount());

    std::size_t red = 0, numbers = 0;
    handin::SheetRow row;
    for (std::size_t i = 0; i < table.rowCount(); ++i) {
        sheet.row(i, row);
        ASSERT_EQ(row.size(), static_cast<std::size_t>(kResultColumns));
        for (int c = 0; c < kResultColumns; ++c) {
            const std::string text = table.cell(i, c);
            ASSERT_EQ(row[static_cast<std::size_t>(c)].text, text) << i << "," << c;
            ASSERT_EQ(row[static_cast<std::size_t>(c)].number, cellNumber(text)) << i << "," << c;
            numbers += row[static_cast<std::size_t>(c)].number.has_value();
        }
        EXPECT_EQ(sheet.flagged(i), table.cell(i, kColRemark) == "超规") << i;
        red += sheet.flagged(i);
    }
    EXPECT_GT(red, 0u);
    EXPECT_GT(numbers, table.rowCount() * 8); // d, Ra, Rc, frk, deq, hr/deq, ζr, ψc at least
    // The rows come in the table's sorted order.
    sheet.row(0, row);
    EXPECT_EQ(*row[kColRa].number, std::stod(table.cell(0, kColRa)));
    sheet.row(table.rowCount() - 1, row);
    EXPECT_GE(*row[kColRa].number, std::stod(table.cell(0, kColRa)));
}
