#pragma once
// An .xlsx read back the way a spreadsheet program reads it, through Debian's python3-openpyxl
// (tools/readxlsx.py), as JSON: one object per sheet with "name", "freeze", "filter", "widths"
// (by column letter) and "rows" of cells {"value", "kind" ("number", "text", "empty"), "format",
// "bold", "red"}. A test skips itself when openpyxl is not installed.

#include "testsupport.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace sp::test {

// The system's own python, for which Debian's openpyxl is installed.
inline constexpr const char* kSystemPython = "/usr/bin/python3";

struct XlsxRead {
    enum Status { Read, Unavailable, Unreadable } status = Unavailable;
    nlohmann::json book; // the sheets, when read
};

inline XlsxRead readXlsx(const std::filesystem::path& file) {
    const std::string script = fixturePath("../tools/readxlsx.py");
    const std::string command =
        std::string(kSystemPython) + " '" + script + "' '" + file.string() + "' 2>/dev/null";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return {};
    std::string out;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0)
        out.append(buf, n);
    const int status = pclose(pipe);
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (code == 3 || code == 127) // no openpyxl, no python
        return {};
    if (code != 0)
        return {XlsxRead::Unreadable, {}};
    return {XlsxRead::Read, nlohmann::json::parse(out)};
}

} // namespace sp::test

// GoogleTest: the workbook's sheets into `variable`; the test skips without openpyxl and fails on
// a file openpyxl cannot read.
#define SP_READ_XLSX_OR_SKIP(variable, file)                                                                 \
    const sp::test::XlsxRead variable##Read = sp::test::readXlsx(file);                                        \
    if (variable##Read.status == sp::test::XlsxRead::Unavailable)                                              \
        GTEST_SKIP() << "python3-openpyxl is not installed for " << sp::test::kSystemPython;                 \
    ASSERT_EQ(variable##Read.status, sp::test::XlsxRead::Read) << "openpyxl could not read " << (file);        \
    const nlohmann::json& variable = variable##Read.book

// Qt Test: the same.
#define SP_QREAD_XLSX_OR_SKIP(variable, file)                                                                \
    const sp::test::XlsxRead variable##Read = sp::test::readXlsx(file);                                        \
    if (variable##Read.status == sp::test::XlsxRead::Unavailable)                                              \
        QSKIP("python3-openpyxl is not installed for /usr/bin/python3");                                     \
    QVERIFY2(variable##Read.status == sp::test::XlsxRead::Read, "openpyxl could not read the workbook");        \
    const nlohmann::json& variable = variable##Read.book
