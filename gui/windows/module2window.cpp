#include "windows/module2window.h"

#include "frame/messagesink.h"
#include "frame/qttext.h"
#include "frame/widgetcolours.h"
#include "module2/module2reports.h"
#include "project/project.h"
#include "charts/chartwindow.h"
#include "frame/documentexport.h"
#include "solve/applysolution.h"
#include "solve/solvedialog.h"
#include "windows/rocklayerview.h"
#include "windows/sectionfields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace sp::module2 {

using frame::q;
using windows::addFieldRow;
using windows::fieldBox;
using windows::showIndex;

using namespace sp::core;

namespace {

constexpr int kFieldWidth = 89;
constexpr int kSettingWidth = 193;

QLabel* addRow(QGridLayout* grid, const char* labelName, const QString& text, QWidget* field) {
    return addFieldRow(grid, grid->rowCount(), labelName, text, field);
}

void showChecked(QCheckBox* box, bool checked) {
    if (box->isChecked() == checked)
        return;
    const QSignalBlocker blocker(box);
    box->setChecked(checked);
}

} // namespace

Module2Window::Module2Window(QWidget* parent) : ModuleWindow(QStringLiteral("TPELM_FRM_DURK2"), 800, parent) {
    setModuleName(QStringLiteral("侧阻端阻分解计算(多层基岩)"), QColor(0, 0, 255));
    showDocumentsOf(m_session.documents());
    buildPileGroup();
    buildRockGroup();
    connectInputs();
    for (auto [name, label] : {std::pair{kBoxQuk, "单桩竖向极限承载力  Quk(kN)"},
                               std::pair{kBoxRa, "单桩竖向承载力特征值 Ra(kN)"},
                               std::pair{kBoxPercent, "其中桩端端阻力所占百分比为"}})
        addResultBox(name, QString::fromUtf8(label));
    connect(addResultAction("cbt_Solve", QStringLiteral("反算"), QStringLiteral("按要求的承载力求最下层岩层的最小长度")),
            &QPushButton::clicked, this, &Module2Window::onSolve);
    connect(addResultAction("cbt_Chart", QStringLiteral("图表"), QStringLiteral("各层侧阻与端阻")),
            &QPushButton::clicked, this, &Module2Window::onChart);
    renderGrid();
    createOptimisationPage();
}

Module2Window::~Module2Window() = default;

void Module2Window::createOptimisationPage() {
    optimise::OptimisePageWidget::Hooks hooks;
    hooks.precision = [this] { return precision(); };
    hooks.runStarting = [this] { setOptimisationMode(true); };
    hooks.runContext = [this] {
        optimise::RunContext context;
        context.groundwater = m_groundwater->isChecked();
        context.softRock = m_softRock->isChecked();
        return context;
    };
    hooks.runEnded = [this](const optimise::Enumeration& run) {
        showRunEnd(run.inputLayer());
        emit contentChanged();
    };
    hooks.recall = [this](std::size_t row) {
        if (const auto r = m_page->page().recall(row))
            recallCandidate(*r);
        emit contentChanged();
    };
    hooks.optionsEdited = [this] { emit contentChanged(); };
    hooks.leave = [this] { leaveOptimisation(); };
    hooks.save = [this] { requestSave(); };
    hooks.conversionError = [this](const QString& message) { reportConversionError(message); };
    hooks.exportContext = [this] { return exportContext(); };
    m_page = new optimise::OptimisePageWidget(optimise::ModuleKind::Module2, std::move(hooks), this);
    installOptimisationPage(m_page, m_page->statusLabel());
}

std::optional<core::WriteResult> Module2Window::writeOptimisationTables(const QString& folder,
                                                                         const core::Moment& moment) {
    return m_page->save(frame::pathOf(folder), moment);
}

void Module2Window::showRunEnd(const optimise::InputLayerState& state) {
    if (!state.written)
        return;
    const optimise::RockGridFields& layer = state.rockGrid();
    LayerWrite write;
    write.fields = layer.fields;
    write.layerCount = layerCountOf(layer.layerCountPosition);
    write.cells = {{1, kColLr, layer.lr}, {1, kColWeathering, layer.weathering}, {1, kColFrk, layer.frk}};
    if (layer.integrity)
        write.cells.push_back({1, kColIntegrity, *layer.integrity});
    if (layer.kv)
        write.cells.push_back({1, kColKv, *layer.kv});
    write.cells.insert(write.cells.end(), layer.outcome.cells.begin(), layer.outcome.cells.end());
    write.boxes = state.boxes;
    write.boxColour = layer.outcome.boxColour;
    write.status = state.status;
    write.colours = state.colours;
    m_session.writeLayer(write);
    m_sectionFields->refillLists(); // the run writes the section's lists afresh
    render();
}

