#include "tableoutput.h"

#include "outputfiles.h"

#include "core/platform.h"
#include "export/sheetfiles.h"
#include "optimise/results/resultsheet.h"

#include <algorithm>
#include <memory>
#include <ostream>
#include <vector>

namespace sp::cli {

namespace {

bool writeWorkbook(const handin::SheetSource& sheet, core::SafeFileWriter& writer) {
#ifdef SOCKETPILE_CLI_XLSX
    // libxlsxwriter prints its own lines about a failure; the command says it once, its own way.
    const core::QuietStandardError quiet;
    return sheets::writeXlsx({&sheet}, writer);
#else
    // The command line turns --xlsx away before this; a caller that does not still gets a reason.
    (void)sheet;
    return writer.failWith(kNoXlsx);
#endif
}

// The table to every file asked for; an empty table writes nothing and says so, which is not an
// error: the run itself went as asked. Each file is tried whatever became of the other.
int writeTable(const handin::SheetSource& sheet, const char* nothing, const CommandOptions& options,
               std::ostream& err) {
    const std::string* paths[] = {&options.xlsxPath, &options.csvPath};
    if (sheet.rowCount() == 0) {
        for (const std::string* path : paths)
            if (!path->empty())
                err << "socketpile-cli: " << nothing << "; " << targetName(*path) << " not written\n";
        return 0;
    }
    int status = 0;
    for (const std::string* path : paths) {
        if (path->empty())
            continue;
        const std::unique_ptr<core::SafeFileWriter> writer = openTarget(*path);
        if (path == &options.xlsxPath ? writeWorkbook(sheet, *writer) : sheets::writeCsv(sheet, *writer))
            writer->commit();
        status = std::max(status, reported(writer->result(), err));
    }
    return status;
}

} // namespace

int writePileTable(const report::ReportDocuments& documents, const CommandOptions& options, std::ostream& err) {
    if (options.xlsxPath.empty() && options.csvPath.empty())
        return 0;
    return writeTable(report::PileSheet(documents), "no pile to write", options, err);
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
