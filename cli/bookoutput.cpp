#include "bookoutput.h"

#include "charts/capacityfigure.h"
#include "report/handinassembly.h"

#ifdef SOCKETPILE_CLI_PDF
#include "handin/bookrenderer.h"

#include <QGuiApplication>

#include <cstdio>
#endif

#include <ostream>

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
core::WriteResult renderBook(const handin::HandInBook& book, const std::string& path) {
    if (QCoreApplication::instance())
        return handin::writePdf(book, path);
    const QtMessageHandler previous = qInstallMessageHandler(keepQtQuiet);
    char name[] = "socketpile-cli";
    char option[] = "-platform";
    char platform[] = "offscreen";
    char* argv[] = {name, option, platform, nullptr};
    int argc = 3;
    core::WriteResult written;
    {
        const QGuiApplication application(argc, argv);
        written = handin::writePdf(book, path);
    }
    qInstallMessageHandler(previous);
    return written;
}
#endif

} // namespace

int writeBookPdf(const report::ReportDocuments& documents, const handin::TitleBlock& title, const std::string& path,
                 std::ostream& err) {
    if (documents.pileRegister().count() == 0) {
        err << "socketpile-cli: no pile to write; " << path << " not written\n";
        return 0;
    }
#ifdef SOCKETPILE_CLI_PDF
    const core::WriteResult written =
        renderBook(charts::bookWithFigures(documents, title, report::programLine(SOCKETPILE_VERSION)), path);
    if (!written.ok) {
        err << "socketpile-cli: cannot write " << written.path << ": " << written.reason << "\n";
        return 1;
    }
    return 0;
#else
    (void)title;
    err << "socketpile-cli: cannot write " << path << ": this build of socketpile-cli has no PDF output\n";
    return 1;
#endif
}

} // namespace sp::cli
