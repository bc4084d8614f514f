#pragma once
// A module 1 window without widgets: the field texts, the status line, the field colours, the
// result boxes and the report pages, driven as the engineer drives the window (choose a section,
// type into fields, press "计算"). The command line computes its piles through it, so that it
// answers exactly as the window does.

#include "core/moment.h"
#include "report/reportdocuments.h"
#include "module1/module1calc.h"

#include <map>
#include <string>

namespace sp::module1 {

class Session {
public:
    Session();

    void chooseSection(core::SectionType type);
    // Sets the text of an edit field (cbe_dd, cbe_tyzd, cbe_hr, edt_frk, cbe_yswzcd) and runs its
    // change handler when the text changes.
    void setFieldText(const std::string& field, const std::string& text);
    void chooseGrade(int position);
    void chooseProcess(int position);
    void choosePrecision(core::Precision precision) { m_inputs.precision = precision; }

    // "计算": on success the pile enters the register and both pages.
    Outcome compute(const core::Moment& moment);

    const Inputs& inputs() const { return m_inputs; }
    const core::StatusLine& status() const { return m_status; }
    const report::ReportDocuments& documents() const { return m_documents; }
    std::string box(const std::string& name) const;
    std::string fieldText(const std::string& field) const;

private:
    std::string* fieldSlot(const std::string& field);
    void clearBoxes(const std::vector<std::string>& boxes);

    Inputs m_inputs;
    core::StatusLine m_status;
    std::map<std::string, core::Colour> m_fieldColours;
    std::map<std::string, std::string> m_boxes;
    report::ReportDocuments m_documents;
};

} // namespace sp::module1
