// socketpile-cli --xlsx and --csv: the pile table of calc and the visible result table of
// optimise as spreadsheet files, read back as a spreadsheet program reads them and held against
// the texts the program prints; nothing written for an empty table; a failure named.

#include "clitestsupport.h"
#include "optimise/results/resultsheet.h"
#include "pdfreading.h"
#include "testsupport.h"
#include "xlsxreader.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace sp;
using sp::test::CliRun;

namespace {

// 240 oblong and rectangular piles of module 3, half of them over the standard, sorted by Ra;
// `rows` and `actions` add to the option table and to the actions.
std::string smallRun(const std::string& rows = "", const std::string& actions = "") {
    return R"({"module": 3, "rows": {"0": ["2", "3", "1"], "1": ["1000", "1200", "200"], "6": ["2.0d", "2.0d", "1.0d"],
        "7": ["35", "35", "1"], "11": ["C30", "C30", "5"])" + rows + R"(}, "actions": ["sort:ra")" + actions + "]}";
}

using Rows = std::vector<std::vector<std::string>>;

// The rows --rows printed after the last line of the run or an action: the visible table at the end.
Rows lastRows(const std::string& out) {
    Rows rows;
    for (const std::string& line : sp::test::linesOf(out)) {
        const nlohmann::json j = nlohmann::json::parse(line);
        if (j.is_object()) {
            rows.clear();
            continue;
        }
        rows.push_back(j.get<std::vector<std::string>>());
    }
    return rows;
}

// The CSV the rows make: byte-order mark, CR LF, no field here that needs quotes.
std::string csvOf(const std::vector<std::string>& header, const Rows& rows) {
    std::string out = "\xEF\xBB\xBF";
    auto line = [&](const std::vector<std::string>& cells) {
        for (std::size_t c = 0; c < cells.size(); ++c)
            out += (c ? "," : "") + cells[c];
        out += "\r\n";
    };
    line(header);
    for (const auto& row : rows)
        line(row);
    return out;
}

// The cells of a sheet's row as a spreadsheet holds them, held against the texts the table
// shows: a figure is a number of that value, anything else the same text.
void expectCellsAreTheTexts(const nlohmann::json& cells, const std::vector<std::string>& texts, std::size_t row) {
    ASSERT_EQ(cells.size(), texts.size()) << "row " << row;
    for (std::size_t c = 0; c < texts.size(); ++c) {
        const nlohmann::json& cell = cells[c];
        if (const std::optional<double> number = optimise::cellNumber(texts[c])) {
            ASSERT_EQ(cell["kind"], "number") << "row " << row << " column " << c << ": " << texts[c];
            ASSERT_EQ(cell["value"].get<double>(), *number) << "row " << row << " column " << c;
        } else if (texts[c].empty()) {
            ASSERT_EQ(cell["kind"], "empty") << "row " << row << " column " << c;
        } else {
            ASSERT_EQ(cell["value"], texts[c]) << "row " << row << " column " << c;
        }
    }
}

std::vector<std::string> headerTexts(const nlohmann::json& sheet) {
    std::vector<std::string> texts;
    for (const nlohmann::json& cell : sheet["rows"][0])
        texts.push_back(cell["value"].get<std::string>());
    return texts;
}

class SheetsCli : public sp::test::CliTest {
protected:
    SheetsCli() : CliTest("") {}
    CliRun runCommand(const std::string& command, const std::string& json, const std::string& extra) {
        m_command = command;
        return run(json, extra);
    }
    std::string path(const std::string& name) const { return (m_dir / name).string(); }
};

} // namespace

TEST_F(SheetsCli, OptimiseWritesTheVisibleTableWithItsNumbersAndRedRows) {
    const CliRun plain = runCommand("optimise", smallRun(), "--rows");
    const CliRun r = runCommand("optimise", smallRun(),
                                "--rows --xlsx '" + path("方案.xlsx") + "' --csv '" + path("方案.csv") + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, plain.out); // the printed lines do not change
    EXPECT_EQ(r.err, "");
    const Rows rows = lastRows(r.out);
    ASSERT_EQ(rows.size(), 240u);

    SP_READ_XLSX_OR_SKIP(book, path("方案.xlsx"));
    ASSERT_EQ(book.size(), 1u);
    const nlohmann::json& sheet = book[0];
    EXPECT_EQ(sheet["name"], "候选方案");
    EXPECT_EQ(sheet["freeze"], "A2");
    EXPECT_EQ(sheet["filter"], "A1:R241");
    const std::vector<std::string> header = headerTexts(sheet);
    EXPECT_EQ(header[2], "d|a (mm)");
    EXPECT_EQ(header[4], "Ra (kN)"); // sorted by Ra, without the mark
    EXPECT_EQ(header[13], "hr/deq");
    EXPECT_EQ(header[17], "合规判定");
    ASSERT_EQ(sheet["rows"].size(), 241u);
    std::size_t red = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const nlohmann::json& cells = sheet["rows"][i + 1];
        expectCellsAreTheTexts(cells, rows[i], i);
        EXPECT_EQ(cells[0]["red"].get<bool>(), rows[i][17] == "超规") << i;
        red += cells[0]["red"].get<bool>();
    }
    EXPECT_EQ(red, 120u);
    EXPECT_EQ(test::readFile(path("方案.csv")), csvOf(header, rows));
}

