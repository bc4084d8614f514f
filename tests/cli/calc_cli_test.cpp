// Runs the real socketpile-cli binary on small documents.

#include "clitestsupport.h"
#include "core/textfile.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using sp::test::CliRun;
using sp::test::linesOf;

namespace {

class CalcCli : public sp::test::CliTest {
protected:
    CalcCli() : CliTest("calc") {}
};

} // namespace

TEST_F(CalcCli, DefaultPilePrintsTheWindowsBoxesAndStatus) {
    const CliRun r = run(R"({"module": 1, "piles": [{}]})");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, R"({"pile":1,"ok":true,"zh":"ZH1","boxes":{"edt_ddeq":"1000","edt_sjbeq":"1.00",)"
                     R"("edt_kesair":"0.7867","edt_ra":"7723","edt_rc":"6739"},"status":{"text":"较软岩,岩体较完整",)"
                     R"("color":"FF000000"},"fields":{"d":"1000","c":"0"}})"
                     "\n");
}

TEST_F(CalcCli, WritesBothPagesAsGbkWithCrLf) {
    const std::string json = sp::test::readFile(sp::test::fixturePath("module1/two_piles.json"));
    const CliRun r = run(json, outArgs());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(R"({"pile":4,"ok":false,"kind":"check","message":"桩身直径数据有错","field":"cbe_dd",)"),
              std::string::npos);
    const struct {
        const char *file, *fixture;
    } pages[] = {{"嵌岩桩计算书(依据DBJ52T088-2018)_文本.txt", "module1/three_piles_book.txt"},
                 {"嵌岩桩计算书(依据DBJ52T088-2018)_表格.txt", "module1/three_piles_table.txt"}};
    for (const auto& p : pages) {
        const std::string bytes = sp::test::readFile((m_dir / "out" / p.file).string());
        EXPECT_EQ(bytes, sp::core::encodePage(sp::test::fixtureLines(p.fixture))) << p.file;
        EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF");
    }
}

TEST_F(CalcCli, ConversionFailureIsAResultOfThePile) {
    const CliRun r = run(R"({"module": 1, "piles": [{"hr": "xd"}]})");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find(R"("ok":false,"kind":"conversion")"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(R"("field":"cbe_hr")"), std::string::npos) << r.out;
}

TEST_F(CalcCli, UnusableInputExitsTwoNamingPileAndKeyAndWritesNothing) {
    const struct {
        const char* json;
        const char* mentions;
    } cases[] = {
        {R"({"module": 1, "piles": [{}, )", "not JSON"},
        {R"({"module": 1, "piles": [{"frk": 1e999}]})", "number out of range"},
        {R"({"module": 4, "piles": []})", "module"},
        {R"({"module": 2, "piles": [{"groundwater": "yes"}]})", "pile 1, key \"groundwater\""},
        {R"({"module": 2, "piles": [{"layers": [{}, {}, {}, {}, {}, {}, {}, {}, {}, {}]}]})", "1 to 9 layers"},
        {R"({"module": 2, "piles": [{"layers": [{"depth": "1"}]}]})", "layers[1].depth"},
        {R"({"module": 2, "piles": [{"hr": "1.0d"}]})", "pile 1, key \"hr\""},
        {R"({"module": 3, "piles": [{"method": "Z-其他"}]})", "pile 1, key \"method\""},
        {R"({"module": "1", "piles": []})", "module"},
        {R"({"module": 1, "colour": 1, "piles": []})", "colour"},
        {R"({"module": 1, "piles": [{}, {"grade": "C33"}]})", "pile 2, key \"grade\""},
        {R"({"module": 1, "piles": [{"d": 1000}]})", "pile 1, key \"d\""},
        {R"({"module": 1, "piles": [{"section": "方桩"}]})", "pile 1, key \"section\""},
        {R"({"module": 1, "piles": [{"method": "A-面积相等折算"}]})", "pile 1, key \"method\""},
        {R"({"module": 1, "precision": "三位小数", "piles": [{}]})", "precision"},
    };
    for (const auto& c : cases) {
        const CliRun r = run(c.json, outArgs());
        EXPECT_EQ(r.status, 2) << c.json;
        EXPECT_EQ(r.out, "") << c.json;
        EXPECT_NE(r.err.find(c.mentions), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(filesWritten(), 0u) << c.json;
    }
}

// A missing output folder is made, with those above it, as for a project; one that cannot be
// made (a file stands in the way) exits 1 naming it.
TEST_F(CalcCli, MissingOutputFolderIsMadeAndOneThatCannotBeExitsOne) {
    const fs::path folder = m_dir / "新" / "deeper";
    CliRun r = run(R"({"module": 1, "piles": [{}]})", "--out '" + folder.string() + "'");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2);

    writeText(m_dir / "plain.txt", "a file");
    const fs::path blocked = m_dir / "plain.txt" / "out";
    r = run(R"({"module": 1, "piles": [{}]})", "--out '" + blocked.string() + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.rfind("socketpile-cli: cannot write " + blocked.string() + ": ", 0), 0u) << r.err;
    EXPECT_NE(r.out.find(R"("pile":1,"ok":true)"), std::string::npos); // the lines are printed all the same
}

