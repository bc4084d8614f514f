#pragma once
// The tables of the program as spreadsheet files: Excel workbooks (.xlsx) with one sheet per
// table, and CSV. Both are replaced whole through a core::SafeFileWriter, so that a failure leaves
// the old file as it was; a pipe or standard output receives the file as it is made.
//
// A workbook's sheet has one header row "title (unit)", bold and frozen, with an auto-filter over
// the table; numbers are written as numbers in a format that shows the decimals the table gave
// them, texts as strings; flagged (超规) rows are red; each column is as wide as its widest text.
// Rows stream through libxlsxwriter's constant-memory mode, so a million rows need little memory.

#include "core/safefilewriter.h"
#include "handin/handinbook.h"

#include <cstddef>
#include <filesystem>
#include <vector>

namespace sp::sheets {

// The data rows an Excel sheet holds below its header row.
inline constexpr std::size_t kMaxSheetRows = 1048575;

struct XlsxOptions {
    // A table longer than this continues on sheets "name (2)", "name (3)" … each with the header
    // again. Settable so that the split can be seen without a million rows.
    std::size_t rowsPerSheet = kMaxSheetRows;
};

// One sheet per source, in order (at least one sheet is written: an empty list fails). A long
// source's rows are read ahead on a helper thread; the sources must not change until it returns.
core::WriteResult writeXlsx(const std::vector<const handin::SheetSource*>& sheets, const std::filesystem::path& path,
                            const XlsxOptions& options = {});
// The same into a writer that the caller commits (so that several files can be put in place
// together); false, with the reason in the writer's result, on failure.
bool writeXlsx(const std::vector<const handin::SheetSource*>& sheets, core::SafeFileWriter& writer,
               const XlsxOptions& options = {});

// The header row and the rows of the table, each cell the text the table shows.
core::WriteResult writeCsv(const handin::SheetSource& sheet, const std::filesystem::path& path);
bool writeCsv(const handin::SheetSource& sheet, core::SafeFileWriter& writer);

} // namespace sp::sheets
