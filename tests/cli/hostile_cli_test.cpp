// socketpile-cli over hostile inputs: each is refused with exit status 2 and one short line that
// names the place, and nothing is written; no message repeats more than a short piece of a value.

#include "cli/clitestsupport.h"

#include <nlohmann/json.hpp>

#include <string>

namespace {

using sp::test::CliRun;
using sp::test::linesOf;

class HostileCli : public sp::test::CliTest {
protected:
    HostileCli() : CliTest("calc") {}

    CliRun runFile(const std::string& command, const std::string& name, const std::string& text) {
        writeText(m_dir / name, text);
        return runArguments(command + " '" + (m_dir / name).string() + "' " + outArgs());
    }
};

std::string nested(int depth) {
    return std::string(static_cast<std::size_t>(depth), '[') +
           std::string(static_cast<std::size_t>(depth), ']');
}

const std::string kProject = "{\"format\": \"socketpile-project\", \"version\": 1";

TEST_F(HostileCli, RefusedWithExitTwoAndOneShortLineNamingThePlace) {
    const std::string big(4 << 20, 'x');
    const std::string cut = std::string(60, 'x') + "…";
    const struct {
        std::string command, name, text, message;
    } cases[] = {
        // Once the end of the program: a value nested deep enough.
        {"calc", "deep.sppile", "{\"format\": " + nested(100000) + ", \"version\": 1}",
         "deep.sppile, line 1, key \"format[1][1][1][1][1][1][1][1][1][1][1][1][1][1][1][1][1][1]…\": values "
         "nested more "
         "than 64 deep"},
        {"calc", "in.json", "{\"module\": 1, \"piles\": [" + nested(100000) + "]}",
         "line 1, key \"piles[1][1][1]"},
        {"solve", "in.json", nested(70), "line 1, key \"[1][1][1]"},
        // The later of two keys would silently replace the earlier.
        {"calc", "in.json", "{\"module\": 1,\n \"piles\": [{\"d\": \"1000\",\n \"d\": \"1200\"}]}",
         "line 3, key \"piles[1].d\": the key is given twice; the second would replace the first"},
        {"optimise", "in.json", "{\"module\": 1, \"module\": 2}",
         "line 1, key \"module\": the key is given twice"},
        {"calc", "work.sppile", kProject + ",\n\"module1\": {},\n\"module1\": {}}",
         "work.sppile, line 3, key \"module1\": the key is given twice"},
        // The parser would stop at a NUL and ignore the rest.
        {"calc", "work.sppile", kProject + "}" + std::string(1, '\0') + "\"module1\": 5",
         "work.sppile, line 1, column 47: a NUL byte"},
        {"solve", "in.json", "{\"module\": 1}" + std::string(1, '\0'), "line 1, column 14: a NUL byte"},
        // Values of megabytes, quoted short.
        {"calc", "work.sppile", "{\"format\": \"" + big + "\", \"version\": 1}",
         "work.sppile, line 1, key \"format\": not a SocketPile project: the format is \"" + cut + "\", not"},
        {"calc", "in.json", "{\"module\": 1, \"piles\": [{\"grade\": \"" + big + "\"}]}",
         "pile 1, key \"grade\": \"" + cut + "\" is not an item of the list"},
        {"calc", "in.json", "{\"module\": 1, \"" + big + "\": 1}", "key \"" + cut + "\": unknown key"},
        {"optimise", "in.json", "{\"module\": 1, \"actions\": [\"" + big + "\"]}",
         "key \"actions[1]\": \"" + cut + "\" is not an action"},
        {"calc", "in.json", "{\"module\": 1, \"piles\": [{\"d\": \"" + big + "\n\"}]}",
         "the input is not JSON: "},
    };
    for (const auto& c : cases) {
        const CliRun r = runFile(c.command, c.name, c.text);
        EXPECT_EQ(r.status, 2) << c.message;
        EXPECT_EQ(r.out, "") << c.message;
        EXPECT_EQ(r.err.rfind("socketpile-cli: " + c.message, 0), 0u) << r.err.substr(0, 1000);
        EXPECT_EQ(linesOf(r.err).size(), 1u) << r.err.substr(0, 1000);
        EXPECT_LT(r.err.size(), 400u) << r.err.substr(0, 1000);
        EXPECT_EQ(filesWritten(), 0u) << c.message;
    }

    const CliRun piped =
        runArguments("calc - " + outArgs(), "{\"module\": 1, \"piles\": " + nested(1000) + "}");
    EXPECT_EQ(piped.status, 2);
    EXPECT_EQ(piped.err.rfind("socketpile-cli: line 1, key \"piles[1][1]", 0), 0u)
        << piped.err.substr(0, 1000);
}

// A device without end is not read to its end.
TEST_F(HostileCli, AnInputLargerThanAnyInputIsRefusedUnread) {
    const CliRun r = runArguments("calc /dev/zero " + outArgs());
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(
        r.err,
        "socketpile-cli: cannot read /dev/zero: it is larger than 256 MB, far more than any input of this "
        "program\n");
    EXPECT_EQ(filesWritten(), 0u);
}

// A text the calculation cannot read is quoted short in the pile's message too.
TEST_F(HostileCli, AFieldTextIsQuotedShortInThePilesMessage) {
    const CliRun r = run("{\"module\": 1, \"piles\": [{\"hr\": \"" + std::string(100000, 'x') + "d\"}]}");
    EXPECT_EQ(r.status, 0) << r.err;
    const auto line = nlohmann::json::parse(r.out);
    EXPECT_EQ(line["message"],
              "数据转换错误：桩身嵌岩深度hr中的“" + std::string(60, 'x') + "…”不是有效的数值");
}

// A long command-line argument is quoted short in the usage message as well.
TEST_F(HostileCli, ALongArgumentIsQuotedShort) {
    const std::string longText(5000, 'y');
    const std::string shortText = std::string(60, 'y') + "…";
    for (const std::string& arguments : {longText, "calc x " + longText, "calc x --now " + longText}) {
        const CliRun r = runArguments(arguments);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("\"" + shortText + "\""), std::string::npos) << r.err.substr(0, 200);
        EXPECT_EQ(r.err.find(std::string(61, 'y')), std::string::npos);
    }
}

} // namespace
