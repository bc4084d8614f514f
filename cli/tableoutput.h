#pragma once
// socketpile-cli --xlsx / --csv: the pile table of calc, or the visible result table of optimise,
// for a spreadsheet.

#include "commandoptions.h"
#include "optimise/optimisepage.h"
#include "report/reportdocuments.h"

#include <iosfwd>

namespace sp::cli {

// Whether this build writes .xlsx (it needs libxlsxwriter; CSV needs nothing), and what it says
// when asked to without it.
#ifdef SOCKETPILE_CLI_XLSX
inline constexpr bool kHasXlsx = true;
#else
inline constexpr bool kHasXlsx = false;
#endif
inline constexpr const char* kNoXlsx = "this build of socketpile-cli cannot write .xlsx files (it has no libxlsxwriter); "
                                       "--csv writes the same table";

// Each returns the exit status (0, or 1 when a file could not be written, with the reason on `err`).
int writePileTable(const report::ReportDocuments& documents, const CommandOptions& options, std::ostream& err);
int writeResultTable(const optimise::OptimisePage& page, const CommandOptions& options, std::ostream& err);

} // namespace sp::cli
