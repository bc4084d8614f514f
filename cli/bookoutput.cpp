#include "bookoutput.h"

#include "outputfiles.h"

#include "charts/capacityfigure.h"
#include "report/handinassembly.h"

#ifdef SOCKETPILE_CLI_PDF
#include "handin/bookrenderer.h"

#include <QGuiApplication>

#include <cstdio>
#endif

#include <memory>
#include <ostream>
#include <string_view>

namespace sp::cli {

namespace {

#ifdef SOCKETPILE_CLI_PDF
// Qt's notes on the way (the offscreen platform's, a missing runtime folder) are not the command's
// to print; only what stops Qt is.
void keepQtQuiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "socketpile-cli: %s\n", message.toLocal8Bit().constData());
}

// Qt's PDF writer finds its fonts through a QGuiApplication. The command makes one only here, on
// the offscreen platform, so that it needs no display and the other commands never start Qt.
QByteArray renderBook(const handin::HandInBook& book) {
    if (QCoreApplication::instance())
        return handin::pdfOf(book);
    const QtMessageHandler previous = qInstallMessageHandler(keepQtQuiet);
    char name[] = "socketpile-cli";
    char option[] = "-platform";
    char platform[] = "offscreen";
    char* argv[] = {name, option, platform, nullptr};
    int argc = 3;
    QByteArray bytes;
    {
        const QGuiApplication application(argc, argv);
        bytes = handin::pdfOf(book);
    }
    qInstallMessageHandler(previous);
    return bytes;
}
#endif

} // namespace

int writeBookPdf(const report::ReportDocuments& documents, const handin::TitleBlock& title, const std::string& path,
                 std::ostream& err) {
    if (documents.pileRegister().count() == 0) {
        err << "socketpile-cli: no pile to write; " << targetName(path) << " not written\n";
        return 0;
    }
#ifdef SOCKETPILE_CLI_PDF
    const QByteArray bytes = renderBook(charts::bookWithFigures(documents, title, report::programLine(SOCKETPILE_VERSION)));
    const std::unique_ptr<core::SafeFileWriter> writer = openTarget(path);
    if (bytes.isEmpty())
        writer->failWith("the book could not be drawn as PDF");
    else if (writer->append(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))))
        writer->commit();
    return reported(writer->result(), err);
#else
    (void)title;
    err << "socketpile-cli: cannot write " << targetName(path) << ": this build of socketpile-cli has no PDF output\n";
    return 1;
#endif
}

} // namespace sp::cli
