// Projects: what a window holds written to a project file and rebuilt from it, byte for byte, and
// the messages of files that cannot be opened.

#include "module1/module1session.h"
#include "module2/module2session.h"
#include "module3/module3session.h"
#include "optimise/optimisepage.h"
#include "project/jsonplaces.h"
#include "project/project.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace sp::project {
namespace {

using nlohmann::json;

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The piles of the example input of a module.
std::vector<PileInputs> examplePiles(int module) {
    const json root =
        json::parse(readFile(std::filesystem::path(SOCKETPILE_EXAMPLES) / ("module" + std::to_string(module) + ".json")));
    std::vector<PileInputs> piles;
    for (const json& pile : root.at("piles"))
        piles.push_back(readPileInputs(pile, module));
    return piles;
}

core::Moment momentOf(int pile) { return {2026, 12, 10, 9, 30 + pile, 5 * pile}; }

// Every example pile calculated in a window of the module at the precision, then the first pile's
// inputs left in the input layer.
template <class Session> void calculateExamples(Session& session, int module, core::Precision precision) {
    const std::vector<PileInputs> piles = examplePiles(module);
    for (std::size_t k = 0; k < piles.size(); ++k) {
        enter(session, piles[k], precision);
        computePile(session, momentOf(static_cast<int>(k)));
    }
    enter(session, piles.front(), precision);
}

template <class Session> void expectSamePages(const Session& a, const Session& b) {
    EXPECT_EQ(a.documents().page(report::Page::Book), b.documents().page(report::Page::Book));
    EXPECT_EQ(a.documents().page(report::Page::Table), b.documents().page(report::Page::Table));
    EXPECT_EQ(a.documents().calculatedAt(), b.documents().calculatedAt());
    EXPECT_EQ(a.documents().records(), b.documents().records());
    EXPECT_EQ(a.documents().saveState().value(), b.documents().saveState().value());
}

template <class Session> void roundTrip(int module, core::Precision precision) {
    Session original;
    calculateExamples(original, module, precision);
    original.documents().saveState().markSaved(report::Page::Table);
    Project project;
    project.module(module) = capture(original);
    ASSERT_FALSE(project.module(module)->piles.empty());

    const std::string text = writeProject(project);
    const ReadResult read = readProject(text, "round.sppile");
    ASSERT_TRUE(read.project) << read.error;
    EXPECT_EQ(*read.project, project);

    Session reopened;
    restore(reopened, *read.project->module(module));
    expectSamePages(original, reopened);
    EXPECT_EQ(currentInputs(reopened).texts, currentInputs(original).texts);
    // Saved again, the file is the same.
    Project again;
    again.module(module) = capture(reopened);
    EXPECT_EQ(writeProject(again), text);
}

TEST(ProjectRoundTrip, EveryModuleAtSeveralPrecisionsRebuildsItsPagesByteForByte) {
    for (const auto precision : {core::Precision::TwoDecimals, core::Precision::Units, core::Precision::Hundreds}) {
        SCOPED_TRACE(core::precisionItem(precision));
        roundTrip<module1::Session>(1, precision);
        roundTrip<module2::Session>(2, precision);
        roundTrip<module3::Session>(3, precision);
    }
}

TEST(ProjectRoundTrip, DeleteLastTakesThePileInputsWithIt) {
    module1::Session session;
    calculateExamples(session, 1, core::kDefaultPrecision);
    const std::size_t piles = session.documents().records().size();
    session.documents().deleteLast();
    ASSERT_EQ(session.documents().records().size(), piles - 1);
    Project project;
    project.module(1) = capture(session);
    module1::Session reopened;
    restore(reopened, *project.module(1));
    expectSamePages(session, reopened);
}

TEST(ProjectRoundTrip, Module2KeepsRowsBelowTheLayerCountAndTheOptionRowsComeBack) {
    module2::Session session;
    session.chooseLayerCount(3);
    session.editCell(3, module2::kColLr, "2.5");
    session.editCell(3, module2::kColFrk, "31");
    session.chooseLayerCount(1);
    optimise::OptimisePage page(optimise::ModuleKind::Module2);
    page.editCell(optimise::kRow2FilterRa, optimise::kColMin, "9000");

    Project project;
    project.module(2) = capture(session);
    project.module(2)->optionRows = optionRows(page.optionTable());
    ASSERT_EQ(project.module(2)->keptLayers.size(), 2u);
    const ReadResult read = readProject(writeProject(project), "grid.sppile");
    ASSERT_TRUE(read.project) << read.error;

    module2::Session reopened;
    restore(reopened, *read.project->module(2));
    EXPECT_EQ(reopened.grid().layerCount(), 1);
    reopened.chooseLayerCount(3);
    EXPECT_EQ(reopened.grid().cell(3, module2::kColLr), "2.5");
    EXPECT_EQ(reopened.grid().cell(3, module2::kColFrk), "31");
    optimise::OptimisePage reopenedPage(optimise::ModuleKind::Module2);
    restoreOptions(reopenedPage, read.project->module(2)->optionRows);
    EXPECT_EQ(reopenedPage.optionTable().cell(optimise::kRow2FilterRa, optimise::kColMin), "9000");
}

// A window left as the last pile was calculated shows that pile's results; reopened, it shows
// them again, with "结果" offered (module 2 with rows kept below its layer count too). A window
// whose inputs changed after the last pile offers "计算" with empty boxes, before and after.
template <class Session> void lastResultsStand(int module, const char* raBox, bool keepRows, bool changeAfter) {
    SCOPED_TRACE("module " + std::to_string(module) + (keepRows ? ", rows kept" : "") +
                 (changeAfter ? ", changed after" : ""));
    Session original;
    const std::vector<PileInputs> piles = examplePiles(module);
    if constexpr (std::is_same_v<Session, module2::Session>) {
        if (keepRows) {
            original.chooseLayerCount(4);
            original.editCell(4, module2::kColFrk, "31");
        }
    }
    for (std::size_t k = 0; k < piles.size(); ++k) {
        enter(original, piles[k], core::kDefaultPrecision);
        computePile(original, momentOf(static_cast<int>(k)));
    }
    enter(original, piles.front(), core::kDefaultPrecision); // a pile that calculates, last
    computePile(original, momentOf(9));
    if (changeAfter)
        original.setFieldText("cbe_dd", "1234");
    ASSERT_EQ(original.calculated(), !changeAfter);
    ASSERT_EQ(original.box(raBox).empty(), changeAfter);
    Project project;
    project.module(module) = capture(original);
    if constexpr (std::is_same_v<Session, module2::Session>) {
        if (keepRows) {
            ASSERT_FALSE(project.module(module)->keptLayers.empty());
        }
    }
    const ReadResult read = readProject(writeProject(project), "results.sppile");
    ASSERT_TRUE(read.project) << read.error;

    Session reopened;
    restore(reopened, *read.project->module(module));
    EXPECT_EQ(reopened.calculated(), original.calculated());
    EXPECT_EQ(reopened.box(raBox), original.box(raBox));
    EXPECT_EQ(reopened.status().text, original.status().text);
    EXPECT_EQ(capture(reopened), capture(original));
}

TEST(ProjectRoundTrip, TheLastPilesResultsStandWhereTheInputsStillHoldIt) {
    for (const bool changeAfter : {false, true}) {
        lastResultsStand<module1::Session>(1, module1::kBoxRa, false, changeAfter);
        lastResultsStand<module3::Session>(3, module1::kBoxRa, false, changeAfter);
        for (const bool keepRows : {false, true})
            lastResultsStand<module2::Session>(2, module2::kBoxRa, keepRows, changeAfter);
    }
}

TEST(ProjectFile, TheShippedDemoOpensWithPilesInEveryModule) {
    const ReadResult read = loadProject(std::filesystem::path(SOCKETPILE_EXAMPLES) / "demo.sppile");
    ASSERT_TRUE(read.project) << read.error;
    for (int module = 1; module <= 3; ++module) {
        ASSERT_TRUE(read.project->module(module)) << module;
        EXPECT_FALSE(read.project->module(module)->piles.empty()) << module;
    }
}

// A valid project of one module 1 pile, to break in one place.
std::string onePile() {
    return R"({
  "format": "socketpile-project",
  "version": 1,
  "module1": {
    "window": {"section": "圆桩", "d": "1000"},
    "piles": [
      {"calculatedAt": "2026-12-10 09:30:00", "inputs": {"d": "1200", "grade": "C30"}}
    ]
  }
})";
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(ProjectFile, BrokenFilesNameTheFileTheLineAndTheKey) {
    ASSERT_TRUE(readProject(onePile(), "p.sppile").project) << readProject(onePile(), "p.sppile").error;
    const std::string full = onePile();
    struct Case {
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"", "p.sppile, line 1, column 1: the file ends too early"},
        {full.substr(0, full.size() / 2), "the file ends too early (cut off?)"},
        {"{\"format\": socketpile}", "p.sppile, line 1, column 12: not JSON"},
        {"[1, 2]", "p.sppile, line 1: expected a JSON object, got array"},
        {"{\"version\": 1}", "p.sppile, line 1: not a SocketPile project: key \"format\" is missing"},
        {replaced(full, "\"socketpile-project\"", "\"other\""),
         "p.sppile, line 2, key \"format\": not a SocketPile project: the format is \"other\""},
        {replaced(full, "\"version\": 1", "\"version\": 2"),
         "p.sppile, line 3, key \"version\": written by a newer SocketPile (project version 2)"},
        {replaced(full, "\"version\": 1", "\"version\": \"1\""), "line 3, key \"version\": expected a JSON integer, got string"},
        {replaced(full, "\"module1\"", "\"module4\""), "line 4, key \"module4\": unknown section"},
        {replaced(full, "\"d\": \"1000\"", "\"d\": 1000"), "line 5, key \"module1.window.d\": expected a JSON string, got number"},
        {replaced(full, "\"C30\"", "\"C99\""),
         "line 7, key \"module1.piles[1].inputs.grade\": \"C99\" is not an item of the list"},
        {replaced(full, "\"grade\"", "\"layers\""), "line 7, key \"module1.piles[1].inputs.layers\": unknown key for module 1"},
        {replaced(full, "2026-12-10 09:30:00", "yesterday"), "line 7, key \"module1.piles[1].calculatedAt\": \"yesterday\" is not a moment"},
        {replaced(full, "\"piles\": [", "\"piles\": 3, \"x\": ["), "line 6, key \"module1.piles\": expected a JSON array, got number"},
        {replaced(full, "\"d\": \"1200\"", "\"d\": \"abc\""), "line 7, key \"module1.piles[1]\": the pile does not calculate: "},
        {replaced(full, "\"window\"", "\"windows\""), "line 5, key \"module1.windows\": unknown key for a module window"},
    };
    for (const Case& c : cases) {
        const ReadResult read = readProject(c.text, "p.sppile");
        EXPECT_FALSE(read.project) << c.text;
        EXPECT_NE(read.error.find(c.message), std::string::npos) << "got: " << read.error << "\nwanted: " << c.message;
    }
}

