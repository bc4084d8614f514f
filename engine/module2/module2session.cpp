#include "module2/module2session.h"

#include "module2/module2reports.h"

namespace sp::module2 {

using namespace sp::core;

LayerTexts defaultLayer() {
    const RockLayerGrid fresh;
    return {fresh.cell(1, kColLr),  fresh.cell(1, kColWeathering), fresh.cell(1, kColIntegrity),
            fresh.cell(1, kColKv),  fresh.cell(1, kColFrk),        fresh.cell(1, kColC1),
            fresh.cell(1, kColC2),  fresh.cell(1, kColQpk),        fresh.cell(1, kColQsrk)};
}

Session::Session() = default;

void Session::resetResults() {
    for (const auto& name : resultBoxes())
        m_boxes[name].clear();
    m_calculated = false;
}

void Session::chooseSection(SectionType type) {
    if (type == m_inputs.section)
        return;
    m_inputs.section = type;
    setFieldText(kFieldC, sectionSetup(type).secondText);
    resetResults();
}

void Session::setFieldText(const std::string& field, const std::string& text) {
    std::string* slot = field == kFieldD ? &m_inputs.d : (field == kFieldC ? &m_inputs.c : nullptr);
    if (!slot || *slot == text)
        return;
    *slot = text;
    const ChangeEffect effect = fieldChanged(field, text);
    resetResults();
    effect.status.applyTo(m_status);
    for (const auto& [name, colour] : effect.fields.colours)
        m_fieldColours[name] = colour;
}

void Session::chooseLayerCount(int n) {
    const int count = layerCountOf(n - 1);
    if (count == m_inputs.grid.layerCount())
        return;
    m_inputs.grid.setLayerCount(count);
    resetResults();
}

void Session::chooseStrengthBasis(StrengthBasis basis) {
    if (basis == m_inputs.settings.strengthBasis)
        return;
    m_inputs.settings.strengthBasis = basis;
    resetResults(); // the mode's hint stays as it is
}

void Session::chooseCoefficientMode(CoefficientMode mode) {
    if (mode == m_inputs.settings.mode)
        return;
    m_inputs.settings.mode = mode;
    const ModeHint hint = modeHint(mode);
    m_modeLabelColour = hint.labelColour;
    hint.status.applyTo(m_status);
    resetResults();
}

void Session::chooseIntegrityBasis(IntegrityBasis basis) {
    if (basis == m_inputs.settings.integrityBasis)
        return;
    m_inputs.settings.integrityBasis = basis;
    resetResults();
}

void Session::setGroundwater(bool checked) {
    if (checked == m_inputs.settings.groundwater)
        return;
    m_inputs.settings.groundwater = checked;
    resetResults();
}

void Session::setSoftRock(bool checked) {
    if (checked == m_inputs.settings.softRock)
        return;
    m_inputs.settings.softRock = checked;
    resetResults();
}

void Session::pressExpand() { m_expanded = !m_expanded; }

bool Session::editCell(int layer, int column, const std::string& text) {
    if (!cellEditable(column) || layer < 1 || layer > m_inputs.grid.layerCount())
        return false;
    m_inputs.grid.setCell(layer, column, text);
    resetResults();
    return true;
}

void Session::enterLayers(const std::vector<LayerTexts>& layers) {
    if (layers.empty())
        return;
    chooseLayerCount(static_cast<int>(layers.size()));
    const int n = m_inputs.grid.layerCount();
    for (int i = 1; i <= n; ++i) {
        const LayerTexts& t = layers[static_cast<std::size_t>(i - 1)];
        const std::pair<int, const std::string*> cells[] = {
            {kColLr, &t.lr}, {kColWeathering, &t.weathering}, {kColIntegrity, &t.integrity},
            {kColKv, &t.kv}, {kColFrk, &t.frk},               {kColC1, &t.c1},
            {kColC2, &t.c2}, {kColQpk, &t.qpk},               {kColQsrk, &t.qsrk}};
        for (const auto& [column, text] : cells)
            editCell(i, column, *text);
    }
}

Outcome Session::compute(const Moment& moment) {
    resetResults();
    Outcome outcome = calculate(m_inputs);
    outcome.status.applyTo(m_status);
    for (const auto& [name, colour] : outcome.fields.colours)
        m_fieldColours[name] = colour;
    for (const auto& [name, text] : outcome.fields.texts)
        (name == kFieldD ? m_inputs.d : m_inputs.c) = text;
    m_inputs.grid = outcome.values.grid;
    if (!outcome.ok())
        return outcome;
    for (const auto& [name, text] : outcome.boxes)
        m_boxes[name] = text;
    m_boxColour = outcome.boxColour;
    m_overrideCount = outcome.values.overrideCount;
    m_calculated = true;
    m_documents.append(pilePages(outcome.values, m_documents.pileRegister().next(), moment));
    return outcome;
}

std::string Session::box(const std::string& name) const {
    const auto it = m_boxes.find(name);
    return it == m_boxes.end() ? std::string() : it->second;
}

std::string Session::fieldText(const std::string& field) const {
    if (field == kFieldD)
        return m_inputs.d;
    if (field == kFieldC)
        return m_inputs.c;
    return {};
}

Colour Session::fieldColour(const std::string& field) const {
    const auto it = m_fieldColours.find(field);
    return it == m_fieldColours.end() ? kBlack : it->second;
}

Enabled Session::enabled() const { return enabledControls(m_inputs.settings.strengthBasis, m_inputs.settings.mode); }

bool Session::columnVisible(int column) const {
    const Settings& s = m_inputs.settings;
    return module2::columnVisible(column, GridView{s.strengthBasis, s.mode, s.integrityBasis, m_expanded});
}

} // namespace sp::module2
