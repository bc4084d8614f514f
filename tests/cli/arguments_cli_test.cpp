// The command line itself: the commands, FILE (or - for standard input) and the options, with the
// exit status and the lines each mistake prints.

#include "clitestsupport.h"
#include "core/textfile.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

using sp::test::CliRun;
using sp::test::linesOf;

namespace {

constexpr const char* kUsageFirstLine =
    "usage: socketpile-cli calc FILE     [--out DIR] [--now \"YYYY-MM-DD HH:MM:SS\"]";

class CliArguments : public sp::test::CliTest {
protected:
    CliArguments() : CliTest("") {}

    std::string inputFile(const std::string& json) {
        const auto file = m_dir / "input.json";
        writeText(file, json);
        return "'" + file.string() + "'";
    }
    std::string outFolder() const { return "'" + (m_dir / "out").string() + "'"; }
};

} // namespace

TEST_F(CliArguments, HelpPrintsTheUsageOnStandardOutput) {
    for (const char* help : {"--help", "-h", "help"}) {
        const CliRun r = runArguments(help);
        EXPECT_EQ(r.status, 0) << help;
        EXPECT_EQ(r.err, "") << help;
        const auto lines = linesOf(r.out);
        ASSERT_GE(lines.size(), 4u) << help;
        EXPECT_EQ(lines[0], kUsageFirstLine);
        EXPECT_EQ(lines[1], "       socketpile-cli optimise FILE [--out DIR] [--now \"YYYY-MM-DD HH:MM:SS\"] [--rows]");
        EXPECT_EQ(lines[2], "       socketpile-cli solve FILE    [--out DIR] [--now \"YYYY-MM-DD HH:MM:SS\"]");
        EXPECT_EQ(lines[3], "       socketpile-cli --help");
        EXPECT_NE(r.out.find("FILE is a JSON document (UTF-8), or - for standard input."), std::string::npos);
        EXPECT_NE(r.out.find("Exit status: 0 input understood, 1 a file or standard output could not be written, "
                             "2 unusable input."),
                  std::string::npos);
        EXPECT_NE(r.out.find("--out DIR  write the files that \"保存\" / \"存盘\" would write into DIR (made if missing)"),
                  std::string::npos);
    }
}

// Each mistake: exit status 2, nothing on standard output, nothing in the output folder, and the
// reason on the first line of standard error; a mistake in the command line itself adds the usage.
TEST_F(CliArguments, UnusableCommandLinesExitTwoWithTheirReason) {
    const std::string file = inputFile(R"({"module": 1, "piles": [{}]})");
    const std::string out = " --out " + outFolder();
    const struct {
        std::string arguments;
        std::string reason;
        bool usage;
    } cases[] = {
        {"", "socketpile-cli: no command given", true},
        {"frobnicate " + file, "socketpile-cli: unknown command \"frobnicate\"", true},
        {"Calc " + file, "socketpile-cli: unknown command \"Calc\"", true},
        {"calc" + out, "socketpile-cli: no input FILE given", true},
        {"optimise --rows", "socketpile-cli: no input FILE given", true},
        {"calc " + file + out + " --rows", "socketpile-cli: --rows belongs to optimise", true},
        {"calc " + file + out + " --now", "socketpile-cli: --now needs a value", true},
        {"calc " + file + " --out", "socketpile-cli: --out needs a value", true},
        {"calc " + file + out + " --now '2026-02-30 10:00:00'",
         "socketpile-cli: --now \"2026-02-30 10:00:00\" is not a moment of the form YYYY-MM-DD HH:MM:SS", true},
        {"calc " + file + out + " --now '2026-12-10T09:30:00'",
         "socketpile-cli: --now \"2026-12-10T09:30:00\" is not a moment of the form YYYY-MM-DD HH:MM:SS", true},
        {"optimise " + file + out + " --now '2026-12-10 24:00:00'",
         "socketpile-cli: --now \"2026-12-10 24:00:00\" is not a moment of the form YYYY-MM-DD HH:MM:SS", true},
        {"optimise " + file + out + " --now yesterday",
         "socketpile-cli: --now \"yesterday\" is not a moment of the form YYYY-MM-DD HH:MM:SS", true},
        {"calc " + file + " " + file + out, "socketpile-cli: unexpected argument \"" + (m_dir / "input.json").string() + "\"",
         true},
        {"calc " + file + out + " --bogus", "socketpile-cli: unexpected argument \"--bogus\"", true},
        // A FILE that cannot be read names it, without the usage.
        {"calc '" + (m_dir / "missing.json").string() + "'" + out,
         "socketpile-cli: cannot read " + (m_dir / "missing.json").string(), false},
        {"optimise '" + (m_dir / "missing.json").string() + "'" + out,
         "socketpile-cli: cannot read " + (m_dir / "missing.json").string(), false},
    };
    for (const auto& c : cases) {
        const CliRun r = runArguments(c.arguments);
        EXPECT_EQ(r.status, 2) << c.arguments;
        EXPECT_EQ(r.out, "") << c.arguments;
        EXPECT_EQ(filesWritten(), 0u) << c.arguments;
        const auto lines = linesOf(r.err);
        ASSERT_FALSE(lines.empty()) << c.arguments;
        EXPECT_EQ(lines[0], c.reason) << c.arguments;
        if (c.usage) {
            ASSERT_GE(lines.size(), 2u) << c.arguments;
            EXPECT_EQ(lines[1], kUsageFirstLine) << c.arguments;
        } else {
            EXPECT_EQ(lines.size(), 1u) << r.err;
        }
    }
}

