#include "tableoutput.h"

#include "core/platform.h"
#include "export/sheetfiles.h"
#include "optimise/results/resultsheet.h"

#include <ostream>
#include <vector>

namespace sp::cli {

namespace {

core::WriteResult writeWorkbook(const handin::SheetSource& sheet, const std::string& path) {
#ifdef SOCKETPILE_CLI_XLSX
    return sheets::writeXlsx({&sheet}, core::pathFromUtf8(path));
#else
    // The command line turns --xlsx away before this; a caller that does not still gets a reason.
    (void)sheet;
    return core::WriteResult{false, path, kNoXlsx};
#endif
}

// The table to every file asked for; an empty table writes nothing and says so, which is not an
// error: the run itself went as asked.
int writeTable(const handin::SheetSource& sheet, const char* nothing, const CommandOptions& options,
               std::ostream& err) {
    const std::string* paths[] = {&options.xlsxPath, &options.csvPath};
    if (sheet.rowCount() == 0) {
        for (const std::string* path : paths)
            if (!path->empty())
                err << "socketpile-cli: " << nothing << "; " << *path << " not written\n";
        return 0;
    }
    for (const std::string* path : paths) {
        if (path->empty())
            continue;
        const core::WriteResult written =
            path == &options.xlsxPath ? writeWorkbook(sheet, *path) : sheets::writeCsv(sheet, core::pathFromUtf8(*path));
        if (!written.ok) {
            err << "socketpile-cli: cannot write " << written.path << ": " << written.reason << "\n";
            return 1;
        }
    }
    return 0;
}

} // namespace

int writePileTable(const report::ReportDocuments& documents, const CommandOptions& options, std::ostream& err) {
    if (options.xlsxPath.empty() && options.csvPath.empty())
        return 0;
    return writeTable(documents.pileSheet(), "no pile to write", options, err);
}

int writeResultTable(const optimise::OptimisePage& page, const CommandOptions& options, std::ostream& err) {
    if (options.xlsxPath.empty() && options.csvPath.empty())
        return 0;
    const bool candidates = page.visible() == optimise::VisibleTable::Candidates;
    const optimise::ResultSheet sheet(page.visibleTable(),
                                      candidates ? optimise::kCandidateSheetName : optimise::kFilteredSheetName);
    return writeTable(sheet, "no rows to write", options, err);
}

} // namespace sp::cli
