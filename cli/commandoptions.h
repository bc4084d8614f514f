#pragma once
// The options every command takes: where "保存" / "存盘" writes, the moment of the time lines, and
// the documents to hand in or to work on in a spreadsheet.

#include "core/moment.h"

#include <optional>
#include <string>

namespace sp::cli {

struct CommandOptions {
    std::string inputName = "input";    // how messages name the input file
    std::string outDir;                 // empty: write nothing
    std::optional<core::Moment> now;    // empty: the local clock when a time line is made
    std::string pdfPath;                // calc: the handed-in book; empty: none
    std::string xlsxPath;               // the pile table (calc) or the visible result table (optimise)
    std::string csvPath;                // the same table as UTF-8 CSV
};

} // namespace sp::cli
