#include "windows/module2window.h"

#include "frame/qttext.h"
#include "frame/widgetcolours.h"
#include "module2/module2reports.h"
#include "windows/rocklayerview.h"

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
using frame::qItems;

using namespace sp::core;

namespace {

constexpr int kFieldWidth = 89;
constexpr int kSettingWidth = 193;

QComboBox* comboBox(QWidget* parent, const char* name, const Items& items, bool editable, int width) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(editable);
    for (const auto& item : items)
        box->addItem(q(item));
    box->setFixedWidth(width);
    if (editable)
        box->setInsertPolicy(QComboBox::NoInsert);
    return box;
}

QLabel* addRow(QGridLayout* grid, const char* labelName, const QString& text, QWidget* field) {
    const int row = grid->rowCount();
    auto* label = new QLabel(text, field->parentWidget());
    label->setObjectName(QString::fromLatin1(labelName));
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1, Qt::AlignRight);
    return label;
}

} // namespace

Module2Window::Module2Window(QWidget* parent) : ModuleWindow(QStringLiteral("TPELM_FRM_DURK2"), 800, parent) {
    buildPileGroup();
    buildRockGroup();
    for (auto [name, label] : {std::pair{kBoxQuk, "单桩竖向极限承载力  Quk(kN)"},
                               std::pair{kBoxRa, "单桩竖向承载力特征值 Ra(kN)"},
                               std::pair{kBoxPercent, "其中桩端端阻力所占百分比为"}})
        addResultBox(name, QString::fromUtf8(label));
    m_view->show(m_grid);
    updateColumns();
    createOptimisationPage();
}

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
    hooks.runEnded = [this](const optimise::Enumeration& run) { showRunEnd(run.inputLayer()); };
    hooks.recall = [this](std::size_t row) {
        if (const auto r = m_page->page().recall(row))
            recallCandidate(*r);
    };
    hooks.leave = [this] { leaveOptimisation(); };
    hooks.save = [this] { requestSave(); };
    hooks.conversionError = [this](const QString& message) { reportConversionError(message); };
    m_page = new optimise::OptimisePageWidget(optimise::ModuleKind::Module2, std::move(hooks), this);
    installOptimisationPage(m_page, m_page->statusLabel());
}

std::optional<core::WriteResult> Module2Window::writeOptimisationTables(const QString& folder,
                                                                         const core::Moment& moment) {
    return m_page->save(std::filesystem::path(folder.toStdString()), moment);
}

void Module2Window::showSection(SectionType type, const std::string& secondText) {
    const module2::SectionSetup setup = sectionSetup(type);
    m_firstLabel->setText(q(setup.firstLabel));
    m_secondLabel->setText(q(setup.secondLabel));
    m_second->setEnabled(setup.secondEnabled);
    m_secondLabel->setEnabled(setup.secondEnabled);
    const QSignalBlocker blocker(m_second);
    m_second->clear();
    for (const auto& item : setup.secondItems)
        m_second->addItem(q(item));
    m_second->setEditText(q(secondText));
}

