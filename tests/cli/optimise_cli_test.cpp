// Runs the real socketpile-cli binary on optimisation documents and holds its answers against
// the page's engine and the result-file fixtures.

#include "clitestsupport.h"
#include "core/textfile.h"
#include "optimise/optimisepage.h"
#include "testsupport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;
using namespace sp;
using namespace sp::optimise;
using sp::test::CliRun;

namespace {

const core::Moment kMoment{2026, 12, 10, 9, 30, 0};
constexpr const char* kRawFile = "嵌岩桩优化计算原始结果(依据DBJ52T088-2018)_表格.txt";
constexpr const char* kFilteredFile = "嵌岩桩优化计算筛选结果(依据DBJ52T088-2018)_表格.txt";
constexpr const char* kPlainHeaders = R"J("headers":[" d|a(mm)","  Ra(kN)","  Rc(kN)"])J";

// Sixteen candidates, four of each kind (the table of the result-file fixtures).
constexpr const char* kSmallRows = R"("rows": {"1": ["1200", "1200", "1"], "2": ["600", "600", "1"],
    "3": ["2000", "2000", "1"], "4": ["1250.5", "1250.5", "1"], "5": ["1500", "1500", "1"],
    "6": ["2.0d", "2.0d", "1.0d"], "7": ["24.5", "24.5", "1"], "9": ["2", "2", "1"],
    "10": ["0.46", "0.46", "0.1"], "11": ["C40", "C40", "5"])";

class OptimiseCli : public sp::test::CliTest {
protected:
    OptimiseCli() : CliTest("optimise") {}
};

std::vector<std::string> linesOf(const std::string& out) {
    std::vector<std::string> lines;
    std::istringstream in(out);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

std::string completedRun() {
    return R"({"action":"run","status":"计算完成，桩数：3456 根","color":"FF000000","visible":"candidates","rows":3456})";
}

} // namespace

TEST_F(OptimiseCli, DefaultRunAndHeaderClicks) {
    const CliRun r = run(R"({"module": 1, "precision": "个位取整", "inputs": {},
        "actions": ["sort:ra", "sort:ra", "sort:ra", "sort:d", "sort:rc"]})");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::string sorted = R"(","color":"FF000000","visible":"candidates","rows":3456,"headers":)";
    const std::vector<std::string> expected = {
        completedRun(),
        R"({"action":"sort:ra","status":"Ra升序排列完成)" + sorted + R"J([" d|a(mm)","Ra(kN)▲","  Rc(kN)"]})J",
        R"({"action":"sort:ra","status":"Ra降序排列完成)" + sorted + R"J([" d|a(mm)","Ra(kN)▼","  Rc(kN)"]})J",
        R"({"action":"sort:ra","status":"Ra升序排列完成)" + sorted + R"J([" d|a(mm)","Ra(kN)▲","  Rc(kN)"]})J",
        R"({"action":"sort:d","status":"d升序排列完成)" + sorted + R"J(["d|a(mm)▲","  Ra(kN)","  Rc(kN)"]})J",
        R"({"action":"sort:rc","status":"Rc升序排列完成)" + sorted + R"J([" d|a(mm)","  Ra(kN)","Rc(kN)▲"]})J",
    };
    EXPECT_EQ(linesOf(r.out), expected);
}

TEST_F(OptimiseCli, FilterLines) {
    OptimisePage engine;
    engine.run(core::kDefaultPrecision);
    engine.filter();
    const std::string found = std::to_string(engine.filtered().rowCount());
    ASSERT_GT(engine.filtered().rowCount(), 0u);

    const struct {
        const char* rows;
        std::string filterLine;
    } cases[] = {
        // The default bounds.
        {"{}", R"({"action":"filter","status":"筛选完成，桩数：)" + found +
                   R"( 根","color":"FF000000","visible":"filtered","rows":)" + found + "," + kPlainHeaders + "}"},
        // Bounds of 0 do not constrain.
        {R"({"14": ["0", "0"], "15": ["0", "0"]})",
         R"({"action":"filter","status":"筛选完成，桩数：3456 根","color":"FF000000","visible":"filtered","rows":3456,)" +
             std::string(kPlainHeaders) + "}"},
        {R"({"14": ["1", "1"]})",
         R"({"action":"filter","status":"无满足条件桩，调整区间再筛选","color":"FF000000","visible":"filtered","rows":0,)" +
             std::string(kPlainHeaders) + "}"},
        // A bound that is not a number: the message box, and the page stays as it was.
        {R"({"14": ["x", "1"]})",
         R"({"action":"filter","status":"计算完成，桩数：3456 根","color":"FF000000","visible":"candidates","rows":3456,)" +
             std::string(kPlainHeaders) +
             R"(,"kind":"conversion","message":"数据转换错误：筛选 Ra(kN)最小值中的“x”不是有效的数值"})"},
    };
    for (const auto& c : cases) {
        const CliRun r = run(std::string(R"({"module": 1, "rows": )") + c.rows + R"(, "actions": ["filter"]})");
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(linesOf(r.out), (std::vector<std::string>{completedRun(), c.filterLine})) << c.rows;
    }
}

