#include "chartlayout.h"

#include "core/roundstep.h"

#include <algorithm>
#include <cmath>

namespace sp::handin {

namespace {

const TextStyle kTickStyle{8};
const TextStyle kAxisTitleStyle{9};
const TextStyle kLegendStyle{9};

// The chart window's colours, so that the book's figure reads as the chart on screen does.
const QColor kRaColour(0x1f, 0x5f, 0xbf);
const QColor kRcColour(0xc0, 0x50, 0x20);
const QColor kGridColour(0xd4, 0xd4, 0xd4);
const QColor kBandFill(0x90, 0x90, 0x90, 60);
const QColor kBandEdge(0x80, 0x80, 0x80);
const QColor kMarkColour(0x20, 0x20, 0x20);

const double kTickLength = mm(1.2);
const double kLegendSample = mm(9);
const double kMarkSide = mm(2.2);

struct Look {
    QColor colour;
    double width;
    Qt::PenStyle style;
};

// Ra solid and Rc dashed, the required values dash-dotted in the colour of the line they are
// read against: told apart by their pattern as well as their colour.
Look lookOf(SeriesRole role) {
    switch (role) {
    case SeriesRole::Ra:
        return {kRaColour, pt(1.6), Qt::SolidLine};
    case SeriesRole::Rc:
        return {kRcColour, pt(1.6), Qt::DashLine};
    case SeriesRole::RaRequired:
        return {kRaColour, pt(1.0), Qt::DashDotLine};
    case SeriesRole::AxialForce:
        return {kRcColour, pt(1.0), Qt::DashDotDotLine};
    }
    return {Qt::black, pt(1.0), Qt::SolidLine};
}


std::string label(double value, int decimals) { return grouped(std::abs(value) < 1e-12 ? 0.0 : value, decimals); }

class ChartPainter {
public:
    ChartPainter(const LineChart& chart, const Typesetter& type, PageContent& page)
        : m_chart(chart), m_type(type), m_page(page) {}

    void layOut(const QRectF& area);

private:
    struct LegendEntry {
        enum Kind { Line, Band, Mark } kind;
        std::string name;
        SeriesRole role = SeriesRole::Ra;
        double width = 0;
    };

    double px(double x) const {
        const double span = m_chart.x.to - m_chart.x.from;
        const double t = span > 0 ? (std::clamp(x, m_chart.x.from, m_chart.x.to) - m_chart.x.from) / span : 0;
        return m_plot.left() + t * m_plot.width();
    }
    double py(double y) const {
        const double span = m_chart.y.to - m_chart.y.from;
        const double t = span > 0 ? (std::clamp(y, m_chart.y.from, m_chart.y.to) - m_chart.y.from) / span : 0;
        return m_plot.bottom() - t * m_plot.height();
    }
    // The markup on one line, `at` on its baseline.
    void text(const std::string& markup, const TextStyle& style, QPointF at, Align align) {
        if (markup.empty())
            return;
        m_type.place(m_type.wrap(markup, style, 1e9).front(), style, at, align, m_page);
    }
    // The baseline that sets a line of the style with its middle at `y`.
    double centredBaseline(const TextStyle& style, double y) const {
        const QFontMetricsF& m = m_type.metrics(style);
        return y + (m.ascent() - m.descent()) / 2;
    }
    void stroke(QPolygonF points, const Look& look) {
        m_page.strokes.push_back({std::move(points), look.width, look.colour, look.style});
    }
    void mark(QPointF centre) {
        const double h = kMarkSide / 2;
        QPolygonF square({centre + QPointF(-h, -h), centre + QPointF(h, -h), centre + QPointF(h, h),
                          centre + QPointF(-h, h)});
        m_page.strokes.push_back({square, pt(0.8), Qt::white, Qt::SolidLine, true, kMarkColour});
    }
    std::vector<LegendEntry> legendEntries() const;
    std::vector<std::vector<LegendEntry>> legendRows(const std::vector<LegendEntry>& entries, double width) const;
    void legend(const std::vector<std::vector<LegendEntry>>& rows, double top, double centre, double rowHeight);

