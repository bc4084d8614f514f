#pragma once
// Runs the real socketpile-cli binary on a document written to a fresh folder, with an empty
// folder "out" beside it for --out.

#include "testsupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <utility>

namespace sp::test {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

class CliTest : public ::testing::Test {
protected:
    explicit CliTest(std::string command) : m_command(std::move(command)) {}

    void SetUp() override {
        m_folder = std::make_unique<TemporaryFolder>("socketpile-cli");
        m_dir = m_folder->path();
        std::filesystem::create_directories(m_dir / "out");
    }
    void TearDown() override { m_folder.reset(); }

    CliRun run(const std::string& json, const std::string& extra = "") {
        const std::filesystem::path input = m_dir / "input.json";
        writeText(input, json);
        return runArguments(m_command + " '" + input.string() + "' " + extra);
    }
    // The binary with the arguments as given (quoted by the caller); standard input is the text
    // `stdinText`, or empty.
    CliRun runArguments(const std::string& arguments, const std::string& stdinText = "") {
        const std::filesystem::path input = m_dir / "stdin.txt";
        writeText(input, stdinText);
        const std::string command = std::string(SOCKETPILE_CLI) + " " + arguments + " <'" + input.string() +
                                    "' 2>'" + (m_dir / "err.txt").string() + "'";
        CliRun r;
        std::FILE* pipe = popen(command.c_str(), "r");
        char buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0)
            r.out.append(buf, n);
        const int status = pclose(pipe);
        r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.err = sp::test::readFile((m_dir / "err.txt").string());
        return r;
    }
    static void writeText(const std::filesystem::path& file, const std::string& text) {
        std::FILE* f = std::fopen(file.c_str(), "wb");
        ASSERT_NE(f, nullptr) << file;
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    std::string outArgs() const { return "--out '" + (m_dir / "out").string() + "' --now '2026-12-10 09:30:00'"; }
    std::size_t filesWritten() const {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(m_dir / "out"), std::filesystem::directory_iterator()));
    }

    std::string m_command;
    std::unique_ptr<TemporaryFolder> m_folder;
    std::filesystem::path m_dir;
};

// The lines of a program's output, without their line ends.
inline std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

} // namespace sp::test