void Module2Window::showRunEnd(const optimise::InputLayerState& state) {
    if (!state.written)
        return;
    const optimise::RockGridFields& layer = state.rockGrid();
    const Inputs& in = layer.fields;
    {
        const QSignalBlocker blocker(m_section);
        m_section->setCurrentIndex(static_cast<int>(in.section) - 1);
    }
    showSection(in.section, in.c);
    {
        const QSignalBlocker blocker(m_first);
        m_first->setEditText(q(in.d));
    }
    const std::pair<QComboBox*, int> lists[] = {
        {m_layerCount, layer.layerCountPosition},
        {m_strengthBasis, static_cast<int>(in.settings.strengthBasis)},
        {m_mode, static_cast<int>(in.settings.mode)},
        {m_integrityBasis, static_cast<int>(in.settings.integrityBasis) - 1}};
    for (const auto& [list, position] : lists) {
        const QSignalBlocker blocker(list);
        list->setCurrentIndex(position);
    }
    m_grid.setLayerCount(layerCountOf(layer.layerCountPosition));
    m_grid.setCell(1, kColLr, layer.lr);
    m_grid.setCell(1, kColWeathering, layer.weathering);
    m_grid.setCell(1, kColFrk, layer.frk);
    if (layer.integrity)
        m_grid.setCell(1, kColIntegrity, *layer.integrity);
    if (layer.kv)
        m_grid.setCell(1, kColKv, *layer.kv);
    for (const CellText& cell : layer.outcome.cells)
        m_grid.setCell(cell.layer, cell.column, cell.text);
    m_view->show(m_grid);
    updateColumns();
    updateEnabled();
    frame::setTextColour(m_modeLabel, modeHint(in.settings.mode).labelColour);
    for (const auto& [name, text] : state.boxes) {
        QLineEdit* box = resultBox(q(name));
        box->setText(q(text));
        frame::setTextColour(box, layer.outcome.boxColour);
    }
    for (const auto& [name, colour] : state.colours.colours)
        frame::setTextColour(findChild<QWidget*>(q(name)), colour);
    applyStatus(state.status);
    offerCalculation();
}

void Module2Window::recallCandidate(const optimise::Recall& r) {
    if (!r.grid)
        return;
    const optimise::Recall::RockGrid& grid = *r.grid;
    if (r.sectionPosition)
        m_section->setCurrentIndex(*r.sectionPosition);
    if (r.first)
        m_first->setEditText(q(*r.first));
    if (r.second)
        m_second->setEditText(q(*r.second));
    m_layerCount->setCurrentIndex(grid.layerCountPosition);
    m_mode->setCurrentIndex(grid.coefficientModePosition);
    if (grid.integrityBasisPosition)
        m_integrityBasis->setCurrentIndex(*grid.integrityBasisPosition);
    onCellEdited(1, kColLr, q(grid.lr));
    onCellEdited(1, kColWeathering, q(grid.weathering));
    onCellEdited(1, m_integrityBasis->currentIndex() == 0 ? kColIntegrity : kColKv, q(r.integrity));
    onCellEdited(1, kColFrk, q(r.frk));
    m_view->show(m_grid);
    leaveOptimisation();
    resetResults();
}

void Module2Window::buildPileGroup() {
    auto* group = new QGroupBox(QStringLiteral("基桩参数"), this);
    group->setObjectName(QStringLiteral("gpb_srcs"));
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(8, 4, 8, 4);
    grid->setVerticalSpacing(6);
    grid->setColumnStretch(0, 1);
    const module2::SectionSetup round = sectionSetup(SectionType::Round);
    m_section = comboBox(group, "cbb_jmlx", sectionItems(), false, kFieldWidth);
    m_first = comboBox(group, kFieldD, diameterItems(), true, kFieldWidth);
    m_first->setEditText(QStringLiteral("1000"));
    m_second = comboBox(group, kFieldC, initialSecondItems(), true, kFieldWidth);
    m_second->setEditText(QStringLiteral("0"));
    m_second->setEnabled(false);
    addRow(grid, "lb_jmlx", QStringLiteral("桩身截面类型"), m_section);
    m_firstLabel = addRow(grid, "lb_dd", q(round.firstLabel), m_first);
    m_secondLabel = addRow(grid, "lb_tyzd", q(round.secondLabel), m_second);
    m_secondLabel->setEnabled(false);
    inputArea()->addWidget(group);

    connect(m_section, &QComboBox::currentIndexChanged, this, &Module2Window::onSectionChanged);
    for (QComboBox* box : {m_first, m_second}) {
        const std::string name = box->objectName().toStdString();
        connect(box, &QComboBox::editTextChanged, this, [this, name](const QString& text) { onFieldChanged(name, text); });
    }
}

