#pragma once
// The result files written by "存盘": the visible result table as a text table 180 display
// columns wide (module 3: 190), the candidate table to the raw results file and the filtered table to the
// filtered results file, in GBK with CR LF. A million rows are encoded and written in well under
// a second, streamed to a temporary file that replaces the old one only when complete.

#include "core/moment.h"
#include "core/textfile.h"
#include "optimise/results/resulttable.h"

#include <filesystem>
#include <string>
#include <vector>

namespace sp::optimise {

enum class ResultFileKind { Raw, Filtered };

const char* resultFileName(ResultFileKind kind);

// The lines of the file, UTF-8.
std::vector<std::string> resultFileLines(const ResultTable& table, ResultFileKind kind,
                                         const core::Moment& moment);

// The bytes of the file: the same as core::encodePage(resultFileLines(…)), made without
// converting every line.
std::string encodeResultFile(const ResultTable& table, ResultFileKind kind, const core::Moment& moment);

// Writes the file into the folder, replacing it whole.
core::WriteResult writeResultFile(const std::filesystem::path& folder, const ResultTable& table,
                                  ResultFileKind kind, const core::Moment& moment);

} // namespace sp::optimise
