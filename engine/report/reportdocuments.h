#pragma once
// The per-window report state of a module: the calculation book (page 1), the pile table (page 2),
// the pile register that numbers the piles in both, and the save state. Pure; the window shows
// the pages and the CLI writes them.

#include "handin/handinbook.h"

#include <string>
#include <vector>

namespace sp::report {

using Lines = std::vector<std::string>;

// File names of the saved pages, the same in every module: a save in one module replaces the
// file saved from another.
inline constexpr const char* kBookFileName = "嵌岩桩计算书(依据DBJ52T088-2018)_文本.txt";
inline constexpr const char* kTableFileName = "嵌岩桩计算书(依据DBJ52T088-2018)_表格.txt";

// The lines one successful pile adds to the two pages.
struct PilePages {
    Lines book;              // title line … the closing line of 50 "="
    std::string timeLine;    // "计算时间：…", the last line of both pages
    Lines tableHeading;      // added with the first pile
    std::string tableRow;    // the pile's row
    Lines tableClosing;      // the closing block; its last line is the time line
    // The same pile for the handed-in book and the exported pile table.
    handin::PileEntry entry;
    std::vector<handin::SheetColumn> tableColumns; // the module's pile-table columns
    std::string calculatedAt; // the moment of the calculation, "yyyy-MM-dd HH:mm:ss"
};

// What the documents take of each pile. A window takes all of it. The command line takes only
// what it writes, so that a run of many piles needs little memory: the hand-in sections only for
// a PDF, the sheet rows only for a spreadsheet, and the page lines not at all, passing them to a
// PageSink (the files being written) as each pile comes.
struct PileParts {
    bool pages = true;  // the lines of both text pages, held
    bool handIn = true; // each pile's section of the handed-in book and its recorded inputs
    bool sheet = true;  // each pile's row of the exported pile table
};

// Where the page lines of the piles go as they come.
class PageSink {
public:
    virtual ~PageSink() = default;
    // Pile `number` (from 1) entered the pages.
    virtual void pileEntered(const PilePages& pages, int number) = 0;
};

class ReportDocuments;

// The name of the pile table's sheet.
inline constexpr const char* kPileSheetName = "桩表";

// The pile table of documents as a sheet read where it is, without a copy of its rows: the
// documents must outlive it and not change while it is read.
class PileSheet : public handin::SheetSource {
public:
    explicit PileSheet(const ReportDocuments& documents) : m_documents(documents) {}
    std::string name() const override;
    const std::vector<handin::SheetColumn>& columns() const override;
    std::size_t rowCount() const override;
    void row(std::size_t index, handin::SheetRow& row) const override;
    bool flagged(std::size_t index) const override;

private:
    const ReportDocuments& m_documents;
};

// The books of all piles in order, followed by one time line.
class TextReport {
public:
    void appendBook(const Lines& book, const std::string& timeLine);
    // Cuts the last book back to the previous book's closing line; the time line stays.
    void removeLastBook();
    // Puts `line` in place of the time line of a page that has one.
    void replaceTimeLine(const std::string& line);
    void clear() { m_lines.clear(); }
    const Lines& lines() const { return m_lines; }

private:
    Lines m_lines;
};

// Heading, one row per pile, closing block.
class TableReport {
public:
    void appendRow(int pileNumber, const Lines& heading, const std::string& row, const Lines& closing);
    // Removes the last pile's row, just above the closing block, which stays.
    void removeLastRow();
    void replaceTimeLine(const std::string& line);
    void clear() { m_lines.clear(); }
    const Lines& lines() const { return m_lines; }

private:
    Lines m_lines;
    std::size_t m_closingSize = 4;
};

// How many piles the pages hold; pile k is "ZH" followed by k.
class PileRegister {
public:
    int count() const { return m_count; }
    int next() const { return m_count + 1; }
    void advance() { ++m_count; }
    void retreat() { m_count = m_count > 0 ? m_count - 1 : 0; }
    void clear() { m_count = 0; }
    static std::string pileName(int number) { return "ZH" + std::to_string(number); }

private:
    int m_count = 0;
};

enum class Page { Book = 1, Table = 2 };

// Two flags: 1 the book has unsaved changes, 2 the table has.
class SaveState {
public:
    int value() const { return m_value; }
    bool unsaved(Page page) const { return (m_value & static_cast<int>(page)) != 0; }
    void markAllUnsaved() { m_value = 3; }
    void markSaved(Page page) { m_value &= ~static_cast<int>(page); }
    void clear() { m_value = 0; }

private:
    int m_value = 0;
};

class ReportDocuments {
public:
    // Adds the pile numbered pileRegister().next(); both pages become unsaved.
    void append(PilePages pages);
    // What to take of the piles, and where their page lines go (none when null). Called before
    // the first pile.
    void take(const PileParts& parts, PageSink* sink = nullptr);
    // What a pile's calculation has to make of it: the page lines when they are held or passed on,
    // the section and the sheet row when they are taken.
    PileParts wanted() const { return {m_parts.pages || m_sink != nullptr, m_parts.handIn, m_parts.sheet}; }
    // Delete-last: the only pile empties both pages and the save state; otherwise the last pile
    // leaves both pages and both become unsaved.
    void deleteLast();