void Module2Window::recallCandidate(const optimise::Recall& r) {
    if (!r.grid)
        return;
    const optimise::Recall::RockGrid& grid = *r.grid;
    if (r.sectionPosition)
        m_sectionFields->sectionBox()->setCurrentIndex(*r.sectionPosition);
    if (r.first)
        m_sectionFields->firstBox()->setEditText(q(*r.first));
    if (r.second)
        m_sectionFields->secondBox()->setEditText(q(*r.second));
    m_layerCount->setCurrentIndex(grid.layerCountPosition);
    m_mode->setCurrentIndex(grid.coefficientModePosition);
    if (grid.integrityBasisPosition)
        m_integrityBasis->setCurrentIndex(*grid.integrityBasisPosition);
    const int integrityColumn = m_integrityBasis->currentIndex() == 0 ? kColIntegrity : kColKv;
    const std::pair<int, const std::string*> cells[] = {
        {kColLr, &grid.lr}, {kColWeathering, &grid.weathering}, {integrityColumn, &r.integrity}, {kColFrk, &r.frk}};
    for (const auto& [column, text] : cells)
        m_session.editCell(1, column, *text);
    leaveOptimisation();
    render();
}

void Module2Window::buildPileGroup() {
    auto* group = new QGroupBox(QStringLiteral("基桩参数"), this);
    group->setObjectName(QStringLiteral("gpb_srcs"));
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(8, 4, 8, 4);
    grid->setVerticalSpacing(6);
    grid->setColumnStretch(0, 1);
    m_sectionFields = std::make_unique<windows::SectionFields>(group, grid, grid->rowCount());
    inputArea()->addWidget(group);
}

void Module2Window::buildRockGroup() {
    auto* group = new QGroupBox(QStringLiteral("基岩参数"), this);
    group->setObjectName(QStringLiteral("gpb_jiyancanshu"));
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(8, 4, 8, 4);
    buildRockSettings(group, layout);

    auto* expandRow = new QHBoxLayout;
    expandRow->addStretch(1);
    m_expand = new QPushButton(QString::fromUtf8(expandCaption(false)), group);
    m_expand->setObjectName(QStringLiteral("cbt_kuozhanbiaoge"));
    m_expand->setFixedWidth(60);
    expandRow->addWidget(m_expand);
    layout->addLayout(expandRow);

    m_view = new RockLayerView(group);
    m_view->setMinimumHeight(130);
    layout->addWidget(m_view);
    inputArea()->addWidget(group);
}

// The four lists and the two check boxes above the grid.
void Module2Window::buildRockSettings(QWidget* group, QVBoxLayout* layout) {
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(5);
    grid->setColumnStretch(0, 1);
    m_layerCount = fieldBox(group, "cbb_yanchengshu", layerCountItems(), false, kFieldWidth);
    m_strengthBasis = fieldBox(group, "cbb_qiangduzhi", strengthBasisItems(), false, kSettingWidth);
    m_strengthBasis->setCurrentIndex(static_cast<int>(StrengthBasis::RockStrength));
    m_mode = fieldBox(group, "cbb_chezhuxishu", coefficientModeItems(), false, kSettingWidth);
    m_mode->setCurrentIndex(static_cast<int>(CoefficientMode::Automatic));
    m_integrityBasis = fieldBox(group, "cbb_wanzhengchengdu", integrityBasisItems(), false, kSettingWidth);
    addRow(grid, "lb_yanchengshu", QStringLiteral("嵌岩段岩层数"), m_layerCount);
    addRow(grid, "lb_qiangduzhi", QStringLiteral("岩石强度取值"), m_strengthBasis);
    m_modeLabel = addRow(grid, kLabelMode, QStringLiteral("侧阻端阻系数"), m_mode);
    m_integrityBasisLabel = addRow(grid, "lb_wanzhengchengdu", QStringLiteral("系数插值依据"), m_integrityBasis);
    layout->addLayout(grid);

    m_groundwater = new QCheckBox(QStringLiteral("地下水位以下和采用泥浆护壁钻、冲孔桩"), group);
    m_groundwater->setObjectName(QStringLiteral("ckb_dixiashui"));
    m_groundwater->setChecked(true);
    m_softRock = new QCheckBox(QStringLiteral("软化系数≤0.6的软质岩，桩端岩石长时间暴露"), group);
    m_softRock->setObjectName(QStringLiteral("ckb_ruanzhiyan"));
    layout->addWidget(m_groundwater);
    layout->addWidget(m_softRock);
}

template <class Change> void Module2Window::change(Change&& apply) {
    apply(m_session);
    render();
    emit contentChanged();
}

