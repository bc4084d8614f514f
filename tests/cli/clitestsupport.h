#pragma once
// Runs the real socketpile-cli binary on a document written to a fresh folder, with an empty
// folder "out" beside it for --out.

#include "testsupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
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
        char tmpl[] = "/tmp/socketpile-cli-XXXXXX";
        m_dir = mkdtemp(tmpl);
        std::filesystem::create_directories(m_dir / "out");
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    CliRun run(const std::string& json, const std::string& extra = "") {
        const std::filesystem::path input = m_dir / "input.json";
        {
            std::FILE* f = std::fopen(input.c_str(), "wb");
            std::fwrite(json.data(), 1, json.size(), f);
            std::fclose(f);
        }
        const std::string command = std::string(SOCKETPILE_CLI) + " " + m_command + " '" + input.string() + "' " +
                                    extra + " 2>'" + (m_dir / "err.txt").string() + "'";
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
    std::string outArgs() const { return "--out '" + (m_dir / "out").string() + "' --now '2026-12-10 09:30:00'"; }
    std::size_t filesWritten() const {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(m_dir / "out"), std::filesystem::directory_iterator()));
    }

    std::string m_command;
    std::filesystem::path m_dir;
};

} // namespace sp::test
