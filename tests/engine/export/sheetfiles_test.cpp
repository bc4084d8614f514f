#include "export/cellformat.h"
#include "export/rowbatches.h"
#include "export/sheetfiles.h"
#include "testsupport.h"
#include "xlsxreader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <vector>

using namespace sp;
using namespace sp::sheets;
namespace fs = std::filesystem;

namespace {

handin::SheetCell text(std::string t) { return {std::move(t), std::nullopt}; }
handin::SheetCell number(std::string t, double v) { return {std::move(t), v}; }

// Three piles with what a table may hold: figures with and without decimals, a percentage, "-",
// a negative figure, a remark with a comma, quotes and a line break, an empty cell, and a red row.
handin::Sheet threePiles() {
    handin::Sheet sheet;
    sheet.sheetName = "桩表";
    sheet.sheetColumns = {{"桩号", ""}, {"截面类型", ""}, {"Ra", "kN"}, {"端阻占比", ""}, {"备注", ""}};
    sheet.rows = {
        {text("ZH1"), text("圆桩"), number("7723.08", 7723.08), number("32%", 32), text("")},
        {text("ZH2"), text("椭圆桩"), number("15446", 15446), text("-"), text("超规, \"研究\"")},
        {text("ZH3"), text("矩形桩"), number("-0.50", -0.5), number("100%", 100), text("两行\n备注")},
    };
    sheet.flags = {false, true, false};
    return sheet;
}

// `count` rows numbered from 1: "ZH<k>" and the figure k.
handin::Sheet numberedRows(std::string name, std::size_t count) {
    handin::Sheet sheet;
    sheet.sheetName = std::move(name);
    sheet.sheetColumns = {{"桩号", ""}, {"序号", ""}};
    for (std::size_t k = 1; k <= count; ++k)
        sheet.rows.push_back({text("ZH" + std::to_string(k)), number(std::to_string(k), static_cast<double>(k))});
    sheet.flags.assign(count, false);
    return sheet;
}

class SheetFilesTest : public ::testing::Test {
protected:
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_dir))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    test::TemporaryFolder m_folder{"socketpile-sheets"};
    const fs::path m_dir = m_folder.path();
};

} // namespace

