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
    const struct {
        const char* rows;
        std::string filterLine;
    } cases[] = {
        // The default bounds: Ra 10000 to 11000 and Rc 6000 to 8000 keep seven candidates (listed
        // in DefaultFilterKeepsSevenCandidates).
        {"{}", R"({"action":"filter","status":"筛选完成，桩数：7 根","color":"FF000000","visible":"filtered","rows":7,)" +
                   std::string(kPlainHeaders) + "}"},
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

// The default table and bounds, rows as the filter keeps them in the order of the run. Worked by
// hand for a round pile d 1000 (Ap 785398.16 mm²): Ra = ζr · frk · 392.699, Rc = ψc · fc · 785.398.
// ZH-0037: 1.0d, frk 40, Kv 0.46 (hard row 2.0: 0.72 − 0.32 · 0.45 = 0.576), dry work ×1.15 = 0.6624,
//          Ra 10405, Rc 0.80 · 11.9 → 7477.
// ZH-0056, -0068, -0072: 2.0d, frk 35, "较完整" or Kv 0.56 and 0.66 (also "较完整"): 0.79, Ra 10858,
//          mud-protected C30 Rc 0.60 · 14.3 → 6739.
// ZH-0109: 3.0d, frk 35, Kv 0.46 (0.87 − 0.39 · 0.45 = 0.6945) · 1.15 = 0.7987, Ra 10977, Rc 7477.
// ZH-0136: 3.0d, frk 40, Kv 0.46, mud-protected: 0.6945, Ra 10909, Rc 6739.
// ZH-3086: square 1000, 2.0b: deq 1128.38, hr/deq 1.7725 (u 3.545), frk 35, Kv 0.46:
//          0.774075 − 0.343175 · 0.45 = 0.6196, Ra = 0.6196 · 35 · 500 = 10844, Rc 0.60 · 11.9 · 1000 = 7140.
TEST_F(OptimiseCli, DefaultFilterKeepsSevenCandidates) {
    const CliRun r = run(R"({"module": 1, "actions": ["filter"]})", "--rows");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = linesOf(r.out);
    ASSERT_EQ(lines.size(), 1u + 3456u + 1u + 7u);
    EXPECT_EQ(lines[3457], R"({"action":"filter","status":"筛选完成，桩数：7 根","color":"FF000000","visible":"filtered","rows":7,)" +
                               std::string(kPlainHeaders) + "}");
    const std::vector<std::string> kept(lines.begin() + 3458, lines.end());
    EXPECT_EQ(kept, (std::vector<std::string>{
        R"J(["ZH-0037","圆  桩","1000","-","10405","7477","1.0d","40.00","2","0.46","干 作 业","面积相等","1000","1.00","0.6624","C25","0.80",""])J",
        R"J(["ZH-0056","圆  桩","1000","-","10858","6739","2.0d","35.00","1","较完整","泥浆护壁","面积相等","1000","2.00","0.7900","C30","0.60",""])J",
        R"J(["ZH-0068","圆  桩","1000","-","10858","6739","2.0d","35.00","2","0.56","泥浆护壁","面积相等","1000","2.00","0.7900","C30","0.60",""])J",
        R"J(["ZH-0072","圆  桩","1000","-","10858","6739","2.0d","35.00","2","0.66","泥浆护壁","面积相等","1000","2.00","0.7900","C30","0.60",""])J",
        R"J(["ZH-0109","圆  桩","1000","-","10977","7477","3.0d","35.00","2","0.46","干 作 业","面积相等","1000","3.00","0.7987","C25","0.80",""])J",
        R"J(["ZH-0136","圆  桩","1000","-","10909","6739","3.0d","40.00","2","0.46","泥浆护壁","面积相等","1000","3.00","0.6945","C30","0.60",""])J",
        R"J(["ZH-3086","方  桩","1000","1000","10844","7140","2.0b","35.00","2","0.46","泥浆护壁","面积相等","1128","1.77","0.6196","C25","0.60",""])J",
    }));
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

    // Independently of the engine: the first two candidates with two decimals (1.0d, frk 35,
    // "完整", C25: ζ 0.81, dry work 0.9315 · 35 · 392.699 = 12802.97, Rc 0.80 · 11.9 · 785.398 =
    // 7476.99; mud-protected 11133.02 and 0.60 · 11.9 · 785.398 = 5607.74), and the seven kept by
    // the filter after the sort by Rc, in ascending Rc.
    ASSERT_EQ(lines.size(), 3u + 3456u + 3456u + 7u);
    EXPECT_EQ(lines[1], R"J(["ZH-0001","圆  桩","1000","-","12802.97","7476.99","1.0d","35.00","1","完整","干 作 业","面积相等","1000","1.00","0.9315","C25","0.80",""])J");
    EXPECT_EQ(lines[2], R"J(["ZH-0002","圆  桩","1000","-","11133.02","5607.74","1.0d","35.00","1","完整","泥浆护壁","面积相等","1000","1.00","0.8100","C25","0.60",""])J");
    std::vector<std::string> numbers, rc;
    for (std::size_t i = lines.size() - 7; i < lines.size(); ++i) {
        const auto cells = nlohmann::json::parse(lines[i]).get<std::vector<std::string>>();
        numbers.push_back(cells.at(0));
        rc.push_back(cells.at(5));
    }
    EXPECT_EQ(rc, (std::vector<std::string>{"6738.72", "6738.72", "6738.72", "6738.72", "7140.00", "7476.99",
                                            "7476.99"}));
    std::sort(numbers.begin(), numbers.end());
    EXPECT_EQ(numbers, (std::vector<std::string>{"ZH-0037", "ZH-0056", "ZH-0068", "ZH-0072", "ZH-0109", "ZH-0136",
                                                 "ZH-3086"}));
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

// A missing output folder is made; one that cannot be (a file stands in the way) exits 1 naming it.
TEST_F(OptimiseCli, MissingOutputFolderIsMadeAndOneThatCannotBeExitsOne) {
    const fs::path folder = m_dir / "nowhere" / "deeper";
    CliRun r = run(R"({"module": 1})", "--out '" + folder.string() + "'");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::exists(folder / "嵌岩桩优化计算原始结果(依据DBJ52T088-2018)_表格.txt"));

    writeText(m_dir / "plain.txt", "a file");
    const fs::path blocked = m_dir / "plain.txt" / "out";
    r = run(R"({"module": 1})", "--out '" + blocked.string() + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(linesOf(r.out), std::vector<std::string>{completedRun()});
    EXPECT_EQ(r.err.rfind("socketpile-cli: cannot write " + blocked.string() + ": ", 0), 0u) << r.err;
}

TEST_F(OptimiseCli, UnusableInputExitsTwoNamingTheKeyAndWritesNothing) {
    const struct {
        const char* json;
        const char* mentions;
    } cases[] = {
        {R"({"module": 1, "rows": )", "not JSON"},
        {R"({"module": 1e999})", "number out of range"},
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

// Module 2's "softRock" applies 0.8 to the automatic C1 and C2 of every candidate in "软岩" or
// "较软岩" (groundwater left ticked: 0.85 as well). Round pile d 1000, 1.0 m, "中风化", "较完整":
// frk 10: C1 0.60 · 0.85 = 0.51, C2 0.08 · 0.85 = 0.068, Qsrk 0.068 · 10000 · π = 2136.28,
//         Qpk 0.51 · 10000 · π/4 = 4005.53, Quk 6141.81, Ra 3070.91; ticked 0.408, 0.0544, 1709.03,
//         3204.42, 4913.45, Ra 2456.73; the shares stay 35 % and 65 %.
// frk 25: C1 0.566667, C2 0.073667, Qsrk 5785.77, Qpk 11126.47, Quk 16912.24, Ra 8456.12; ticked
//         0.453333, 0.058933, 4628.61, 8901.18, 13529.79, Ra 6764.90; shares 34 % and 66 %.
TEST_F(OptimiseCli, SoftRockBoxOfModuleTwoAppliesToEveryCandidate) {
    const std::string rows = R"("rows": {"0": ["1", "1", "1"], "1": ["1000", "1000", "1"], "6": ["1.0d", "1.0d", "1.0d"],
        "7": ["10", "25", "15"], "8": ["2", "2", "1"], "9": ["1", "1", "1"], "10": ["2", "2", "1"]})";
    const std::string runLine =
        R"({"action":"run","status":"计算完成，桩数：2 根","color":"FF000000","visible":"candidates","rows":2})";
    const struct {
        const char* inputs;
        std::vector<std::string> lines;
    } cases[] = {
        {R"({})",
         {runLine,
          R"J(["ZH-1","圆  桩","1000","-","3071","1.00","10.00","中风化","1","较完整","0.510","0.068","2136","35%","4006","65%","6142",""])J",
          R"J(["ZH-2","圆  桩","1000","-","8456","1.00","25.00","中风化","1","较完整","0.567","0.074","5786","34%","11126","66%","16912",""])J"}},
        {R"({"softRock": false, "groundwater": true})",
         {runLine,
          R"J(["ZH-1","圆  桩","1000","-","3071","1.00","10.00","中风化","1","较完整","0.510","0.068","2136","35%","4006","65%","6142",""])J",
          R"J(["ZH-2","圆  桩","1000","-","8456","1.00","25.00","中风化","1","较完整","0.567","0.074","5786","34%","11126","66%","16912",""])J"}},
        {R"({"softRock": true})",
         {runLine,
          R"J(["ZH-1","圆  桩","1000","-","2457","1.00","10.00","中风化","1","较完整","0.408","0.054","1709","35%","3204","65%","4913",""])J",
          R"J(["ZH-2","圆  桩","1000","-","6765","1.00","25.00","中风化","1","较完整","0.453","0.059","4629","34%","8901","66%","13530",""])J"}},
    };
    for (const auto& c : cases) {
        const CliRun r = run(std::string(R"({"module": 2, )") + rows + R"(, "inputs": )" + c.inputs + "}", "--rows");
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(linesOf(r.out), c.lines) << c.inputs;
    }
}
