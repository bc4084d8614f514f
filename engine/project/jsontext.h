#pragma once
// Reading JSON text that may be hostile: a project file, an input of the command line. Beside the
// grammar, the text is checked for three things before a value is built from it:
// - values nested deeper than any file of this program nests them: nlohmann::json prints and
//   compares values by recursion, and a deep enough nesting ends the program;
// - a key given twice in one object: the later one would silently replace the earlier, and the
//   piles of a module with it;
// - a NUL byte: the parser takes it for the end of the text and would ignore the rest.
// A message quotes at most a short piece of the text (core::excerpt).

#include "project/jsonplaces.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace sp::project {

// Containers inside containers; a project nests seven deep, an input of the command line five.
inline constexpr int kMaxNesting = 64;

struct JsonFault {
    enum class Kind { Syntax, OutOfRange, Nul, TooDeep, RepeatedKey };
    Kind kind = Kind::Syntax;
    // Syntax, OutOfRange and Nul: the byte where the text goes wrong, and its line and column (from
    // 1); the others have the line of `path` and no column (0).
    std::size_t offset = 0;
    int line = 1;
    int column = 0;
    JsonPath path;    // TooDeep: the value that opens one level too many; RepeatedKey: the key
    std::string what; // why: the parser's message for the first two kinds, its quote cut short

    // "line 3, column 7" or "line 3, key \"module1.piles[2]\"" (the path cut short).
    std::string place() const;
};

struct JsonText {
    nlohmann::json value; // null when the text cannot be used
    std::optional<JsonFault> fault;
};

// Never throws but for lack of memory.
JsonText readJson(std::string_view text);

} // namespace sp::project
