#pragma once
// Writing a report or result page to disk: every line followed by CR LF, encoded in GBK (code page
// 936) without a byte-order mark, written to a temporary file beside the target and renamed over
// it, so that a failed write never leaves a truncated file behind.

#include <filesystem>
#include <string>
#include <vector>

namespace sp::core {

// UTF-8 → GBK. A character GBK cannot hold becomes "?", as the system's own conversion does.
std::string toGbk(const std::string& utf8);
// GBK → UTF-8, for reading saved files back in tests and tools.
std::string fromGbk(const std::string& gbk);

// The bytes of a saved page.
std::string encodePage(const std::vector<std::string>& lines);

struct WriteResult {
    bool ok = true;
    std::string path;   // the file that was to be written
    std::string reason; // the system's reason when it failed
};

WriteResult writePage(const std::filesystem::path& file, const std::vector<std::string>& lines);

// A new, empty file beside `target` under a name of its own ("<target>.XXXXXX"), open for writing.
// It is created as any new document of the user is: mode 0666 less the umask, applied by the
// system. Returns the descriptor and puts the name into `name`; -1 with errno set on failure.
int createBeside(const std::filesystem::path& target, std::string& name);

} // namespace sp::core
