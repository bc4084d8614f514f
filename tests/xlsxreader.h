#pragma once
// An .xlsx read back the way a spreadsheet program reads it, through Debian's python3-openpyxl
// (tools/readxlsx.py), as JSON: one object per sheet with "name", "freeze", "filter", "widths"
// (by column letter) and "rows" of cells {"value", "kind" ("number", "text", "empty"), "format",
// "bold", "red"}. A test skips itself when openpyxl is not installed.

#include "testsupport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/wait.h>

namespace sp::test {

// The system's own python, for which Debian's openpyxl is installed.
inline constexpr const char* kSystemPython = "/usr/bin/python3";

// The workbook, or nothing when openpyxl (or the python) is missing. A file openpyxl cannot read
// fails the test that asked.
inline std::optional<nlohmann::json> readXlsx(const std::filesystem::path& file) {
    const std::string script = fixturePath("../tools/readxlsx.py");
    const std::string command =
        std::string(kSystemPython) + " '" + script + "' '" + file.string() + "' 2>/dev/null";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return std::nullopt;
    std::string out;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0)
        out.append(buf, n);
    const int status = pclose(pipe);
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (code == 3 || code == 127)
        return std::nullopt;
    EXPECT_EQ(code, 0) << "openpyxl could not read " << file;
    if (code != 0)
        return nlohmann::json::array();
    return nlohmann::json::parse(out);
}

} // namespace sp::test

// Skips the test when the workbook cannot be read back for want of openpyxl.
#define SP_READ_XLSX_OR_SKIP(variable, file)                                                                 \
    const std::optional<nlohmann::json> variable##Read = sp::test::readXlsx(file);                             \
    if (!variable##Read)                                                                                       \
        GTEST_SKIP() << "python3-openpyxl is not installed for " << sp::test::kSystemPython;                 \
    const nlohmann::json& variable = *variable##Read