// What a hostile file holds is refused before it is used, and no message repeats more than a
// short piece of it: a nesting deep enough to end the program, a key given twice (the later would
// silently replace the earlier), a NUL byte (the parser stops at it), values of megabytes.
TEST(ProjectFile, HostileTextIsRefusedWithAShortMessage) {
    const std::string full = onePile();
    const auto nested = [](int depth) { return std::string(depth, '[') + std::string(depth, ']'); };
    const std::string big(1 << 20, 'x');
    const std::string cut = std::string(60, 'x') + "…";
    struct Case {
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {replaced(full, "\"socketpile-project\"", nested(100000)),
         "p.sppile, line 2, key \"format[1][1][1][1][1][1][1][1][1][1][1][1][1][1][1][1][1][1]…\": values nested more "
         "than 64 deep"},
        {replaced(full, "\"socketpile-project\"", nested(64)), "line 2, key \"format[1][1][1]"},
        // Inside the object of the file, 63 levels are as deep as may be.
        {replaced(full, "\"socketpile-project\"", nested(63)),
         "p.sppile, line 2, key \"format\": not a SocketPile project: the format is a JSON array, not"},
        {replaced(full, "\"version\": 1,", "\"version\": 1,\n  \"module1\": {\"bookSaved\": true},"),
         "p.sppile, line 5, key \"module1\": the key is given twice; the second would replace the first"},
        {replaced(full, "\"grade\": \"C30\"", "\"grade\": \"C30\", \"d\": \"900\""),
         "p.sppile, line 7, key \"module1.piles[1].inputs.d\": the key is given twice"},
        {"{\"format\": \"socketpile-project\", \"version\": 1}" + std::string(1, '\0') + ", \"module1\": 5}",
         "p.sppile, line 1, column 47: a NUL byte"},
        {replaced(full, "C30", std::string("C3\0", 3)), "p.sppile, line 7, column 83: a NUL byte"},
        {replaced(full, "socketpile-project", big), "line 2, key \"format\": not a SocketPile project: the format is \"" + cut + "\", not"},
        {replaced(full, "C30", big), "key \"module1.piles[1].inputs.grade\": \"" + cut + "\" is not an item of the list"},
        {replaced(full, "2026-12-10 09:30:00", big), "key \"module1.piles[1].calculatedAt\": \"" + cut + "\" is not a moment"},
        {replaced(full, "\"window\"", "\"" + big + "\""), "line 5, key \"module1." + std::string(52, 'x') + "…\": unknown key"},
        {replaced(full, "\"1200\"", "\"1200\", \"hr\": \"" + big + "d\""), "the pile does not calculate: 数据转换错误：桩身嵌岩深度hr中的“" + cut + "”"},
        // A line end inside a string: the parser's message quotes the string read so far.
        {replaced(full, "socketpile-project", big + "\n"), "p.sppile, line 2, column "},
    };
    for (const Case& c : cases) {
        const ReadResult read = readProject(c.text, "p.sppile");
        EXPECT_FALSE(read.project) << c.message;
        EXPECT_NE(read.error.find(c.message), std::string::npos) << "got: " << read.error << "\nwanted: " << c.message;
        EXPECT_LT(read.error.size(), 400u) << read.error;
    }
}

