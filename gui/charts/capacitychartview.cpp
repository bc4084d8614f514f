#include "charts/capacitychartview.h"

#include "charts/axisticks.h"
#include "charts/chartparts.h"

#include <QAreaSeries>
#include <QChart>
#include <QGraphicsScene>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <memory>

namespace sp::gui {

namespace {

const QColor kRaColour(0x1f, 0x5f, 0xbf);
const QColor kRcColour(0xc0, 0x50, 0x20);

void hideFromLegend(QChart* chart, QAbstractSeries* series) {
    for (QLegendMarker* marker : chart->legend()->markers(series))
        marker->setVisible(false);
}

void attach(QChart* chart, QAbstractSeries* series, QValueAxis* x, QValueAxis* y) {
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
}

// Ra solid and Rc dashed, Ra,req and N dash-dotted in the colour of the line each is read against:
// told apart by their pattern as well as their colour, in the legend too, as in the book's figure.
QPen linePen(const QColor& colour, double width, Qt::PenStyle style) {
    QPen pen(colour);
    pen.setWidthF(width);
    pen.setStyle(style);
    return pen;
}

QLineSeries* horizontal(const QString& name, double value, double xEnd, const QPen& pen) {
    auto* line = new QLineSeries;
    line->setName(name);
    line->append(0.0, value);
    line->append(xEnd, value);
    line->setPen(pen);
    return line;
}

} // namespace

QString capacityTitle(const charts::CapacityCurve& curve) {
    QString title = QString::fromUtf8(kCapacityTitle);
    if (!curve.pile.empty())
        title += QStringLiteral("<br>") + QString::fromStdString(curve.pile).toHtmlEscaped();
    return QStringLiteral("<center>%1</center>").arg(title);
}

CapacitySeries buildCapacityChart(QChart* chart, const charts::CapacityCurve& curve) {
    CapacitySeries out;
    chart->legend()->setAlignment(Qt::AlignBottom);
    // Each entry drawn as its series is: a piece of line in its pattern, the design's square mark.
    chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    if (!curve.ok) {
        chart->setTitle(QString::fromStdString(curve.message));
        return out;
    }
    chart->setTitle(capacityTitle(curve));

    double top = 0.0;
    for (const charts::CurvePoint& p : curve.points)
        if (p.accepted)
            top = std::max({top, p.ra, p.rc});
    if (curve.design)
        top = std::max({top, curve.design->ra, curve.design->rc});
    if (curve.raRequired)
        top = std::max(top, *curve.raRequired);
    if (curve.axialForce)
        top = std::max(top, *curve.axialForce);
    top = top > 0.0 ? top * 1.08 : 1.0;

    out.x = new QValueAxis;
    out.x->setTitleText(QString::fromUtf8(kCapacityXTitle));
    out.x->setRange(0.0, curve.hrEnd > 0.0 ? curve.hrEnd : 1.0);
    out.x->setLabelFormat(QStringLiteral("%.0f"));
    out.y = new QValueAxis;
    out.y->setTitleText(QString::fromUtf8(kCapacityYTitle));
    out.y->setRange(0.0, top);
    out.y->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(out.x, Qt::AlignBottom);
    chart->addAxis(out.y, Qt::AlignLeft);
    // The depths end where the samples end, so that the shading reaches the edge.
    roundTicks(out.x);
    out.y->applyNiceNumbers();
    const double yTop = out.y->max();

    // The shaded region goes first so that the lines lie over it.
    if (curve.plateauStart < curve.hrEnd) {
        auto* upper = new QLineSeries;
        upper->append(curve.plateauStart, yTop);
        upper->append(curve.hrEnd, yTop);
        auto* lower = new QLineSeries;
        lower->append(curve.plateauStart, 0.0);
        lower->append(curve.hrEnd, 0.0);
        out.plateau = areaBetween(upper, lower);
        out.plateau->setName(QString::fromUtf8(kPlateauName));
        out.plateau->setBrush(QColor(0x90, 0x90, 0x90, 60));
        out.plateau->setPen(QPen(QColor(0x90, 0x90, 0x90, 120), 1.0, Qt::DotLine));
        attach(chart, out.plateau, out.x, out.y);
    }

    const auto segments = curve.segments();
    for (const charts::CurveSegment& s : segments) {
        auto* ra = new QLineSeries;
        auto* rc = new QLineSeries;
        ra->setName(QStringLiteral("Ra"));
        rc->setName(QStringLiteral("Rc"));
        ra->setPen(linePen(kRaColour, 2.0, Qt::SolidLine));
        rc->setPen(linePen(kRcColour, 2.0, Qt::DashLine));
        for (std::size_t i = s.begin; i < s.end; ++i) {
            ra->append(curve.points[i].hr, curve.points[i].ra);
            rc->append(curve.points[i].hr, curve.points[i].rc);
        }
        attach(chart, ra, out.x, out.y);
        attach(chart, rc, out.x, out.y);
        // One legend entry each, however many pieces the gaps cut the lines into.
        if (!out.ra.isEmpty()) {
            hideFromLegend(chart, ra);
            hideFromLegend(chart, rc);
        }
        out.ra << ra;
        out.rc << rc;
    }

    if (curve.raRequired) {
        out.raRequired = horizontal(QStringLiteral("Ra,req"), *curve.raRequired, out.x->max(),
                                    linePen(kRaColour, 1.5, Qt::DashDotLine));
        attach(chart, out.raRequired, out.x, out.y);
    }
    if (curve.axialForce) {
        out.axialForce = horizontal(QStringLiteral("N"), *curve.axialForce, out.x->max(),
                                    linePen(kRcColour, 1.5, Qt::DashDotDotLine));
        attach(chart, out.axialForce, out.x, out.y);
    }

    if (curve.design) {
        out.design = new QScatterSeries;
        out.design->setName(QString::fromUtf8(kDesignName));
        out.design->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
        out.design->setMarkerSize(10.0);
        out.design->setColor(QColor(0x20, 0x20, 0x20));
        out.design->setBorderColor(Qt::white);
        out.design->append(curve.design->hr, curve.design->ra);
        out.design->append(curve.design->hr, curve.design->rc);
        attach(chart, out.design, out.x, out.y);
    }
    return out;
}

CapacityChartView::CapacityChartView(QWidget* parent) : QChartView(parent) {
    setRenderHint(QPainter::Antialiasing);
    setMinimumSize(480, 320);
    setCurve({});
}

void CapacityChartView::setCurve(const charts::CapacityCurve& curve) {
    auto* chart = new QChart;
    m_series = buildCapacityChart(chart, curve);
    replaceChart(this, chart);
}

void paintCapacityChart(QPainter& painter, const QRectF& target, const charts::CapacityCurve& curve) {
    QGraphicsScene scene;
    auto* chart = new QChart; // the scene owns and deletes it
    buildCapacityChart(chart, curve);
    chart->setBackgroundRoundness(0);
    scene.addItem(chart);
    const QRectF area(QPointF(0, 0), target.size());
    chart->setGeometry(area);
    scene.setSceneRect(area);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, target, area);
    painter.restore();
}

} // namespace sp::gui
