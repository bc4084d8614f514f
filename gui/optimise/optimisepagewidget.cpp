#include "optimise/optimisepagewidget.h"

#include "charts/chartwindow.h"
#include "charts/designspace.h"
#include "export/sheetfiles.h"
#include "frame/messagesink.h"
#include "frame/qttext.h"
#include "frame/tableexport.h"
#include "optimise/columnwidths.h"
#include "optimise/resulttablemodel.h"
#include "optimise/results/resultsheet.h"
#include "optimise/results/sortstate.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <atomic>

namespace sp::optimise {

using frame::q;
using frame::qItems;

namespace {

constexpr int kTickMs = 40;

QPushButton* pageButton(QWidget* parent, const char* name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setFixedHeight(32);
    return b;
}

void setColour(QLabel* label, core::Colour colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor::fromRgba(colour));
    label->setPalette(palette);
}

} // namespace

OptimisePageWidget::OptimisePageWidget(ModuleKind module, Hooks hooks, QWidget* parent)
    : QWidget(parent), m_module(module), m_hooks(std::move(hooks)), m_page(module) {
    setObjectName(QStringLiteral("YouHuaPage"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 6, 4, 6);
    layout->setSpacing(4);

    auto* title = new QLabel(QStringLiteral("嵌岩桩优化设计"), this);
    title->setObjectName(QStringLiteral("lb_youhuabiaoti"));
    QFont font = title->font();
    font.setPixelSize(24);
    font.setBold(true);
    title->setFont(font);
    title->setAlignment(Qt::AlignCenter);
    setColour(title, 0xFF8A2BE2); // blue-violet
    // "图表" at the right of the title, where the hint line keeps its whole text: every candidate of
    // the visible table as a point, socket volume against Ra. A space as wide on the left keeps the
    // title in the middle.
    m_chart = pageButton(this, "cbt_YHchart", QStringLiteral("图表"));
    m_chart->setFixedWidth(m_chart->fontMetrics().horizontalAdvance(m_chart->text()) + 30);
    m_chart->setToolTip(QStringLiteral("设计空间：各方案的嵌岩段体积与 Ra"));
    auto* titleRow = new QHBoxLayout;
    titleRow->addSpacing(m_chart->width());
    titleRow->addWidget(title, 1);
    titleRow->addWidget(m_chart);
    layout->addLayout(titleRow);

    buildOptionTable();
    layout->addWidget(m_options, 414);
    buildResultTables();
    auto* results = new QWidget(this);
    auto* stack = new QGridLayout(results);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->addWidget(m_candidatesView, 0, 0);
    stack->addWidget(m_filteredView, 0, 0);
    layout->addWidget(results, 186);

    auto* hintRow = new QHBoxLayout;
    m_hint = new QLabel(QStringLiteral("1、点击表头排序   2、双击获取数据"), this);
    m_hint->setObjectName(QStringLiteral("lb_huzhu"));
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("pb_youhua"));
    m_progress->hide();
    m_cancel = pageButton(this, "cbt_YHcancel", QStringLiteral("取消"));
    m_cancel->hide();
    m_expand = pageButton(this, "cbt_zhangkai", QString::fromUtf8(m_page.expandCaption()));
    m_expand->setFixedWidth(60);
    hintRow->addWidget(m_hint, 1);
    hintRow->addWidget(m_progress, 1);
    hintRow->addWidget(m_cancel);
    // On the hint's row, beside "展开", where its caption fits whole and none of the page's own
    // buttons moves.
    m_exportTables = pageButton(this, "cbt_YHexportExcel", QStringLiteral("导出Excel…"));
    m_exportTables->setFixedWidth(m_exportTables->fontMetrics().horizontalAdvance(m_exportTables->text()) + 30);
    hintRow->addWidget(m_exportTables);
    hintRow->addWidget(m_expand);
    layout->addLayout(hintRow);

    auto* buttons = new QHBoxLayout;
    m_compute = pageButton(this, "cbt_YHcompute", QStringLiteral("计算"));
    m_filter = pageButton(this, "cbt_YHsaixuan", QStringLiteral("筛选"));
    m_save = pageButton(this, "cbt_YHsave", QStringLiteral("存盘"));
    m_back = pageButton(this, "cbt_YHfanhui", QStringLiteral("返回"));
    for (QPushButton* b : {m_compute, m_filter, m_save, m_back})
        buttons->addWidget(b);
    layout->addLayout(buttons);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lb_YHxingxi"));
    m_status->setMinimumHeight(22);
    m_status->setWordWrap(true);
    layout->addWidget(m_status);

    m_tick = new QTimer(this);
    m_tick->setInterval(kTickMs);
    connect(m_tick, &QTimer::timeout, this, &OptimisePageWidget::onRunTick);
    connect(m_compute, &QPushButton::clicked, this, &OptimisePageWidget::onCompute);
    connect(m_filter, &QPushButton::clicked, this, &OptimisePageWidget::onFilter);
    connect(m_save, &QPushButton::clicked, this, [this] { m_hooks.save(); });
    connect(m_back, &QPushButton::clicked, this, [this] { m_hooks.leave(); });
    connect(m_exportTables, &QPushButton::clicked, this, &OptimisePageWidget::onExportTables);
    connect(m_expand, &QPushButton::clicked, this, &OptimisePageWidget::onExpand);
    connect(m_chart, &QPushButton::clicked, this, &OptimisePageWidget::onChart);
    connect(m_cancel, &QPushButton::clicked, this, &OptimisePageWidget::onCancel);
    refresh();
}

