#pragma once
// The handed-in book of a window's documents: its piles' sections in order, their pile table and
// the title block. The PDF export, the print preview and socketpile-cli --pdf all build it here,
// so that the three hand in the same book.

#include "core/moment.h"
#include "handin/handinbook.h"
#include "report/reportdocuments.h"

#include <string>

namespace sp::report {

// The book of every pile the documents hold. A section that came without a name or a heading
// takes the pile's name ("ZH3"), so that each pile can be found in the book.
handin::HandInBook bookOf(const ReportDocuments& documents, handin::TitleBlock title, std::string programLine);

// The date of the title block: "2026年12月10日".
std::string bookDate(const core::Moment& moment);

// The program's name and version in the small print under the title: "SocketPile 嵌岩桩承载力计算 0.1.0".
std::string programLine(const std::string& version);

} // namespace sp::report
