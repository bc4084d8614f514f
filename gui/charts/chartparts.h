#pragma once
// Who owns what in a chart. A chart view hands back the chart it showed when it is given another,
// and an area series does not own the two lines it fills between: left alone, both are lost
// each time a chart is drawn again.

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QLineSeries>

namespace sp::gui {

// Shows `chart` in `view`, which owns it from here, and deletes the chart shown before.
inline void replaceChart(QChartView* view, QChart* chart) {
    QChart* before = view->chart();
    view->setChart(chart);
    if (before != chart)
        delete before;
}

// The area between two lines, which it owns.
inline QAreaSeries* areaBetween(QLineSeries* upper, QLineSeries* lower) {
    auto* area = new QAreaSeries(upper, lower);
    upper->setParent(area);
    lower->setParent(area);
    return area;
}

} // namespace sp::gui
