#include "frame/documentexport.h"
#include "frame/qttext.h"

#include "charts/capacityfigure.h"
#include "frame/booknames.h"
#include "frame/bookprint.h"
#include "frame/filechooser.h"
#include "frame/messagesink.h"
#include "frame/qttext.h"
#include "handin/bookrenderer.h"
#include "report/handinassembly.h"

#include <QDir>
#include <QCursor>
#include <QGuiApplication>
#include <QRegularExpression>

#include <filesystem>

namespace sp::frame {

namespace {

bool holdsPiles(const ExportContext& context) {
    return context.documents && context.documents->pileRegister().count() > 0;
}

// The names for the title block, asked of the engineer and remembered for next time.
std::optional<handin::TitleBlock> askNames(const ExportContext& context) {
    DialogBookNames dialog;
    BookNames* names = context.names ? context.names : &dialog;
    std::optional<handin::TitleBlock> given = names->askNames(context.parent, rememberedNames());
    if (given) {
        rememberNames(*given);
        given->date = report::bookDate(context.now);
    }
    return given;
}

handin::HandInBook bookOf(const ExportContext& context, const handin::TitleBlock& title) {
    return charts::bookWithFigures(*context.documents, title, report::programLine(SOCKETPILE_VERSION));
}

// "嵌岩桩计算书_<工程名称>.pdf", the project's name cleared of what a file name cannot hold.
QString suggestedName(const std::string& project) {
    QString name = q(project).trimmed();
    name.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1f]")), QStringLiteral("_"));
    return name.isEmpty() ? QStringLiteral("嵌岩桩计算书.pdf") : QStringLiteral("嵌岩桩计算书_%1.pdf").arg(name);
}

} // namespace

void exportBookPdf(const ExportContext& context) {
    if (!holdsPiles(context))
        return;
    const std::optional<handin::TitleBlock> title = askNames(context);
    if (!title)
        return;
    // The dialog opens in the documents folder, made if it is not there yet.
    QDir().mkpath(context.documentsFolder);
    std::optional<QString> path =
        chooseSaveFile(*context.files, *context.messages, context.parent, QStringLiteral("导出PDF"),
                       QDir(context.documentsFolder).filePath(suggestedName(title->project)),
                       QStringLiteral("PDF 文件 (*.pdf)"));
    if (!path)
        return;
    if (!path->endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        *path += QStringLiteral(".pdf");

    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    // The path as the platform names files (UTF-16 on Windows, UTF-8 here).
    const std::filesystem::path target = pathOf(*path);
    const core::WriteResult written = handin::writePdf(bookOf(context, *title), target);
    QGuiApplication::restoreOverrideCursor();
    if (!written.ok) {
        context.messages->warn(context.parent,
                               QStringLiteral("无法导出PDF：%1\n%2").arg(QDir::toNativeSeparators(*path), q(written.reason)));
        return;
    }
    context.messages->inform(context.parent, QStringLiteral("计算书已导出：%1").arg(QDir::toNativeSeparators(*path)));
}

void printBook(const ExportContext& context) {
    if (!holdsPiles(context))
        return;
    const std::optional<handin::TitleBlock> title = askNames(context);
    if (!title)
        return;
    showBookPreview(context.parent, bookOf(context, *title));
}

} // namespace sp::frame
