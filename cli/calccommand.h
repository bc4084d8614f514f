#pragma once
// socketpile-cli calc: computes the piles of a JSON document one after another as one module
// window would, prints one JSON line per pile and, with an output folder, writes both pages.

#include "core/moment.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace sp::cli {

struct CalcOptions {
    std::string outDir;                 // empty: write nothing
    std::optional<core::Moment> now;    // empty: the local clock at each pile
};

// Returns the exit status; throws UsageError for input it cannot use (before writing anything).
int runCalc(const std::string& document, const CalcOptions& options, std::ostream& out, std::ostream& err);

} // namespace sp::cli
