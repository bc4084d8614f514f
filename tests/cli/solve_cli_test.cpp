// socketpile-cli solve run as a user runs it: one line per pile for each outcome, the depth found
// calculated exactly as calc calculates a pile typed with that depth, and the targets it refuses.

#include "clitestsupport.h"
#include "module1/module1calc.h"
#include "testsupport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

using sp::test::CliRun;
using sp::test::linesOf;
using ojson = nlohmann::ordered_json;

namespace {

class SolveCli : public sp::test::CliTest {
protected:
    SolveCli() : CliTest("solve") {}

    // calc on another document, with its own output folder when `out` is given.
    CliRun calc(const std::string& json, const std::string& extra = "") {
        const auto file = m_dir / "calc.json";
        writeText(file, json);
        return runArguments("calc '" + file.string() + "' " + extra);
    }

    static std::vector<ojson> parsedLines(const std::string& out) {
        std::vector<ojson> lines;
        for (const std::string& line : linesOf(out))
            lines.push_back(ojson::parse(line));
        return lines;
    }
    static std::vector<std::string> keysOf(const ojson& line) {
        std::vector<std::string> keys;
        for (const auto& [key, value] : line.items())
            keys.push_back(key);
        return keys;
    }
};

double raAt(const char* hr, const char* frk, const char* integrity) {
    sp::module1::Inputs in;
    in.hr = hr;
    in.frk = frk;
    in.integrity = integrity;
    return sp::module1::calculate(in).values.ra;
}

} // namespace

TEST_F(SolveCli, FoundDepthIsCalculatedAsCalcCalculatesIt) {
    const CliRun r = run(R"({"module": 1, "precision": "两位小数", "piles": [{"target": {"ra": 9000}}]})");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = parsedLines(r.out);
    ASSERT_EQ(lines.size(), 1u) << r.out;
    const ojson& line = lines[0];
    EXPECT_EQ(keysOf(line), (std::vector<std::string>{"pile", "ok", "depth", "ra", "rc", "boxes", "status"}));
    EXPECT_EQ(line["pile"], 1);
    EXPECT_EQ(line["ok"], true);
    EXPECT_EQ(line["depth"], "2350");
    // The unrounded figures, to the last bit, and 2300 mm falls short.
    EXPECT_EQ(line["ra"].get<double>(), raAt("2350", "25", "较完整"));
    EXPECT_LT(raAt("2300", "25", "较完整"), 9000.0);
    EXPECT_EQ(line["rc"].get<double>(), sp::module1::calculate({}).values.rc);

    const CliRun same = calc(R"({"module": 1, "precision": "两位小数", "piles": [{"hr": "2350"}]})");
    ASSERT_EQ(same.status, 0) << same.err;
    const ojson calcLine = ojson::parse(linesOf(same.out).at(0));
    EXPECT_EQ(line["boxes"], calcLine["boxes"]);
    EXPECT_EQ(line["status"], calcLine["status"]);
    EXPECT_EQ(line["boxes"]["edt_ra"], "9025.53");
}

TEST_F(SolveCli, EachOutcomeHasItsLine) {
    const CliRun r = run(R"({"module": 1, "piles": [
        {"frk": "40", "integrity": "完整", "target": {"ra": 17000}},
        {"target": {"ra": 5000, "n": 7000}},
        {"d": "", "target": {"ra": 5000}},
        {"integrity": "abc", "target": {"ra": 5000}},
        {"section": "矩形桩", "d": "2000", "integrity": "较破碎", "target": {"ra": 9000, "step": 100}}]})");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = parsedLines(r.out);
    ASSERT_EQ(lines.size(), 5u) << r.out;

    EXPECT_EQ(keysOf(lines[0]),
              (std::vector<std::string>{"pile", "ok", "reason", "message", "maxRa", "maxDepth"}));
    EXPECT_EQ(lines[0]["ok"], false);
    EXPECT_EQ(lines[0]["reason"], "unreachable");
    EXPECT_EQ(lines[0]["message"], "无解：该截面最大可达 Ra = 16336 kN（hr = 4000 mm），请加大桩径");
    EXPECT_EQ(lines[0]["maxRa"].get<double>(), raAt("4000", "40", "完整"));
    EXPECT_EQ(lines[0]["maxDepth"], "4000");

    EXPECT_EQ(keysOf(lines[1]), (std::vector<std::string>{"pile", "ok", "reason", "message", "rc"}));
    EXPECT_EQ(lines[1]["reason"], "rc");
    EXPECT_EQ(
        lines[1]["message"],
        "无解：该截面 Rc = 6739 kN，达不到 N = 7000 kN（Rc 与嵌岩深度无关），请加大截面或提高混凝土强度等级")
        << "the Rc of 6738.72 kN as the box shows it";

    EXPECT_EQ(lines[2].dump(-1, ' ', false),
              R"({"pile":3,"ok":false,"reason":"check","message":"桩身直径数据有错","field":"cbe_dd"})");
    EXPECT_EQ(lines[3]["reason"], "conversion");
    EXPECT_EQ(lines[3]["field"], "cbe_yswzcd");

    // A rectangle in broken rock: from 1 m on, with the magenta hint below 1·deq.
    EXPECT_EQ(lines[4]["ok"], true);
    EXPECT_EQ(lines[4]["pile"], 5);
    EXPECT_EQ(lines[4]["depth"], "1000");
    EXPECT_EQ(lines[4]["status"]["color"], "FFFF00FF");
}

