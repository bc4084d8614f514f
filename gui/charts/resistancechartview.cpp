#include "charts/resistancechartview.h"

#include "charts/chartparts.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QStackedBarSeries>
#include <QValueAxis>

#include <algorithm>

namespace sp::gui {

QString resistanceCategory(const charts::ResistanceBar& bar) {
    const QString name = bar.kind == charts::ResistanceBar::Kind::End
                             ? QString::fromUtf8(bar.label)
                             : QStringLiteral("第%1层").arg(QString::fromStdString(bar.label));
    return name + QLatin1Char('\n') + QString::fromStdString(bar.shareText);
}

QString resistanceTitle(const charts::ResistanceBars& bars) {
    QString title = QStringLiteral("各层侧阻与端阻");
    if (!bars.pile.empty())
        title += QStringLiteral("<br>") + QString::fromStdString(bars.pile).toHtmlEscaped();
    title += QStringLiteral("<br>Quk = %1 kN（侧阻 %2%，端阻 %3%）")
                 .arg(bars.quk, 0, 'f', 1)
                 .arg(bars.sideShare, 0, 'f', 2)
                 .arg(bars.endShare, 0, 'f', 2);
    return QStringLiteral("<center>%1</center>").arg(title);
}

ResistanceSeries buildResistanceChart(QChart* chart, const charts::ResistanceBars& bars) {
    ResistanceSeries out;
    chart->legend()->setAlignment(Qt::AlignBottom);
    if (!bars.ok) {
        chart->setTitle(QStringLiteral("没有可画的计算结果"));
        return out;
    }
    chart->setTitle(resistanceTitle(bars));

    // Two sets stacked, so that side and end bars differ in colour yet stand one per category.
    out.side = new QBarSet(QStringLiteral("侧阻 Qsrik"));
    out.end = new QBarSet(QStringLiteral("端阻 Qpk"));
    out.side->setColor(QColor(0x3a, 0x7c, 0xc8));
    out.end->setColor(QColor(0xd0, 0x8a, 0x2c));
    QStringList categories;
    double top = 0.0;
    for (const charts::ResistanceBar& bar : bars.bars) {
        const bool end = bar.kind == charts::ResistanceBar::Kind::End;
        *out.side << (end ? 0.0 : bar.value);
        *out.end << (end ? bar.value : 0.0);
        categories << resistanceCategory(bar);
        top = std::max(top, bar.value);
    }
    out.bars = new QStackedBarSeries;
    out.bars->append(out.side);
    out.bars->append(out.end);
    out.bars->setLabelsVisible(true);
    out.bars->setLabelsFormat(QStringLiteral("@value"));
    out.bars->setLabelsPrecision(6);
    out.bars->setLabelsPosition(QAbstractBarSeries::LabelsInsideEnd);
    chart->addSeries(out.bars);

    out.x = new QBarCategoryAxis;
    out.x->append(categories);
    out.y = new QValueAxis;
    out.y->setTitleText(QStringLiteral("kN"));
    out.y->setRange(0.0, top > 0.0 ? top * 1.1 : 1.0);
    out.y->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(out.x, Qt::AlignBottom);
    chart->addAxis(out.y, Qt::AlignLeft);
    out.y->applyNiceNumbers();
    out.bars->attachAxis(out.x);
    out.bars->attachAxis(out.y);
    return out;
}

ResistanceChartView::ResistanceChartView(QWidget* parent) : QChartView(parent) {
    setRenderHint(QPainter::Antialiasing);
    setMinimumSize(480, 320);
    setBars({});
}

void ResistanceChartView::setBars(const charts::ResistanceBars& bars) {
    auto* chart = new QChart;
    m_series = buildResistanceChart(chart, bars);
    replaceChart(this, chart);
}

} // namespace sp::gui
