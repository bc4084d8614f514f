// Where the command line's output goes and what becomes of it there: standard output that cannot
// be written, "-" and the other targets that are no plain files, empty names, the mode of a file
// replaced, and two runs writing one folder at once.

#include "clitestsupport.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using sp::test::CliRun;
using sp::test::linesOf;

namespace {

constexpr const char* kTwoPiles = R"({"module": 1, "piles": [{}, {"frk": "40"}]})";

class OutputCli : public sp::test::CliTest {
protected:
    OutputCli() : CliTest("") {}

    std::string input(const std::string& json = kTwoPiles, const std::string& name = "input.json") {
        const fs::path file = m_dir / name;
        writeText(file, json);
        return "'" + file.string() + "'";
    }
    static std::string quoted(const fs::path& path) { return "'" + path.string() + "'"; }
};

} // namespace

// Standard output is checked at the end of every command: what could not be written there exits 1
// with the reason, as a file that cannot be written does.
TEST_F(OutputCli, StandardOutputThatCannotBeWrittenExitsOne) {
    const std::string examples = SOCKETPILE_EXAMPLES;
    writeText(m_dir / "solve.json", R"({"module": 1, "piles": [{"target": {"ra": 9000}}]})");
    const struct {
        std::string arguments;
        const char* redirect;
        const char* reason;
    } cases[] = {
        {"calc '" + examples + "/module1.json'", ">/dev/full", "No space left on device"},
        {"calc '" + examples + "/demo.sppile'", ">/dev/full", "No space left on device"},
        {"optimise '" + examples + "/optimise-module1.json' --rows", ">/dev/full", "No space left on device"},
        {"solve " + quoted(m_dir / "solve.json"), ">/dev/full", "No space left on device"},
        {"calc '" + examples + "/module1.json' --csv -", ">/dev/full", "No space left on device"},
        {"--help", ">/dev/full", "No space left on device"},
        {"--version", ">/dev/full", "No space left on device"},
        {"calc '" + examples + "/module1.json'", ">&-", "Bad file descriptor"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments + " " + c.redirect);
        const std::string command = std::string(SOCKETPILE_CLI) + " " + c.arguments + " " + c.redirect + " 2>" +
                                    quoted(m_dir / "err.txt") + " </dev/null";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 1);
        const std::vector<std::string> lines = linesOf(sp::test::readFile((m_dir / "err.txt").string()));
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back(), std::string("socketpile-cli: cannot write standard output: ") + c.reason);
    }
}

// An empty name is no file or folder: refused like any unusable option, nothing written.
TEST_F(OutputCli, EmptyNamesAreRefused) {
    for (const char* option : {"--out", "--csv", "--xlsx", "--pdf"}) {
        SCOPED_TRACE(option);
        const CliRun r = runArguments("calc " + input() + " " + option + " ''");
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind(std::string("socketpile-cli: ") + option, 0), 0u) << r.err;
        EXPECT_EQ(std::distance(fs::directory_iterator(m_dir / "out"), fs::directory_iterator()), 0);
    }
    const CliRun r = runArguments("optimise " + input(R"({"module": 1})") + " --out ''");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
}

// "-" (or another name of standard output) sends the table there in place of the JSON lines; it is
// the same table as the file. Only one file can go there, and --out takes no "-".
TEST_F(OutputCli, DashSendsTheTableToStandardOutputInPlaceOfTheLines) {
    const CliRun file = runArguments("calc " + input() + " --csv " + quoted(m_dir / "table.csv"));
    ASSERT_EQ(file.status, 0) << file.err;
    ASSERT_EQ(linesOf(file.out).size(), 2u);
    const std::string csv = sp::test::readFile((m_dir / "table.csv").string());
    ASSERT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    for (const char* target : {"-", "/dev/stdout"}) {
        SCOPED_TRACE(target);
        const CliRun r = runArguments("calc " + input() + " --csv " + target + " --out " + quoted(m_dir / "out"));
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, csv);
        EXPECT_EQ(filesWritten(), 2u); // the pages are written as ever
    }
    const CliRun optimise = runArguments("optimise " + input(R"({"module": 1, "actions": ["sort:ra"]})") +
                                         " --rows --csv -");
    EXPECT_EQ(optimise.status, 0) << optimise.err;
    EXPECT_EQ(optimise.out.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(linesOf(optimise.out).size(), 3456u + 1);

    const struct {
        std::string options;
        const char* reason;
    } refused[] = {
        {"--csv - --xlsx -", "socketpile-cli: only one of --pdf, --xlsx and --csv can go to standard output (-)"},
        {"--csv /dev/stdout --pdf -", "socketpile-cli: only one of --pdf, --xlsx and --csv can go to standard output (-)"},
        {"--out -", "socketpile-cli: --out takes a folder; - (standard output) is for --pdf, --xlsx and --csv"},
    };
    for (const auto& c : refused) {
        const CliRun r = runArguments("calc " + input() + " " + c.options);
        EXPECT_EQ(r.status, 2) << c.options;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(linesOf(r.err).front(), c.reason);
    }
}