TEST_F(SolveCli, NoSocketShorterThanTheLeastOneUnlessToldOtherwise) {
    // The default pile carries 1000 kN on 50 mm of socket, module 2's default layer on 0.05 m.
    const CliRun one = run(R"({"module": 1, "piles": [{"target": {"ra": 1000}},
        {"target": {"ra": 1000, "minDepth": 0}}, {"target": {"ra": 1000, "minDepth": 1220, "step": 100}}]})");
    ASSERT_EQ(one.status, 0) << one.err;
    const auto lines = parsedLines(one.out);
    ASSERT_EQ(lines.size(), 3u) << one.out;
    EXPECT_EQ(lines[0]["depth"], "500");
    EXPECT_EQ(lines[1]["depth"], "50");
    EXPECT_EQ(lines[2]["depth"], "1300");
    const CliRun two =
        run(R"({"module": 2, "piles": [{"target": {"ra": 1000}}, {"target": {"ra": 1000, "minDepth": 0}}]})");
    ASSERT_EQ(two.status, 0) << two.err;
    const auto layers = parsedLines(two.out);
    ASSERT_EQ(layers.size(), 2u) << two.out;
    EXPECT_EQ(layers[0]["depth"], "0.50");
    EXPECT_EQ(layers[1]["depth"], "0.05");
}

TEST_F(SolveCli, Module2AnswersWithTheBottomLayersLengthInMetres) {
    const std::string layers =
        R"("layers": [{"lr": "0.8", "weathering": "微风化", "integrity": "完整", "frk": "40"},
                                             {"weathering": "中风化", "integrity": "较完整", "frk": "25"}])";
    const CliRun r =
        run(R"({"module": 2, "piles": [{)" + layers + R"(, "target": {"ra": 15000, "step": 10}}]})");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = parsedLines(r.out);
    ASSERT_EQ(lines.size(), 1u) << r.out;
    EXPECT_EQ(keysOf(lines[0]), (std::vector<std::string>{"pile", "ok", "depth", "ra", "boxes", "status"}))
        << "module 2 has no Rc";
    const std::string depth = lines[0]["depth"];
    ASSERT_EQ(depth.find('.'), depth.size() - 3) << depth;

    std::string typed = layers;
    typed.replace(typed.find(R"("weathering": "中风化")"), 0, R"("lr": ")" + depth + R"(", )");
    const CliRun same = calc(R"({"module": 2, "piles": [{)" + typed + "}]}");
    ASSERT_EQ(same.status, 0) << same.err;
    const ojson calcLine = ojson::parse(linesOf(same.out).at(0));
    EXPECT_EQ(lines[0]["boxes"], calcLine["boxes"]);
    EXPECT_EQ(lines[0]["status"], calcLine["status"]);
}

