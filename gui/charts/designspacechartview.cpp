#include "charts/designspacechartview.h"

#include "charts/axisticks.h"
#include "charts/chartparts.h"

#include "optimise/results/resulttable.h"

#include <QAreaSeries>
#include <QChart>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QScatterSeries>
#include <QToolTip>
#include <QValueAxis>

#include <array>
#include <map>

namespace sp::gui {

namespace {

QColor sectionColour(core::SectionType type) {
    switch (type) {
    case core::SectionType::Round: return QColor(0x1f, 0x77, 0xb4);
    case core::SectionType::Oblong: return QColor(0x2c, 0xa0, 0x2c);
    case core::SectionType::Rectangular: return QColor(0xd6, 0x27, 0x28);
    case core::SectionType::Square: return QColor(0x94, 0x67, 0xbd);
    }
    return Qt::gray;
}

} // namespace

QString candidateRowText(const optimise::ResultTable& table, std::size_t row) {
    QStringList lines;
    lines << QStringLiteral("第 %1 行").arg(row + 1);
    for (int c = 0; c < static_cast<int>(optimise::kResultColumns); ++c) {
        const std::string cell = table.cell(row, c);
        if (!cell.empty())
            lines << QString::fromStdString(table.header(c)).trimmed() + QStringLiteral("：") + QString::fromStdString(cell);
    }
    return lines.join(QLatin1Char('\n'));
}

QString pointSeriesName(const charts::CandidatePoint& p) {
    QString name = QString::fromUtf8(core::sectionItemText(p.section));
    if (p.overStandard)
        name += QStringLiteral(" 超规");
    if (!p.inBand)
        name += QStringLiteral("（范围外）");
    return name;
}

DesignSpaceChartView::DesignSpaceChartView(QWidget* parent) : QChartView(parent) {
    setRenderHint(QPainter::Antialiasing);
    setMouseTracking(true);
    viewport()->setMouseTracking(true); // moves without a button reach the view: hovering shows a row
    setMinimumSize(480, 320);
    setSpace({});
}

void DesignSpaceChartView::setSpace(charts::DesignSpace space, const optimise::ResultTable* table) {
    m_space = std::move(space);
    m_table = table;
    m_locator.reset();
    rebuild();
}

void DesignSpaceChartView::rebuild() {
    m_locator.reset();
    m_series = {};
    auto* chart = new QChart;
    // On the right, one entry a line, where the classes' names are not cut short.
    chart->legend()->setAlignment(Qt::AlignRight);
    m_builtFor = size();

    // The frame is laid out for the plot's pixels; before the view has a size, a usual one.
    const QSize pixels = size().width() > 100 ? size() : QSize(800, 500);
    const charts::PlotFrame frame = charts::frameAround(m_space, pixels.width(), pixels.height());

    m_series.x = new QValueAxis;
    m_series.x->setTitleText(QString::fromUtf8(
        m_space.module == optimise::ModuleKind::Module2 ? kVolumeTitleModule2 : kVolumeTitle));
    m_series.x->setRange(frame.xMin, frame.xMax);
    m_series.y = new QValueAxis;
    m_series.y->setTitleText(QString::fromUtf8(kRaTitle));
    m_series.y->setRange(frame.yMin, frame.yMax);
    m_series.y->setLabelFormat(QStringLiteral("%.0f"));
    roundTicks(m_series.x);
    roundTicks(m_series.y);
    chart->addAxis(m_series.x, Qt::AlignBottom);
    chart->addAxis(m_series.y, Qt::AlignLeft);
    auto attach = [&](QAbstractSeries* s) {
        chart->addSeries(s);
        s->attachAxis(m_series.x);
        s->attachAxis(m_series.y);
    };

    if (m_space.band) {
        const charts::BandRange& ra = m_space.band->ra;
        const double low = ra.lowerOpen ? frame.yMin : ra.lower;
        const double high = ra.upperOpen ? frame.yMax : std::min(ra.upper, frame.yMax);
        if (!(ra.lowerOpen && ra.upperOpen)) {
            auto* upper = new QLineSeries;
            upper->append(frame.xMin, high);
            upper->append(frame.xMax, high);
            auto* lower = new QLineSeries;
            lower->append(frame.xMin, low);
            lower->append(frame.xMax, low);
            m_series.band = areaBetween(upper, lower);
            m_series.band->setName(QString::fromUtf8(kBandName));
            m_series.band->setBrush(QColor(0xff, 0xd7, 0x00, 50));
            m_series.band->setPen(QPen(QColor(0xb0, 0x90, 0x00), 1.0, Qt::DashLine));
            attach(m_series.band);
        }
    }

    m_drawn = m_space.points.empty() ? std::vector<std::uint32_t>{}
                                     : charts::thinnedPoints(m_space, frame, kMaxDrawn);
    std::map<int, QScatterSeries*> byClass;
    for (std::uint32_t row : m_drawn) {
        const charts::CandidatePoint& p = m_space.points[row];
        const int cls = charts::pointClass(p);
        QScatterSeries*& s = byClass[cls];
        if (!s) {
            s = new QScatterSeries;
            s->setName(pointSeriesName(p));
            QColor colour = sectionColour(p.section);
            if (!p.inBand)
                colour.setAlpha(90);
            s->setColor(colour);
            s->setBorderColor(colour);
            s->setMarkerShape(p.overStandard ? QScatterSeries::MarkerShapeTriangle
                                             : QScatterSeries::MarkerShapeCircle);
            s->setMarkerSize(p.overStandard ? 9.0 : 6.0);
            s->setPointsVisible(true);
        }
        s->append(p.volume, p.ra);
    }
    for (auto& [cls, s] : byClass) {
        s->setUseOpenGL(false);
        attach(s);
        m_series.points << s;
    }

    if (m_space.cheapest) {
        const charts::CandidatePoint& p = m_space.points[*m_space.cheapest];
        m_series.cheapest = new QScatterSeries;
        m_series.cheapest->setName(QString::fromUtf8(kCheapestName));
        m_series.cheapest->setMarkerShape(QScatterSeries::MarkerShapeStar);
        m_series.cheapest->setMarkerSize(18.0);
        m_series.cheapest->setColor(QColor(0xff, 0xc0, 0x00));
        m_series.cheapest->setBorderColor(Qt::black);
        m_series.cheapest->append(p.volume, p.ra);
        attach(m_series.cheapest);
    }
    if (m_space.points.empty())
        chart->setTitle(QStringLiteral("没有候选方案"));

    replaceChart(this, chart);
    connect(chart, &QChart::plotAreaChanged, this, [this] { m_locator.reset(); });
}

void DesignSpaceChartView::updateLocator() {
    if (m_locator || m_space.points.empty() || !chart())
        return;
    const QRectF area = chart()->plotArea();
    charts::PlotFrame frame;
    frame.xMin = m_series.x->min();
    frame.xMax = m_series.x->max();
    frame.yMin = m_series.y->min();
    frame.yMax = m_series.y->max();
    frame.width = std::max(1, qRound(area.width()));
    frame.height = std::max(1, qRound(area.height()));
    m_locator.emplace(m_space, frame);
}

std::optional<std::size_t> DesignSpaceChartView::rowAtPosition(const QPointF& pos) const {
    auto* self = const_cast<DesignSpaceChartView*>(this);
    self->updateLocator();
    if (!m_locator)
        return std::nullopt;
    const QPointF value = chart()->mapToValue(mapToScene(pos.toPoint()));
    return m_locator->rowAt(value.x(), value.y(), kPickRadius);
}

QPointF DesignSpaceChartView::positionOfRow(std::size_t row) const {
    const charts::CandidatePoint& p = m_space.points.at(row);
    return mapFromScene(chart()->mapToPosition(QPointF(p.volume, p.ra)));
}

QString DesignSpaceChartView::rowText(std::size_t row) const {
    if (m_table && row < m_table->rowCount())
        return candidateRowText(*m_table, row);
    const charts::CandidatePoint& p = m_space.points.at(row);
    return QStringLiteral("第 %1 行\nRa：%2 kN\n体积：%3 m³").arg(row + 1).arg(p.ra).arg(p.volume);
}

void DesignSpaceChartView::mouseMoveEvent(QMouseEvent* event) {
    QChartView::mouseMoveEvent(event);
    if (const auto row = rowAtPosition(event->position())) {
        QToolTip::showText(event->globalPosition().toPoint(), rowText(*row), this);
        emit rowHovered(*row);
    } else {
        QToolTip::hideText();
    }
}

void DesignSpaceChartView::mousePressEvent(QMouseEvent* event) {
    QChartView::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    if (const auto row = rowAtPosition(event->position()))
        emit rowClicked(*row);
}

void DesignSpaceChartView::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    // The thinning is made for the plot's pixels: redo it when the view grows or shrinks much.
    const QSize now = size();
    if (std::abs(now.width() - m_builtFor.width()) > now.width() / 4 ||
        std::abs(now.height() - m_builtFor.height()) > now.height() / 4)
        rebuild();
    m_locator.reset();
}

} // namespace sp::gui