    const TextReport& book() const { return m_book; }
    const TableReport& table() const { return m_table; }
    const PileRegister& pileRegister() const { return m_register; }
    const SaveState& saveState() const { return m_save; }
    SaveState& saveState() { return m_save; }
    const Lines& page(Page page) const { return page == Page::Book ? m_book.lines() : m_table.lines(); }

    // The piles for the handed-in book and the exported table, one per registered pile (none when
    // neither is taken; without the hand-in, their sections are empty).
    const std::vector<handin::PileEntry>& entries() const { return m_entries; }
    const std::vector<handin::SheetColumn>& tableColumns() const { return m_tableColumns; }
    // When each pile was calculated, "yyyy-MM-dd HH:mm:ss".
    const std::vector<std::string>& calculatedAt() const { return m_calculatedAt; }
    // The inputs each pile was calculated from, as the caller of the calculation recorded them
    // (a JSON object in the input files' keys; empty when none was recorded), so that a project
    // can rebuild the pages. They leave with their pile. Only taken with the hand-in, whose figures
    // are made from them.
    const std::vector<std::string>& records() const { return m_records; }
    void recordLast(std::string inputs);
    // When the time line that ends both pages was written, "yyyy-MM-dd HH:mm:ss": the last
    // calculation that entered them, also after its pile was deleted again; empty with no pile.
    const std::string& timeLineAt() const { return m_timeLineAt; }
    // Writes `line` as the time line of both pages, written at `at` (a project restoring pages
    // whose last piles were deleted).
    void replaceTimeLine(const std::string& line, const std::string& at);
    // The pile table as a sheet to export, a copy of its rows (see PileSheet for none).
    handin::Sheet pileSheet() const;
    // The pile table's rows, one per registered pile while the hand-in or the sheet is taken.
    std::size_t sheetRowCount() const;
    void sheetRow(std::size_t index, handin::SheetRow& row) const;
    bool sheetRowFlagged(std::size_t index) const;

private:
    TextReport m_book;
    TableReport m_table;
    PileRegister m_register;
    SaveState m_save;
    std::vector<handin::PileEntry> m_entries;
    // The sheet rows of piles taken without their hand-in, each packed into one string, which
    // holds a long table in a tenth of the memory of its cells.
    std::vector<std::string> m_packedRows;
    std::vector<bool> m_packedFlags;
    std::vector<handin::SheetColumn> m_tableColumns;
    std::vector<std::string> m_calculatedAt;
    std::vector<std::string> m_records;
    std::string m_timeLineAt;
    PileParts m_parts;
    PageSink* m_sink = nullptr;
};

} // namespace sp::report
