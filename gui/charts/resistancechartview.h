#pragma once
// Where a module 2 pile's resistance comes from: a bar per rock layer of its side resistance and one
// for the end resistance, in kN, each category named with the layer and its share of Quk.

#include "charts/resistancebars.h"

#include <QChartView>
#include <QStringList>

class QStackedBarSeries;
class QBarSet;
class QBarCategoryAxis;
class QValueAxis;

namespace sp::gui {

struct ResistanceSeries {
    QStackedBarSeries* bars = nullptr;
    QBarSet* side = nullptr; // the layers' side resistances, 0 under the end bar
    QBarSet* end = nullptr;  // the end resistance, 0 under the layers
    QBarCategoryAxis* x = nullptr;
    QValueAxis* y = nullptr;
};

// A category's text: the layer ("第1层") or "端阻", and under it the share ("34.21%").
QString resistanceCategory(const charts::ResistanceBar& bar);

// The chart's title: what it shows, the pile it is of and its Quk with the shares (rich text).
QString resistanceTitle(const charts::ResistanceBars& bars);

ResistanceSeries buildResistanceChart(QChart* chart, const charts::ResistanceBars& bars);

class ResistanceChartView : public QChartView {
    Q_OBJECT
public:
    explicit ResistanceChartView(QWidget* parent = nullptr);
    void setBars(const charts::ResistanceBars& bars);
    const ResistanceSeries& series() const { return m_series; }

private:
    ResistanceSeries m_series;
};

} // namespace sp::gui
