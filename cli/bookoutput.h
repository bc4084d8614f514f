#pragma once
// socketpile-cli calc --pdf: the calculation book to hand in, from the piles the command computed.

#include "handin/handinbook.h"
#include "report/reportdocuments.h"

#include <iosfwd>
#include <string>

namespace sp::cli {

// Writes the book of `documents` to `path`; returns the exit status (0, or 1 when the file could
// not be written, with the reason on `err`).
int writeBookPdf(const report::ReportDocuments& documents, const handin::TitleBlock& title, const std::string& path,
                 std::ostream& err);

} // namespace sp::cli
