#include "optimise/optimisepage.h"
#include "optimisetestsupport.h"
#include "testsupport.h"

#include "core/textfile.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace sp;
using namespace sp::optimise;

namespace {

const core::Moment kMoment{2026, 12, 10, 9, 30, 0};

// Sixteen candidates, four of each kind: a fractional short side, an index and a class, two
// processes.
void editSmallTable(OptimisePage& page) {
    sp::test::editRows(page, {{kRowDiameter, {"1200", "1200", "1"}},
                              {kRowStraight, {"600", "600", "1"}},
                              {kRowLongSide, {"2000", "2000", "1"}},
                              {kRowShortSide, {"1250.5", "1250.5", "1"}},
                              {kRowSquareSide, {"1500", "1500", "1"}},
                              {kRowDepth, {"2.0d", "2.0d", "1.0d"}},
                              {kRowFrk, {"24.5", "24.5", "1"}},
                              {kRowClass, {"2", "2", "1"}},
                              {kRowIndex, {"0.46", "0.46", "0.1"}},
                              {kRowGrade, {"C40", "C40", "5"}}});
}

} // namespace

TEST(OptimiseFiles, RawFileOfASmallRun) {
    OptimisePage page;
    editSmallTable(page);
    page.run(core::kDefaultPrecision);
    ASSERT_EQ(page.candidates().rowCount(), 16u);
    ASSERT_EQ(page.saveChoice(), ResultFileKind::Raw);
    EXPECT_EQ(resultFileLines(page.candidates(), ResultFileKind::Raw, kMoment),
              sp::test::fixtureLines("optimise/raw_small.txt"));
}

TEST(OptimiseFiles, FilteredFileIsNumberedInFileOrder) {
    OptimisePage page;
    editSmallTable(page);
    page.run(core::Precision::OneDecimal);
    page.headerClick(kColRa);
    page.headerClick(kColRa); // Ra descending
    sp::test::editRows(page, {{kRowFilterRa, {"0", "20000"}}, {kRowFilterRc, {"0", "0"}}});
    page.filter();
    ASSERT_EQ(page.saveChoice(), ResultFileKind::Filtered);
    EXPECT_EQ(resultFileLines(page.filtered(), ResultFileKind::Filtered, kMoment),
              sp::test::fixtureLines("optimise/filtered_small.txt"));
}

TEST(OptimiseFiles, SavedBytesAreTheEncodedLines) {
    OptimisePage page;
    page.run(core::Precision::TwoDecimals);
    page.headerClick(kColRc);
    const ResultTable& table = page.candidates();
    const auto lines = resultFileLines(table, ResultFileKind::Raw, kMoment);
    ASSERT_EQ(lines.size(), 3456u + 9u);
    // ZH-0001 to ZH-3456 in file order, each centred in 8 after the leading blank.
    EXPECT_EQ(lines[5].substr(0, 11), "  ZH-0001  ");
    EXPECT_EQ(lines[3460].substr(0, 11), "  ZH-3456  ");
    const std::string bytes = core::encodePage(lines);
    EXPECT_EQ(encodeResultFile(table, ResultFileKind::Raw, kMoment), bytes);

    const sp::test::TemporaryFolder temporary("socketpile-optimise-files");
    const std::filesystem::path& folder = temporary.path();
    const auto written = writeResultFile(folder, table, ResultFileKind::Raw, kMoment);
    ASSERT_TRUE(written.ok) << written.reason;
    EXPECT_EQ(written.path, (folder / "嵌岩桩优化计算原始结果(依据DBJ52T088-2018)_表格.txt").string());
    EXPECT_EQ(sp::test::readFile(written.path), bytes);
    // Nothing is left beside the file.
    EXPECT_EQ(
        std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1);
}

TEST(OptimiseFiles, LargeTablesAreLaidOutInBlocksWithoutLosingTheOrder) {
    OptimisePage page;
    sp::test::editRows(page, {{kRowFrk, {"35", "40", "0.5"}}}); // 19008 candidates: several blocks of rows
    page.run(core::kDefaultPrecision);
    page.headerClick(kColRa);
    const ResultTable& table = page.candidates();
    ASSERT_EQ(table.rowCount(), 19008u);
    const auto lines = resultFileLines(table, ResultFileKind::Raw, kMoment);
    ASSERT_EQ(lines.size(), table.rowCount() + 9);
    EXPECT_EQ(encodeResultFile(table, ResultFileKind::Raw, kMoment), core::encodePage(lines));

    // Each row line is the line its candidate gets alone, after the file number.
    for (std::size_t i = 0; i < table.rowCount(); i += 611) {
        ResultTable alone;
        alone.show(table.store(), {table.rowId(i)});
        const std::string& line = lines[5 + i];
        std::string number = std::to_string(i + 1);
        number.insert(0, 5 - number.size(), '0');
        EXPECT_EQ(line.substr(0, 11), " ZH-" + number + "  ") << i;
        EXPECT_EQ(line.substr(11), resultFileLines(alone, ResultFileKind::Raw, kMoment)[5].substr(11)) << i;
    }
}

// A new result file is a document like any other the user makes: readable by others as far as the
// umask allows. One that replaces a file keeps that file's mode.
TEST(OptimiseFiles, SavedFileTakesTheModeTheUmaskLeaves) {
    OptimisePage page;
    editSmallTable(page);
    page.run(core::kDefaultPrecision);
    ASSERT_EQ(page.candidates().rowCount(), 16u);
    const sp::test::TemporaryFolder folder("socketpile-optimise-modes");
    const auto file = folder / "嵌岩桩优化计算原始结果(依据DBJ52T088-2018)_表格.txt";
    const struct {
        mode_t umask, mode;
    } cases[] = {{022, 0644}, {077, 0600}, {027, 0640}, {002, 0664}};
    for (const auto& c : cases) {
        std::filesystem::remove(file);
        {
            const sp::test::UmaskScope scope(c.umask);
            const auto written = writeResultFile(folder.path(), page.candidates(), ResultFileKind::Raw, kMoment);
            ASSERT_TRUE(written.ok) << written.reason;
            ASSERT_EQ(written.path, file.string());
        }
        EXPECT_EQ(sp::test::modeOf(file), c.mode) << std::oct << "umask " << c.umask;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                                std::filesystem::directory_iterator()),
                  1);
    }
    {
        const sp::test::UmaskScope scope(022);
        ASSERT_EQ(::chmod(file.c_str(), 0440), 0);
        ASSERT_TRUE(writeResultFile(folder.path(), page.candidates(), ResultFileKind::Raw, kMoment).ok);
        EXPECT_EQ(sp::test::modeOf(file), 0440u);
    }

    // Through "存盘" of the page.
    const sp::test::UmaskScope scope(022);
    const sp::test::TemporaryFolder saved("socketpile-optimise-save");
    const auto result = page.save(saved.path(), kMoment);
    ASSERT_TRUE(result && result->ok);
    EXPECT_EQ(sp::test::modeOf(saved / "嵌岩桩优化计算原始结果(依据DBJ52T088-2018)_表格.txt"), 0644u);
}
