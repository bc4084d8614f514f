// socketpile-cli calc over a project file: every pile of every module, one line each with its
// module, and each module's pages in a folder of its own.

#include "cli/clitestsupport.h"

#include <nlohmann/json.hpp>

namespace {

using sp::test::CliRun;
using nlohmann::json;

class ProjectCli : public sp::test::CliTest {
protected:
    ProjectCli() : CliTest("calc") {}

    CliRun runProject(const std::string& text, const std::string& extra = "") {
        const std::filesystem::path input = m_dir / "work.sppile";
        writeText(input, text);
        return runArguments("calc '" + input.string() + "' " + extra);
    }
};

std::string example(int module) {
    return sp::test::readFile(std::string(SOCKETPILE_EXAMPLES) + "/module" + std::to_string(module) + ".json");
}

TEST_F(ProjectCli, EachModulesPagesEqualThoseOfItsPilesCalculatedAlone) {
    // The piles of the three example inputs that calculate, all at one moment, in one project.
    json project = {{"format", "socketpile-project"}, {"version", 1}};
    std::vector<std::string> plainLines;
    for (int module = 1; module <= 3; ++module) {
        const json input = json::parse(example(module));
        const CliRun plain = run(input.dump(), "--now '2026-12-10 09:30:00'");
        ASSERT_EQ(plain.status, 0) << plain.err;
        const auto lines = sp::test::linesOf(plain.out);
        json kept = input;
        kept["piles"] = json::array();
        json piles = json::array();
        for (std::size_t k = 0; k < lines.size(); ++k) {
            if (!json::parse(lines[k])["ok"].get<bool>())
                continue;
            json pile = input["piles"][k];
            if (!pile.contains("precision") && input.contains("precision"))
                pile["precision"] = input["precision"];
            kept["piles"].push_back(pile);
            piles.push_back({{"calculatedAt", "2026-12-10 09:30:00"}, {"inputs", pile}});
        }
        project["module" + std::to_string(module)] = {{"piles", piles}};

        const std::filesystem::path alone = m_dir / ("alone" + std::to_string(module));
        std::filesystem::create_directories(alone);
        const CliRun keptRun = run(kept.dump(), "--out '" + alone.string() + "' --now '2026-12-10 09:30:00'");
        ASSERT_EQ(keptRun.status, 0) << keptRun.err;
        for (const std::string& line : sp::test::linesOf(keptRun.out)) {
            json withModule = {{"module", module}};
            const json parsed = json::parse(line);
            for (const auto& [key, value] : parsed.items())
                withModule[key] = value;
            plainLines.push_back(withModule.dump());
        }
    }

    const CliRun r = runProject(project.dump(2), "--out '" + (m_dir / "out").string() + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = sp::test::linesOf(r.out);
    ASSERT_EQ(lines.size(), plainLines.size());
    for (std::size_t k = 0; k < lines.size(); ++k) {
        EXPECT_EQ(lines[k].substr(0, 12), "{\"module\":" + std::to_string(json::parse(lines[k])["module"].get<int>()) + ",");
        EXPECT_EQ(json::parse(lines[k]), json::parse(plainLines[k]));
    }
    for (int module = 1; module <= 3; ++module)
        for (const char* page : {"嵌岩桩计算书(依据DBJ52T088-2018)_文本.txt", "嵌岩桩计算书(依据DBJ52T088-2018)_表格.txt"}) {
            const auto written = m_dir / "out" / ("module" + std::to_string(module)) / page;
            const auto alone = m_dir / ("alone" + std::to_string(module)) / page;
            ASSERT_TRUE(std::filesystem::exists(written)) << written;
            EXPECT_EQ(sp::test::readFile(written.string()), sp::test::readFile(alone.string())) << written;
        }
}

TEST_F(ProjectCli, TheShippedDemoPrintsEveryPileOfEveryModule) {
    const CliRun r = runArguments("calc '" + std::string(SOCKETPILE_EXAMPLES) + "/demo.sppile'");
    ASSERT_EQ(r.status, 0) << r.err;
    int perModule[4] = {};
    for (const std::string& line : sp::test::linesOf(r.out)) {
        const json pile = json::parse(line);
        EXPECT_TRUE(pile["ok"].get<bool>()) << line;
        ++perModule[pile["module"].get<int>()];
    }
    for (int module = 1; module <= 3; ++module)
        EXPECT_GT(perModule[module], 0) << module;
}

TEST_F(ProjectCli, ABrokenProjectOrAnOptionItCannotTakeExitsTwoAndWritesNothing) {
    const std::string broken = "{\n  \"format\": \"socketpile-project\",\n  \"version\": 1,\n  \"module2\": {\"piles\": [\n"
                               "    {\"calculatedAt\": \"2026-12-10 09:30:00\", \"inputs\": {\"grade\": \"C30\"}}]}\n}\n";
    const struct {
        std::string text, extra, message;
    } cases[] = {
        {broken, "--out '" + (m_dir / "out").string() + "'",
         "socketpile-cli: work.sppile, line 5, key \"module2.piles[1].inputs.grade\": unknown key for module 2"},
        {"{\"format\": \"socketpile-project\", \"version\": 1", "", "socketpile-cli: work.sppile, line 1, column 46: the file ends too early"},
        {"{\"format\": \"socketpile-project\", \"version\": 1}", "--pdf '" + (m_dir / "b.pdf").string() + "'",
         "socketpile-cli: --pdf, --xlsx and --csv take the piles of one module"},
    };
    for (const auto& c : cases) {
        const CliRun r = runProject(c.text, c.extra);
        EXPECT_EQ(r.status, 2) << c.text;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind(c.message, 0), 0u) << r.err;
        EXPECT_EQ(filesWritten(), 0u);
    }
}

} // namespace
