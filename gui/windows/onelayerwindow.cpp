#include "windows/onelayerwindow.h"

#include "charts/chartwindow.h"
#include "frame/documentexport.h"
#include "frame/messagesink.h"
#include "frame/qttext.h"
#include "frame/widgetcolours.h"
#include "optimise/optimisepagewidget.h"
#include "project/project.h"
#include "solve/solvedialog.h"
#include "windows/sectionfields.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

namespace sp::module1 {

using frame::q;
using windows::fieldBox;
using windows::refill;
using windows::showText;
using windows::showIndex;

using namespace sp::core;

namespace {

constexpr int kFieldWidth = 89;
constexpr int kProcessWidth = 193;

const char* const kAllBoxes[] = {kBoxDeq, kBoxRatio, kBoxZetaR, kBoxRa, kBoxRc};

QGridLayout* groupGrid(QGroupBox* group) {
    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(6);
    grid->setContentsMargins(8, 4, 8, 4);
    grid->setColumnStretch(0, 1);
    return grid;
}

} // namespace

OneLayerWindow::OneLayerWindow(const QString& windowClass, int height, const QString& deqLabel,
                               std::unique_ptr<Session> session, QWidget* parent)
    : ModuleWindow(windowClass, height, parent), m_session(std::move(session)) {
    showDocumentsOf(m_session->documents());
    buildInputs();
    addResultBox(kBoxDeq, deqLabel);
    addResultBox(kBoxRatio, QStringLiteral("承载力计算采用深径比 hr/deq"));
    QLineEdit* zetaBox = addResultBox(kBoxZetaR, QStringLiteral("嵌岩段侧阻和端阻综合系数 ζr"));
    // Past the end of the ζr table Ra stops growing with hr; the box says so with a marker.
    m_zetaNote =
        zetaBox->addAction(style()->standardIcon(QStyle::SP_MessageBoxWarning), QLineEdit::LeadingPosition);
    m_zetaNote->setObjectName(QStringLiteral("act_zetaNote"));
    m_zetaNote->setVisible(false);
    addResultBox(kBoxRa, QStringLiteral("单桩竖向承载力特征值 Ra(kN)"));
    addResultBox(kBoxRc, QStringLiteral("单桩正截面受压承载力 Rc(kN)"));
    connect(addResultAction("cbt_Solve", QStringLiteral("反算"), QStringLiteral("按要求的承载力求最小嵌岩深度")),
            &QPushButton::clicked, this, &OneLayerWindow::onSolve);
    connect(addResultAction("cbt_Chart", QStringLiteral("图表"), QStringLiteral("承载力随嵌岩深度变化的曲线")),
            &QPushButton::clicked, this, &OneLayerWindow::onChart);
}

OneLayerWindow::~OneLayerWindow() = default;

QLabel* OneLayerWindow::addRow(QGridLayout* grid, int row, const char* labelName, const QString& text,
                                QWidget* fieldWidget) {
    return windows::addFieldRow(grid, row, labelName, text, fieldWidget);
}

void OneLayerWindow::buildInputs() {
    m_pileGrid = buildPileGroup();
    buildRockGroup();
    connectInputs();
}

QGridLayout* OneLayerWindow::buildPileGroup() {
    auto* pile = new QGroupBox(QStringLiteral("基桩参数"), this);
    pile->setObjectName(QStringLiteral("gpb_jizhuangcanshu"));
    QGridLayout* grid = groupGrid(pile);
    m_sectionFields = std::make_unique<windows::SectionFields>(pile, grid, 0);
    const SectionSetup round = sectionSetup(SectionType::Round);
    m_depth = fieldBox(pile, kFieldHr, round.depthItems, true, kFieldWidth);
    m_depth->setEditText(q(round.depthText));
    m_grade = fieldBox(pile, "cbb_hnt", gradeItems(), false, kFieldWidth);
    m_grade->setCurrentIndex(kDefaultGrade);
    m_process = fieldBox(pile, "cbb_czgy", processItems(), false, kFieldWidth);
    m_process->setCurrentIndex(kDefaultProcess);
    m_process->setFixedWidth(kProcessWidth);
    addRow(grid, 3, "lb_hr", QStringLiteral("桩身嵌岩深度   hr (mm)"), m_depth);
    addRow(grid, 4, "lb_hnt", QStringLiteral("桩身混凝土强度等级"), m_grade);
    addRow(grid, 5, "lb_czgy", QStringLiteral("基桩成桩工艺"), m_process);
    inputArea()->addWidget(pile);
    return grid;
}

QGridLayout* OneLayerWindow::buildRockGroup() {
    auto* rock = new QGroupBox(QStringLiteral("基岩参数"), this);
    rock->setObjectName(QStringLiteral("gpb_jiyancanshu"));
    QGridLayout* grid = groupGrid(rock);
    m_frk = new QLineEdit(QStringLiteral("25"), rock);
    m_frk->setObjectName(QString::fromLatin1(kFieldFrk));
    m_frk->setFixedWidth(kFieldWidth);
    m_integrity = fieldBox(rock, kFieldIntegrity, integrityItems(), true, kFieldWidth);
    m_integrity->setEditText(QStringLiteral("较完整"));
    addRow(grid, 0, "lb_frk", QStringLiteral("岩石单轴抗压强度  frk (MPa)"), m_frk);
    addRow(grid, 1, "lb_yswzcd", QStringLiteral("岩体完整程度(或完整性指数)"), m_integrity);
    inputArea()->addWidget(rock);
    return grid;
}

template <class Change> void OneLayerWindow::change(Change&& apply) {
    apply(session());
    render();
    emit contentChanged();
}

void OneLayerWindow::connectInputs() {
    m_sectionFields->onSectionChosen([this](SectionType type) { change([type](Session& s) { s.chooseSection(type); }); });
    auto setText = [this](const std::string& name, const QString& text) {
        change([&](Session& s) { s.setFieldText(name, text.toStdString()); });
    };
    m_sectionFields->onTextEdited(setText);
    for (QComboBox* box : {m_depth, m_integrity}) {
        const std::string name = box->objectName().toStdString();
        connect(box, &QComboBox::editTextChanged, this, [setText, name](const QString& text) { setText(name, text); });
    }
    connect(m_frk, &QLineEdit::textChanged, this, [setText](const QString& text) { setText(kFieldFrk, text); });
    connect(m_grade, &QComboBox::currentIndexChanged, this,
            [this](int position) { change([position](Session& s) { s.chooseGrade(position); }); });
    connect(m_process, &QComboBox::currentIndexChanged, this,
            [this](int position) { change([position](Session& s) { s.chooseProcess(position); }); });
}

Inputs OneLayerWindow::inputs() const {
    Inputs in = session().inputs();
    in.precision = precision();
    return in;
}

QWidget* OneLayerWindow::field(const std::string& name) const { return findChild<QWidget*>(q(name)); }

void OneLayerWindow::calculate() {
    session().choosePrecision(precision());
    const bool intoPages = !optimisationMode();
    const Outcome outcome = computePile(intoPages);
    render();
    showCalculationEnd(outcome.kind, outcome.message, intoPages);
    emit contentChanged();
}

void OneLayerWindow::onSolve() {
    const bool round = session().inputs().section == SectionType::Round;
    solve::SolveDialog dialog(solve::SolveDialog::Form::SocketDepth, round, this);
    const int answer = runDialog(dialog);
    const auto& request = dialog.request();
    if (answer == QDialog::Rejected || !request)
        return;
    m_lastTarget = request->target;
    session().choosePrecision(precision());
    const bool intoPages = !optimisationMode();
    if (answer == solve::SolveDialog::LeastDiameter) {
        const auto solution = leastDiameter(request->target);
        if (!solution)
            return;
        if (solution->kind != solve::SolveKind::Found)
            return messages().warn(this, q(solution->message));
        return showSolved(applyDiameter(*solution, intoPages), intoPages);
    }
    const solve::DepthSolution solution = solveDepth(request->target, request->step);
    if (solution.kind != solve::SolveKind::Found)
        return messages().warn(this, q(solution.message));
    showSolved(applyDepth(solution, intoPages), intoPages);
}

void OneLayerWindow::showSolved(const Outcome& outcome, bool intoPages) {
    render();
    showCalculationEnd(outcome.kind, outcome.message, intoPages);
    emit contentChanged();
}

void OneLayerWindow::onChart() {
    charts::CurveRequest request;
    if (m_lastTarget) {
        request.raRequired = m_lastTarget->ra;
        request.axialForce = m_lastTarget->n;
    }
    const frame::ExportContext context = exportContext();
    auto* window = new gui::ChartWindow({context.files, context.messages, context.documentsFolder}, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->showCapacity(capacityCurve(request));
    window->show();
}

void OneLayerWindow::render() {
    renderFields();
    for (const auto& [name, colour] : session().fieldColours())
        frame::setTextColour(field(name), colour);
    showStatus(session().status());
    for (const char* box : kAllBoxes)
        resultBox(QString::fromLatin1(box))->setText(q(session().box(box)));
    const QString zetaNote = q(session().zetaNote());
    m_zetaNote->setVisible(!zetaNote.isEmpty());
    m_zetaNote->setToolTip(zetaNote);
    resultBox(QString::fromLatin1(kBoxZetaR))->setToolTip(zetaNote);
    showCalculated(session().calculated());
}

void OneLayerWindow::renderFields() {
    const Inputs& in = session().inputs();
    if (m_sectionFields->show(in.section, in.d, in.c))
        refill(m_depth, sectionSetup(in.section).depthItems, in.hr);
    showText(m_depth, in.hr);
    showText(m_integrity, in.integrity);
    if (m_frk->text() != q(in.frk)) {
        const QSignalBlocker blocker(m_frk);
        m_frk->setText(q(in.frk));
    }
    showIndex(m_grade, in.grade);
    showIndex(m_process, in.process);
}

void OneLayerWindow::showRunEnd(const optimise::InputLayerState& state) {
    if (!state.written)
        return;
    session().writeLayer({state.oneLayer().fields, state.boxes, state.status, state.colours});
    m_sectionFields->refillLists(); // the run writes the section's lists afresh
    render();
}

void OneLayerWindow::recallCandidate(const optimise::Recall& r) {
    editInputs(Edit{r.sectionPosition, r.first, r.second, r.depth, r.frk, r.integrity, r.gradePosition,
                    r.processPosition});
    leaveOptimisation();
    session().clearResults();
    render();
}

void OneLayerWindow::editInputs(const Edit& edit) {
    if (edit.sectionPosition)
        m_sectionFields->sectionBox()->setCurrentIndex(*edit.sectionPosition);
    if (edit.first)
        m_sectionFields->firstBox()->setEditText(q(*edit.first));
    if (edit.second)
        m_sectionFields->secondBox()->setEditText(q(*edit.second));
    m_depth->setEditText(q(edit.depth));
    m_frk->setText(q(edit.frk));
    if (edit.gradePosition)
        m_grade->setCurrentIndex(*edit.gradePosition);
    if (edit.processPosition)
        m_process->setCurrentIndex(*edit.processPosition);
    beforeIntegrityRecalled();
    m_integrity->setEditText(q(edit.integrity));
}

void OneLayerWindow::createOptimisationPage(optimise::ModuleKind module) {
    optimise::OptimisePageWidget::Hooks hooks;
    hooks.precision = [this] { return precision(); };
    hooks.runStarting = [this] { setOptimisationMode(true); };
    hooks.runContext = [this] { return runContext(); };
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
    m_page = new optimise::OptimisePageWidget(module, std::move(hooks), this);
    installOptimisationPage(m_page, m_page->statusLabel());
}

std::optional<core::WriteResult> OneLayerWindow::writeOptimisationTables(const QString& folder,
                                                                        const core::Moment& moment) {
    if (!m_page)
        return std::nullopt;
    return m_page->save(frame::pathOf(folder), moment);
}

void OneLayerWindow::completeCapture(project::ModuleState& state) const {
    state.window.precision = precision();
    state.optionRows = project::optionRows(m_page->page().optionTable());
}

void OneLayerWindow::showRestored(const project::ModuleState& state) {
    project::restoreOptions(m_page->page(), state.optionRows);
    m_page->showOptionCells();
    setPrecision(state.window.precision.value_or(kDefaultPrecision));
    render();
    showRestoredDocuments();
}

} // namespace sp::module1