void Module2Window::buildRockGroup() {
    auto* group = new QGroupBox(QStringLiteral("基岩参数"), this);
    group->setObjectName(QStringLiteral("gpb_jiyancanshu"));
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(8, 4, 8, 4);
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(5);
    grid->setColumnStretch(0, 1);
    m_layerCount = comboBox(group, "cbb_yanchengshu", layerCountItems(), false, kFieldWidth);
    m_strengthBasis = comboBox(group, "cbb_qiangduzhi", strengthBasisItems(), false, kSettingWidth);
    m_strengthBasis->setCurrentIndex(static_cast<int>(StrengthBasis::RockStrength));
    m_mode = comboBox(group, "cbb_chezhuxishu", coefficientModeItems(), false, kSettingWidth);
    m_mode->setCurrentIndex(static_cast<int>(CoefficientMode::Automatic));
    m_integrityBasis = comboBox(group, "cbb_wanzhengchengdu", integrityBasisItems(), false, kSettingWidth);
    addRow(grid, "lb_yanchengshu", QStringLiteral("嵌岩段岩层数"), m_layerCount);
    addRow(grid, "lb_qiangduzhi", QStringLiteral("岩石强度取值"), m_strengthBasis);
    m_modeLabel = addRow(grid, "lb_chezhuxishu", QStringLiteral("侧阻端阻系数"), m_mode);
    m_integrityBasisLabel = addRow(grid, "lb_wanzhengchengdu", QStringLiteral("系数插值依据"), m_integrityBasis);
    layout->addLayout(grid);

    m_groundwater = new QCheckBox(QStringLiteral("地下水位以下和采用泥浆护壁钻、冲孔桩"), group);
    m_groundwater->setObjectName(QStringLiteral("ckb_dixiashui"));
    m_groundwater->setChecked(true);
    m_softRock = new QCheckBox(QStringLiteral("软化系数≤0.6的软质岩，桩端岩石长时间暴露"), group);
    m_softRock->setObjectName(QStringLiteral("ckb_ruanzhiyan"));
    layout->addWidget(m_groundwater);
    layout->addWidget(m_softRock);

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

    connect(m_layerCount, &QComboBox::currentIndexChanged, this, &Module2Window::onLayerCount);
    connect(m_strengthBasis, &QComboBox::currentIndexChanged, this, &Module2Window::onStrengthBasis);
    connect(m_mode, &QComboBox::currentIndexChanged, this, &Module2Window::onCoefficientMode);
    connect(m_integrityBasis, &QComboBox::currentIndexChanged, this, &Module2Window::onIntegrityBasis);
    connect(m_groundwater, &QCheckBox::toggled, this, &Module2Window::resetResults);
    connect(m_softRock, &QCheckBox::toggled, this, &Module2Window::resetResults);
    connect(m_expand, &QPushButton::clicked, this, &Module2Window::onExpand);
    m_view->onEdited([this](int layer, int column, const QString& text) { onCellEdited(layer, column, text); });
}

Settings Module2Window::settings() const {
    Settings s;
    s.strengthBasis = static_cast<StrengthBasis>(m_strengthBasis->currentIndex());
    s.mode = static_cast<CoefficientMode>(m_mode->currentIndex());
    s.integrityBasis = static_cast<IntegrityBasis>(m_integrityBasis->currentIndex() + 1);
    s.groundwater = m_groundwater->isChecked();
    s.softRock = m_softRock->isChecked();
    return s;
}

GridView Module2Window::gridView() const {
    const Settings s = settings();
    return GridView{s.strengthBasis, s.mode, s.integrityBasis,
                    m_expand->text() == QString::fromUtf8(expandCaption(true))};
}

Inputs Module2Window::inputs() const {
    Inputs in;
    in.section = static_cast<SectionType>(m_section->currentIndex() + 1);
    in.d = m_first->currentText().toStdString();
    in.c = m_second->currentText().toStdString();
    in.settings = settings();
    in.grid = m_grid;
    in.precision = precision();
    return in;
}

