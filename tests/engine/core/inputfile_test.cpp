// Reading an input whole, up to a limit: a device without end or a file of gigabytes is refused
// without being read to its end.

#include "core/inputfile.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

using namespace sp::core;

TEST(InputFile, ReadsUpToTheLimitAndRefusesMore) {
    const struct {
        std::string text;
        bool ok;
    } cases[] = {{"", true},
                 {"{}", true},
                 {std::string(10, 'x'), true},
                 {std::string(11, 'x'), false},
                 {std::string(3 << 20, 'x'), false}};
    for (const auto& c : cases) {
        std::istringstream in(c.text);
        const InputText read = readInput(in, 10);
        EXPECT_EQ(read.ok(), c.ok) << c.text.size();
        EXPECT_EQ(read.text, c.ok ? c.text : "") << c.text.size();
        if (!c.ok) {
            EXPECT_EQ(read.failure, InputText::Failure::TooLarge);
            EXPECT_EQ(read.problem, "it is larger than 10 bytes, far more than any input of this program");
        }
    }
    EXPECT_EQ(kInputLimit, std::size_t{256} << 20);
}

TEST(InputFile, FilesFoldersAndDevicesWithoutEnd) {
    sp::test::TemporaryFolder folder;
    const auto small = folder / "small.json";
    const auto large = folder / "large.json";
    std::ofstream(small, std::ios::binary) << "{}";
    std::ofstream(large, std::ios::binary) << std::string(5 << 20, ' ');

    EXPECT_EQ(readInputFile(small, 2).text, "{}");
    EXPECT_TRUE(readInputFile(large, 5 << 20).ok());
    const InputText tooLarge = readInputFile(large, 1 << 20);
    EXPECT_EQ(tooLarge.failure, InputText::Failure::TooLarge);
    EXPECT_EQ(tooLarge.problem, "it is larger than 1 MB, far more than any input of this program");
    EXPECT_EQ(readInputFile("/dev/zero", 1 << 20).failure, InputText::Failure::TooLarge); // never ends

    const InputText dir = readInputFile(folder.path());
    EXPECT_EQ(dir.failure, InputText::Failure::Folder);
    EXPECT_EQ(dir.problem, "it is a folder");
    const InputText missing = readInputFile(folder / "missing.json");
    EXPECT_EQ(missing.failure, InputText::Failure::Unreadable);
    EXPECT_EQ(missing.problem, "No such file or directory");
}
