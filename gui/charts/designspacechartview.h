#pragma once
// The design space of an optimisation page: each candidate's socket volume against its Ra, coloured
// by section kind, 超规 candidates in another marker, the filter's Ra window as a band and the
// cheapest candidate inside it highlighted. A million candidates are thinned to what the plot can
// show; the pointer is looked up among all of them: hovering shows the row, a click emits it.

#include "charts/designspace.h"

#include <QChartView>
#include <QList>

#include <cstddef>
#include <functional>
#include <optional>

class QAreaSeries;
class QScatterSeries;
class QValueAxis;

namespace sp::optimise {
class ResultTable;
}

namespace sp::gui {

inline constexpr const char* kBandName = "Ra 范围";
inline constexpr const char* kCheapestName = "带内最省";
inline constexpr const char* kVolumeTitle = "嵌岩段体积 Ap×hr (m³)";
inline constexpr const char* kVolumeTitleModule2 = "嵌岩段体积 Ap×lr (m³)";
inline constexpr const char* kRaTitle = "Ra (kN)";

// The tooltip of a row: each column's header and cell, one a line, empty cells left out.
QString candidateRowText(const optimise::ResultTable& table, std::size_t row);

// The legend's name of a point's series: its section kind, " 超规" when marked, "（范围外）" outside
// the band.
QString pointSeriesName(const charts::CandidatePoint& point);

struct DesignSpaceSeries {
    QList<QScatterSeries*> points; // one per drawn class (section kind, 超规, inside the band)
    QAreaSeries* band = nullptr;   // the Ra window; none without a band
    QScatterSeries* cheapest = nullptr;
    QValueAxis* x = nullptr;
    QValueAxis* y = nullptr;
};

class DesignSpaceChartView : public QChartView {
    Q_OBJECT
public:
    // At most this many points are drawn; the rest are thinned away (see charts::thinnedPoints).
    static constexpr std::size_t kMaxDrawn = 20000;
    // How near the pointer a point must be to be found, in pixels.
    static constexpr double kPickRadius = 6.0;

    explicit DesignSpaceChartView(QWidget* parent = nullptr);

    // The rows' tooltips come from `table` when given; it must stay alive while the view shows it.
    void setSpace(charts::DesignSpace space, const optimise::ResultTable* table = nullptr);

    const charts::DesignSpace& space() const { return m_space; }
    const DesignSpaceSeries& series() const { return m_series; }
    // The rows drawn (ascending), after thinning.
    const std::vector<std::uint32_t>& drawnRows() const { return m_drawn; }

    // The row under a point of the widget, looked up among all candidates.
    std::optional<std::size_t> rowAtPosition(const QPointF& pos) const;
    // The widget position of a candidate's point.
    QPointF positionOfRow(std::size_t row) const;
    // The tooltip the pointer shows over a row.
    QString rowText(std::size_t row) const;

signals:
    void rowHovered(qulonglong row);
    // A click on a candidate: recall this row of the visible table as a double click on it would.
    void rowClicked(qulonglong row);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void rebuild();
    void updateLocator();

    charts::DesignSpace m_space;
    const optimise::ResultTable* m_table = nullptr;
    DesignSpaceSeries m_series;
    std::vector<std::uint32_t> m_drawn;
    std::optional<charts::PointLocator> m_locator;
    QSize m_builtFor;
};

} // namespace sp::gui
