#include "core/platform.h"
#include "core/safefilewriter.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace sp::core;
namespace fs = std::filesystem;

namespace {

// Whether the writers of a scope may use unnamed files.
class UnnamedFiles {
public:
    explicit UnnamedFiles(bool allowed) { file::allowUnnamed(allowed); }
    ~UnnamedFiles() { file::allowUnnamed(true); }
    UnnamedFiles(const UnnamedFiles&) = delete;
    UnnamedFiles& operator=(const UnnamedFiles&) = delete;
};

class SafeFileWriterTest : public ::testing::Test {
protected:
    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(m_dir))
            found.push_back(entry.path().filename().string());
        std::sort(found.begin(), found.end());
        return found;
    }
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

// Where the system has unnamed files nothing shows beside the target while it is written; where
// it has not, the temporary file does, and goes again.
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
    for (const bool unnamed : {true, false}) {
        const UnnamedFiles naming(unnamed);
        for (const auto& c : cases) {
            {
                SafeFileWriter writer(m_file);
                ASSERT_TRUE(writer.append("new")) << c.name;
                EXPECT_EQ(entries(), unnamed ? 1u : 2u) << c.name;
                c.end(writer);
            }
            EXPECT_EQ(sp::test::readFile(m_file.string()), "old") << c.name;
            EXPECT_EQ(entries(), 1u) << c.name;
        }
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

// A writer killed in the middle of its file: where the system has unnamed files nothing is left;
// elsewhere its temporary file stays, named so that it can be told, and the next write into the
// folder removes it once it is old and no writer holds it.
TEST_F(SafeFileWriterTest, WriterKilledWhileWritingLeavesNothingOrAFileTheNextWriteRemoves) {
    writeOld();
    auto killedWriter = [&] {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            SafeFileWriter writer(m_file);
            writer.append(std::string(100000, 'x'));
            ::raise(SIGKILL);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));
    };

    killedWriter();
    EXPECT_EQ(names(), std::vector<std::string>{"结果.txt"});
    EXPECT_EQ(sp::test::readFile(m_file.string()), "old");

    const UnnamedFiles named(false);
    killedWriter();
    ASSERT_EQ(names().size(), 2u);
    const std::string left = names()[0] == "结果.txt" ? names()[1] : names()[0];
    EXPECT_TRUE(isTemporaryName(left)) << left;
    EXPECT_EQ(left.rfind("结果.txt.socketpile-", 0), 0u) << left;
    EXPECT_EQ(sp::test::readFile(m_file.string()), "old");

    // Young, it may be a writer's on a file system without locks: it stays.
    writeOld();
    EXPECT_EQ(names().size(), 2u);
    // Two hours old and held by no writer: the next write removes it.
    fs::last_write_time(m_dir / left, fs::file_time_type::clock::now() - std::chrono::hours(2));
    writeOld();
    EXPECT_EQ(names(), std::vector<std::string>{"结果.txt"});
}

// A writer at work holds a lock on its temporary file, which another writer into the same folder
// leaves alone however old it looks; names that only look alike are no temporary files at all.
TEST_F(SafeFileWriterTest, TemporaryFilesOfWritersAtWorkAndOtherFilesStay) {
    const UnnamedFiles named(false);
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(3);
    const std::vector<std::string> others = {"表.txt.socketpile-abcde.tmp", "表.txt.socketpile-abc_ef.tmp", "notes.tmp",
                                             "表.txt.socketpile-abcdef.tm", "表.txt.XyZ123"};
    for (const std::string& name : others) {
        std::ofstream(m_dir / name) << "keep";
        fs::last_write_time(m_dir / name, old);
        EXPECT_FALSE(isTemporaryName(name)) << name;
    }

    SafeFileWriter first(m_file);
    ASSERT_TRUE(first.append("first"));
    std::string temporary;
    for (const std::string& name : names())
        if (isTemporaryName(name))
            temporary = name;
    ASSERT_FALSE(temporary.empty());
    fs::last_write_time(m_dir / temporary, old);

    SafeFileWriter second(m_dir / "其他.txt");
    ASSERT_TRUE(second.append("second"));
    ASSERT_TRUE(second.commit());
    EXPECT_TRUE(fs::exists(m_dir / temporary));
    ASSERT_TRUE(first.commit());
    EXPECT_EQ(sp::test::readFile(m_file.string()), "first");
    for (const std::string& name : others)
        EXPECT_TRUE(fs::exists(m_dir / name)) << name;
    EXPECT_EQ(entries(), others.size() + 2);
}

