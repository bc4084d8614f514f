#pragma once
// Where a value stands in a JSON text: the line of the value at a path of keys and array
// positions, for messages that send the reader to the right line of a file that parsed.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace sp::project {

// An object's key or an array's position (from 0).
using PathStep = std::variant<std::string, std::size_t>;
using JsonPath = std::vector<PathStep>;

// "module1.piles[3].inputs.grade": keys joined by dots, positions counted from 1 in brackets.
std::string pathText(const JsonPath& path);
// Appends a place relative to an object ("layers[2].frk", "grade") as steps.
void appendRelative(JsonPath& path, const std::string& relative);

// The line (from 1) where the value at `path` starts in `text`, which must be JSON; the deepest
// step that exists when the whole path does not; nothing for a text that is not JSON after all.
std::optional<int> lineOf(std::string_view text, const JsonPath& path);
// The same for a path whose last step is a key given twice in its object: the line of its second
// appearance.
std::optional<int> lineOfRepeat(std::string_view text, const JsonPath& path);
// Line and column (from 1) of a byte offset.
std::pair<int, int> lineAndColumn(std::string_view text, std::size_t offset);

} // namespace sp::project