TEST_F(SheetsCli, OptimiseWritesTheFilteredTableWhenItIsTheVisibleOne) {
    const std::string json = smallRun(R"(, "15": ["20000", "40000"], "16": ["10000", "30000"])", R"(, "filter")");
    const CliRun r = runCommand("optimise", json, "--rows --xlsx '" + path("筛选.xlsx") + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_NE(r.out.find(R"("visible":"filtered")"), std::string::npos) << r.out;
    const Rows rows = lastRows(r.out);
    ASSERT_GT(rows.size(), 0u);
    ASSERT_LT(rows.size(), 240u);
    SP_READ_XLSX_OR_SKIP(book, path("筛选.xlsx"));
    ASSERT_EQ(book.size(), 1u);
    EXPECT_EQ(book[0]["name"], "筛选结果");
    ASSERT_EQ(book[0]["rows"].size(), rows.size() + 1);
    for (std::size_t i = 0; i < rows.size(); ++i)
        expectCellsAreTheTexts(book[0]["rows"][i + 1], rows[i], i);
}

// Each module's default pile, twice around a pile that fails its check: the table has the two
// piles that went through, and the workbook holds what the CSV shows.
TEST_F(SheetsCli, CalcWritesThePileTableOfEachModule) {
    for (int module = 1; module <= 3; ++module) {
        SCOPED_TRACE(module);
        const std::string json =
            R"({"module": )" + std::to_string(module) + R"(, "piles": [{}, {"d": "abc"}, {}]})";
        const std::string xlsx = path("桩表" + std::to_string(module) + ".xlsx");
        const std::string csv = path("桩表" + std::to_string(module) + ".csv");
        const CliRun plain = runCommand("calc", json, "--now '2026-12-10 09:30:00'");
        const CliRun r = runCommand("calc", json, "--now '2026-12-10 09:30:00' --xlsx '" + xlsx + "' --csv '" + csv + "'");
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, plain.out);
        EXPECT_EQ(r.err, "");

        const std::vector<std::string> lines = sp::test::linesOf(test::readFile(csv));
        ASSERT_EQ(lines.size(), 3u); // the header and the two piles
        ASSERT_EQ(lines[0].substr(0, 3), "\xEF\xBB\xBF");
        SP_READ_XLSX_OR_SKIP(book, xlsx);
        ASSERT_EQ(book.size(), 1u);
        EXPECT_EQ(book[0]["name"], "桩表");
        EXPECT_EQ(book[0]["freeze"], "A2");
        const nlohmann::json& rows = book[0]["rows"];
        ASSERT_EQ(rows.size(), 3u);
        for (std::size_t i = 0; i < 3; ++i) {
            // Split the CSV line (its cells hold no commas) and compare with the sheet's row.
            std::string line = i == 0 ? lines[0].substr(3) : lines[i];
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            std::vector<std::string> texts;
            std::size_t from = 0;
            for (std::size_t comma; (comma = line.find(',', from)) != std::string::npos; from = comma + 1)
                texts.push_back(line.substr(from, comma - from));
            if (!line.empty())
                texts.push_back(line.substr(from));
            if (i == 0)
                EXPECT_EQ(headerTexts(book[0]), texts);
            else
                expectCellsAreTheTexts(rows[i], texts, i);
        }
    }
}