TEST_F(SolveCli, OutWritesThePagesOfThePilesFoundAsCalcWouldWriteThem) {
    const CliRun r = run(R"({"module": 1, "piles": [{"target": {"ra": 9000}}, {"target": {"ra": 1e9}},
                                                   {"d": "1200", "target": {"ra": 9000, "step": 100}}]})",
                         outArgs());
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = parsedLines(r.out);
    ASSERT_EQ(lines.size(), 3u);
    const std::string second = lines[2]["depth"];

    const auto calcOut = m_dir / "calc-out";
    std::filesystem::create_directories(calcOut);
    const CliRun same =
        calc(R"({"module": 1, "piles": [{"hr": "2350"}, {"d": "1200", "hr": ")" + second + R"("}]})",
             "--out '" + calcOut.string() + "' --now '2026-12-10 09:30:00'");
    ASSERT_EQ(same.status, 0) << same.err;
    for (const char* file :
         {"嵌岩桩计算书(依据DBJ52T088-2018)_文本.txt", "嵌岩桩计算书(依据DBJ52T088-2018)_表格.txt"})
        EXPECT_EQ(sp::test::readFile((m_dir / "out" / file).string()),
                  sp::test::readFile((calcOut / file).string()))
            << file;
}

TEST_F(SolveCli, UnusableTargetsExitTwoNamingPileAndKey) {
    const struct {
        const char* json;
        const char* mentions;
    } cases[] = {
        {R"({"module": 1, "piles": [{"d": "1000"}]})", "pile 1, key \"target\": missing"},
        {R"({"module": 1, "piles": [{"target": {"ra": 9000}}, {"target": 9000}]})", "pile 2, key \"target\""},
        {R"({"module": 1, "piles": [{"target": {"n": 5000}}]})", "pile 1, key \"target.ra\": missing"},
        {R"({"module": 1, "piles": [{"target": {"ra": "9000"}}]})", "pile 1, key \"target.ra\""},
        {R"({"module": 1, "piles": [{"target": {"ra": 0}}]})", "pile 1, key \"target.ra\""},
        {R"({"module": 3, "piles": [{"target": {"ra": 9000, "n": -1}}]})", "pile 1, key \"target.n\""},
        {R"({"module": 1, "piles": [{"target": {"ra": 9000, "step": 0}}]})", "pile 1, key \"target.step\""},
        {R"({"module": 1, "piles": [{"target": {"ra": 9000, "step": 2.5}}]})", "pile 1, key \"target.step\""},
        {R"({"module": 1, "piles": [{"target": {"ra": 9000, "step": 1e20}}]})",
         "pile 1, key \"target.step\""},
        {R"({"module": 1, "piles": [{"target": {"ra": 9000, "step": 18446744073709551615}}]})",
         "pile 1, key \"target.step\""},
        {R"({"module": 1, "piles": [{"target": {"ra": 9000, "depth": 2}}]})", "pile 1, key \"target.depth\""},
        {R"({"module": 1, "piles": [{"target": {"ra": 9000}}, {"target": {"ra": 9000, "minDepth": -1}}]})",
         "pile 2, key \"target.minDepth\": the least socket depth is 0 to 1000000 mm, got -1"},
        {R"({"module": 2, "piles": [{"target": {"ra": 9000, "minDepth": 0.5}}]})",
         "pile 1, key \"target.minDepth\": expected a whole number of mm, got 0.5"},
        {R"({"module": 3, "piles": [{"target": {"ra": 9000, "minDepth": "500"}}]})",
         "pile 1, key \"target.minDepth\""},
        {R"({"module": 1, "piles": [{"target": {"ra": 9000, "minDepth": 1000001}}]})",
         "pile 1, key \"target.minDepth\""},
        {R"({"module": 2, "piles": [{"target": {"ra": 9000, "n": 5000}}]})", "pile 1, key \"target.n\""},
        {R"({"module": 1, "piles": [{"grade": "C33", "target": {"ra": 9000}}]})", "pile 1, key \"grade\""},
        {R"({"format": "socketpile-project", "module": 1})", "project file goes to calc"},
    };
    for (const auto& c : cases) {
        const CliRun r = run(c.json, outArgs());
        EXPECT_EQ(r.status, 2) << c.json;
        EXPECT_EQ(r.out, "") << c.json;
        EXPECT_NE(r.err.find(c.mentions), std::string::npos) << c.json << "\n" << r.err;
        EXPECT_EQ(filesWritten(), 0u) << c.json;
    }
    const CliRun pdf = run(R"({"module": 1, "piles": [{"target": {"ra": 9000}}]})", "--pdf '/tmp/x.pdf'");
    EXPECT_EQ(pdf.status, 2);
    EXPECT_NE(pdf.err.find("solve takes --out and --now only"), std::string::npos) << pdf.err;
}