void Module2Window::resetResults() {
    for (const auto& box : module2::resultBoxes())
        resultBox(q(box))->clear();
    offerCalculation();
}

void Module2Window::updateColumns() {
    const ColumnVisibility shown = columnVisibility(gridView());
    for (int column = 0; column < kColumnCount; ++column)
        m_view->setColumnHidden(column, !shown[static_cast<std::size_t>(column)]);
}

void Module2Window::updateEnabled() {
    const Enabled e = enabledControls(settings().strengthBasis, settings().mode);
    m_modeLabel->setEnabled(e.mode);
    m_mode->setEnabled(e.mode);
    m_integrityBasisLabel->setEnabled(e.interpolationBasis);
    m_integrityBasis->setEnabled(e.interpolationBasis);
    m_groundwater->setEnabled(e.checkBoxes);
    m_softRock->setEnabled(e.checkBoxes);
}

void Module2Window::onSectionChanged(int position) {
    const SectionType type = static_cast<SectionType>(position + 1);
    showSection(type, sectionSetup(type).secondText);
    onFieldChanged(kFieldC, m_second->currentText());
    resetResults();
}

void Module2Window::onFieldChanged(const std::string& name, const QString& text) {
    const module2::ChangeEffect effect = fieldChanged(name, text.toStdString());
    for (const auto& box : effect.clearedBoxes)
        resultBox(q(box))->clear();
    offerCalculation();
    applyStatus(effect.status);
    for (const auto& [fieldName, colour] : effect.fields.colours)
        frame::setTextColour(findChild<QWidget*>(q(fieldName)), colour);
}

void Module2Window::onLayerCount(int index) {
    m_grid.setLayerCount(layerCountOf(index));
    m_view->show(m_grid);
    resetResults();
}

void Module2Window::onStrengthBasis() {
    updateColumns();
    updateEnabled();
    resetResults();
}

void Module2Window::onCoefficientMode() {
    updateColumns();
    updateEnabled();
    const ModeHint hint = modeHint(settings().mode);
    frame::setTextColour(m_modeLabel, hint.labelColour);
    applyStatus(hint.status);
    resetResults();
}

void Module2Window::onIntegrityBasis() {
    updateColumns();
    resetResults();
}

void Module2Window::onExpand() {
    const bool expanded = m_expand->text() == QString::fromUtf8(expandCaption(false));
    m_expand->setText(QString::fromUtf8(expandCaption(expanded)));
    updateColumns();
}

void Module2Window::onCellEdited(int layer, int column, const QString& text) {
    m_grid.setCell(layer, column, text.toStdString());
    resetResults();
}

void Module2Window::calculate() {
    const Outcome outcome = module2::calculate(inputs());
    for (const auto& [name, text] : outcome.fields.texts) {
        auto* box = findChild<QComboBox*>(q(name));
        const QSignalBlocker blocker(box);
        box->setEditText(q(text));
    }
    for (const auto& [name, colour] : outcome.fields.colours)
        frame::setTextColour(findChild<QWidget*>(q(name)), colour);
    applyStatus(outcome.status);
    for (const CellText& cell : outcome.cells)
        m_grid.setCell(cell.layer, cell.column, cell.text);
    m_view->show(m_grid);
    if (!outcome.ok()) {
        reportStopped();
        return;
    }
    m_overrideCount = outcome.values.overrideCount;
    for (const auto& [name, text] : outcome.boxes) {
        QLineEdit* box = resultBox(q(name));
        box->setText(q(text));
        frame::setTextColour(box, outcome.boxColour);
    }
    const Values& values = outcome.values;
    acceptPile([&values](int pileNumber, const Moment& moment) { return pilePages(values, pileNumber, moment); });
}

} // namespace sp::module2