TEST_F(CliArguments, FolderGivenAsTheInputIsRefused) {
    const CliRun r = runArguments("calc '" + m_dir.string() + "' --out " + outFolder());
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "socketpile-cli: cannot read " + m_dir.string() + ": it is a folder\n");
    EXPECT_EQ(filesWritten(), 0u);
}

// The example of the README: the document on standard input, the three lines it prints, and the
// filtered results file with its seven rows and the given moment.
TEST_F(CliArguments, DashReadsTheDocumentFromStandardInput) {
    const CliRun r = runArguments(
        "optimise - --out " + outFolder() + " --now '2026-12-10 09:30:00'",
        R"({"module": 1, "rows": {"14": ["10000", "11000"]}, "actions": ["sort:ra", "filter"]})");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(linesOf(r.out),
              (std::vector<std::string>{
                  R"J({"action":"run","status":"计算完成，桩数：3456 根","color":"FF000000","visible":"candidates","rows":3456})J",
                  R"J({"action":"sort:ra","status":"Ra升序排列完成","color":"FF000000","visible":"candidates","rows":3456,"headers":[" d|a(mm)","Ra(kN)▲","  Rc(kN)"]})J",
                  R"J({"action":"filter","status":"筛选完成，桩数：7 根","color":"FF000000","visible":"filtered","rows":7,"headers":[" d|a(mm)","  Ra(kN)","  Rc(kN)"]})J",
              }));
    ASSERT_EQ(filesWritten(), 1u);
    const auto lines = linesOf(sp::core::fromGbk(
        sp::test::readFile((m_dir / "out" / "嵌岩桩优化计算筛选结果(依据DBJ52T088-2018)_表格.txt").string())));
    ASSERT_EQ(lines.size(), 7u + 9u);
    // Rows in ascending Ra, numbered in file order: the first is ZH-0037 (Ra 10405), the last ZH-0109
    // (Ra 10977).
    EXPECT_EQ(lines[5].substr(0, 11), "   ZH-1    ");
    EXPECT_NE(lines[5].find("10405"), std::string::npos) << lines[5];
    EXPECT_NE(lines[11].find("10977"), std::string::npos) << lines[11];
    EXPECT_EQ(lines.back(), "计算时间：2026/12/10 9:30:00\r");

    // calc takes "-" the same way.
    const CliRun calc = runArguments("calc -", R"({"module": 1, "piles": [{"frk": "40", "hr": "5.0d", "integrity": "0.40"}]})");
    ASSERT_EQ(calc.status, 0) << calc.err;
    // Hard rock beyond 4.0: ζ = 0.92 − 0.40 · 0.75 = 0.62; Ra = 0.62 · 40 · 392.699 = 9738.94.
    EXPECT_EQ(calc.out, R"({"pile":1,"ok":true,"zh":"ZH1","boxes":{"edt_ddeq":"1000","edt_sjbeq":"5.00",)"
                        R"("edt_kesair":"0.6200","edt_ra":"9739","edt_rc":"6739"},"status":{"text":"较硬岩,岩体较破碎",)"
                        R"("color":"FF000000"},"fields":{"d":"1000","c":"0"}})"
                        "\n");

    // An empty standard input is no JSON.
    const CliRun empty = runArguments("calc -");
    EXPECT_EQ(empty.status, 2);
    EXPECT_EQ(empty.out, "");
    EXPECT_NE(empty.err.find("not JSON"), std::string::npos) << empty.err;
}