// A file that is replaced keeps its mode and, where the writer may give it away, its owner; a
// symbolic link stays a link to the file it led to, which is the one replaced.
TEST_F(SafeFileWriterTest, ReplacedFileKeepsModeOwnerAndTheLinksToIt) {
    for (const bool unnamed : {true, false}) {
        const UnnamedFiles naming(unnamed);
        writeOld();
        ASSERT_EQ(::chmod(m_file.c_str(), 0444), 0);
        const bool root = ::geteuid() == 0;
        if (root) {
            ASSERT_EQ(::chown(m_file.c_str(), 12345, 23456), 0);
        }
        SafeFileWriter writer(m_file);
        ASSERT_TRUE(writer.append("new"));
        ASSERT_TRUE(writer.commit()) << writer.result().reason;
        EXPECT_EQ(sp::test::readFile(m_file.string()), "new");
        EXPECT_EQ(sp::test::modeOf(m_file), 0444u);
        struct stat st {};
        ASSERT_EQ(::stat(m_file.c_str(), &st), 0);
        if (root) {
            EXPECT_EQ(st.st_uid, 12345u);
            EXPECT_EQ(st.st_gid, 23456u);
        }
        EXPECT_EQ(entries(), 1u);

        const fs::path link = m_dir / "link.txt";
        fs::create_symlink(m_file.filename(), link);
        SafeFileWriter throughLink(link);
        ASSERT_TRUE(throughLink.append("through the link"));
        ASSERT_TRUE(throughLink.commit()) << throughLink.result().reason;
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_EQ(sp::test::readFile(m_file.string()), "through the link");
        EXPECT_EQ(throughLink.result().path, link.string());
        fs::remove(link);
        fs::remove(m_file);
    }
}

// A pipe or a device is written where it is, never renamed over: a reader of the pipe gets the
// bytes; /dev/null takes them; a full device says so; a folder is refused.
TEST_F(SafeFileWriterTest, TargetsThatAreNoPlainFilesAreWrittenWhereTheyAre) {
    const fs::path fifo = m_dir / "管道";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = sp::test::readFile(fifo.string()); });
    {
        SafeFileWriter writer(fifo);
        EXPECT_TRUE(writer.direct());
        EXPECT_TRUE(writer.libraryName().empty());
        ASSERT_TRUE(writer.append("ZH1\r\n"));
        ASSERT_TRUE(writer.append(std::string(200000, 'x')));
        ASSERT_TRUE(writer.commit()) << writer.result().reason;
    }
    reader.join();
    EXPECT_EQ(received, "ZH1\r\n" + std::string(200000, 'x'));
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(entries(), 1u);

    {
        SafeFileWriter writer("/dev/null");
        ASSERT_TRUE(writer.append("nothing"));
        ASSERT_TRUE(writer.commit()) << writer.result().reason;
        EXPECT_TRUE(fs::is_character_file("/dev/null"));
    }
    {
        SafeFileWriter writer("/dev/full");
        EXPECT_FALSE(writer.append("more than it takes"));
        EXPECT_FALSE(writer.commit());
        EXPECT_EQ(writer.result().reason, std::strerror(ENOSPC));
    }
    {
        SafeFileWriter writer(m_dir);
        EXPECT_FALSE(writer.append("x"));
        EXPECT_EQ(writer.result().reason, std::strerror(EISDIR));
        EXPECT_TRUE(fs::is_directory(m_dir));
    }
}

// A disk that fills up: the old file stays whole and nothing is left beside it. Needs a small
// file system of its own, which only a process allowed to mount one can make.
TEST_F(SafeFileWriterTest, FullDiskKeepsTheOldFileAndLeavesNothing) {
    const fs::path disk = m_dir / "disk";
    fs::create_directory(disk);
    if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a small file system here: " << std::strerror(errno);
    for (const bool unnamed : {true, false}) {
        const UnnamedFiles naming(unnamed);
        const fs::path file = disk / "表格.txt";
        {
            SafeFileWriter writer(file);
            ASSERT_TRUE(writer.append("old"));
            ASSERT_TRUE(writer.commit());
        }
        SafeFileWriter writer(file);
        bool appended = true;
        for (int k = 0; k < 40 && appended; ++k)
            appended = writer.append(std::string(4096, 'x'));
        EXPECT_FALSE(appended);
        EXPECT_FALSE(writer.commit());
        EXPECT_EQ(writer.result().reason, std::strerror(ENOSPC));
        EXPECT_EQ(sp::test::readFile(file.string()), "old");
        EXPECT_EQ(std::distance(fs::directory_iterator(disk), fs::directory_iterator()), 1);
        fs::remove(file);
    }
    ::umount2(disk.c_str(), MNT_DETACH);
}
