#include "charts/savechart.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QWidget>

namespace sp::gui {

namespace {

ChartSaveResult failed(const QString& path, const QString& reason) {
    return {false, QStringLiteral("无法保存图表到 %1：%2").arg(QDir::toNativeSeparators(path), reason)};
}

} // namespace

QImage pngImage(QWidget* chart) {
    // Drawn again at the larger scale rather than enlarged: lines and text stay sharp.
    QImage image(chart->size() * kPngScale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(kPngScale);
    image.fill(Qt::white);
    const int dotsPerMetre = qRound(kPngDpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&image);
    chart->render(&painter);
    painter.end();
    return image;
}

ChartSaveResult saveChart(QWidget* chart, const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (suffix == QLatin1String("png")) {
        if (!pngImage(chart).save(&buffer, "PNG"))
            return failed(path, QStringLiteral("图像无法编码为 PNG"));
    } else if (suffix == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(chart->size());
        svg.setViewBox(QRect(QPoint(0, 0), chart->size()));
        svg.setTitle(chart->windowTitle());
        QPainter painter;
        if (!painter.begin(&svg))
            return failed(path, QStringLiteral("无法生成 SVG"));
        chart->render(&painter);
        painter.end();
    } else {
        return failed(path, QStringLiteral("只能保存为 .png 或 .svg 文件"));
    }
    buffer.close();

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed(path, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failed(path, reason);
    }
    if (!file.commit())
        return failed(path, file.errorString());
    return {};
}

} // namespace sp::gui