// The moment of --now goes into every time line; at exactly midnight the time part is left out.
TEST_F(CliArguments, NowSetsTheTimeLineOfTheFiles) {
    const struct {
        const char *now, *line;
    } cases[] = {
        {"2026-01-05 00:00:00", "计算时间：2026/1/5\r"},
        {"2026-01-05 00:00:01", "计算时间：2026/1/5 0:00:01\r"},
        {"2024-02-29 23:59:59", "计算时间：2024/2/29 23:59:59\r"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(m_dir / "out");
        std::filesystem::create_directories(m_dir / "out");
        const CliRun r = runArguments("optimise - --out " + outFolder() + " --now '" + c.now + "'",
                                      R"({"module": 1, "rows": {"0": ["1", "1", "1"], "1": ["1000", "1000", "1"],
                                          "6": ["1.0d", "1.0d", "1.0d"], "7": ["35", "35", "1"], "8": ["1", "1", "1"],
                                          "9": ["1", "1", "1"], "11": ["C30", "C30", "5"], "12": ["2", "2", "1"]}})");
        ASSERT_EQ(r.status, 0) << r.err;
        ASSERT_EQ(filesWritten(), 1u) << c.now;
        const auto lines = linesOf(sp::core::fromGbk(
            sp::test::readFile((m_dir / "out" / "嵌岩桩优化计算原始结果(依据DBJ52T088-2018)_表格.txt").string())));
        ASSERT_EQ(lines.size(), 1u + 9u) << c.now;
        EXPECT_EQ(lines.back(), c.line);
    }
}

// Files written into --out are made as any new file of the user: the umask decides who may read.
TEST_F(CliArguments, FilesWrittenWithOutTakeTheModeTheUmaskLeaves) {
    const struct {
        mode_t umask, mode;
    } cases[] = {{022, 0644}, {077, 0600}};
    for (const auto& c : cases) {
        std::filesystem::remove_all(m_dir / "out");
        std::filesystem::create_directories(m_dir / "out");
        const sp::test::UmaskScope scope(c.umask);
        const CliRun calc = runArguments("calc - --out " + outFolder(), R"({"module": 1, "piles": [{}]})");
        ASSERT_EQ(calc.status, 0) << calc.err;
        const CliRun optimise = runArguments("optimise - --out " + outFolder(),
                                             R"({"module": 1, "rows": {"0": ["1", "1", "1"]}})");
        ASSERT_EQ(optimise.status, 0) << optimise.err;
        ASSERT_EQ(filesWritten(), 3u);
        for (const char* name : {"嵌岩桩计算书(依据DBJ52T088-2018)_文本.txt", "嵌岩桩计算书(依据DBJ52T088-2018)_表格.txt",
                                 "嵌岩桩优化计算原始结果(依据DBJ52T088-2018)_表格.txt"})
            EXPECT_EQ(sp::test::modeOf(m_dir / "out" / name), c.mode) << std::oct << "umask " << c.umask << " " << name;
    }
}
