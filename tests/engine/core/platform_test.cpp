#include "core/platform.h"
#include "core/textfile.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

using namespace sp::core;
namespace fs = std::filesystem;

TEST(PlatformTest, PathsMadeFromUtf8TextGiveTheSameTextBack) {
    const struct {
        const char* text;
        const char* filename; // what the last part of the path reads as
    } cases[] = {
        {"嵌岩桩计算书(依据DBJ52T088-2018)_文本.txt", "嵌岩桩计算书(依据DBJ52T088-2018)_文本.txt"},
        {"输出/module1/桩表.csv", "桩表.csv"},
        {"plain/ascii.txt", "ascii.txt"},
        {"ε≤0.5 😀.txt", "ε≤0.5 😀.txt"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const fs::path path = pathFromUtf8(c.text);
        EXPECT_EQ(pathToUtf8(path), c.text);
        EXPECT_EQ(pathToUtf8(path.filename()), c.filename);
    }
}

TEST(PlatformTest, PageWrittenUnderAChineseFolderHasItsChineseName) {
    const sp::test::TemporaryFolder folder("socketpile-platform");
    const fs::path dir = folder.path() / pathFromUtf8("输出");
    ASSERT_TRUE(fs::create_directory(dir));
    const char* name = "嵌岩桩计算书(依据DBJ52T088-2018)_表格.txt";
    const WriteResult written = writePage(dir / pathFromUtf8(name), {"桩号 ZH1"});
    ASSERT_TRUE(written.ok) << written.reason;
    EXPECT_EQ(written.path, pathToUtf8(dir) + "/" + name);

    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(pathToUtf8(entry.path().filename()));
    ASSERT_EQ(names, std::vector<std::string>{name}); // no temporary left beside it
    EXPECT_EQ(sp::test::readFile(written.path), toGbk("桩号 ZH1\r\n"));
}

TEST(PlatformTest, FilesAreCreatedOnlyWhenNewAndReplacedWhole) {
    const sp::test::TemporaryFolder folder("socketpile-platform");
    const std::string target = pathToUtf8(folder.path() / pathFromUtf8("结果.txt"));
    const std::string temporary = target + ".tmp";

    auto writeWhole = [](const std::string& name, const std::string& bytes) {
        const int fd = file::createNew(name);
        ASSERT_GE(fd, 0) << std::strerror(errno);
        EXPECT_EQ(file::write(fd, bytes.data(), bytes.size()), static_cast<long>(bytes.size()));
        file::startWriteBack(fd, 0, bytes.size());
        EXPECT_EQ(file::sync(fd), 0);
        EXPECT_EQ(file::close(fd), 0);
    };
    writeWhole(target, "old");
    // A name that is taken is not opened again, and keeps what it holds.
    errno = 0;
    EXPECT_EQ(file::createNew(target), -1);
    EXPECT_EQ(errno, EEXIST);
    EXPECT_EQ(sp::test::readFile(target), "old");

    writeWhole(temporary, "new\r\n");
    ASSERT_TRUE(file::replace(temporary, target));
    EXPECT_EQ(sp::test::readFile(target), "new\r\n");
    EXPECT_FALSE(fs::exists(pathFromUtf8(temporary)));

    // Renaming or removing what is not there fails with the system's reason.
    errno = 0;
    EXPECT_FALSE(file::replace(temporary, target));
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(sp::test::readFile(target), "new\r\n");
    EXPECT_TRUE(file::remove(target));
    EXPECT_FALSE(fs::exists(pathFromUtf8(target)));
    errno = 0;
    EXPECT_FALSE(file::remove(target));
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(file::createNew(pathToUtf8(folder.path() / "missing" / "a.txt")), -1);
    EXPECT_EQ(errno, ENOENT);
}

TEST(PlatformTest, LocalTimeIsTheCLibrarysLocalTime) {
    for (const std::time_t t : {std::time_t{0}, std::time_t{951782400} /* 2000-02-29 */, std::time(nullptr)}) {
        SCOPED_TRACE(t);
        const std::tm mine = localTime(t);
        const std::tm theirs = *std::localtime(&t);
        EXPECT_EQ(mine.tm_year, theirs.tm_year);
        EXPECT_EQ(mine.tm_mon, theirs.tm_mon);
        EXPECT_EQ(mine.tm_mday, theirs.tm_mday);
        EXPECT_EQ(mine.tm_hour, theirs.tm_hour);
        EXPECT_EQ(mine.tm_min, theirs.tm_min);
        EXPECT_EQ(mine.tm_sec, theirs.tm_sec);
    }
}

TEST(PlatformTest, ArgumentsComeWithoutTheProgramName) {
    char program[] = "socketpile-cli";
    char calc[] = "calc";
    char file[] = "桩.json";
    char* argv[] = {program, calc, file, nullptr};
    EXPECT_EQ(argumentsUtf8(3, argv), (std::vector<std::string>{"calc", "桩.json"}));
    EXPECT_EQ(argumentsUtf8(1, argv), std::vector<std::string>{});
    EXPECT_EQ(argumentsUtf8(0, argv), std::vector<std::string>{});
}
