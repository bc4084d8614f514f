#include "windows/onelayerwindow.h"

#include "frame/qttext.h"
#include "frame/widgetcolours.h"
#include "module1/module1reports.h"
#include "optimise/optimisepagewidget.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace sp::module1 {

using frame::q;
using frame::qItems;

using namespace sp::core;

namespace {

constexpr int kFieldWidth = 89;
constexpr int kProcessWidth = 193;

QComboBox* comboBox(QWidget* parent, const char* name, const Items& items, bool editable) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(editable);
    box->addItems(qItems(items));
    box->setFixedWidth(kFieldWidth);
    if (editable)
        box->setInsertPolicy(QComboBox::NoInsert);
    return box;
}

// Replaces a drop-down's list and text without running its change handler.
void refill(QComboBox* box, const Items& items, const std::string& text) {
    const QSignalBlocker blocker(box);
    box->clear();
    box->addItems(qItems(items));
    box->setEditText(q(text));
}

} // namespace

OneLayerWindow::OneLayerWindow(const QString& windowClass, int height, const QString& deqLabel, QWidget* parent)
    : ModuleWindow(windowClass, height, parent) {
    buildInputs();
    addResultBox(kBoxDeq, deqLabel);
    addResultBox(kBoxRatio, QStringLiteral("承载力计算采用深径比 hr/deq"));
    addResultBox(kBoxZetaR, QStringLiteral("嵌岩段侧阻和端阻综合系数 ζr"));
    addResultBox(kBoxRa, QStringLiteral("单桩竖向承载力特征值 Ra(kN)"));
    addResultBox(kBoxRc, QStringLiteral("单桩正截面受压承载力 Rc(kN)"));
}

QLabel* OneLayerWindow::addRow(QGridLayout* grid, int row, const char* labelName, const QString& text,
                                QWidget* fieldWidget) {
    auto* label = new QLabel(text, fieldWidget->parentWidget());
    label->setObjectName(QString::fromLatin1(labelName));
    grid->addWidget(label, row, 0);
    grid->addWidget(fieldWidget, row, 1, Qt::AlignRight);
    return label;
}

