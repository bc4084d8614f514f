#pragma once
// socketpile-cli optimise: fills the option table of a module's optimisation page from a JSON
// document, runs it and does the engineer's actions in order (header clicks, "筛选"), printing
// one JSON line for the run and one per action; with an output folder, what "存盘" writes then.

#include "commandoptions.h"

#include <iosfwd>
#include <string>

namespace sp::cli {

// Without a moment, the results file takes the local clock when it is written.
using OptimiseOptions = CommandOptions;

// `rows`: after every line, the visible table's rows, one JSON array of cell texts per line.
// Returns the exit status; throws UsageError for input it cannot use (before writing anything).
int runOptimise(const std::string& document, const OptimiseOptions& options, bool rows, std::ostream& out,
                std::ostream& err);

} // namespace sp::cli
