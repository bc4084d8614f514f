#pragma once
// A module 3 window without widgets: module 1's fields, status line, result boxes and pages, plus
// the method choice, the verdict the window keeps between calculations and the result-box colours
// it shows. Driven as the engineer drives the window, so the command line answers as it does.

#include "core/moment.h"
#include "report/reportdocuments.h"
#include "module3/module3calc.h"
#include "module3/module3form.h"

#include <map>
#include <string>
#include <vector>

namespace sp::module3 {

class Session {
public:
    Session();

    void chooseSection(core::SectionType type);
    void chooseMethod(DeqMethod method);
    // Sets the text of an edit field (cbe_dd, cbe_tyzd, cbe_hr, edt_frk, cbe_yswzcd) and runs its
    // change handler when the text changes.
    void setFieldText(const std::string& field, const std::string& text);
    void chooseGrade(int position);
    void chooseProcess(int position);
    void choosePrecision(core::Precision precision) { m_inputs.precision = precision; }

    // "计算": on success the pile enters the register and both pages. A calculation that got as far
    // as the equivalent diameter leaves its verdict even when a later check stops it.
    Outcome compute(const core::Moment& moment);

    const Inputs& inputs() const { return m_inputs; }
    const core::StatusLine& status() const { return m_status; }
    const report::ReportDocuments& documents() const { return m_documents; }
    ComplianceVerdict verdict() const { return m_verdict; }
    bool methodEnabled() const { return m_methodEnabled; }
    std::string box(const std::string& name) const;
    core::Colour boxColour(const std::string& name) const;
    std::string fieldText(const std::string& field) const;
    // Text colour of an input field or of the method label (lb_deqcheck); black until changed.
    core::Colour fieldColour(const std::string& field) const;

private:
    std::string* fieldSlot(const std::string& field);
    void clearBoxes(const std::vector<std::string>& boxes);
    void applyEffect(const ChangeEffect& effect);

    Inputs m_inputs;
    core::StatusLine m_status;
    std::map<std::string, core::Colour> m_fieldColours;
    std::map<std::string, std::string> m_boxes;
    std::map<std::string, core::Colour> m_boxColours;
    ComplianceVerdict m_verdict = ComplianceVerdict::Compliant;
    bool m_methodEnabled = false;
    report::ReportDocuments m_documents;
};

} // namespace sp::module3