    const LineChart& m_chart;
    const Typesetter& m_type;
    PageContent& m_page;
    QRectF m_plot;
};

std::vector<ChartPainter::LegendEntry> ChartPainter::legendEntries() const {
    std::vector<LegendEntry> entries;
    for (const ChartSeries& series : m_chart.series)
        entries.push_back({LegendEntry::Line, series.name, series.role});
    if (m_chart.band)
        entries.push_back({LegendEntry::Band, m_chart.band->name});
    if (m_chart.mark)
        entries.push_back({LegendEntry::Mark, m_chart.mark->name});
    for (LegendEntry& entry : entries)
        entry.width = kLegendSample + mm(1.5) + m_type.width(entry.name, kLegendStyle);
    return entries;
}

std::vector<std::vector<ChartPainter::LegendEntry>>
ChartPainter::legendRows(const std::vector<LegendEntry>& entries, double width) const {
    const double between = mm(6);
    std::vector<std::vector<LegendEntry>> rows;
    double used = 0;
    for (const LegendEntry& entry : entries) {
        if (rows.empty() || used + between + entry.width > width) {
            rows.emplace_back();
            used = -between;
        }
        rows.back().push_back(entry);
        used += between + entry.width;
    }
    return rows;
}

void ChartPainter::legend(const std::vector<std::vector<LegendEntry>>& rows, double top, double centre,
                          double rowHeight) {
    const double between = mm(6);
    for (const std::vector<LegendEntry>& row : rows) {
        double width = -between;
        for (const LegendEntry& entry : row)
            width += between + entry.width;
        double x = centre - width / 2;
        const double middle = top + rowHeight / 2;
        for (const LegendEntry& entry : row) {
            switch (entry.kind) {
            case LegendEntry::Line:
                stroke(QPolygonF({QPointF(x, middle), QPointF(x + kLegendSample, middle)}), lookOf(entry.role));
                break;
            case LegendEntry::Band: {
                const QRectF swatch(x + mm(1), middle - mm(1.6), kLegendSample - mm(2), mm(3.2));
                m_page.shades.push_back({swatch, kBandFill});
                m_page.strokes.push_back({QPolygonF(swatch), pt(0.6), kBandEdge, Qt::DotLine, true});
                break;
            }
            case LegendEntry::Mark:
                mark(QPointF(x + kLegendSample / 2, middle));
                break;
            }
            text(entry.name, kLegendStyle, QPointF(x + kLegendSample + mm(1.5), centredBaseline(kLegendStyle, middle)),
                 Align::Left);
            x += entry.width + between;
        }
        top += rowHeight;
    }
}

void ChartPainter::layOut(const QRectF& area) {
    const Ticks xTicks = roundTicks(m_chart.x.from, m_chart.x.to);
    const Ticks yTicks = roundTicks(m_chart.y.from, m_chart.y.to);
    double yLabels = 0;
    for (double v : yTicks.values)
        yLabels = std::max(yLabels, m_type.width(label(v, yTicks.decimals), kTickStyle));
    const double lastXLabel =
        xTicks.values.empty() ? 0 : m_type.width(label(xTicks.values.back(), xTicks.decimals), kTickStyle);

    const double tickLine = Typesetter::lineHeight(kTickStyle, 1.3);
    const double titleLine = Typesetter::lineHeight(kAxisTitleStyle, 1.4);
    const double legendLine = Typesetter::lineHeight(kLegendStyle, 1.6);
    const std::vector<LegendEntry> entries = legendEntries();
    const auto rows = legendRows(entries, area.width());

    const double left = area.left() + yLabels + kTickLength + mm(1.5);
    const double right = area.right() - std::max(mm(2), lastXLabel / 2);
    const double top = area.top() + titleLine + mm(2.5); // clear of the top tick label
    const double bottom = area.bottom() - (kTickLength + mm(0.5) + tickLine + titleLine + mm(1.5) + rows.size() * legendLine);
    m_plot = QRectF(QPointF(left, top), QPointF(right, std::max(bottom, top + mm(10))));

    // The band under everything, then the grid, the lines, the frame and the marks over them.
    if (m_chart.band && m_chart.band->to > m_chart.band->from) {
        const double from = px(m_chart.band->from);
        m_page.shades.push_back({QRectF(QPointF(from, m_plot.top()), QPointF(px(m_chart.band->to), m_plot.bottom())),
                                 kBandFill});
        m_page.strokes.push_back(
            {QPolygonF({QPointF(from, m_plot.top()), QPointF(from, m_plot.bottom())}), pt(0.8), kBandEdge, Qt::DotLine});
    }
    const Look grid{kGridColour, pt(0.4), Qt::SolidLine};
    const Look tick{Qt::black, pt(0.6), Qt::SolidLine};
    for (double v : xTicks.values) {
        const double x = px(v);
        if (x > m_plot.left() + 0.5 && x < m_plot.right() - 0.5)
            stroke(QPolygonF({QPointF(x, m_plot.top()), QPointF(x, m_plot.bottom())}), grid);
        stroke(QPolygonF({QPointF(x, m_plot.bottom()), QPointF(x, m_plot.bottom() + kTickLength)}), tick);
        text(label(v, xTicks.decimals), kTickStyle,
             QPointF(x, m_plot.bottom() + kTickLength + mm(0.5) + m_type.baselineIn(kTickStyle, tickLine)), Align::Centre);
    }
    for (double v : yTicks.values) {
        const double y = py(v);
        if (y > m_plot.top() + 0.5 && y < m_plot.bottom() - 0.5)
            stroke(QPolygonF({QPointF(m_plot.left(), y), QPointF(m_plot.right(), y)}), grid);
        stroke(QPolygonF({QPointF(m_plot.left() - kTickLength, y), QPointF(m_plot.left(), y)}), tick);
        text(label(v, yTicks.decimals), kTickStyle,
             QPointF(m_plot.left() - kTickLength - mm(1), centredBaseline(kTickStyle, y)), Align::Right);
    }

    for (const ChartSeries& series : m_chart.series) {
        const Look look = lookOf(series.role);
        for (const std::vector<ChartPoint>& piece : series.pieces) {
            QPolygonF line;
            for (const ChartPoint& p : piece)
                line << QPointF(px(p.x), py(p.y));
            if (line.size() == 1) // a single accepted depth between refused ones: a dot of the line
                line << line.front() + QPointF(pt(0.5), 0);
            if (!line.isEmpty())
                stroke(line, look);
        }
    }
    m_page.strokes.push_back({QPolygonF(m_plot), pt(0.8), Qt::black, Qt::SolidLine, true});
    if (m_chart.mark)
        for (const ChartPoint& p : m_chart.mark->points)
            mark(QPointF(px(p.x), py(p.y)));

    // The y axis's title over the axis, the x axis's under its tick labels.
    text(m_chart.y.title, kAxisTitleStyle, QPointF(area.left(), area.top() + m_type.baselineIn(kAxisTitleStyle, titleLine)),
         Align::Left);
    const double xTitleTop = m_plot.bottom() + kTickLength + mm(0.5) + tickLine;
    text(m_chart.x.title, kAxisTitleStyle,
         QPointF(m_plot.center().x(), xTitleTop + m_type.baselineIn(kAxisTitleStyle, titleLine)), Align::Centre);
    legend(rows, xTitleTop + titleLine + mm(1.5), m_plot.center().x(), legendLine);
}

} // namespace

Ticks roundTicks(double from, double to, int count) {
    Ticks ticks;
    const double span = to - from;
    if (!(span > 0) || count < 1)
        return ticks;
    const double step = core::roundStep(span / count);
    ticks.decimals = step >= 1.0 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
    for (double k = std::ceil(from / step - 1e-9); k * step <= to + 1e-9 * span; k += 1)
        ticks.values.push_back(k * step);
    return ticks;
}

void layOutLineChart(const LineChart& chart, const QRectF& area, const Typesetter& type, PageContent& page) {
    ChartPainter(chart, type, page).layOut(area);
}

} // namespace sp::handin