TEST(ProjectFile, ModuleTwoLayersAndOptionRowsAreCheckedWhereTheyStand) {
    const std::string text = R"({"format": "socketpile-project", "version": 1,
"module2": {
  "window": {"layers": [{"lr": "2.0"}, {"lr": "1.0", "colour": "red"}]}
}})";
    EXPECT_NE(readProject(text, "g.sppile").error.find("line 3, key \"module2.window.layers[2].colour\": unknown key for a layer"),
              std::string::npos)
        << readProject(text, "g.sppile").error;
    const std::string rows = R"({"format": "socketpile-project", "version": 1,
"module1": {"options": {"13": ["1", "2", "3"]}}})";
    EXPECT_NE(readProject(rows, "o.sppile").error.find("line 2, key \"module1.options.13\": not a row of the option table"),
              std::string::npos)
        << readProject(rows, "o.sppile").error;
}

TEST(ProjectFile, SavingIsWholeOrNothing) {
    const auto dir = std::filesystem::temp_directory_path() / "sp_project_save";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    Project project;
    project.module(1) = ModuleState{};
    const auto path = dir / "a.sppile";
    ASSERT_TRUE(saveProject(project, path).ok);
    EXPECT_EQ(readFile(path), writeProject(project));
    const core::WriteResult failed = saveProject(project, dir / "missing" / "b.sppile");
    EXPECT_FALSE(failed.ok);
    EXPECT_FALSE(failed.reason.empty());
    EXPECT_FALSE(loadProject(dir / "none.sppile").project);
    std::filesystem::remove_all(dir);
}

TEST(JsonPlaces, LinesOfNestedKeysAndPositions) {
    const std::string text = "{\n \"a\": [\n  {\"b\": 1},\n  {\"c\\u0041\": \"x\\\"]\",\n   \"d\": 2}\n ]\n}";
    EXPECT_EQ(lineOf(text, {}), 1);
    EXPECT_EQ(lineOf(text, {std::string("a")}), 2);
    EXPECT_EQ(lineOf(text, {std::string("a"), std::size_t{1}, std::string("cA")}), 4);
    EXPECT_EQ(lineOf(text, {std::string("a"), std::size_t{1}, std::string("d")}), 5);
    EXPECT_EQ(lineOf(text, {std::string("a"), std::size_t{7}}), 2); // the deepest that exists
    JsonPath path{std::string("m")};
    appendRelative(path, "layers[2].frk");
    EXPECT_EQ(pathText(path), "m.layers[2].frk");
}

} // namespace
} // namespace sp::project