TEST_F(OptimiseCli, FilterIsDisabledAfterAFilterAndTheSortStartsAfresh) {
    const CliRun r = run(R"({"module": 1, "actions": ["sort:ra", "filter", "sort:ra", "filter"]})");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = linesOf(r.out);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_NE(lines[2].find(R"("visible":"filtered")"), std::string::npos) << lines[2];
    EXPECT_NE(lines[2].find(kPlainHeaders), std::string::npos) << lines[2];
    // The filter cleared the sort: the next click sorts the filtered rows ascending afresh.
    const std::string sorted = R"J("status":"Ra升序排列完成","color":"FF000000","visible":"filtered",)J";
    const std::string marked = R"J("headers":[" d|a(mm)","Ra(kN)▲","  Rc(kN)"])J";
    EXPECT_NE(lines[3].find(sorted), std::string::npos) << lines[3];
    EXPECT_NE(lines[3].find(marked), std::string::npos) << lines[3];
    // The second press finds "筛选" disabled: nothing changes.
    EXPECT_EQ(lines[4], std::string(R"({"action":"filter",)") + lines[3].substr(lines[3].find(R"("status")")));
}

TEST_F(OptimiseCli, RunsThatDoNotCompleteSayWhy) {
    const std::string headers = std::string(",") + kPlainHeaders;
    const struct {
        const char* rows;
        std::string runLine;
        std::string filterLine; // "筛选" is still disabled
    } cases[] = {
        // 较破碎 after two classes of intact rock: 0.8 m is less than 1 m.
        {R"({"0": ["1", "1", "1"], "1": ["800", "800", "1"], "6": ["1.0d", "1.0d", "1.0d"], "7": ["35", "35", "1"],
             "8": ["1", "1", "1"]})",
         R"({"action":"run","status":"运行中止，主界面可查看中止位置、原因","color":"FFFF0000","visible":"candidates",)"
         R"("rows":8,"inputMessage":"较破碎岩体上嵌入深度小于1m"})",
         R"({"action":"filter","status":"运行中止，主界面可查看中止位置、原因","color":"FFFF0000","visible":"candidates",)"
         R"("rows":8)" + headers + "}"},
        {R"({"0": ["1", "1", "1"], "1": ["1500", "1500", "1"], "6": ["1200", "1600", "400"], "7": ["35", "35", "1"],
             "8": ["1", "1", "1"], "9": ["2", "3", "1"]})",
         R"({"action":"run","status":"运行中止，主界面可查看中止位置、原因","color":"FFFF0000","visible":"candidates",)"
         R"("rows":4,"inputMessage":"较破碎岩体上嵌入深度小于1倍桩径"})",
         R"({"action":"filter","status":"运行中止，主界面可查看中止位置、原因","color":"FFFF0000","visible":"candidates",)"
         R"("rows":4)" + headers + "}"},
        {R"({"1": ["-1", "2000", "500"]})",
         R"({"action":"run","status":"桩径不能为负值","color":"FFFF0000","visible":"candidates","rows":0})",
         R"({"action":"filter","status":"桩径不能为负值","color":"FFFF0000","visible":"candidates","rows":0)" + headers +
             "}"},
        {R"({"1": ["abc", "2000", "500"]})",
         R"({"action":"run","status":"","color":"FF000000","visible":"candidates","rows":0,"kind":"conversion",)"
         R"("message":"数据转换错误：桩身直径 d(mm)最小值中的“abc”不是有效的数值"})",
         R"({"action":"filter","status":"","color":"FF000000","visible":"candidates","rows":0)" + headers + "}"},
    };
    for (const auto& c : cases) {
        const CliRun r = run(std::string(R"({"module": 1, "rows": )") + c.rows + R"(, "actions": ["filter"]})",
                             outArgs());
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(linesOf(r.out), (std::vector<std::string>{c.runLine, c.filterLine})) << c.rows;
        // "存盘" is disabled after a run that did not complete.
        EXPECT_EQ(filesWritten(), 0u) << c.rows;
    }
}

