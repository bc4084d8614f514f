#pragma once
// A module 1 window without widgets: the field texts, the status line, the field colours, the
// result boxes and the report pages, driven as the engineer drives the window (choose a section,
// type into fields, press "计算"). The window shows what it holds and the command line computes
// its piles through it, so that both answer alike. Module 3's session builds on it.

#include "core/moment.h"
#include "report/reportdocuments.h"
#include "module1/module1calc.h"
#include "module1/module1form.h"

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace sp::module1 {

using Boxes = std::vector<std::pair<std::string, std::string>>;

// What an optimisation run leaves in the input layer: the last candidate's fields (its list
// positions and the calculation's rewrites included), result boxes, status line and field colours.
struct LayerWrite {
    Inputs fields;
    Boxes boxes;
    core::StatusEffect status;
    core::FieldEffects colours;
};

class Session {
public:
    Session();
    virtual ~Session();

    // Section kind, field texts and lists: each runs its change handler when the input changes.
    void chooseSection(core::SectionType type);
    // Sets the text of an edit field (cbe_dd, cbe_tyzd, cbe_hr, edt_frk, cbe_yswzcd).
    void setFieldText(const std::string& field, const std::string& text);
    void chooseGrade(int position);
    void chooseProcess(int position);
    void choosePrecision(core::Precision precision) { m_inputs.precision = precision; }

    // "计算": on success the pile enters the register and both pages, unless `intoPages` is false
    // (the optimisation layer is open), when only the boxes take the results.
    Outcome compute(const core::Moment& moment, bool intoPages = true);

    // A candidate recalled from the optimisation page has no results yet.
    void clearResults();
    // Writes a run's end into the layer without running any change handler; "计算" is offered.
    void writeLayer(const LayerWrite& write);

    const Inputs& inputs() const { return m_inputs; }
    const core::StatusLine& status() const { return m_status; }
    const report::ReportDocuments& documents() const { return m_documents; }
    // The window's frame deletes piles and marks pages saved.
    report::ReportDocuments& documents() { return m_documents; }
    std::string box(const std::string& name) const;
    // Beside the ζr box: the book's remark that the last calculation read past the end of the ζr
    // table (module1::zetaTableNote); empty otherwise and whenever the ζr box is empty.
    const std::string& zetaNote() const { return m_zetaNote; }
    std::string fieldText(const std::string& field) const;
    // Colours of the fields (and labels) a change or a calculation has coloured so far.
    const std::map<std::string, core::Colour>& fieldColours() const { return m_fieldColours; }
    // "结果" is offered instead of "计算": a pile entered the pages and no input changed since.
    bool calculated() const { return m_calculated; }

protected:
    // What a change of one input does; module 3's process change clears more.
    virtual ChangeEffect changeEffect(const std::string& field, const std::string& text) const;
    // Called after the section kind changed or was written.
    virtual void sectionKindChanged() {}

    // The boxes it clears, the status line and the field colours; "计算" is offered again.
    void applyChange(const ChangeEffect& effect);
    // The effects every calculation of this kind leaves, stopped or not; true when it completed.
    bool record(const Outcome& outcome);
    // A completed pile into the register and both pages; "结果" is offered.
    void enterPile(report::PilePages pages);
    int nextPile() const { return m_documents.pileRegister().next(); }
    void setFieldColour(const std::string& name, core::Colour colour) { m_fieldColours[name] = colour; }
    Inputs& editableInputs() { return m_inputs; }

private:
    std::string* fieldSlot(const std::string& field);
    void clearBoxes(const std::vector<std::string>& boxes);
    // Stores a field's text and runs its change handler, whether the text changed or not.
    void enterText(const std::string& field, const std::string& text);

    Inputs m_inputs;
    core::StatusLine m_status;
    std::map<std::string, core::Colour> m_fieldColours;
    std::map<std::string, std::string> m_boxes;
    std::string m_zetaNote;
    bool m_calculated = false;
    report::ReportDocuments m_documents;
};

} // namespace sp::module1