TEST_F(CalcCli, NothingIsWrittenWhenNoPileSucceeded) {
    const CliRun r = run(R"({"module": 1, "piles": [{"d": "0"}]})", outArgs());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(filesWritten(), 0u);
}

TEST_F(CalcCli, ModuleThreeReportsTheVerdictAndWritesItsPages) {
    const std::string json = R"J({"module": 3, "piles": [
        {"section": "椭圆桩", "method": "C-最大回转半径折算", "hr": "2.0d", "frk": "10", "integrity": "完整"},
        {"section": "矩形桩", "method": "F-取截面短边尺寸", "d": "1000", "c": "2000", "hr": "1.5b", "frk": "40",
         "integrity": "0.45", "grade": "C40", "process": "干作业成桩(清底干净)", "precision": "两位小数"}]})J";
    const CliRun r = run(json, "--out '" + (m_dir / "out").string() + "' --now '2026-12-10 10:05:07'");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(R"("edt_ra":"6540")"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(R"("fields":{"d":"1000","c":"500"},"verdict":"超规"})"), std::string::npos) << r.out;
    // Each pile's verdict in its own line: methods other than equal areas are over the standard;
    // the rectangle's sides come back exchanged.
    const auto lines = linesOf(r.out);
    ASSERT_EQ(lines.size(), 2u) << r.out;
    EXPECT_TRUE(lines[0].ends_with(R"(,"fields":{"d":"1000","c":"500"},"verdict":"超规"})")) << lines[0];
    EXPECT_TRUE(lines[1].ends_with(R"(,"fields":{"d":"2000","c":"1000"},"verdict":"超规"})")) << lines[1];
    const struct {
        const char *file, *fixture;
    } pages[] = {{"嵌岩桩计算书(依据DBJ52T088-2018)_文本.txt", "module3/oblong_and_rectangle_book.txt"},
                 {"嵌岩桩计算书(依据DBJ52T088-2018)_表格.txt", "module3/oblong_and_rectangle_table.txt"}};
    for (const auto& p : pages)
        EXPECT_EQ(sp::test::readFile((m_dir / "out" / p.file).string()),
                  sp::core::encodePage(sp::test::fixtureLines(p.fixture)))
            << p.file;
}

