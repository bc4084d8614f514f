#pragma once
// "图表": a window beside the module window that shows one chart — the capacity of a one-layer pile
// against its socket depth, or where a module 2 pile's resistance comes from — with "保存图表…",
// which saves it as PNG or SVG. It does not block the module window, and shows what it was given
// when it opened; pressing "图表" again opens it anew.

#include "charts/capacitycurve.h"
#include "charts/designspace.h"
#include "charts/resistancebars.h"

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace sp::frame {
class FileChooser;
class MessageSink;
}

namespace sp::optimise {
class ResultTable;
}

namespace sp::gui {

class DesignSpaceChartView;

// What saving needs from the module window: its file dialog, its message boxes and the folder the
// dialog starts in.
struct ChartServices {
    frame::FileChooser* files = nullptr;
    frame::MessageSink* messages = nullptr;
    QString documentsFolder;
};

// The names the save dialog offers and the file it suggests.
inline constexpr const char* kChartFilters = "PNG 图片 (*.png);;SVG 矢量图 (*.svg)";
inline constexpr const char* kChartFileName = "图表.png";

class ChartWindow : public QDialog {
    Q_OBJECT
public:
    ChartWindow(const ChartServices& services, QWidget* parent = nullptr);

    // The capacity chart of a one-layer pile.
    void showCapacity(const charts::CapacityCurve& curve);
    // Module 2's resistance bars; a pile that did not calculate leaves a plain message instead.
    void showResistance(const charts::ResistanceBars& bars);

    // An optimisation page's design space; the rows' tooltips come from `table`, which must stay
    // alive while the window shows it. Shown again, the same chart takes the new points.
    DesignSpaceChartView* showDesignSpace(charts::DesignSpace space, const optimise::ResultTable* table);

    // The chart on view; nothing while the window shows a message.
    QWidget* chart() const { return m_chart; }
    // The message shown instead of a chart; empty while a chart is on view.
    QString message() const;

    // "保存图表…": asks for a file and writes the chart, then says where; a failure is warned about
    // with the path and the reason. A name without a suffix takes the type chosen in the dialog
    // (PNG when it does not tell), asking before it replaces a file of that name.
    void saveChart();

signals:
    // A click on a candidate of the design space: this row of the page's visible table.
    void rowClicked(qulonglong row);

private:
    void place(QWidget* chart);

    ChartServices m_services;
    QVBoxLayout* m_layout = nullptr;
    QWidget* m_chart = nullptr;
    QLabel* m_message = nullptr;
    QPushButton* m_save = nullptr;
};

} // namespace sp::gui
