#include "core/textfile.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace sp::core;
namespace fs = std::filesystem;

namespace {

std::string readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class TempDir : public ::testing::Test {
protected:
    sp::test::TemporaryFolder m_folder{"socketpile-textfile"};
    const fs::path m_dir = m_folder.path();
};

} // namespace

TEST(Gbk, EncodesWithoutByteOrderMarkAndReplacesWhatItCannotHold) {
    EXPECT_EQ(toGbk("桩"), "\xD7\xAE");
    EXPECT_EQ(toGbk("ζr μ ψc ∑ ≤ ："), "\xA6\xC6r \xA6\xCC \xA6\xD7" "c \xA1\xC6 \xA1\xDC \xA3\xBA");
    EXPECT_EQ(toGbk("a\xF0\x9F\x98\x80" "b"), "a?b");
    EXPECT_EQ(fromGbk(toGbk("计算时间：2026/12/10")), "计算时间：2026/12/10");
}

TEST_F(TempDir, PageIsWrittenAsGbkWithCrLfAfterEveryLine) {
    const fs::path file = m_dir / "嵌岩桩计算书.txt";
    ASSERT_TRUE(writePage(file, {"ZH1", "较完整", ""}).ok);
    EXPECT_EQ(readBytes(file), "ZH1\r\n\xBD\xCF\xCD\xEA\xD5\xFB\r\n\r\n");
    ASSERT_TRUE(writePage(file, {"x"}).ok); // replaced, not appended
    EXPECT_EQ(readBytes(file), "x\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);
}

TEST_F(TempDir, WriteFailingHalfwayLeavesTheOldFileWholeAndNoTemporary) {
    const fs::path file = m_dir / "page.txt";
    ASSERT_TRUE(writePage(file, {"old"}).ok);

    // A file-size limit makes the write fail part of the way through, for root too.
    struct rlimit saved {};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tight = saved;
    tight.rlim_cur = 16;
    setrlimit(RLIMIT_FSIZE, &tight);
    const WriteResult r = writePage(file, {std::string(200, 'x')});
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedHandler);

    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.path, file.string());
    EXPECT_EQ(r.reason, "File too large");
    EXPECT_EQ(readBytes(file), "old\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);
}

TEST_F(TempDir, TargetThatCannotBeReplacedIsReported) {
    const fs::path file = m_dir / "page.txt";
    fs::create_directories(file / "inside");
    const WriteResult r = writePage(file, {"x"});
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.reason.empty());
    EXPECT_TRUE(fs::is_directory(file / "inside"));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);
}

TEST_F(TempDir, MissingFolderFailsWithTheSystemsReason) {
    const fs::path file = m_dir / "missing" / "page.txt";
    const WriteResult r = writePage(file, {"x"});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.path, file.string());
    EXPECT_EQ(r.reason, "No such file or directory");
}

// A saved page is a new document like any other the user makes: readable by others as far as the
// umask allows, whatever mode the file it replaces had.
TEST_F(TempDir, SavedPageTakesTheModeTheUmaskLeaves) {
    const struct {
        mode_t umask, mode;
    } cases[] = {{022, 0644}, {077, 0600}, {027, 0640}, {002, 0664}, {0, 0666}};
    const fs::path file = m_dir / "嵌岩桩计算书.txt";
    for (const auto& c : cases) {
        {
            const sp::test::UmaskScope scope(c.umask);
            ASSERT_TRUE(writePage(file, {"ZH1"}).ok);
        }
        EXPECT_EQ(sp::test::modeOf(file), c.mode) << std::oct << "umask " << c.umask;
        EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);
    }
}
