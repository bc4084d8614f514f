#pragma once
// socketpile-cli calc: computes the piles of a JSON document one after another as one module
// window would, prints one JSON line per pile and, with an output folder, writes both pages.

#include "commandoptions.h"
#include "core/outcome.h"
#include "handin/handinbook.h"
#include "project/pileinputs.h"
#include "report/reportdocuments.h"

#include <nlohmann/json.hpp>

#include <functional>
#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

namespace sp::cli {

// Without a moment, each pile takes the local clock when it is computed.
using CalcOptions = CommandOptions;

// Returns the exit status; throws UsageError for input it cannot use (before writing anything).
int runCalc(const std::string& document, const CalcOptions& options, std::ostream& out, std::ostream& err);

// The pieces of calc that solve shares: the input document, the figures of a pile's line and the
// pages "保存" writes.

struct CalcRequest {
    int module = 1;
    core::Precision precision = core::kDefaultPrecision;
    std::vector<project::PileInputs> piles;
    handin::TitleBlock book; // the title block of the PDF book
};

// Keys a command adds to a pile object beside its inputs (solve's "target"): called with each pile
// object and its number (from 1), it takes them out before the inputs are read.
using PileExtras = std::function<void(nlohmann::json& pile, int number)>;

// The document as parseDocument gives it; throws UsageError naming the pile and the key.
CalcRequest readCalcRequest(const nlohmann::json& root, const PileExtras& extras = {});

// The status line as a line shows it: {"text": …, "color": "FF000000"}.
nlohmann::ordered_json statusJson(const core::StatusLine& line);
// The result boxes by control name, with their texts.
nlohmann::ordered_json boxesJson(const std::vector<std::pair<std::string, std::string>>& boxes);

// What "保存" writes from both pages into the output folder, when there is one and a pile
// succeeded; 1 (with the path on `err`) when a file cannot be written.
int writePages(const report::ReportDocuments& documents, const CommandOptions& options, std::ostream& err);

} // namespace sp::cli
