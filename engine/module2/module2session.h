#pragma once
// A module 2 window without widgets: the section fields, the rock settings and check boxes, the
// rock-layer grid, the status line, the result boxes with their colour, the verdict and the report
// pages, driven as the engineer drives the window. The command line computes its piles through it.

#include "core/moment.h"
#include "report/reportdocuments.h"
#include "module2/module2calc.h"
#include "module2/module2form.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace sp::module2 {

inline constexpr const char* kLabelMode = "lb_chezhuxishu";

// The input cells of one layer (grid columns 1 to 7, 10 and 11), as typed.
struct LayerTexts {
    std::string lr, weathering, integrity, kv, frk, c1, c2, qpk, qsrk;
    bool operator==(const LayerTexts&) const = default;
};
// Row 1 of a new window.
LayerTexts defaultLayer();

// What an optimisation run leaves in the input layer: section, d and c (the calculation's rewrites
// included) and the three lists it sets, the layer count and the cells written into the grid in
// order, the result boxes with their colour, the status line and the field colours.
struct LayerWrite {
    Inputs fields; // section, d, c and the settings; its grid and check boxes are not written
    int layerCount = 1;
    std::vector<CellText> cells;
    std::vector<std::pair<std::string, std::string>> boxes;
    core::Colour boxColour = core::kGreen;
    core::StatusEffect status;
    core::FieldEffects colours;
};

class Session {
public:
    Session();

    void chooseSection(core::SectionType type);
    // Sets the text of cbe_dd or cbe_tyzd and runs its change handler when the text changes.
    void setFieldText(const std::string& field, const std::string& text);

    // The handlers of the rock group box; a choice equal to the current one changes nothing.
    void chooseLayerCount(int n);
    void chooseStrengthBasis(StrengthBasis basis);
    void chooseCoefficientMode(CoefficientMode mode);
    void chooseIntegrityBasis(IntegrityBasis basis);
    void setGroundwater(bool checked);
    void setSoftRock(bool checked);
    void pressExpand();
    // Finishes the edit of one cell; false, and nothing changes, for a read-only column or a row
    // the grid does not show.
    bool editCell(int layer, int column, const std::string& text);
    // Rows 1..size (at most 9) receive the layers, top first, after the count is chosen; a cell
    // that already holds its text is left alone, as an engineer would leave it.
    void enterLayers(const std::vector<LayerTexts>& layers);
    // The rows below the layer count hold `rows` (the first just below the count) and nothing
    // after them, so that raising the count brings them back as typed. Hidden rows take no part in
    // a calculation: the results shown stand.
    void keepRows(const std::vector<LayerTexts>& rows);
    void choosePrecision(core::Precision precision) { m_inputs.precision = precision; }

    // "计算": on success the pile enters the register and both pages, unless `intoPages` is false
    // (the optimisation layer is open), when only the boxes and the grid take the results.
    Outcome compute(const core::Moment& moment, bool intoPages = true);
    // Writes a run's end into the layer without running any change handler; "计算" is offered.
    void writeLayer(const LayerWrite& write);

    const Inputs& inputs() const { return m_inputs; }
    const RockLayerGrid& grid() const { return m_inputs.grid; }
    const core::StatusLine& status() const { return m_status; }
    const report::ReportDocuments& documents() const { return m_documents; }
    // The window's frame deletes piles and marks pages saved.
    report::ReportDocuments& documents() { return m_documents; }
    std::string box(const std::string& name) const;
    core::Colour boxColour() const { return m_boxColour; }
    // The verdict of the last completed calculation; "合规" before the first.
    const char* verdict() const { return verdictText(m_overrideCount); }
    std::string fieldText(const std::string& field) const;
    core::Colour fieldColour(const std::string& field) const; // black until a check marks it
    // Colours of the fields and of the mode's label (lb_chezhuxishu) set so far.
    const std::map<std::string, core::Colour>& fieldColours() const { return m_fieldColours; }
    core::Colour modeLabelColour() const;
    Enabled enabled() const;
    bool expanded() const { return m_expanded; }
    bool columnVisible(int column) const;
    // "结果" shown instead of "计算": a pile entered the pages and no input has changed since.
    bool calculated() const { return m_calculated; }

private:
    std::string* fieldSlot(const std::string& field);
    // Stores a field's text and runs its change handler, whether the text changed or not.
    void enterText(const std::string& field, const std::string& text);
    void resetResults();

    Inputs m_inputs;
    bool m_expanded = false;
    core::StatusLine m_status;
    std::map<std::string, core::Colour> m_fieldColours;
    std::map<std::string, std::string> m_boxes;
    core::Colour m_boxColour = core::kGreen;
    int m_overrideCount = 0;
    bool m_calculated = false;
    report::ReportDocuments m_documents;
};

} // namespace sp::module2
