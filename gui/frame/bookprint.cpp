#include "frame/bookprint.h"

#include "handin/bookrenderer.h"

#include <QPageLayout>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace sp::frame {

void prepareBookPrinter(QPrinter& printer) {
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(QString::fromUtf8(handin::kBookTitle));
}

int paintBookOn(QPrinter& printer, const handin::LaidOutBook& book) {
    prepareBookPrinter(printer);
    return handin::paintBook(book, printer, handin::LandscapePages::Rotated);
}

void showBookPreview(QWidget* parent, const handin::HandInBook& book) {
    const handin::Typesetter typesetter;
    const handin::LaidOutBook laidOut = handin::layOutBook(book, typesetter);
    QPrinter printer(QPrinter::HighResolution);
    prepareBookPrinter(printer);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("dlg_PrintPreview"));
    dialog.setWindowTitle(QStringLiteral("打印预览 - ") + QString::fromUtf8(handin::kBookTitle));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&laidOut](QPrinter* target) { paintBookOn(*target, laidOut); });
    dialog.resize(900, 700);
    dialog.exec();
}

} // namespace sp::frame
