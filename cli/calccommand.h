#pragma once
// socketpile-cli calc: computes the piles of a JSON document one after another as one module
// window would, prints one JSON line per pile and, with an output folder, writes both pages.

#include "commandoptions.h"

#include <iosfwd>
#include <string>

namespace sp::cli {

// Without a moment, each pile takes the local clock when it is computed.
using CalcOptions = CommandOptions;

// Returns the exit status; throws UsageError for input it cannot use (before writing anything).
int runCalc(const std::string& document, const CalcOptions& options, std::ostream& out, std::ostream& err);

} // namespace sp::cli