TEST(CellFormat, NumberFormatShowsTheDecimalsAndSignOfTheText) {
    const struct {
        const char* text;
        const char* format;
    } cases[] = {
        {"7723", "0"},           {"7723.08", "0.00"},     {"0.7867", "0.0000"}, {"-0.50", "0.00"},
        {"32%", "0\"%\""},       {"12.5%", "0.0\"%\""},   {"1.0000000000000000001", "0.000000000000000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(numberFormat(numberShape(c.text)), c.format) << c.text;
}

TEST(CellFormat, WideCharactersCountTwiceInAColumnsWidth) {
    const struct {
        const char* text;
        int width;
    } cases[] = {
        {"", 0}, {"Ra (kN)", 7}, {"完整程度", 8}, {"ζr", 2}, {"圆  桩", 6}, {"（注）", 6}, {"d|a (mm)", 8},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cellWidth(c.text), c.width) << c.text;
    EXPECT_EQ(headerText({"Ra", "kN"}), "Ra (kN)");
    EXPECT_EQ(headerText({"hr/deq", ""}), "hr/deq");
}

TEST(CellFormat, SheetNamesAreMadeValid) {
    const std::string longName(40, 'x');
    const struct {
        std::string name;
        std::string suffix;
        std::string expected;
    } cases[] = {
        {"候选方案", "", "候选方案"},
        {"a/b\\c[d]e:f*g?h", "", "a_b_c_d_e_f_g_h"},
        {"'quoted'", "", "_quoted_"},
        {"", "", "Sheet"},
        {longName, "", std::string(31, 'x')},
        {longName, " (2)", std::string(27, 'x') + " (2)"},
        {std::string(20, 'x') + "筛选结果筛选结果筛选结果筛选结果", " (12)",
         std::string(20, 'x') + "筛选结果筛选" + " (12)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sheetName(c.name, c.suffix), c.expected) << c.name;
}

TEST_F(SheetFilesTest, CsvIsUtf8WithByteOrderMarkCrLfAndQuotedFields) {
    const fs::path file = m_dir / "桩表.csv";
    const core::WriteResult written = writeCsv(threePiles(), file);
    ASSERT_TRUE(written.ok) << written.reason;
    EXPECT_EQ(written.path, file.string());
    EXPECT_EQ(test::readFile(file.string()), test::readFile(test::fixturePath("export/three_piles.csv")));
}

TEST_F(SheetFilesTest, XlsxHoldsNumbersAsNumbersUnderAFrozenFilteredHeader) {
    const handin::Sheet piles = threePiles();
    const fs::path file = m_dir / "桩表.xlsx";
    const core::WriteResult written = writeXlsx({&piles}, file);
    ASSERT_TRUE(written.ok) << written.reason;
    EXPECT_EQ(entries(), std::vector<std::string>{"桩表.xlsx"}); // no temporary or spool file left
    SP_READ_XLSX_OR_SKIP(book, file);
    ASSERT_EQ(book.size(), 1u);
    const nlohmann::json& sheet = book[0];
    EXPECT_EQ(sheet["name"], "桩表");
    EXPECT_EQ(sheet["freeze"], "A2");
    EXPECT_EQ(sheet["filter"], "A1:E4");
    const nlohmann::json& rows = sheet["rows"];
    ASSERT_EQ(rows.size(), 4u);

    const char* headers[] = {"桩号", "截面类型", "Ra (kN)", "端阻占比", "备注"};
    for (std::size_t c = 0; c < 5; ++c) {
        EXPECT_EQ(rows[0][c]["value"], headers[c]);
        EXPECT_TRUE(rows[0][c]["bold"].get<bool>()) << c;
    }
    // Each cell: its value, its kind and the format that shows it as the table did.
    const struct {
        std::size_t row, column;
        nlohmann::json value;
        const char* kind;
        const char* format;
    } cells[] = {
        {1, 0, "ZH1", "text", "General"},     {1, 2, 7723.08, "number", "0.00"}, {1, 3, 32, "number", "0\"%\""},
        {1, 4, nullptr, "empty", "General"},  {2, 1, "椭圆桩", "text", "General"}, {2, 2, 15446, "number", "0"},
        {2, 3, "-", "text", "General"},       {2, 4, "超规, \"研究\"", "text", "General"},
        {3, 2, -0.5, "number", "0.00"},       {3, 3, 100, "number", "0\"%\""},
        {3, 4, "两行\n备注", "text", "General"},
    };
    for (const auto& c : cells) {
        const nlohmann::json& cell = rows[c.row][c.column];
        EXPECT_EQ(cell["kind"], c.kind) << c.row << "," << c.column;
        EXPECT_EQ(cell["format"], c.format) << c.row << "," << c.column;
        if (c.value.is_number())
            EXPECT_DOUBLE_EQ(cell["value"].get<double>(), c.value.get<double>()) << c.row << "," << c.column;
        else
            EXPECT_EQ(cell["value"], c.value) << c.row << "," << c.column;
    }
    // The 超规 row is red, texts and numbers alike; the others are not.
    for (std::size_t r = 0; r < 4; ++r)
        for (std::size_t c = 0; c < 4; ++c)
            EXPECT_EQ(rows[r][c]["red"].get<bool>(), r == 2) << r << "," << c;
    // Widths follow the widest text of each column, the header's with room for the filter button.
    const nlohmann::json& widths = sheet["widths"];
    EXPECT_GT(widths["B"].get<double>(), widths["A"].get<double>()); // 椭圆桩 is wider than ZH1
    EXPECT_GE(widths["B"].get<double>(), cellWidth("截面类型") + 3);
    EXPECT_GE(widths["E"].get<double>(), cellWidth("超规, \"研究\""));
}

TEST_F(SheetFilesTest, XlsxSheetsFollowTheSourcesAndLongTablesContinueOnFurtherSheets) {
    const handin::Sheet candidates = numberedRows("候选方案", 5);
    const handin::Sheet filtered = numberedRows("筛选结果", 2);
    const handin::Sheet empty = numberedRows("候选方案", 0);
    const fs::path file = m_dir / "方案.xlsx";
    const core::WriteResult written = writeXlsx({&candidates, &filtered, &empty}, file, XlsxOptions{2});
    ASSERT_TRUE(written.ok) << written.reason;
    SP_READ_XLSX_OR_SKIP(book, file);

    const struct {
        const char* name;
        std::vector<int> numbers; // the rows below the header, by their figure
        const char* filter;
    } expected[] = {
        {"候选方案", {1, 2}, "A1:B3"},  {"候选方案 (2)", {3, 4}, "A1:B3"}, {"候选方案 (3)", {5}, "A1:B2"},
        {"筛选结果", {1, 2}, "A1:B3"},  {"候选方案 (1-2)", {}, "A1:B1"}, // a second sheet of the same name
    };
    ASSERT_EQ(book.size(), std::size(expected));
    for (std::size_t s = 0; s < book.size(); ++s) {
        const nlohmann::json& sheet = book[s];
        const auto& e = expected[s];
        EXPECT_EQ(sheet["name"], e.name) << s;
        EXPECT_EQ(sheet["freeze"], "A2") << s;
        EXPECT_EQ(sheet["filter"], e.filter) << s;
        const nlohmann::json& rows = sheet["rows"];
        ASSERT_EQ(rows.size(), e.numbers.size() + 1) << s;
        EXPECT_EQ(rows[0][0]["value"], "桩号") << s;
        for (std::size_t r = 0; r < e.numbers.size(); ++r) {
            EXPECT_EQ(rows[r + 1][0]["value"], "ZH" + std::to_string(e.numbers[r])) << s;
            EXPECT_EQ(rows[r + 1][1]["value"].get<double>(), e.numbers[r]) << s;
        }
    }
}

// A table of several batches, whose rows are made ahead on a helper thread: every row in its
// place, red where flagged, across the batches' seams; a source that fails part way gives the file up.
TEST_F(SheetFilesTest, LongTablesAreReadAheadInOrder) {
    const std::size_t count = 2 * RowBatches::kBatchRows + 700;
    handin::Sheet sheet = numberedRows("候选方案", count);
    for (std::size_t k = 0; k < count; k += 997)
        sheet.flags[k] = true;
    const fs::path file = m_dir / "长表.xlsx";
    const core::WriteResult written = writeXlsx({&sheet}, file);
    ASSERT_TRUE(written.ok) << written.reason;

    // Throws when asked for a row of the last batch.
    struct Failing : handin::Sheet {
        void row(std::size_t index, handin::SheetRow& out) const override {
            if (index == 2 * RowBatches::kBatchRows + 1)
                throw std::runtime_error("no room for the row");
            handin::Sheet::row(index, out);
        }
    } failing;
    static_cast<handin::Sheet&>(failing) = sheet;
    const core::WriteResult failed = writeXlsx({&failing}, m_dir / "坏表.xlsx");
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(failed.reason, "no room for the row");
    EXPECT_EQ(entries(), std::vector<std::string>{"长表.xlsx"});

    SP_READ_XLSX_OR_SKIP(book, file);
    ASSERT_EQ(book.size(), 1u);
    const nlohmann::json& rows = book[0]["rows"];
    ASSERT_EQ(rows.size(), count + 1);
    for (std::size_t k = 0; k < count; ++k) {
        ASSERT_EQ(rows[k + 1][0]["value"], "ZH" + std::to_string(k + 1)) << k;
        ASSERT_EQ(rows[k + 1][1]["value"].get<double>(), static_cast<double>(k + 1)) << k;
        ASSERT_EQ(rows[k + 1][1]["red"].get<bool>(), sheet.flags[k]) << k;
    }
}

// A failure names the file and the system's reason, leaves what was there as it was and no
// temporary file behind, for both kinds of file.
TEST_F(SheetFilesTest, FailuresKeepTheOldFileAndGiveTheReason) {
    const handin::Sheet sheet = threePiles();
    const struct {
        const char* kind;
        std::function<core::WriteResult(const fs::path&)> write;
    } writers[] = {
        {"xlsx", [&](const fs::path& f) { return writeXlsx({&sheet}, f); }},
        {"csv", [&](const fs::path& f) { return writeCsv(sheet, f); }},
    };
    for (const auto& w : writers) {
        SCOPED_TRACE(w.kind);
        test::TemporaryFolder folder("socketpile-sheets-failure");
        const fs::path dir = folder.path();
        {
            std::FILE* f = std::fopen((dir / "桩表").c_str(), "wb");
            std::fputs("old", f);
            std::fclose(f);
        }
        fs::create_directory(dir / "a folder");

        const struct {
            fs::path target;
            const char* reason;
        } cases[] = {
            {dir / "missing" / "桩表", "No such file or directory"},
            {dir / "桩表" / "桩表", "Not a directory"}, // a file where the folder should be
            {dir / "a folder", "Is a directory"},
        };
        for (const auto& c : cases) {
            const core::WriteResult result = w.write(c.target);
            EXPECT_FALSE(result.ok) << c.target;
            EXPECT_EQ(result.path, c.target.string());
            EXPECT_EQ(result.reason, c.reason) << c.target;
        }
        EXPECT_TRUE(fs::is_directory(dir / "a folder"));

        // A disk that fills while the file is written, as a file-size limit makes it.
        struct rlimit saved {};
        getrlimit(RLIMIT_FSIZE, &saved);
        const auto savedHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit tight = saved;
        tight.rlim_cur = 64;
        setrlimit(RLIMIT_FSIZE, &tight);
        const core::WriteResult full = w.write(dir / "桩表");
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, savedHandler);
        EXPECT_FALSE(full.ok);
        EXPECT_EQ(full.reason, "File too large");
        EXPECT_EQ(test::readFile((dir / "桩表").string()), "old");

        std::vector<std::string> left;
        for (const auto& entry : fs::directory_iterator(dir))
            left.push_back(entry.path().filename().string());
        std::sort(left.begin(), left.end());
        EXPECT_EQ(left, (std::vector<std::string>{"a folder", "桩表"}));
    }
}
