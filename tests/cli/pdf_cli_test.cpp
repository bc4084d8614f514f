// socketpile-cli calc --pdf: the handed-in book of the piles computed, read back with poppler.

#include "clitestsupport.h"
#include "pdfreading.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
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
        EXPECT_NE(sp::test::withoutBlanks(text).find("第1页共"), std::string::npos);
        const std::vector<sp::test::PdfFont> fonts = sp::test::pdfFonts(pdf.string());
        ASSERT_FALSE(fonts.empty());
        for (const sp::test::PdfFont& font : fonts)
            EXPECT_TRUE(font.embedded) << font.name;
    }
}

// The default pile's worked steps as the calculation book's example gives them (module 2's worked
// by hand the same way), each formula line with its formula number at the right margin of the
// same line, and the conclusion.
TEST_F(PdfCli, TheBookWorksTheDefaultPileStepByStep) {
    struct Line {
        const char* formula;
        const char* clause; // "" where the line has none
    };
    const std::vector<Line> oneLayer = {
        {"Ap = π·d²/4 = π × 1000² / 4 = 785 398.16 mm²", ""},
        {"hr/deq = 1000 / 1000 = 1.00", ""},
        {"ζ = 0.92 + (0.72 − 0.92) × (25 − 15) / (30 − 15) = 0.786 666 7", ""},
        {"Qrk = ζr·frk·Ap = 0.786 666 7 × 25 × 785 398.16 / 1000 = 15 446.16 kN", "(5.3.3-3)"},
        {"Quk = Qsk + Qrk = 0 + 15 446.16 = 15 446.16 kN", "(5.3.3-1)"},
        {"Ra = Quk / K = 15 446.16 / 2.00 = 7 723.08 kN", "(5.2.2)"},
        {"Rc = ψc·fc·Ap = 0.60 × 14.3 × 785 398.16 / 1000 = 6 738.72 kN", "(5.7.1)"},
    };
    const std::vector<Line> layers = {
        {"Ap = π·d²/4 = π × 1000² / 4 = 785 398.16 mm²", ""},
        {"μ = π·d = π × 1000 = 3 141.59 mm", ""},
        {"∑Qsrik = Qsr1k = 5 785.77 kN", "(5.3.3-6)"},
        {"Qpk = qpk·Ap = 14 166.667 × 785 398.163 / 10⁶ = 11 126.47 kN", "(5.3.3-7)"},
        {"Quk = Qsk + Qsrk + Qpk = 0 + 5 785.77 + 11 126.47 = 16 912.24 kN", "(5.3.3-4)"},
        {"Ra = Quk / K = 16 912.24 / 2.00 = 8 456.12 kN", "(5.2.2)"},
    };
    const struct {
        int module;
        const std::vector<Line>& lines;
        const char* conclusion; // without blanks
    } cases[] = {
        {1, oneLayer, "单桩竖向承载力特征值Ra=7723kN；桩身正截面受压承载力设计值Rc=6739kN。"},
        {2, layers, "单桩竖向承载力特征值Ra=8456kN；单桩竖向极限承载力标准值Quk=16912kN"},
        {3, oneLayer, "单桩竖向承载力特征值Ra=7723kN；桩身正截面受压承载力设计值Rc=6739kN。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("module " + std::to_string(c.module));
        const fs::path pdf = m_dir / "book.pdf";
        const CliRun r = run(R"({"module": )" + std::to_string(c.module) + R"(, "piles": [{}]})", pdfArgs(pdf));
        ASSERT_EQ(r.status, 0) << r.err;
        const std::string text = sp::test::pdfText(pdf.string());
        const std::vector<std::string> lines = sp::test::linesOf(text);
        for (const Line& expected : c.lines) {
            const auto line = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) {
                return l.find(expected.formula) != std::string::npos;
            });
            ASSERT_NE(line, lines.end()) << expected.formula;
            EXPECT_NE(line->find(expected.clause), std::string::npos) << *line;
            EXPECT_EQ(line->find("(5.", line->find(expected.formula)) == std::string::npos, *expected.clause == 0)
                << *line;
        }
        EXPECT_NE(sp::test::withoutBlanks(text).find(c.conclusion), std::string::npos);
    }
}

// Each pile of modules 1 and 3 shows its capacity chart after its steps; module 2 has none.
TEST_F(PdfCli, OneLayerPilesShowTheirCapacityFigureAfterTheirSteps) {
    const struct {
        int module;
        const char* piles;
        int figures;
        std::size_t pileCount;
    } cases[] = {
        {1, R"([{}, {"section": "矩形桩", "d": "1000", "c": "1200", "hr": "1.5b", "frk": "40", "integrity": "0.45"}])", 2, 2},
        {3, R"([{"section": "椭圆桩", "d": "1000", "c": "500", "method": "C-最大回转半径折算"}])", 1, 1},
        {2, "[{}, {}]", 0, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("module " + std::to_string(c.module));
        const fs::path pdf = m_dir / "book.pdf";
        const CliRun r =
            run(R"({"module": )" + std::to_string(c.module) + R"(, "piles": )" + c.piles + "}", pdfArgs(pdf));
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        const std::string text = sp::test::withoutBlanks(sp::test::pdfText(pdf.string()));
        std::size_t from = 0;
        for (int k = 1; k <= c.figures; ++k) {
            const std::string name = "ZH" + std::to_string(k);
            const std::size_t heading = text.find(name, from);
            const std::size_t steps = text.find("三、计算过程", heading);
            const std::size_t caption = text.find("图" + std::to_string(k) + name + "承载力随嵌岩深度变化", heading);
            const std::size_t conclusions = text.find("四、计算结论", heading);
            ASSERT_NE(caption, std::string::npos) << name;
            EXPECT_LT(steps, caption) << name;
            EXPECT_LT(caption, conclusions) << name;
            for (const char* legend : {"超出表格范围", "当前设计", "嵌岩深度hr(mm)", "承载力(kN)"})
                EXPECT_NE(text.find(legend, heading), std::string::npos) << name << " " << legend;
            from = conclusions;
        }
        EXPECT_EQ(text.find("承载力随嵌岩深度变化", from), std::string::npos) << "one figure per pile, no more";
        // No page is left empty: a pile with its figure runs over three pages at most (the first
        // under the title block), then the pile table's page.
        const std::size_t pages = sp::test::pdfPageSizes(pdf.string()).size();
        EXPECT_GE(pages, c.pileCount + 1);
        EXPECT_LE(pages, 3u * c.pileCount + 1);
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

// A book that cannot be written costs only itself: the pages "保存" writes are there all the same.
TEST_F(PdfCli, AFailedBookStillLeavesTheSavedPages) {
    const fs::path missing = m_dir / "no such folder" / "book.pdf";
    const CliRun r = run(R"({"module": 1, "piles": [{}]})", pdfArgs(missing) + " --out '" + (m_dir / "out").string() + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "socketpile-cli: cannot write " + missing.string() + ": " + std::strerror(ENOENT) + "\n");
    EXPECT_EQ(outFiles().size(), 2u);
}

// "--pdf -" sends the book to standard output in place of the JSON lines: a pipe receives it whole.
TEST_F(PdfCli, DashSendsTheBookToStandardOutput) {
    const CliRun r = run(R"({"module": 1, "piles": [{}, {"frk": "40"}]})", "--pdf - " + kNow);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.substr(0, 5), "%PDF-");
    EXPECT_NE(r.out.find("%%EOF", r.out.size() - 16), std::string::npos);
    EXPECT_EQ(r.out.find(R"("pile":1)"), std::string::npos);
}