OptimisePageWidget::~OptimisePageWidget() {
    if (m_run) {
        m_run->cancel();
        if (m_worker.joinable())
            m_worker.join();
    }
}

void OptimisePageWidget::buildOptionTable() {
    const int rows = m_page.optionTable().rowCount();
    m_options = new QTableWidget(rows, kOptionColumns, this);
    m_options->setObjectName(QStringLiteral("Grid1_Youhuaxuanxiang"));
    QStringList headers;
    for (const OptionColumnInfo& info : optionColumns())
        headers << QString::fromUtf8(info.header);
    m_options->setHorizontalHeaderLabels(headers);
    m_options->verticalHeader()->hide();
    m_options->verticalHeader()->setDefaultSectionSize(23);
    m_options->horizontalHeader()->setSectionsMovable(true);
    m_options->setAlternatingRowColors(true);
    for (int column = 0; column < kOptionColumns; ++column)
        m_options->setColumnWidth(column, optionColumns()[static_cast<std::size_t>(column)].width);
    if (const int width = profileOf(m_module).noteColumnWidth())
        m_options->setColumnWidth(kColNote, width);
    m_filling = true;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < kOptionColumns; ++column) {
            auto* item = new QTableWidgetItem(q(m_page.optionTable().cell(row, column)));
            item->setTextAlignment(optionColumns()[static_cast<std::size_t>(column)].centred
                                       ? Qt::AlignCenter
                                       : Qt::AlignLeft | Qt::AlignVCenter);
            m_options->setItem(row, column, item);
        }
    }
    m_filling = false;
    showCodeTips();
    m_options->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Selecting a cell decides whether the table can be edited at all.
    connect(m_options, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        m_options->setEditTriggers(m_page.optionTable().editable(row, column) ? QAbstractItemView::AllEditTriggers
                                                                              : QAbstractItemView::NoEditTriggers);
    });
    connect(m_options, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!m_filling)
            onOptionEdited(item->row(), item->column());
    });
}

void OptimisePageWidget::buildResultTables() {
    auto make = [this](const char* grid, const ResultTable* table, ResultTableModel*& model) {
        auto* view = new QTableView(this);
        view->setObjectName(QString::fromLatin1(grid));
        model = new ResultTableModel(table, m_module, view);
        view->setModel(model);
        // Rows the module marks (module 3: over the standard) are drawn red in both tables.
        model->setRowColour([table](std::size_t row) {
            return table->overStandard(row) ? QVariant(QColor(Qt::red)) : QVariant();
        });
        view->setAlternatingRowColors(true);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->verticalHeader()->hide();
        view->verticalHeader()->setDefaultSectionSize(22);
        view->horizontalHeader()->setSectionsMovable(true);
        view->horizontalHeader()->setSectionsClickable(true);
        // Each column is widened to its widest number, value and sorted header.
        for (int column = 0; column < kResultColumns; ++column) {
            const int designed = resultColumns(m_module)[static_cast<std::size_t>(column)].width;
            view->setColumnWidth(column, fittedColumnWidth(*view, *view->horizontalHeader(),
                                                           widestResultCells(m_module, column),
                                                           widestResultHeaders(m_module, column),
                                                           designed ? designed : view->columnWidth(column)));
        }
        // The header reports the designed column even after the engineer moved columns.
        connect(view->horizontalHeader(), &QHeaderView::sectionClicked, this, &OptimisePageWidget::onHeaderClicked);
        connect(view, &QTableView::doubleClicked, this,
                [this](const QModelIndex& index) { onDoubleClicked(index.row()); });
        return view;
    };
    m_candidatesView = make("Grid2_Youhuajieguo", &m_page.candidates(), m_candidatesModel);
    m_filteredView = make("Grid3_Youhuasaixuan", &m_page.filtered(), m_filteredModel);
}

