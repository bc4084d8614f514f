#include "bookrenderer.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <string_view>

namespace sp::handin {

namespace {

QPageLayout pageLayout(bool landscape) {
    return QPageLayout(QPageSize(QPageSize::A4), landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0));
}

void paintPage(QPainter& painter, const PageContent& page) {
    for (const Shade& shade : page.shades)
        painter.fillRect(shade.rect, shade.colour);
    painter.setBrush(Qt::NoBrush);
    for (const Rule& rule : page.rules) {
        painter.setPen(QPen(Qt::black, rule.width, Qt::SolidLine, Qt::SquareCap));
        painter.drawLine(rule.line);
    }
    for (const Frame& frame : page.frames) {
        painter.setPen(QPen(frame.colour, frame.width));
        painter.drawRect(frame.rect);
    }
    for (const Stroke& stroke : page.strokes) {
        QPen pen(stroke.colour, stroke.width, stroke.style, Qt::FlatCap, Qt::RoundJoin);
        painter.setPen(pen);
        if (stroke.closed) {
            painter.setBrush(stroke.fill.alpha() > 0 ? QBrush(stroke.fill) : QBrush(Qt::NoBrush));
            painter.drawPolygon(stroke.points);
            painter.setBrush(Qt::NoBrush);
        } else {
            painter.drawPolyline(stroke.points);
        }
    }
    if (!page.strokes.empty())
        painter.setPen(QPen(Qt::black));
    for (const TextRun& run : page.texts) {
        if (painter.font() != run.font)
            painter.setFont(run.font);
        if (painter.pen().color() != run.colour)
            painter.setPen(run.colour);
        painter.drawText(run.origin, run.text);
    }
}

} // namespace

int paintBook(const LaidOutBook& book, QPagedPaintDevice& device, LandscapePages landscape) {
    if (book.pages.empty())
        return 0;
    const bool turned = landscape == LandscapePages::Turned;
    device.setPageLayout(pageLayout(turned && book.pages.front().landscape));
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    painter.setRenderHint(QPainter::Antialiasing);
    const double scale = device.logicalDpiX() / kDotsPerInch;
    for (std::size_t k = 0; k < book.pages.size(); ++k) {
        const PageContent& page = book.pages[k];
        if (k > 0) {
            if (turned)
                device.setPageLayout(pageLayout(page.landscape));
            if (!device.newPage())
                return 0;
        }
        painter.save();
        painter.scale(scale, scale);
        if (!turned && page.landscape) {
            // The landscape page's top to the paper's left edge, where the book is bound.
            painter.translate(0, portraitFrame().size.height());
            painter.rotate(-90);
        }
        paintPage(painter, page);
        painter.restore();
    }
    return painter.end() ? static_cast<int>(book.pages.size()) : 0;
}

QByteArray pdfOf(const HandInBook& book) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(static_cast<int>(kDotsPerInch));
        writer.setTitle(QString::fromUtf8(kBookTitle));
        writer.setCreator(QString::fromStdString(book.programLine));
        const Typesetter typesetter;
        if (paintBook(layOutBook(book, typesetter), writer, LandscapePages::Turned) == 0)
            return {};
    }
    return buffer.data();
}

core::WriteResult writePdf(const HandInBook& book, const std::filesystem::path& path) {
    const QByteArray bytes = pdfOf(book);
    if (bytes.isEmpty())
        return {false, path.string(), "the book could not be drawn as PDF"};
    core::SafeFileWriter out(path);
    if (out.append(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))))
        out.commit();
    return out.result();
}

} // namespace sp::handin
