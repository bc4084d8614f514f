#pragma once
// What the documents layer hands to its export actions: the piles, where dialogs start, and the
// services a test replaces. The actions themselves live with their documents: the handed-in book
// (PDF and print) and the pile table (Excel and CSV).

#include "core/moment.h"
#include "report/reportdocuments.h"

#include <QString>

class QWidget;

namespace sp::frame {

class BookNames;
class FileChooser;
class MessageSink;

struct ExportContext {
    QWidget* parent = nullptr;
    const report::ReportDocuments* documents = nullptr;
    MessageSink* messages = nullptr;
    FileChooser* files = nullptr;
    BookNames* names = nullptr; // the title block's names; nothing: the desktop's dialog
    QString documentsFolder; // where the save dialog starts; may not exist yet
    core::Moment now;
};

// "导出PDF…": asks for the title block's names and a file, and writes the handed-in book.
void exportBookPdf(const ExportContext& context);
// "打印…": a print preview of the same book.
void printBook(const ExportContext& context);
// "导出Excel…": the pile table as .xlsx or, by the chosen file type, .csv.
void exportPileTable(const ExportContext& context);

} // namespace sp::frame
