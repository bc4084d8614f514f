// socketpile-cli calc --pdf: the handed-in book of the piles computed, read back with poppler.

#include "clitestsupport.h"
#include "pdfreading.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>

namespace fs = std::filesystem;
using sp::test::CliRun;

namespace {

const std::string kBook =
    R"("book": {"project": "贵阳某商业综合体", "part": "1#楼桩基", "calculatedBy": "张三", "checkedBy": "李四"})";
const std::string kNow = "--now '2026-12-10 09:30:00'";

std::string squeezed(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != ' ')
            out += c;
    return out;
}

class PdfCli : public sp::test::CliTest {
protected:
    PdfCli() : CliTest("calc") {}
    void SetUp() override {
        CliTest::SetUp();
        // The book is written without a display.
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        unsetenv("QT_QPA_PLATFORM");
    }
    std::string pdfArgs(const fs::path& pdf) const { return "--pdf '" + pdf.string() + "' " + kNow; }
    std::map<std::string, std::string> outFiles() const {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::directory_iterator(m_dir / "out"))
            files[entry.path().filename().string()] = sp::test::readFile(entry.path().string());
        return files;
    }
};

} // namespace

TEST_F(PdfCli, TheDefaultPileOfEachModuleGivesABookBesideTheUnchangedLinesAndPages) {
    for (int module = 1; module <= 3; ++module) {
        SCOPED_TRACE("module " + std::to_string(module));
        const std::string json = R"({"module": )" + std::to_string(module) + R"(, "piles": [{}], )" + kBook + "}";
        const CliRun plain = run(json, outArgs());
        ASSERT_EQ(plain.status, 0) << plain.err;
        const std::map<std::string, std::string> pages = outFiles();

        const fs::path pdf = m_dir / ("module" + std::to_string(module) + ".pdf");
        const CliRun r = run(json, outArgs() + " " + pdfArgs(pdf));
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, plain.out);
        EXPECT_EQ(outFiles(), pages);

        const std::string text = sp::test::pdfText(pdf.string());
        for (const char* expected : {"嵌岩桩竖向承载力计算书", "贵阳某商业综合体", "1#楼桩基", "张三", "李四",
                                     "2026年12月10日", "《贵州省建筑桩基设计与施工技术规程》DBJ 52/T088-2018",
                                     "SocketPile 嵌岩桩承载力计算", "ZH1"})
            EXPECT_NE(text.find(expected), std::string::npos) << expected;
        EXPECT_NE(squeezed(text).find("第1页共"), std::string::npos);
        const std::vector<sp::test::PdfFont> fonts = sp::test::pdfFonts(pdf.string());
        ASSERT_FALSE(fonts.empty());
        for (const sp::test::PdfFont& font : fonts)
            EXPECT_TRUE(font.embedded) << font.name;
    }
}

TEST_F(PdfCli, NoSuccessfulPileWritesNoBook) {
    const fs::path pdf = m_dir / "book.pdf";
    const CliRun r = run(R"({"module": 1, "piles": [{"d": "x"}]})", pdfArgs(pdf));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "socketpile-cli: no pile to write; " + pdf.string() + " not written\n");
    EXPECT_FALSE(fs::exists(pdf));
}

TEST_F(PdfCli, AFailedWriteExitsOneNamingPathAndReasonAndKeepsTheOldBook) {
    const std::string json = R"({"module": 1, "piles": [{}]})";

    const fs::path missing = m_dir / "no such folder" / "book.pdf";
    CliRun r = run(json, pdfArgs(missing));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "socketpile-cli: cannot write " + missing.string() + ": " + std::strerror(ENOENT) + "\n");

    // A disk that fills up part-way through the new book.
    const fs::path pdf = m_dir / "book.pdf";
    writeText(pdf, "the book handed in yesterday");
    {
        const sp::test::FileSizeLimit limit(4096);
        r = run(json, pdfArgs(pdf));
    }
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "socketpile-cli: cannot write " + pdf.string() + ": " + std::strerror(EFBIG) + "\n");
    EXPECT_EQ(sp::test::readFile(pdf.string()), "the book handed in yesterday");
    EXPECT_NE(r.out.find(R"("pile":1,"ok":true)"), std::string::npos); // the lines are printed all the same
}
