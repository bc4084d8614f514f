#include "report/reportdocuments.h"

#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>

namespace sp::report {

namespace {

const std::string kBookClosing(50, '=');

// A sheet row as one string: per cell, whether it has a number, the number, the text's length and
// the text, read back exactly as it was.
template <class T> void put(std::string& out, const T& value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

template <class T> T get(std::string_view in, std::size_t& at) {
    T value{};
    std::memcpy(&value, in.data() + at, sizeof value);
    at += sizeof value;
    return value;
}

std::string packRow(const handin::SheetRow& row) {
    std::string packed;
    for (const handin::SheetCell& cell : row) {
        packed += cell.number ? '\1' : '\0';
        if (cell.number)
            put(packed, *cell.number);
        put(packed, static_cast<std::uint32_t>(cell.text.size()));
        packed += cell.text;
    }
    packed.shrink_to_fit();
    return packed;
}

void unpackRow(std::string_view packed, handin::SheetRow& row) {
    row.clear();
    std::size_t at = 0;
    while (at < packed.size()) {
        handin::SheetCell cell;
        if (packed[at++] != '\0')
            cell.number = get<double>(packed, at);
        const auto length = get<std::uint32_t>(packed, at);
        cell.text.assign(packed.substr(at, length));
        at += length;
        row.push_back(std::move(cell));
    }
}

} // namespace

std::string PileSheet::name() const { return kPileSheetName; }
const std::vector<handin::SheetColumn>& PileSheet::columns() const { return m_documents.tableColumns(); }
std::size_t PileSheet::rowCount() const { return m_documents.sheetRowCount(); }
void PileSheet::row(std::size_t index, handin::SheetRow& row) const { m_documents.sheetRow(index, row); }
bool PileSheet::flagged(std::size_t index) const { return m_documents.sheetRowFlagged(index); }

void TextReport::appendBook(const Lines& book, const std::string& timeLine) {
    if (!m_lines.empty())
        m_lines.pop_back(); // the previous calculation's time line
    m_lines.insert(m_lines.end(), book.begin(), book.end());
    m_lines.push_back(timeLine);
}

void TextReport::replaceTimeLine(const std::string& line) {
    if (!m_lines.empty())
        m_lines.back() = line;
}

void TableReport::replaceTimeLine(const std::string& line) {
    if (!m_lines.empty())
        m_lines.back() = line;
}

void TextReport::removeLastBook() {
    // Delete the line before the last until the previous book's closing line stands directly
    // above the final time line. A page without such a line is left alone rather than emptied.
    if (m_lines.size() < 2)
        return;
    std::size_t closing = m_lines.size() - 2;
    while (closing > 0 && m_lines[closing - 1] != kBookClosing)
        --closing;
    if (closing == 0)
        return;
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(closing), m_lines.end() - 1);
}

void TableReport::appendRow(int pileNumber, const Lines& heading, const std::string& row, const Lines& closing) {
    if (pileNumber <= 1 || m_lines.size() < m_closingSize) {
        m_lines = heading;
    } else {
        for (std::size_t k = 0; k < m_closingSize; ++k)
            m_lines.pop_back();
    }
    m_lines.push_back(row);
    m_lines.insert(m_lines.end(), closing.begin(), closing.end());
    m_closingSize = closing.size();
}

void TableReport::removeLastRow() {
    if (m_lines.size() < m_closingSize + 1)
        return;
    m_lines.erase(m_lines.end() - static_cast<std::ptrdiff_t>(m_closingSize + 1));
}

void ReportDocuments::take(const PileParts& parts, PageSink* sink) {
    m_parts = parts;
    m_sink = sink;
}

void ReportDocuments::append(PilePages pages) {
    const int number = m_register.next();
    if (m_parts.pages) {
        m_book.appendBook(pages.book, pages.timeLine);
        m_table.appendRow(number, pages.tableHeading, pages.tableRow, pages.tableClosing);
    }
    if (m_sink)
        m_sink->pileEntered(pages, number);
    m_register.advance();
    m_save.markAllUnsaved();
    if (m_parts.handIn) {
        m_entries.push_back(std::move(pages.entry));
    } else if (m_parts.sheet) {
        m_packedRows.push_back(packRow(pages.entry.tableRow));
        m_packedFlags.push_back(pages.entry.flagged);
    }
    if (!pages.tableColumns.empty())
        m_tableColumns = std::move(pages.tableColumns);
    m_timeLineAt = pages.calculatedAt;
    m_calculatedAt.push_back(std::move(pages.calculatedAt));
    m_records.emplace_back();
}

void ReportDocuments::replaceTimeLine(const std::string& line, const std::string& at) {
    if (m_register.count() == 0)
        return;
    m_book.replaceTimeLine(line);
    m_table.replaceTimeLine(line);
    m_timeLineAt = at;
}

void ReportDocuments::recordLast(std::string inputs) {
    if (!m_records.empty())
        m_records.back() = std::move(inputs);
}

void ReportDocuments::deleteLast() {
    if (m_register.count() <= 1) {
        m_register.clear();
        m_book.clear();
        m_table.clear();
        m_save.clear();
        m_entries.clear();
        m_packedRows.clear();
        m_packedFlags.clear();
        m_calculatedAt.clear();
        m_records.clear();
        m_timeLineAt.clear();
        return;
    }
    m_register.retreat();
    if (m_entries.size() > static_cast<std::size_t>(m_register.count()))
        m_entries.pop_back();
    if (m_packedRows.size() > static_cast<std::size_t>(m_register.count())) {
        m_packedRows.pop_back();
        m_packedFlags.pop_back();
    }
    m_calculatedAt.pop_back();
    m_records.pop_back();
    m_table.removeLastRow();
    m_book.removeLastBook();
    // The shortened pages differ from any file saved before, so both can be saved again.
    m_save.markAllUnsaved();
}

handin::Sheet ReportDocuments::pileSheet() const {
    handin::Sheet sheet;
    sheet.sheetName = kPileSheetName;
    sheet.sheetColumns = m_tableColumns;
    const std::size_t count = sheetRowCount();
    sheet.rows.resize(count);
    for (std::size_t index = 0; index < count; ++index) {
        sheetRow(index, sheet.rows[index]);
        sheet.flags.push_back(sheetRowFlagged(index));
    }
    return sheet;
}

std::size_t ReportDocuments::sheetRowCount() const {
    return m_entries.empty() ? m_packedRows.size() : m_entries.size();
}

void ReportDocuments::sheetRow(std::size_t index, handin::SheetRow& row) const {
    if (m_entries.empty())
        unpackRow(m_packedRows[index], row);
    else
        row = m_entries[index].tableRow;
}

bool ReportDocuments::sheetRowFlagged(std::size_t index) const {
    return m_entries.empty() ? m_packedFlags[index] : m_entries[index].flagged;
}

} // namespace sp::report
