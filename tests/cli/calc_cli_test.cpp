// Runs the real socketpile-cli binary on small documents.

#include "clitestsupport.h"
#include "core/textfile.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;
using sp::test::CliRun;

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

TEST_F(CalcCli, MissingOutputFolderExitsOneNamingThePath) {
    const CliRun r = run(R"({"module": 1, "piles": [{}]})", "--out '" + (m_dir / "nowhere").string() + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find((m_dir / "nowhere").string()), std::string::npos) << r.err;
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
}