TEST_F(CalcCli, ModuleTwoReportsTheGridAndTheVerdict) {
    const CliRun r = run(R"({"module": 2, "piles": [{}, {"coefficientMode": "人工指定系数",
        "layers": [{"lr": "1.00", "frk": "25", "c1": "0.50", "c2": "0.04"}]}]})");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(R"("boxes":{"edt_Quk":"16912","edt_ra":"8456","edt_percent":"66%"})"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find(R"("verdict":"合规","layers":[{"strgrd08_Flo_xishuC1":)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(R"("strgrd16_Str_percent":"34.21%")"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(R"("pile":2,"ok":true)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(R"("verdict":"超规")"), std::string::npos) << r.out;

    // Each verdict in the line of its own pile: the automatic coefficients comply, those entered by
    // hand (C1 0.50, C2 0.04 of frk 25: Quk = 9817.48 + 3141.59 = 12959.07 kN) do not.
    const auto lines = linesOf(r.out);
    ASSERT_EQ(lines.size(), 2u) << r.out;
    EXPECT_EQ(lines[0].rfind(R"({"pile":1,"ok":true,"zh":"ZH1","boxes":{"edt_Quk":"16912","edt_ra":"8456",)", 0), 0u)
        << lines[0];
    EXPECT_NE(lines[0].find(R"("verdict":"合规","layers":)"), std::string::npos) << lines[0];
    EXPECT_EQ(lines[0].find("超规"), std::string::npos) << lines[0];
    EXPECT_EQ(lines[1].rfind(R"({"pile":2,"ok":true,"zh":"ZH2","boxes":{"edt_Quk":"12959","edt_ra":"6480",)", 0), 0u)
        << lines[1];
    EXPECT_NE(lines[1].find(R"("verdict":"超规","layers":)"), std::string::npos) << lines[1];
    EXPECT_EQ(lines[1].find("合规"), std::string::npos) << lines[1];
}

// "softRock" ticks "软化系数≤0.6的软质岩…": 0.8 of the automatic C1 and C2 of a "软岩" or "较软岩"
// layer. The default layer (中风化, 较完整, frk 25): Quk 16912.24 → 13529.79 kN, Ra 6764.90; a layer
// of frk 40 ("较硬岩") keeps C1 0.595 and Quk 28305.75. The book of a ticked pile has its two lines.
TEST_F(CalcCli, SoftRockBoxOfModuleTwoReducesSoftLayers) {
    const CliRun r = run(R"({"module": 2, "piles": [{}, {"softRock": true}, {"softRock": true, "layers":
        [{"lr": "1.00", "weathering": "中风化", "integrity": "较完整", "frk": "40"}]}, {"softRock": false}]})",
                         outArgs());
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = linesOf(r.out);
    ASSERT_EQ(lines.size(), 4u) << r.out;
    const char* expected[] = {
        R"({"pile":1,"ok":true,"zh":"ZH1","boxes":{"edt_Quk":"16912","edt_ra":"8456","edt_percent":"66%"},)",
        R"({"pile":2,"ok":true,"zh":"ZH2","boxes":{"edt_Quk":"13530","edt_ra":"6765","edt_percent":"66%"},)",
        R"({"pile":3,"ok":true,"zh":"ZH3","boxes":{"edt_Quk":"28306","edt_ra":"14153","edt_percent":"66%"},)",
        R"({"pile":4,"ok":true,"zh":"ZH4","boxes":{"edt_Quk":"16912","edt_ra":"8456","edt_percent":"66%"},)",
    };
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].rfind(expected[i], 0), 0u) << lines[i];
    EXPECT_NE(lines[1].find(R"("strgrd19_Str_Ysjycd":"较软岩")"), std::string::npos) << lines[1];
    EXPECT_NE(lines[2].find(R"("strgrd08_Flo_xishuC1":"0.595")"), std::string::npos) << lines[2];

    const auto book = linesOf(sp::core::fromGbk(
        sp::test::readFile((m_dir / "out" / "嵌岩桩计算书(依据DBJ52T088-2018)_文本.txt").string())));
    ASSERT_FALSE(book.empty());
    EXPECT_EQ(std::count(book.begin(), book.end(), "      护壁钻、冲孔桩：                     是\r"), 4);
    EXPECT_EQ(std::count(book.begin(), book.end(), "      软化系数≤0.6的软质岩，施工时无可靠    \r"), 2);
    EXPECT_EQ(std::count(book.begin(), book.end(), "                措施缩短桩端基岩暴露时间     \r"), 2);
}