void OptimisePageWidget::refresh() {
    const bool busy = this->busy();
    m_compute->setEnabled(!busy && m_page.computeEnabled());
    m_filter->setEnabled(!busy && m_page.filterEnabled());
    m_save->setEnabled(!busy && m_page.saveEnabled());
    m_back->setEnabled(!busy);
    m_exportTables->setEnabled(!busy && (m_page.candidates().rowCount() > 0 || m_page.filtered().rowCount() > 0));
    m_options->setEnabled(!busy);
    m_status->setText(q(m_page.status().text));
    setColour(m_status, m_page.status().colour);
    const bool candidates = m_page.visible() == VisibleTable::Candidates;
    m_candidatesView->setVisible(candidates);
    m_filteredView->setVisible(!candidates);
    m_expand->setText(QString::fromUtf8(m_page.expandCaption()));
    m_options->setColumnHidden(kColNote, !m_page.noteColumnVisible());
    for (QTableView* view : {m_candidatesView, m_filteredView})
        for (int column = 0; column < kResultColumns; ++column)
            view->setColumnHidden(column, !m_page.resultColumnVisible(column));
    m_candidatesModel->refresh();
    m_filteredModel->refresh();
    updateChart();
}

void OptimisePageWidget::showCodeTips() {
    const bool filling = m_filling;
    m_filling = true; // a tooltip set is an item change, not an edit
    for (int row = 0; row < m_options->rowCount(); ++row)
        for (int column = 0; column < kOptionColumns; ++column)
            m_options->item(row, column)
                ->setToolTip(q(codeTip(m_module, row, column, m_page.optionTable().cell(row, column))));
    m_filling = filling;
}

void OptimisePageWidget::onOptionEdited(int row, int column) {
    m_page.editCell(row, column, m_options->item(row, column)->text().toStdString());
    showCodeTips();
    refresh();
    if (m_hooks.optionsEdited)
        m_hooks.optionsEdited();
}

void OptimisePageWidget::showOptionCells() {
    m_filling = true;
    for (int row = 0; row < m_options->rowCount(); ++row)
        for (int column = 0; column < kOptionColumns; ++column)
            m_options->item(row, column)->setText(q(m_page.optionTable().cell(row, column)));
    m_filling = false;
    showCodeTips();
    refresh();
}

void OptimisePageWidget::onCompute() {
    if (busy())
        return;
    m_hooks.runStarting();
    if (m_hooks.runContext)
        m_page.setRunContext(m_hooks.runContext());
    OptimisePage::RunStart start = m_page.startRun(m_hooks.precision());
    if (!start.run) {
        refresh();
        if (start.error && start.error->kind == OptionError::Kind::Conversion)
            m_hooks.conversionError(q(start.error->message));
        return;
    }
    m_run = std::move(start.run);
    m_ticks = 0;
    m_progress->setRange(0, 1000);
    m_progress->setValue(0);
    Enumeration* run = m_run.get();
    m_workerDone.store(false);
    m_worker = std::thread([this, run] {
        run->runToEnd();
        m_workerDone.store(true);
    });
    refresh();
    if (m_progressDelay.count() <= 0)
        showProgress();
    m_tick->start();
}

void OptimisePageWidget::onRunTick() {
    if (!m_run)
        return;
    const std::uint64_t total = m_run->total();
    const std::uint64_t done = m_run->computed();
    // A run still going after the delay shows its progress bar and the cancel button.
    if (++m_ticks >= m_progressDelay.count() / kTickMs && done < total)
        showProgress();
    if (total > 0)
        m_progress->setValue(static_cast<int>(1000.0 * static_cast<double>(done) / static_cast<double>(total)));
    if (m_workerDone.load())
        endRun();
}

void OptimisePageWidget::showProgress() {
    m_hint->hide();
    m_progress->show();
    m_cancel->show();
}

void OptimisePageWidget::endRun() {
    m_worker.join();
    m_tick->stop();
    m_progress->hide();
    m_cancel->hide();
    m_hint->show();
    std::unique_ptr<Enumeration> run = std::move(m_run);
    m_page.finishRun(*run);
    refresh();
    m_hooks.runEnded(*run);
}

void OptimisePageWidget::onCancel() {
    if (m_run)
        m_run->cancel();
}

