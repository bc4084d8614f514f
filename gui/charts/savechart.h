#pragma once
// Saving a chart as a picture: PNG (the widget drawn again at three times its size on screen, so
// that it prints sharp) or SVG (drawn again as vectors), chosen by the file's suffix. The file is
// written beside the target and renamed over it, so a failed save leaves what was there.

#include <QString>

class QImage;
class QWidget;

namespace sp::gui {

// The PNG's pixels per pixel on screen, and the resolution it is marked with: the window's chart
// (about 740 pixels wide) prints about 19 cm wide.
inline constexpr int kPngScale = 3;
inline constexpr double kPngDpi = 300.0;

// The chart as the PNG holds it.
QImage pngImage(QWidget* chart);

struct ChartSaveResult {
    bool ok = true;
    QString error; // the path and the reason, ready to show, when it failed
};

ChartSaveResult saveChart(QWidget* chart, const QString& path);

} // namespace sp::gui
