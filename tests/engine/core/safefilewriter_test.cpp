#include "core/safefilewriter.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/resource.h>

using namespace sp::core;
namespace fs = std::filesystem;

namespace {

class SafeFileWriterTest : public ::testing::Test {
protected:
    std::size_t entries() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()));
    }
    void writeOld() {
        SafeFileWriter writer(m_file);
        ASSERT_TRUE(writer.append("old"));
        ASSERT_TRUE(writer.commit());
    }

    sp::test::TemporaryFolder m_folder{"socketpile-safefile"};
    const fs::path m_dir = m_folder.path();
    const fs::path m_file = m_dir / "结果.txt";
};

} // namespace

TEST_F(SafeFileWriterTest, PiecesAppendedInTurnReplaceTheFileOnCommit) {
    writeOld();
    SafeFileWriter writer(m_file);
    ASSERT_TRUE(writer.append("ZH1\r\n"));
    ASSERT_TRUE(writer.append(""));
    ASSERT_TRUE(writer.append(std::string(70000, 'x')));
    ASSERT_TRUE(writer.append("\r\n"));
    EXPECT_EQ(sp::test::readFile(m_file.string()), "old"); // untouched until the commit
    ASSERT_TRUE(writer.commit());
    EXPECT_TRUE(writer.result().ok);
    EXPECT_EQ(writer.result().path, m_file.string());
    EXPECT_EQ(sp::test::readFile(m_file.string()), "ZH1\r\n" + std::string(70000, 'x') + "\r\n");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(SafeFileWriterTest, WriterLeftUncommittedLeavesTheOldFileAndNoTemporary) {
    const struct {
        const char* name;
        std::function<void(SafeFileWriter&)> end;
    } cases[] = {
        {"abandoned", [](SafeFileWriter& w) { w.abandon(); }},
        {"destroyed", [](SafeFileWriter&) {}},
        {"abandoned, then committed",
         [](SafeFileWriter& w) {
             w.abandon();
             EXPECT_FALSE(w.commit());
         }},
    };
    writeOld();
    for (const auto& c : cases) {
        {
            SafeFileWriter writer(m_file);
            ASSERT_TRUE(writer.append("new")) << c.name;
            EXPECT_EQ(entries(), 2u) << c.name;
            c.end(writer);
        }
        EXPECT_EQ(sp::test::readFile(m_file.string()), "old") << c.name;
        EXPECT_EQ(entries(), 1u) << c.name;
    }
}

// The first failure is the one reported; the writer does nothing after it.
TEST_F(SafeFileWriterTest, FirstFailureKeepsItsReasonAndStopsTheWriter) {
    writeOld();
    struct rlimit saved {};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tight = saved;
    tight.rlim_cur = 16;
    {
        SafeFileWriter writer(m_file);
        setrlimit(RLIMIT_FSIZE, &tight);
        const bool appended = writer.append(std::string(200, 'x'));
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, savedHandler);
        EXPECT_FALSE(appended);
        EXPECT_EQ(entries(), 1u); // removed at once
        EXPECT_FALSE(writer.append("y"));
        EXPECT_FALSE(writer.commit());
        EXPECT_FALSE(writer.result().ok);
        EXPECT_EQ(writer.result().reason, "File too large");
        EXPECT_EQ(writer.result().path, m_file.string());
    }
    EXPECT_EQ(sp::test::readFile(m_file.string()), "old");

    const fs::path nowhere = m_dir / "missing" / "结果.txt";
    SafeFileWriter writer(nowhere);
    EXPECT_FALSE(writer.append("x"));
    EXPECT_FALSE(writer.commit());
    EXPECT_EQ(writer.result().reason, "No such file or directory");
    EXPECT_EQ(writer.result().path, nowhere.string());
    EXPECT_FALSE(fs::exists(m_dir / "missing"));
}
