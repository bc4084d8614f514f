#pragma once
// Ra and Rc of a one-layer pile against its socket depth: a line per run of depths the calculation
// accepts (broken where it refuses one), the current design marked, Ra,req and N as horizontal
// lines when given, and the depths past the end of the ζr table shaded, where Ra no longer grows.

#include "charts/capacitycurve.h"

#include <QChartView>
#include <QList>

class QChart;
class QLineSeries;
class QScatterSeries;
class QAreaSeries;
class QValueAxis;
class QPainter;
class QRectF;

namespace sp::gui {

// The legend's and axes' texts.
inline constexpr const char* kCapacityXTitle = "hr (mm)";
inline constexpr const char* kCapacityYTitle = "kN";
inline constexpr const char* kPlateauName = "超出表格范围";
inline constexpr const char* kDesignName = "当前设计";
inline constexpr const char* kCapacityTitle = "承载力随嵌岩深度变化";

// The chart's title: what it shows, and on a second line the pile it is of (rich text).
QString capacityTitle(const charts::CapacityCurve& curve);

// The series a capacity chart is made of, as it built them (owned by the chart).
struct CapacitySeries {
    QList<QLineSeries*> ra; // one line per segment of accepted depths
    QList<QLineSeries*> rc;
    QScatterSeries* design = nullptr;     // none when the design's own depth did not calculate
    QLineSeries* raRequired = nullptr;    // when given
    QLineSeries* axialForce = nullptr;    // when given
    QAreaSeries* plateau = nullptr;       // the depths past the table's end
    QValueAxis* x = nullptr;
    QValueAxis* y = nullptr;
};

// Fills an empty chart with the curve. A curve that did not calculate gets its message as title.
CapacitySeries buildCapacityChart(QChart* chart, const charts::CapacityCurve& curve);

class CapacityChartView : public QChartView {
    Q_OBJECT
public:
    explicit CapacityChartView(QWidget* parent = nullptr);
    void setCurve(const charts::CapacityCurve& curve);
    const CapacitySeries& series() const { return m_series; }

private:
    CapacitySeries m_series;
};

// Draws the capacity chart into `target` of a painter (a page of the printed book, an image),
// laid out for that rectangle's size.
void paintCapacityChart(QPainter& painter, const QRectF& target, const charts::CapacityCurve& curve);

} // namespace sp::gui
