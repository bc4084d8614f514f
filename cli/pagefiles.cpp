#include "pagefiles.h"

#include "core/platform.h"
#include "core/textfile.h"

#include <filesystem>
#include <ostream>

namespace sp::cli {

namespace {

// Text gathered before it is encoded and written.
constexpr std::size_t kPiece = 1 << 20;

void addLines(std::string& buffer, const report::Lines& lines) {
    for (const std::string& line : lines) {
        buffer += line;
        buffer += "\r\n";
    }
}

} // namespace

PageFiles::PageFiles(std::string folder) : m_folder(std::move(folder)) {}

void PageFiles::pileEntered(const report::PilePages& pages, int number) {
    if (!m_book && m_folderProblem.empty()) {
        const std::filesystem::path dir = core::pathFromUtf8(m_folder);
        std::error_code error;
        std::filesystem::create_directories(dir, error);
        if (error) {
            m_folderProblem = error.message();
            return;
        }
        m_book = std::make_unique<core::SafeFileWriter>(dir / core::pathFromUtf8(report::kBookFileName));
        m_table = std::make_unique<core::SafeFileWriter>(dir / core::pathFromUtf8(report::kTableFileName));
    }
    if (!m_book)
        return;
    // What TextReport and TableReport would hold: the books one after another, the heading of
    // the first pile and a row per pile; the last pile's time line and closing end them.
    addLines(m_bookBuffer, pages.book);
    if (number == 1)
        addLines(m_tableBuffer, pages.tableHeading);
    m_tableBuffer += pages.tableRow;
    m_tableBuffer += "\r\n";
    m_timeLine = pages.timeLine;
    m_closing = pages.tableClosing;
    append(*m_book, m_bookBuffer);
    append(*m_table, m_tableBuffer);
}

void PageFiles::append(core::SafeFileWriter& file, std::string& buffer, bool last) {
    if (buffer.size() < kPiece && !last)
        return;
    // Whole lines of valid UTF-8 encode as they would have together.
    file.append(core::toGbk(buffer));
    buffer.clear();
}

int PageFiles::finish(std::ostream& err) {
    if (!m_folderProblem.empty()) {
        err << "socketpile-cli: cannot write " << m_folder << ": " << m_folderProblem << "\n";
        return 1;
    }
    if (!m_book)
        return 0;
    m_bookBuffer += m_timeLine;
    m_bookBuffer += "\r\n";
    addLines(m_tableBuffer, m_closing);
    append(*m_book, m_bookBuffer, true);
    append(*m_table, m_tableBuffer, true);
    for (core::SafeFileWriter* file : {m_book.get(), m_table.get()}) {
        if (!file->result().ok) {
            m_book->abandon();
            m_table->abandon();
            err << "socketpile-cli: cannot write " << file->result().path << ": " << file->result().reason << "\n";
            return 1;
        }
    }
    for (core::SafeFileWriter* file : {m_book.get(), m_table.get()}) {
        if (!file->commit()) {
            err << "socketpile-cli: cannot write " << file->result().path << ": " << file->result().reason << "\n";
            return 1;
        }
    }
    return 0;
}

} // namespace sp::cli
