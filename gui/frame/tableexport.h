#pragma once
// Exporting a table to a spreadsheet file from a window: the save dialog with its two file
// types, the type taken from the chosen name, and the warning when the file cannot be written.
// The documents layer exports its pile table this way, the optimisation page its result tables.

#include "core/safefilewriter.h"
#include "frame/documentexport.h"

#include <QString>

#include <filesystem>
#include <optional>

namespace sp::frame {

enum class TableFormat { Xlsx, Csv };

struct TableTarget {
    std::filesystem::path path;
    TableFormat format = TableFormat::Xlsx;
};

// The dialog's file types.
QString tableFilters(); // "Excel 工作簿 (*.xlsx);;CSV UTF-8 (*.csv)"

// The file to write when the engineer chose `chosen`: a name ending in .csv (in any case) is CSV,
// one ending in .xlsx a workbook, and any other name becomes a workbook with ".xlsx" added.
TableTarget tableTarget(const QString& chosen);

// Asks for the file, opening in the documents folder at `fileName`; nothing when cancelled. A name
// without a suffix takes the type chosen in the dialog (see chooseSaveFile).
std::optional<TableTarget> chooseTableFile(const ExportContext& context, const QString& caption, const QString& fileName);

// "<what>：<full path>", where an export wrote.
QString writtenText(const QString& what, const core::WriteResult& result);

// "无法保存文件：<path>\n<reason>", as every save of the program words it.
QString writeFailureText(const core::WriteResult& result);

} // namespace sp::frame
