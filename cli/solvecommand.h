#pragma once
// socketpile-cli solve: the piles of calc's input, each with a "target" (Ra,req, optionally N and
// the step of the depth); for each the least socket depth (module 2: the bottom layer's length)
// that carries it, calculated as the window calculates it, one JSON line per pile.

#include "commandoptions.h"

#include <iosfwd>
#include <string>

namespace sp::cli {

// Returns the exit status; throws UsageError for input it cannot use (before writing anything).
int runSolve(const std::string& document, const CommandOptions& options, std::ostream& out,
             std::ostream& err);

} // namespace sp::cli
