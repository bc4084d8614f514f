#pragma once
// The two pages "保存" writes, written into the output folder as the piles come rather than held
// in memory: each pile's book lines and table row go to the new files at once, and the time line
// and the closing block that end the pages are added when the run is done. The bytes are those the
// held pages would have been saved as. For a run of many piles, through ReportDocuments::take.

#include "core/safefilewriter.h"
#include "report/reportdocuments.h"

#include <iosfwd>
#include <memory>
#include <string>

namespace sp::cli {

class PageFiles : public report::PageSink {
public:
    // The folder is made, if missing, when the first pile comes.
    explicit PageFiles(std::string folder);

    void pileEntered(const report::PilePages& pages, int number) override;

    // Ends both pages and puts them in place: both, or neither when one of them could not be
    // written (its reason on `err`). Nothing when no pile came. Returns the exit status.
    int finish(std::ostream& err);

private:
    void append(core::SafeFileWriter& file, std::string& buffer, bool last = false);

    std::string m_folder;
    std::string m_folderProblem; // why the folder could not be made
    std::unique_ptr<core::SafeFileWriter> m_book;
    std::unique_ptr<core::SafeFileWriter> m_table;
    std::string m_bookBuffer;  // the text not yet appended, UTF-8, lines ended by CR LF
    std::string m_tableBuffer;
    std::string m_timeLine;    // what ends the book, from the last pile
    report::Lines m_closing;   // what ends the table, from the last pile
};

} // namespace sp::cli
