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

// The window starts with its status line red (and hidden): a note the first calculation writes
// keeps the line's colour, so it shows in red.
Session::Session() { m_status.colour = kRed; }

void Session::resetResults() {
    for (const auto& name : resultBoxes())
        m_boxes[name].clear();
    m_calculated = false;
}

std::string* Session::fieldSlot(const std::string& field) {
    return field == kFieldD ? &m_inputs.d : (field == kFieldC ? &m_inputs.c : nullptr);
}

void Session::chooseSection(SectionType type) {
    if (type == m_inputs.section)
        return;
    m_inputs.section = type;
    // The section refills the second field, and its handler runs even when the text stays the same.
    enterText(kFieldC, sectionSetup(type).secondText);
    resetResults();
}

void Session::enterText(const std::string& field, const std::string& text) {
    *fieldSlot(field) = text;
    const ChangeEffect effect = fieldChanged(field, text);
    resetResults();
    effect.status.applyTo(m_status);
    for (const auto& [name, colour] : effect.fields.colours)
        m_fieldColours[name] = colour;
}

void Session::setFieldText(const std::string& field, const std::string& text) {
    const std::string* slot = fieldSlot(field);
    if (!slot || *slot == text)
        return;
    enterText(field, text);
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
    m_fieldColours[kLabelMode] = hint.labelColour;
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
            if (m_inputs.grid.cell(i, column) != *text)
                editCell(i, column, *text);
    }
}

void Session::keepRows(const std::vector<LayerTexts>& rows) {
    const int n = m_inputs.grid.layerCount();
    for (int layer = n + 1; layer <= kMaxLayers; ++layer) {
        const auto k = static_cast<std::size_t>(layer - n - 1);
        const LayerTexts t = k < rows.size() ? rows[k] : LayerTexts{};
        const std::pair<int, const std::string*> cells[] = {
            {kColLr, &t.lr}, {kColWeathering, &t.weathering}, {kColIntegrity, &t.integrity},
            {kColKv, &t.kv}, {kColFrk, &t.frk},               {kColC1, &t.c1},
            {kColC2, &t.c2}, {kColQpk, &t.qpk},               {kColQsrk, &t.qsrk}};
        for (const auto& [column, text] : cells)
            m_inputs.grid.setCell(layer, column, *text);
    }
}

Outcome Session::compute(const Moment& moment, bool intoPages) {
    Outcome outcome = calculate(m_inputs);
    outcome.status.applyTo(m_status);
    for (const auto& [name, colour] : outcome.fields.colours)
        m_fieldColours[name] = colour;
    for (const auto& [name, text] : outcome.fields.texts)
        *fieldSlot(name) = text;
    m_inputs.grid = outcome.values.grid;
    if (!outcome.ok())
        return outcome;
    for (const auto& [name, text] : outcome.boxes)
        m_boxes[name] = text;
    m_boxColour = outcome.boxColour;
    m_overrideCount = outcome.values.overrideCount;
    if (intoPages) {
        m_documents.append(
            pilePages(outcome.values, m_documents.pileRegister().next(), moment, m_documents.wanted()));
        m_calculated = true;
    }
    return outcome;
}

void Session::writeLayer(const LayerWrite& write) {
    m_inputs.section = write.fields.section;
    m_inputs.d = write.fields.d;
    m_inputs.c = write.fields.c;
    Settings& settings = m_inputs.settings; // the two check boxes stay as they are
    settings.strengthBasis = write.fields.settings.strengthBasis;
    settings.mode = write.fields.settings.mode;
    settings.integrityBasis = write.fields.settings.integrityBasis;
    m_inputs.grid.setLayerCount(write.layerCount);
    for (const CellText& cell : write.cells)
        m_inputs.grid.setCell(cell.layer, cell.column, cell.text);
    m_fieldColours[kLabelMode] = modeHint(settings.mode).labelColour;
    for (const auto& [name, text] : write.boxes)
        m_boxes[name] = text;
    if (!write.boxes.empty())
        m_boxColour = write.boxColour;
    for (const auto& [name, colour] : write.colours.colours)
        m_fieldColours[name] = colour;
    write.status.applyTo(m_status);
    m_calculated = false;
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

Colour Session::modeLabelColour() const { return fieldColour(kLabelMode); }

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
