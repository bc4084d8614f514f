#pragma once
// socketpile-cli --xlsx / --csv: the pile table of calc, or the visible result table of optimise,
// for a spreadsheet.

#include "commandoptions.h"
#include "optimise/optimisepage.h"
#include "report/reportdocuments.h"

#include <iosfwd>

namespace sp::cli {

// Each returns the exit status (0, or 1 when a file could not be written, with the reason on `err`).
int writePileTable(const report::ReportDocuments& documents, const CommandOptions& options, std::ostream& err);
int writeResultTable(const optimise::OptimisePage& page, const CommandOptions& options, std::ostream& err);

} // namespace sp::cli