TEST_F(OptimiseCli, RowsOfTheVisibleTableFollowEveryLine) {
    const CliRun r = run(R"({"module": 1, "precision": "两位小数", "actions": ["sort:rc", "filter"]})", "--rows");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = linesOf(r.out);

    // The engine through the same steps, the visible table's rows after each.
    OptimisePage engine;
    std::vector<std::vector<RowCells>> steps;
    const auto snapshot = [&] {
        const ResultTable& table = std::as_const(engine).visibleTable();
        std::vector<RowCells> rows;
        for (std::size_t row = 0; row < table.rowCount(); ++row)
            rows.push_back(table.cells(row));
        steps.push_back(rows);
    };
    engine.run(core::Precision::TwoDecimals);
    snapshot();
    engine.headerClick(kColRc);
    snapshot();
    engine.filter();
    snapshot();

    const char* actions[] = {"run", "sort:rc", "filter"};
    std::size_t at = 0;
    for (std::size_t step = 0; step < steps.size(); ++step) {
        ASSERT_LT(at, lines.size());
        const auto line = nlohmann::json::parse(lines[at++]);
        EXPECT_EQ(line.at("action"), actions[step]);
        ASSERT_EQ(line.at("rows"), steps[step].size());
        for (const RowCells& cells : steps[step]) {
            ASSERT_LT(at, lines.size());
            const auto row = nlohmann::json::parse(lines[at++]);
            ASSERT_TRUE(row.is_array()) << lines[at - 1];
            EXPECT_EQ(row.get<std::vector<std::string>>(), std::vector<std::string>(cells.begin(), cells.end()));
        }
    }
    EXPECT_EQ(at, lines.size());
    EXPECT_EQ(lines.size(), 3u + 3456u + 3456u + steps[2].size());
}

TEST_F(OptimiseCli, OutWritesTheResultsFileOfTheVisibleTable) {
    const struct {
        std::string json;
        const char* file;
        const char* fixture;
    } cases[] = {
        {std::string(R"({"module": 1, )") + kSmallRows + "}}", kRawFile, "optimise/raw_small.txt"},
        {std::string(R"({"module": 1, "precision": "一位小数", )") + kSmallRows +
             R"(, "14": ["0", "20000"], "15": ["0", "0"]}, "actions": ["sort:ra", "sort:ra", "filter"]})",
         kFilteredFile, "optimise/filtered_small.txt"},
    };
    for (const auto& c : cases) {
        fs::remove_all(m_dir / "out");
        fs::create_directories(m_dir / "out");
        const CliRun r = run(c.json, outArgs());
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(filesWritten(), 1u) << c.fixture;
        EXPECT_EQ(sp::test::readFile((m_dir / "out" / c.file).string()),
                  core::encodePage(sp::test::fixtureLines(c.fixture)))
            << c.fixture;
    }
}

TEST_F(OptimiseCli, OutWritesWhatTheEnginesSaveWrites) {
    const CliRun r = run(R"({"module": 1, "actions": ["sort:ra", "sort:ra"]})", outArgs());
    ASSERT_EQ(r.status, 0) << r.err;
    OptimisePage engine;
    engine.run(core::kDefaultPrecision);
    engine.headerClick(kColRa);
    engine.headerClick(kColRa);
    const fs::path folder = m_dir / "engine";
    fs::create_directories(folder);
    const auto written = engine.save(folder, kMoment);
    ASSERT_TRUE(written && written->ok);
    EXPECT_EQ(filesWritten(), 1u);
    EXPECT_EQ(sp::test::readFile((m_dir / "out" / kRawFile).string()), sp::test::readFile(written->path));
}

TEST_F(OptimiseCli, NothingIsWrittenWhileSaveIsDisabled) {
    const char* documents[] = {
        // A filter that found nothing.
        R"({"module": 1, "rows": {"14": ["1", "1"]}, "actions": ["filter"]})",
        // A run that could not start: no rows.
        R"({"module": 1, "rows": {"7": ["-1", "40", "5"]}, "actions": ["sort:ra"]})",
    };
    for (const char* json : documents) {
        const CliRun r = run(json, outArgs());
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(filesWritten(), 0u) << json;
    }
}

