#include "charts/chartwindow.h"

#include "charts/capacitychartview.h"
#include "charts/designspacechartview.h"
#include "charts/resistancechartview.h"
#include "charts/savechart.h"
#include "frame/filechooser.h"
#include "frame/messagesink.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

namespace sp::gui {

ChartWindow::ChartWindow(const ChartServices& services, QWidget* parent) : QDialog(parent), m_services(services) {
    setObjectName(QStringLiteral("TChartWindow"));
    setModal(false);
    setWindowTitle(QStringLiteral("图表"));
    m_layout = new QVBoxLayout(this);
    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("lb_ChartMessage"));
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setWordWrap(true);
    m_message->setMinimumSize(480, 320);
    m_layout->addWidget(m_message, 1);

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    m_save = new QPushButton(QStringLiteral("保存图表…"), this);
    m_save->setObjectName(QStringLiteral("cbt_SaveChart"));
    m_save->setEnabled(false);
    row->addWidget(m_save);
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    close->setObjectName(QStringLiteral("cbt_CloseChart"));
    row->addWidget(close);
    m_layout->addLayout(row);

    connect(m_save, &QPushButton::clicked, this, &ChartWindow::saveChart);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    resize(760, 520);
}

void ChartWindow::place(QWidget* chart) {
    delete m_chart;
    m_chart = chart;
    m_message->hide();
    m_message->clear();
    m_layout->insertWidget(0, chart, 1);
    m_save->setEnabled(true);
}

void ChartWindow::showCapacity(const charts::CapacityCurve& curve) {
    setWindowTitle(QStringLiteral("图表 — 承载力与嵌岩深度"));
    auto* view = new CapacityChartView(this);
    view->setObjectName(QStringLiteral("CapacityChart"));
    view->setCurve(curve);
    view->setWindowTitle(windowTitle());
    place(view);
}

void ChartWindow::showResistance(const charts::ResistanceBars& bars) {
    setWindowTitle(QStringLiteral("图表 — 各层侧阻与端阻"));
    if (!bars.ok) {
        delete m_chart;
        m_chart = nullptr;
        m_message->setText(QStringLiteral("还没有计算结果：请先按“计算”，再看各层侧阻与端阻。"));
        m_message->show();
        m_save->setEnabled(false);
        return;
    }
    auto* view = new ResistanceChartView(this);
    view->setObjectName(QStringLiteral("ResistanceChart"));
    view->setBars(bars);
    view->setWindowTitle(windowTitle());
    place(view);
}

DesignSpaceChartView* ChartWindow::showDesignSpace(charts::DesignSpace space, const optimise::ResultTable* table) {
    setWindowTitle(QStringLiteral("图表 — 设计空间"));
    auto* view = qobject_cast<DesignSpaceChartView*>(m_chart);
    if (!view) {
        view = new DesignSpaceChartView(this);
        view->setObjectName(QStringLiteral("DesignSpaceChart"));
        connect(view, &DesignSpaceChartView::rowClicked, this, &ChartWindow::rowClicked);
        place(view);
    }
    view->setSpace(std::move(space), table);
    view->setWindowTitle(windowTitle());
    return view;
}

QString ChartWindow::message() const { return m_chart ? QString() : m_message->text(); }

void ChartWindow::saveChart() {
    if (!m_chart || !m_services.files)
        return;
    const QString folder = m_services.documentsFolder;
    if (!folder.isEmpty())
        QDir().mkpath(folder); // the dialog opens where the documents are saved, made if not there yet
    const QString suggested =
        folder.isEmpty() ? QString::fromUtf8(kChartFileName) : QDir(folder).filePath(QString::fromUtf8(kChartFileName));
    frame::DialogMessageSink desktop;
    frame::MessageSink& messages = m_services.messages ? *m_services.messages : desktop;
    const std::optional<QString> path =
        frame::chooseSaveFile(*m_services.files, messages, this, QStringLiteral("保存图表"), suggested,
                              QString::fromUtf8(kChartFilters));
    if (!path)
        return;
    const ChartSaveResult result = gui::saveChart(m_chart, *path);
    if (!result.ok)
        messages.warn(this, result.error);
    else
        messages.inform(this, QStringLiteral("图表已保存：%1").arg(QDir::toNativeSeparators(*path)));
}

} // namespace sp::gui
