#pragma once
// Writing a report or result page to disk: every line followed by CR LF, encoded in GBK (code page
// 936) without a byte-order mark, and replacing the old file whole through a SafeFileWriter.

#include "core/safefilewriter.h"

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

WriteResult writePage(const std::filesystem::path& file, const std::vector<std::string>& lines);

} // namespace sp::core