TEST_F(OptimiseCli, UnwritableOutputFolderExitsOneNamingThePath) {
    const fs::path nowhere = m_dir / "nowhere";
    const CliRun r = run(R"({"module": 1})", "--out '" + nowhere.string() + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(linesOf(r.out), std::vector<std::string>{completedRun()});
    EXPECT_NE(r.err.find(nowhere.string()), std::string::npos) << r.err;
}

TEST_F(OptimiseCli, UnusableInputExitsTwoNamingTheKeyAndWritesNothing) {
    const struct {
        const char* json;
        const char* mentions;
    } cases[] = {
        {R"({"module": 1, "rows": )", "not JSON"},
        {R"([1])", "JSON object"},
        {R"({"rows": {}})", "\"module\""},
        {R"({"module": 4})", "unknown module 4"},
        {R"({"module": "1"})", "key \"module\""},
        {R"({"module": 2, "inputs": {"groundwater": "yes"}})", "key \"inputs.groundwater\""},
        {R"({"module": 2, "rows": {"15": ["0", "0"]}})", "key \"rows.15\""},
        {R"({"module": 3, "inputs": {"softRock": true}})", "key \"inputs.softRock\""},
        {R"({"module": 1, "colour": 1})", "key \"colour\""},
        {R"({"module": 1, "precision": "三位小数"})", "key \"precision\""},
        {R"({"module": 1, "precision": 2})", "key \"precision\""},
        {R"({"module": 1, "rows": [["1", "1", "1"]]})", "key \"rows\""},
        {R"({"module": 1, "rows": {"13": ["", "", ""]}})", "key \"rows.13\""},
        {R"({"module": 1, "rows": {"16": ["1", "1", "1"]}})", "key \"rows.16\""},
        {R"({"module": 1, "rows": {"01": ["1", "1", "1"]}})", "key \"rows.01\""},
        {R"({"module": 1, "rows": {"d": ["1", "1", "1"]}})", "key \"rows.d\""},
        {R"({"module": 1, "rows": {"6": ["1.0d", "3.0d"]}})", "key \"rows.6\""},
        {R"({"module": 1, "rows": {"14": ["0", "0", "0"]}})", "key \"rows.14\""},
        {R"({"module": 1, "rows": {"6": "1.0d"}})", "key \"rows.6\""},
        {R"({"module": 1, "rows": {"1": ["1000", 2000, "500"]}})", "key \"rows.1[2]\""},
        {R"({"module": 1, "inputs": {"groundwater": true}})", "key \"inputs.groundwater\""},
        {R"({"module": 1, "inputs": []})", "key \"inputs\""},
        {R"({"module": 1, "actions": "filter"})", "key \"actions\""},
        {R"({"module": 1, "actions": ["filter", "sort:rb"]})", "key \"actions[2]\""},
        {R"({"module": 1, "actions": ["sort:Ra"]})", "key \"actions[1]\""},
        {R"({"module": 1, "actions": [4]})", "key \"actions[1]\""},
    };
    for (const auto& c : cases) {
        const CliRun r = run(c.json, outArgs());
        EXPECT_EQ(r.status, 2) << c.json;
        EXPECT_EQ(r.out, "") << c.json;
        EXPECT_NE(r.err.find(c.mentions), std::string::npos) << c.json << "\n" << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(filesWritten(), 0u) << c.json;
    }
}

TEST_F(OptimiseCli, ModulesTwoAndThreeRunTheirOwnTables) {
    const struct {
        const char* json;
        const char* run;
        const char* rcSort;
    } cases[] = {
        {R"({"module": 2, "inputs": {"groundwater": false}, "actions": ["sort:rc"]})",
         R"({"action":"run","status":"计算完成，桩数：1728 根","color":"FF000000","visible":"candidates","rows":1728})",
         R"J("status":"仅支持d、Ra排序","color":"FF000000","visible":"candidates","rows":1728,"headers":[" d|a(mm)","  Ra(kN)"]})J"},
        {R"({"module": 3, "actions": ["sort:rc"]})",
         R"({"action":"run","status":"计算完成，桩数：2880 根","color":"FF000000","visible":"candidates","rows":2880})",
         R"("status":"Rc升序排列完成")"},
    };
    for (const auto& c : cases) {
        const CliRun r = run(c.json);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out.substr(0, r.out.find('\n')), c.run);
        EXPECT_NE(r.out.find(c.rcSort), std::string::npos) << r.out;
    }
}