void Module2Window::connectInputs() {
    m_sectionFields->onSectionChosen([this](SectionType type) { change([type](Session& s) { s.chooseSection(type); }); });
    m_sectionFields->onTextEdited([this](const std::string& name, const QString& text) {
        change([&](Session& s) { s.setFieldText(name, text.toStdString()); });
    });
    connect(m_layerCount, &QComboBox::currentIndexChanged, this,
            [this](int index) { change([index](Session& s) { s.chooseLayerCount(index + 1); }); });
    connect(m_strengthBasis, &QComboBox::currentIndexChanged, this, [this](int index) {
        change([index](Session& s) { s.chooseStrengthBasis(static_cast<StrengthBasis>(index)); });
    });
    connect(m_mode, &QComboBox::currentIndexChanged, this, [this](int index) {
        change([index](Session& s) { s.chooseCoefficientMode(static_cast<CoefficientMode>(index)); });
    });
    connect(m_integrityBasis, &QComboBox::currentIndexChanged, this, [this](int index) {
        change([index](Session& s) { s.chooseIntegrityBasis(static_cast<IntegrityBasis>(index + 1)); });
    });
    connect(m_groundwater, &QCheckBox::toggled, this,
            [this](bool checked) { change([checked](Session& s) { s.setGroundwater(checked); }); });
    connect(m_softRock, &QCheckBox::toggled, this,
            [this](bool checked) { change([checked](Session& s) { s.setSoftRock(checked); }); });
    connect(m_expand, &QPushButton::clicked, this, [this] { change([](Session& s) { s.pressExpand(); }); });
    m_view->onEdited([this](int layer, int column, const QString& text) {
        change([&](Session& s) { s.editCell(layer, column, text.toStdString()); });
    });
}

void Module2Window::render() {
    const Inputs& in = m_session.inputs();
    m_sectionFields->show(in.section, in.d, in.c);
    renderSettings();
    for (const auto& [name, colour] : m_session.fieldColours())
        frame::setTextColour(findChild<QWidget*>(q(name)), colour);
    renderGrid();
    showStatus(m_session.status());
    for (const auto& name : resultBoxes()) {
        QLineEdit* box = resultBox(q(name));
        box->setText(q(m_session.box(name)));
        frame::setTextColour(box, m_session.boxColour());
    }
    showCalculated(m_session.calculated());
}

void Module2Window::renderSettings() {
    const Settings& settings = m_session.inputs().settings;
    showIndex(m_layerCount, m_session.grid().layerCount() - 1);
    showIndex(m_strengthBasis, static_cast<int>(settings.strengthBasis));
    showIndex(m_mode, static_cast<int>(settings.mode));
    showIndex(m_integrityBasis, static_cast<int>(settings.integrityBasis) - 1);
    showChecked(m_groundwater, settings.groundwater);
    showChecked(m_softRock, settings.softRock);
    const Enabled e = m_session.enabled();
    m_modeLabel->setEnabled(e.mode);
    m_mode->setEnabled(e.mode);
    m_integrityBasisLabel->setEnabled(e.interpolationBasis);
    m_integrityBasis->setEnabled(e.interpolationBasis);
    m_groundwater->setEnabled(e.checkBoxes);
    m_softRock->setEnabled(e.checkBoxes);
}

void Module2Window::renderGrid() {
    m_expand->setText(QString::fromUtf8(expandCaption(m_session.expanded())));
    m_view->show(m_session.grid());
    for (int column = 0; column < kColumnCount; ++column)
        m_view->setColumnHidden(column, !m_session.columnVisible(column));
}

void Module2Window::calculate() {
    m_session.choosePrecision(precision());
    const bool intoPages = !optimisationMode();
    const Outcome outcome = project::computePile(m_session, now(), intoPages);
    keepBars(outcome);
    render();
    showCalculationEnd(outcome.kind, outcome.message, intoPages);
    emit contentChanged();
}

void Module2Window::onSolve() {
    solve::SolveDialog dialog(solve::SolveDialog::Form::BottomLayer, false, this);
    const int answer = runDialog(dialog);
    const auto& request = dialog.request();
    if (answer == QDialog::Rejected || !request)
        return;
    m_session.choosePrecision(precision());
    const solve::DepthSolution solution = solve::solveDepth(m_session.inputs(), request->target, request->step);
    if (solution.kind != solve::SolveKind::Found)
        return messages().warn(this, q(solution.message));
    const bool intoPages = !optimisationMode();
    const Outcome outcome = solve::applyDepth(m_session, solution, now(), intoPages);
    keepBars(outcome);
    render();
    showCalculationEnd(outcome.kind, outcome.message, intoPages);
    emit contentChanged();
}

void Module2Window::keepBars(const Outcome& outcome) {
    m_lastBars = charts::resistanceBars(outcome);
    if (m_chart)
        m_chart->showResistance(m_lastBars);
}

void Module2Window::onChart() {
    if (!m_chart) {
        const frame::ExportContext context = exportContext();
        m_chart = new gui::ChartWindow({context.files, context.messages, context.documentsFolder}, this);
        m_chart->setAttribute(Qt::WA_DeleteOnClose);
        m_chart->showResistance(m_lastBars);
    }
    m_chart->show();
    m_chart->raise();
    m_chart->activateWindow();
}

project::ModuleState Module2Window::captureState() const {
    project::ModuleState state = project::capture(m_session);
    state.window.precision = precision();
    state.optionRows = project::optionRows(m_page->page().optionTable());
    return state;
}

void Module2Window::restoreState(const project::ModuleState& state) {
    project::restore(m_session, state);
    project::restoreOptions(m_page->page(), state.optionRows);
    m_page->showOptionCells();
    setPrecision(state.window.precision.value_or(kDefaultPrecision));
    render();
    showRestoredDocuments();
}

} // namespace sp::module2