// Resistances beyond the range of numbers stop the pile with "数据过大，计算结果溢出" (1e308 kPa over
// 1 m of a 1000 mm pile is 3.1e308 kN); the next pile is computed and numbered as the first.
TEST_F(CalcCli, ModuleTwoOverflowStopsThePile) {
    const CliRun r = run(R"({"module": 2, "piles": [{"strengthBasis": "极限侧阻力、端阻力标准值",
        "layers": [{"lr": "1", "qpk": "1e308", "qsrk": "1e308"}]}, {}]})",
                         outArgs());
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = linesOf(r.out);
    ASSERT_EQ(lines.size(), 2u) << r.out;
    EXPECT_EQ(lines[0], R"({"pile":1,"ok":false,"kind":"check","message":"数据过大，计算结果溢出","field":null,)"
                        R"("status":{"text":"数据过大，计算结果溢出","color":"FFFF0000"}})");
    EXPECT_EQ(lines[1].rfind(R"({"pile":2,"ok":true,"zh":"ZH1","boxes":{"edt_Quk":"16912","edt_ra":"8456",)", 0), 0u)
        << lines[1];
    EXPECT_EQ(filesWritten(), 2u);
}

// Each file is a fresh window: module 2's status line starts red, so a first note of the
// calculation keeps that colour; a note after a pile that left the line black is black.
TEST_F(CalcCli, ModuleTwoFirstNoteOfAFreshWindowIsRed) {
    const CliRun r = run(R"({"module": 2, "piles": [
        {"layers": [{"lr": "1", "weathering": "中风化", "integrity": "较完整", "frk": "25"},
                    {"weathering": "中风化", "integrity": "较完整", "frk": "25"}]},
        {"layers": [{"lr": "0.2", "weathering": "中风化", "integrity": "较完整", "frk": "25"}]},
        {"layers": [{"lr": "1", "weathering": "中风化", "integrity": "较完整", "frk": "25"},
                    {"weathering": "中风化", "integrity": "较完整", "frk": "25"}]}]})");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = linesOf(r.out);
    ASSERT_EQ(lines.size(), 3u) << r.out;
    const char* statuses[] = {
        R"("status":{"text":"第2层岩石嵌岩深度未输入，隐含取0.00","color":"FFFF0000"})",
        R"("status":{"text":"桩身嵌岩深度<0.5m，不计侧阻力","color":"FF000000"})",
        R"("status":{"text":"第2层岩石嵌岩深度未输入，隐含取0.00","color":"FF000000"})",
    };
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_NE(lines[i].find(statuses[i]), std::string::npos) << lines[i];
}

// A size greater than 0 whose section has no area or an infinite one stops the pile on its field
// in every module, as a size of 0 does: no figure is printed and no page is written.
TEST_F(CalcCli, DegenerateSectionsStopOnTheirFieldInEveryModule) {
    const struct {
        const char *pile, *message, *field;
    } cases[] = {
        {R"({"d": "1e-320"})", "桩身直径数据有错", "cbe_dd"},
        {R"({"section": "椭圆桩", "d": "1000", "c": "1e308"})", "椭圆直段长度数据有错", "cbe_tyzd"},
        {R"({"section": "矩形桩", "d": "1e-200", "c": "1e-200"})", "矩形长边尺寸数据有错", "cbe_dd"},
        {R"({"section": "矩形桩", "d": "1000", "c": "1e308"})", "矩形短边尺寸数据有错", "cbe_tyzd"},
    };
    for (int module = 1; module <= 3; ++module) {
        for (const auto& c : cases) {
            const std::string json = R"({"module": )" + std::to_string(module) + R"(, "piles": [)" + c.pile + "]}";
            const CliRun r = run(json, outArgs());
            ASSERT_EQ(r.status, 0) << json << r.err;
            EXPECT_EQ(r.out, std::string(R"({"pile":1,"ok":false,"kind":"check","message":")") + c.message +
                                 R"(","field":")" + c.field + R"(","status":{"text":")" + c.message +
                                 R"(","color":"FFFF0000"}})" + "\n")
                << json;
            EXPECT_EQ(filesWritten(), 0u) << json;
        }
    }
}
