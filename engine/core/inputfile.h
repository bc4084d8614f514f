#pragma once
// Reading an input whole (a pile file, a project, standard input) without being led to read
// forever: a file named by mistake may be a device without end (/dev/zero) or many gigabytes, and
// every input of this program is text far smaller than the limit.

#include <cstddef>
#include <filesystem>
#include <istream>
#include <string>

namespace sp::core {

inline constexpr std::size_t kInputLimit = std::size_t{256} << 20; // 256 MB

struct InputText {
    enum class Failure { None, Unreadable, Folder, TooLarge };
    std::string text;
    Failure failure = Failure::None;
    // Why, for a message after the input's name: the system's reason, "it is a folder", "it is
    // larger than 256 MB …"; empty when the input was read.
    std::string problem;
    bool ok() const { return failure == Failure::None; }
};

// The stream to its end; refused as soon as more than `limit` bytes have come.
InputText readInput(std::istream& in, std::size_t limit = kInputLimit);
// The file at `path`; a regular file above the limit is refused before it is read.
InputText readInputFile(const std::filesystem::path& path, std::size_t limit = kInputLimit);

} // namespace sp::core