void OneLayerWindow::buildInputs() {
    auto* pile = new QGroupBox(QStringLiteral("基桩参数"), this);
    pile->setObjectName(QStringLiteral("gpb_jizhuangcanshu"));
    m_pileGrid = new QGridLayout(pile);
    QGridLayout* pileGrid = m_pileGrid;
    pileGrid->setVerticalSpacing(6);
    pileGrid->setContentsMargins(8, 4, 8, 4);
    pileGrid->setColumnStretch(0, 1);

    m_section = comboBox(pile, "cbb_jmlx", sectionItems(), false);
    m_first = comboBox(pile, kFieldD, diameterItems(), true);
    m_first->setEditText(QStringLiteral("1000"));
    m_second = comboBox(pile, kFieldC, initialSecondItems(), true);
    m_second->setEditText(QStringLiteral("0"));
    m_second->setEnabled(false);
    const SectionSetup round = sectionSetup(SectionType::Round);
    m_depth = comboBox(pile, kFieldHr, round.depthItems, true);
    m_depth->setEditText(q(round.depthText));
    m_grade = comboBox(pile, "cbb_hnt", gradeItems(), false);
    m_grade->setCurrentIndex(kDefaultGrade);
    m_process = comboBox(pile, "cbb_czgy", processItems(), false);
    m_process->setCurrentIndex(kDefaultProcess);
    m_process->setFixedWidth(kProcessWidth);

    addRow(pileGrid, 0, "lb_jmlx", QStringLiteral("桩身截面类型"), m_section);
    m_firstLabel = addRow(pileGrid, 1, "lb_dd", q(round.firstLabel), m_first);
    m_secondLabel = addRow(pileGrid, 2, "lb_tyzd", q(round.secondLabel), m_second);
    m_secondLabel->setEnabled(false);
    addRow(pileGrid, 3, "lb_hr", QStringLiteral("桩身嵌岩深度   hr (mm)"), m_depth);
    addRow(pileGrid, 4, "lb_hnt", QStringLiteral("桩身混凝土强度等级"), m_grade);
    addRow(pileGrid, 5, "lb_czgy", QStringLiteral("基桩成桩工艺"), m_process);

    auto* rock = new QGroupBox(QStringLiteral("基岩参数"), this);
    rock->setObjectName(QStringLiteral("gpb_jiyancanshu"));
    auto* rockGrid = new QGridLayout(rock);
    rockGrid->setVerticalSpacing(6);
    rockGrid->setContentsMargins(8, 4, 8, 4);
    rockGrid->setColumnStretch(0, 1);
    m_frk = new QLineEdit(QStringLiteral("25"), rock);
    m_frk->setObjectName(QString::fromLatin1(kFieldFrk));
    m_frk->setFixedWidth(kFieldWidth);
    m_integrity = comboBox(rock, kFieldIntegrity, integrityItems(), true);
    m_integrity->setEditText(QStringLiteral("较完整"));
    addRow(rockGrid, 0, "lb_frk", QStringLiteral("岩石单轴抗压强度  frk (MPa)"), m_frk);
    addRow(rockGrid, 1, "lb_yswzcd", QStringLiteral("岩体完整程度(或完整性指数)"), m_integrity);

    inputArea()->addWidget(pile);
    inputArea()->addWidget(rock);

    connect(m_section, &QComboBox::currentIndexChanged, this, &OneLayerWindow::onSectionChanged);
    for (QComboBox* box : {m_first, m_second, m_depth, m_integrity}) {
        const std::string name = box->objectName().toStdString();
        connect(box, &QComboBox::editTextChanged, this, [this, name](const QString& text) { onFieldChanged(name, text); });
    }
    connect(m_frk, &QLineEdit::textChanged, this, [this](const QString& text) { onFieldChanged(kFieldFrk, text); });
    connect(m_grade, &QComboBox::currentIndexChanged, this, [this] { onFieldChanged("cbb_hnt", m_grade->currentText()); });
    connect(m_process, &QComboBox::currentIndexChanged, this,
            [this] { onFieldChanged("cbb_czgy", m_process->currentText()); });
}

Inputs OneLayerWindow::inputs() const {
    Inputs in;
    in.section = static_cast<SectionType>(m_section->currentIndex() + 1);
    in.d = m_first->currentText().toStdString();
    in.c = m_second->currentText().toStdString();
    in.hr = m_depth->currentText().toStdString();
    in.grade = m_grade->currentIndex();
    in.process = m_process->currentIndex();
    in.frk = m_frk->text().toStdString();
    in.integrity = m_integrity->currentText().toStdString();
    in.precision = precision();
    return in;
}

QWidget* OneLayerWindow::field(const std::string& name) const { return findChild<QWidget*>(q(name)); }

void OneLayerWindow::onSectionChanged(int position) {
    const SectionSetup setup = sectionSetup(static_cast<SectionType>(position + 1));
    m_firstLabel->setText(q(setup.firstLabel));
    m_secondLabel->setText(q(setup.secondLabel));
    m_second->setEnabled(setup.secondEnabled);
    m_secondLabel->setEnabled(setup.secondEnabled);
    refill(m_second, setup.secondItems, setup.secondText);
    onFieldChanged(kFieldC, m_second->currentText());
    refill(m_depth, setup.depthItems, setup.depthText);
    onFieldChanged(kFieldHr, m_depth->currentText());
    for (const char* box : {kBoxDeq, kBoxRatio, kBoxZetaR, kBoxRa, kBoxRc})
        resultBox(QString::fromLatin1(box))->clear();
    offerCalculation();
    sectionKindChanged(static_cast<SectionType>(position + 1));
}

ChangeEffect OneLayerWindow::changeEffect(const std::string& name, const std::string& text) const {
    return fieldChanged(name, text);
}

void OneLayerWindow::onFieldChanged(const std::string& name, const QString& text) {
    const ChangeEffect effect = changeEffect(name, text.toStdString());
    for (const auto& box : effect.clearedBoxes)
        resultBox(q(box))->clear();
    offerCalculation();
    applyStatus(effect.status);
    for (const auto& [fieldName, colour] : effect.fields.colours)
        frame::setTextColour(field(fieldName), colour);
}