// A pipe receives the table, and stays a pipe; a device is written, not replaced by a file.
TEST_F(OutputCli, TargetsThatAreNoPlainFilesAreWrittenWhereTheyAre) {
    const CliRun file = runArguments("calc " + input() + " --csv " + quoted(m_dir / "table.csv"));
    ASSERT_EQ(file.status, 0) << file.err;
    const fs::path fifo = m_dir / "管道";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = sp::test::readFile(fifo.string()); });
    const CliRun r = runArguments("calc " + input() + " --csv " + quoted(fifo));
    reader.join();
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(linesOf(r.out).size(), 2u);
    EXPECT_EQ(received, sp::test::readFile((m_dir / "table.csv").string()));
    EXPECT_TRUE(fs::is_fifo(fifo));

    const CliRun null = runArguments("calc " + input() + " --csv /dev/null");
    EXPECT_EQ(null.status, 0) << null.err;
    EXPECT_TRUE(fs::is_character_file("/dev/null"));

    const CliRun full = runArguments("calc " + input() + " --csv /dev/full");
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, "socketpile-cli: cannot write /dev/full: No space left on device\n");
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

// A file replaced keeps its mode: a read-only table stays read-only, private pages stay private.
TEST_F(OutputCli, ReplacedFilesKeepTheirMode) {
    const fs::path csv = m_dir / "table.csv";
    ASSERT_EQ(runArguments("calc " + input() + " --csv " + quoted(csv) + " " + outArgs()).status, 0);
    const fs::path book = m_dir / "out" / "嵌岩桩计算书(依据DBJ52T088-2018)_文本.txt";
    ASSERT_EQ(::chmod(csv.c_str(), 0444), 0);
    ASSERT_EQ(::chmod(book.c_str(), 0600), 0);
    const CliRun r = runArguments("calc " + input(R"({"module": 1, "piles": [{}]})") + " --csv " + quoted(csv) + " " +
                                  outArgs());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(linesOf(sp::test::readFile(csv.string())).size(), 2u); // header and one pile: written anew
    EXPECT_EQ(sp::test::modeOf(csv), 0444u);
    EXPECT_EQ(sp::test::modeOf(book), 0600u);
}

// A run killed while it works leaves nothing beside the files it was writing.
TEST_F(OutputCli, RunKilledWhileWritingLeavesNoTemporaryFile) {
    std::string piles;
    for (int k = 0; k < 4000; ++k)
        piles += std::string(k ? "," : "") + R"({"frk": ")" + std::to_string(10 + k % 30) + R"("})";
    const std::string file = input(R"({"module": 1, "piles": [)" + piles + "]}");
    const std::string command = "exec " + std::string(SOCKETPILE_CLI) + " calc " + file + " " + outArgs() +
                                " --csv " + quoted(m_dir / "out" / "table.csv");
    int lines[2];
    ASSERT_EQ(::pipe(lines), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::dup2(lines[1], 1);
        ::close(lines[0]);
        ::close(lines[1]);
        ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(lines[1]);
    // The pages are being written once the lines come.
    std::FILE* out = ::fdopen(lines[0], "r");
    char line[4096];
    for (int k = 0; k < 100; ++k)
        ASSERT_NE(std::fgets(line, sizeof line, out), nullptr);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    std::fclose(out);
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(filesWritten(), 0u);
}

// While another run holds the lock of the output folder (putting its own files in place), a run
// waits, and then writes its set whole.
TEST_F(OutputCli, RunWaitsForTheOutputFolderOfAnotherRun) {
    const std::string examples = SOCKETPILE_EXAMPLES;
    const std::string commands[] = {
        "calc " + input() + " " + outArgs(),
        "calc '" + examples + "/demo.sppile' " + outArgs(),
        "optimise " + input(R"({"module": 1})", "optimise.json") + " " + outArgs() + " --csv " +
            quoted(m_dir / "out" / "t.csv"),
    };
    for (const std::string& command : commands) {
        SCOPED_TRACE(command);
        fs::remove_all(m_dir / "out");
        fs::create_directory(m_dir / "out");
        const int folder = ::open((m_dir / "out").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ASSERT_GE(folder, 0);
        ASSERT_EQ(::flock(folder, LOCK_EX), 0);
        CliRun r;
        std::thread run([&] { r = runArguments(command); });
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        EXPECT_EQ(filesWritten(), 0u);
        ::close(folder);
        run.join();
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_GE(filesWritten(), 2u);
    }
}