void OptimisePageWidget::onFilter() {
    if (busy())
        return;
    if (const auto error = m_page.filter()) {
        m_hooks.conversionError(q(*error));
        return;
    }
    if (m_page.filtered().rowCount() > 0)
        m_hooks.runStarting();
    refresh();
}

void OptimisePageWidget::onHeaderClicked(int column) {
    if (busy())
        return;
    if (const auto error = m_page.headerClick(column)) {
        m_hooks.conversionError(q(*error));
        return;
    }
    refresh();
}

void OptimisePageWidget::onDoubleClicked(int row) {
    if (busy() || row < 0)
        return;
    if (static_cast<std::size_t>(row) < m_page.visibleTable().rowCount())
        m_hooks.recall(static_cast<std::size_t>(row));
}

void OptimisePageWidget::onExpand() {
    m_page.toggleExpand();
    refresh();
}

// "导出Excel…": both tables, each as a sheet when it has rows, to a workbook; or the visible table
// to CSV. The file is written off the window's thread; until it is done the page takes no action
// that would change the tables. A failure is warned about and changes nothing on the page.
void OptimisePageWidget::onExportTables() {
    if (busy() || !m_hooks.exportContext)
        return;
    const frame::ExportContext context = m_hooks.exportContext();
    const std::optional<frame::TableTarget> target =
        frame::chooseTableFile(context, QStringLiteral("导出Excel"), QStringLiteral("嵌岩桩优化方案.xlsx"));
    if (!target)
        return;
    auto candidates = std::make_shared<ResultSheet>(m_page.candidates(), kCandidateSheetName);
    auto filtered = std::make_shared<ResultSheet>(m_page.filtered(), kFilteredSheetName);
    std::function<core::WriteResult()> write;
    if (target->format == frame::TableFormat::Csv) {
        const bool visibleCandidates = m_page.visible() == VisibleTable::Candidates;
        std::shared_ptr<ResultSheet> visible = visibleCandidates ? candidates : filtered;
        if (visible->rowCount() == 0) {
            context.messages->warn(context.parent, QStringLiteral("当前显示的表格没有可导出的数据"));
            return;
        }
        write = [visible, path = target->path] { return sheets::writeCsv(*visible, path); };
    } else {
        write = [candidates, filtered, path = target->path] {
            std::vector<const handin::SheetSource*> sources;
            for (const ResultSheet* sheet : {candidates.get(), filtered.get()})
                if (sheet->rowCount() > 0)
                    sources.push_back(sheet);
            return sheets::writeXlsx(sources, path);
        };
    }
    m_export.start(std::move(write), [this, context](const core::WriteResult& written) {
        if (!written.ok)
            context.messages->warn(context.parent, frame::writeFailureText(written));
        else
            context.messages->inform(context.parent,
                                     frame::writtenText(QStringLiteral("优化方案已导出"), written));
        refresh();
    });
    refresh();
}

void OptimisePageWidget::onChart() {
    if (!m_chartWindow) {
        frame::ExportContext context;
        if (m_hooks.exportContext)
            context = m_hooks.exportContext();
        m_chartWindow = new gui::ChartWindow({context.files, context.messages, context.documentsFolder}, this);
        m_chartWindow->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_chartWindow, &gui::ChartWindow::rowClicked, this,
                [this](qulonglong row) { onChartRowClicked(static_cast<std::size_t>(row)); });
    }
    updateChart();
    m_chartWindow->show();
    m_chartWindow->raise();
    m_chartWindow->activateWindow();
}

void OptimisePageWidget::updateChart() {
    // While a run fills the tables they are not read; the run's end refreshes the chart.
    if (!m_chartWindow || busy())
        return;
    m_chartWindow->showDesignSpace(charts::designSpace(m_page), &m_page.visibleTable());
}

// A click on a point recalls its row as a double click on the row does, and shows the row.
void OptimisePageWidget::onChartRowClicked(std::size_t row) {
    if (busy() || row >= m_page.visibleTable().rowCount())
        return;
    QTableView* view = m_page.visible() == VisibleTable::Candidates ? m_candidatesView : m_filteredView;
    view->selectRow(static_cast<int>(row));
    view->scrollTo(view->model()->index(static_cast<int>(row), 0));
    m_hooks.recall(row);
}

std::optional<core::WriteResult> OptimisePageWidget::save(const std::filesystem::path& folder,
                                                          const core::Moment& moment) {
    auto written = m_page.save(folder, moment);
    refresh();
    return written;
}

} // namespace sp::optimise