bool OneLayerWindow::applyOutcome(const Outcome& outcome) {
    for (const auto& [name, text] : outcome.fields.texts) {
        auto* box = qobject_cast<QComboBox*>(field(name));
        const QSignalBlocker blocker(box);
        box->setEditText(q(text));
    }
    for (const auto& [name, colour] : outcome.fields.colours)
        frame::setTextColour(field(name), colour);
    applyStatus(outcome.status);

    if (outcome.kind == OutcomeKind::Conversion) {
        reportConversionError(q(outcome.message));
        return false;
    }
    if (outcome.kind == OutcomeKind::Check) {
        reportStopped();
        return false;
    }
    for (const auto& [name, text] : outcome.boxes)
        resultBox(q(name))->setText(q(text));
    return true;
}

void OneLayerWindow::clearResultBoxes() {
    for (const char* box : {kBoxDeq, kBoxRatio, kBoxZetaR, kBoxRa, kBoxRc})
        resultBox(QString::fromLatin1(box))->clear();
}

void OneLayerWindow::showInputs(const Inputs& in) {
    const SectionSetup setup = sectionSetup(in.section);
    {
        const QSignalBlocker blocker(m_section);
        m_section->setCurrentIndex(static_cast<int>(in.section) - 1);
    }
    m_firstLabel->setText(q(setup.firstLabel));
    m_secondLabel->setText(q(setup.secondLabel));
    m_second->setEnabled(setup.secondEnabled);
    m_secondLabel->setEnabled(setup.secondEnabled);
    refill(m_second, setup.secondItems, in.c);
    refill(m_depth, setup.depthItems, in.hr);
    for (auto [box, text] : {std::pair{m_first, &in.d}, std::pair{m_integrity, &in.integrity}}) {
        const QSignalBlocker blocker(box);
        box->setEditText(q(*text));
    }
    const QSignalBlocker frkBlocker(m_frk);
    m_frk->setText(q(in.frk));
    const QSignalBlocker gradeBlocker(m_grade);
    m_grade->setCurrentIndex(in.grade);
    const QSignalBlocker processBlocker(m_process);
    m_process->setCurrentIndex(in.process);
    sectionKindChanged(in.section);
}

void OneLayerWindow::showRunEnd(const optimise::InputLayerState& state) {
    if (!state.written)
        return;
    showInputs(state.oneLayer().fields);
    for (const auto& [name, text] : state.boxes)
        resultBox(q(name))->setText(q(text));
    for (const auto& [name, colour] : state.colours.colours)
        frame::setTextColour(field(name), colour);
    applyStatus(state.status);
    offerCalculation();
}

void OneLayerWindow::recallCandidate(const optimise::Recall& r) {
    editInputs(Edit{r.sectionPosition, r.first, r.second, r.depth, r.frk, r.integrity, r.gradePosition,
                    r.processPosition});
    leaveOptimisation();
    clearResultBoxes();
    offerCalculation();
}

void OneLayerWindow::editInputs(const Edit& edit) {
    if (edit.sectionPosition)
        m_section->setCurrentIndex(*edit.sectionPosition);
    if (edit.first)
        m_first->setEditText(q(*edit.first));
    if (edit.second)
        m_second->setEditText(q(*edit.second));
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
    hooks.runEnded = [this](const optimise::Enumeration& run) { showRunEnd(run.inputLayer()); };
    hooks.recall = [this](std::size_t row) {
        if (const auto r = m_page->page().recall(row))
            recallCandidate(*r);
    };
    hooks.leave = [this] { leaveOptimisation(); };
    hooks.save = [this] { requestSave(); };
    hooks.conversionError = [this](const QString& message) { reportConversionError(message); };
    m_page = new optimise::OptimisePageWidget(module, std::move(hooks), this);
    installOptimisationPage(m_page, m_page->statusLabel());
}

std::optional<core::WriteResult> OneLayerWindow::writeOptimisationTables(const QString& folder,
                                                                        const core::Moment& moment) {
    if (!m_page)
        return std::nullopt;
    return m_page->save(std::filesystem::path(folder.toStdString()), moment);
}

} // namespace sp::module1
