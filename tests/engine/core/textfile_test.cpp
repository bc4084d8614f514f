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

// Broken and foreign characters are replaced one at a time, the rest converted around them; the
// Windows build converts through code page 936 and must answer exactly as iconv does here.
TEST(Gbk, ReplacesEachBrokenOrForeignCharacterAlone) {
    const struct {
        const char* utf8;
        const char* gbk;
    } encoded[] = {
        {"ZH1 ≤ ≥ × · ° ℃ ①", "ZH1 \xA1\xDC \xA1\xDD \xA1\xC1 \xA1\xA4 \xA1\xE3 \xA1\xE6 \xA2\xD9"},
        {"€ ™ é", "\x80 ? \xA8\xA6"},                   // the euro sign is GBK's one single byte above 0x7F
        {"\xFF\xFE bad", "?ad"}, // a byte that starts no character: skipped with as many as its top bits say
        {"\xE5\xB5", "?"},                                 // a character cut off at the end
        {"a\xC0\xAF" "b", "a?b"},                          // an overlong "/"
        {"\xED\xA0\x80x", "?x"},                          // a lone surrogate
        {"—…※", "\xA1\xAA\xA1\xAD\xA1\xF9"},
    };
    for (const auto& c : encoded) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(toGbk(c.utf8), c.gbk);
    }
    const struct {
        const char* gbk;
        const char* utf8;
    } decoded[] = {
        {"\xC7\xB6\xD1\xD2", "嵌岩"},
        {"\x80", "€"},
        {"\xFF\xFF", "\xEF\xBF\xBD"},
        {"\x81\x20", "\xEF\xBF\xBD"},                   // a lead byte without its second byte
        {"ab\xA1", "ab\xEF\xBF\xBD"},                    // cut off at the end
        {"\xFE\xFE|\xA2\xE3", "\xEF\xBF\xBD|\xEF\xBF\xBD"}, // the user-defined areas hold no character
    };
    for (const auto& c : decoded) {
        SCOPED_TRACE(c.gbk);
        EXPECT_EQ(fromGbk(c.gbk), c.utf8);
    }
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

// A new saved page is a document like any other the user makes: readable by others as far as the
// umask allows. A page that replaces one keeps that one's mode, whatever the umask.
TEST_F(TempDir, SavedPageTakesTheModeTheUmaskLeavesAndAReplacedOneKeepsItsMode) {
    const struct {
        mode_t umask, mode;
    } cases[] = {{022, 0644}, {077, 0600}, {027, 0640}, {002, 0664}, {0, 0666}};
    const fs::path file = m_dir / "嵌岩桩计算书.txt";
    for (const auto& c : cases) {
        fs::remove(file);
        {
            const sp::test::UmaskScope scope(c.umask);
            ASSERT_TRUE(writePage(file, {"ZH1"}).ok);
        }
        EXPECT_EQ(sp::test::modeOf(file), c.mode) << std::oct << "umask " << c.umask;
        EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);
    }
    for (const mode_t kept : {0600, 0640, 0444, 0755}) {
        ASSERT_EQ(::chmod(file.c_str(), kept), 0);
        {
            const sp::test::UmaskScope scope(077);
            ASSERT_TRUE(writePage(file, {"ZH2"}).ok);
        }
        EXPECT_EQ(sp::test::modeOf(file), kept) << std::oct << kept;
        EXPECT_EQ(sp::test::readFile(file.string()), "ZH2\r\n");
    }
}
