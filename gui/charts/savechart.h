#pragma once
// Saving a chart as a picture: PNG (the widget as it shows) or SVG (drawn again as vectors), chosen
// by the file's suffix. The file is written beside the target and renamed over it, so a failed save
// leaves what was there.

#include <QString>

class QWidget;

namespace sp::gui {

struct ChartSaveResult {
    bool ok = true;
    QString error; // the path and the reason, ready to show, when it failed
};

ChartSaveResult saveChart(QWidget* chart, const QString& path);

} // namespace sp::gui