// Module 3's default pile and an oblong one by the perimeter method, which is over the standard.
TEST_F(SheetsCli, CalcPileTableHasItsFiguresAsNumbersAndOverStandardPilesInRed) {
    const CliRun r = runCommand("calc", R"({"module": 3, "piles": [{}, {"section": "椭圆桩", "method": "B-周长相等折算"}]})",
                                "--xlsx '" + path("桩表.xlsx") + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    SP_READ_XLSX_OR_SKIP(book, path("桩表.xlsx"));
    ASSERT_EQ(book.size(), 1u);
    const nlohmann::json& rows = book[0]["rows"];
    ASSERT_EQ(rows.size(), 3u);
    const std::vector<std::string> header = headerTexts(book[0]);
    const auto ra = static_cast<std::size_t>(std::find(header.begin(), header.end(), "桩承载力 Ra (kN)") - header.begin());
    ASSERT_LT(ra, header.size());
    EXPECT_EQ(rows[1][ra]["value"].get<double>(), 7723);
    EXPECT_EQ(rows[2][ra]["value"].get<double>(), 11967);
    EXPECT_EQ(rows[1][0]["value"], "ZH1");
    for (std::size_t c = 0; c < header.size(); ++c) {
        EXPECT_FALSE(rows[1][c]["red"].get<bool>()) << c;
        EXPECT_TRUE(rows[2][c]["red"].get<bool>()) << c;
    }
}

TEST_F(SheetsCli, NothingToWriteWritesNoFileAndSaysSo) {
    const struct {
        const char* command;
        std::string json;
        const char* what;
    } cases[] = {
        {"calc", R"({"module": 1, "piles": [{"d": "0"}]})", "no pile to write"},
        {"optimise", R"({"module": 1, "rows": {"14": ["1", "2"]}, "actions": ["filter"]})", "no rows to write"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        const std::string xlsx = path("空.xlsx"), csv = path("空.csv");
        const CliRun r = runCommand(c.command, c.json, "--xlsx '" + xlsx + "' --csv '" + csv + "'");
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "socketpile-cli: " + std::string(c.what) + "; " + xlsx + " not written\n" +
                             "socketpile-cli: " + c.what + "; " + csv + " not written\n");
        EXPECT_FALSE(fs::exists(xlsx));
        EXPECT_FALSE(fs::exists(csv));
    }
}

TEST_F(SheetsCli, AFileThatCannotBeWrittenIsNamedWithTheReason) {
    fs::create_directory(m_dir / "桩表.xlsx"); // a folder in the way
    const struct {
        const char* command;
        std::string json;
        std::string option;
        std::string target;
        const char* reason;
    } cases[] = {
        {"calc", R"({"module": 1, "piles": [{}]})", "--xlsx", path("桩表.xlsx"), "Is a directory"},
        {"calc", R"({"module": 2, "piles": [{}]})", "--csv", path("无此目录/桩表.csv"), "No such file or directory"},
        {"optimise", smallRun(), "--xlsx", path("无此目录/方案.xlsx"), "No such file or directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        const CliRun r = runCommand(c.command, c.json, c.option + " '" + c.target + "'");
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "socketpile-cli: cannot write " + c.target + ": " + c.reason + "\n");
    }
    EXPECT_TRUE(fs::is_directory(m_dir / "桩表.xlsx"));
}

// "--xlsx -" sends the workbook to standard output in place of the JSON lines (made in a file of
// its own first, since the library seeks in what it writes): the same sheet as a file holds.
TEST_F(SheetsCli, DashSendsTheWorkbookToStandardOutput) {
    const std::string json = R"({"module": 1, "piles": [{}, {"frk": "40"}, {"d": "x"}]})";
    const CliRun file = runCommand("calc", json, "--xlsx '" + path("桩表.xlsx") + "'");
    ASSERT_EQ(file.status, 0) << file.err;
    const CliRun r = runCommand("calc", json, "--xlsx -");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    ASSERT_EQ(r.out.substr(0, 4), std::string("PK\x03\x04", 4));
    writeText(m_dir / "stdout.xlsx", r.out);
    SP_READ_XLSX_OR_SKIP(piped, path("stdout.xlsx"));
    SP_READ_XLSX_OR_SKIP(written, path("桩表.xlsx"));
    EXPECT_EQ(piped, written);
}

// The spreadsheet library's own lines about a failure stay off standard error: the command says
// it once, with the file and the system's reason.
TEST_F(SheetsCli, TheLibrarysOwnErrorLinesStayOffStandardError) {
    const std::string json = R"({"module": 1, "piles": [{}, {"frk": "40"}]})";
    const std::string xlsx = path("桩表.xlsx");
    CliRun r;
    {
        const sp::test::FileSizeLimit limit(4096);
        r = runCommand("calc", json, "--xlsx '" + xlsx + "'");
    }
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "socketpile-cli: cannot write " + xlsx + ": " + std::strerror(EFBIG) + "\n");
    EXPECT_FALSE(fs::exists(xlsx));
}
