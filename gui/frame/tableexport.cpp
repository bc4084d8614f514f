#include "frame/tableexport.h"

#include "export/sheetfiles.h"
#include "frame/filechooser.h"
#include "frame/messagesink.h"
#include "frame/qttext.h"

#include <QDir>
#include <QFileInfo>

namespace sp::frame {

QString tableFilters() { return QStringLiteral("Excel 工作簿 (*.xlsx);;CSV UTF-8 (*.csv)"); }

TableTarget tableTarget(const QString& chosen) {
    const QString suffix = QFileInfo(chosen).suffix().toLower();
    if (suffix == QLatin1String("csv"))
        return {pathOf(chosen), TableFormat::Csv};
    const QString path = suffix == QLatin1String("xlsx") ? chosen : chosen + QStringLiteral(".xlsx");
    return {pathOf(path), TableFormat::Xlsx};
}

std::optional<TableTarget> chooseTableFile(const ExportContext& context, const QString& caption,
                                           const QString& fileName) {
    const QString suggested = QDir(context.documentsFolder).filePath(fileName);
    const std::optional<QString> chosen =
        chooseSaveFile(*context.files, *context.messages, context.parent, caption, suggested, tableFilters());
    if (!chosen)
        return std::nullopt;
    return tableTarget(*chosen);
}

QString writtenText(const QString& what, const core::WriteResult& result) {
    return QStringLiteral("%1：%2").arg(
        what, QDir::toNativeSeparators(QFileInfo(q(result.path)).absoluteFilePath()));
}

QString writeFailureText(const core::WriteResult& result) {
    return QStringLiteral("无法保存文件：%1\n%2").arg(q(result.path), q(result.reason));
}

// A pile table is a few rows, written at once on the window's thread.
void exportPileTable(const ExportContext& context) {
    if (!context.documents || context.documents->pileRegister().count() == 0)
        return;
    const std::optional<TableTarget> target =
        chooseTableFile(context, QStringLiteral("导出Excel"), QStringLiteral("嵌岩桩桩表.xlsx"));
    if (!target)
        return;
    const handin::Sheet sheet = context.documents->pileSheet();
    const core::WriteResult written = target->format == TableFormat::Csv ? sheets::writeCsv(sheet, target->path)
                                                                         : sheets::writeXlsx({&sheet}, target->path);
    if (!written.ok)
        context.messages->warn(context.parent, writeFailureText(written));
    else
        context.messages->inform(context.parent, writtenText(QStringLiteral("桩表已导出"), written));
}

} // namespace sp::frame
