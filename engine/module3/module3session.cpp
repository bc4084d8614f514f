#include "module3/module3session.h"

#include "module3/module3reports.h"

namespace sp::module3 {

using namespace sp::core;

Session::Session() {
    for (const char* name : {kBoxDeq, kBoxRatio, kBoxZetaR, kBoxRa, kBoxRc})
        m_boxColours[name] = kGreen;
    m_methodEnabled = methodRow(module1::Session::inputs().section, m_method).enabled;
}

Inputs Session::inputs() const {
    Inputs in;
    static_cast<module1::Inputs&>(in) = module1::Session::inputs();
    in.method = m_method;
    return in;
}

module1::ChangeEffect Session::changeEffect(const std::string& field, const std::string& text) const {
    return fieldChanged(field, text);
}

// The method keeps its position; its row follows the section kind.
void Session::sectionKindChanged() {
    const MethodRow row = methodRow(module1::Session::inputs().section, m_method);
    m_methodEnabled = row.enabled;
    setFieldColour(kLabelMethod, row.labelColour);
}

void Session::chooseMethod(DeqMethod method) {
    if (method == m_method)
        return;
    m_method = method;
    applyChange(methodChanged(module1::Session::inputs().section, method));
}

Outcome Session::compute(const Moment& moment, bool intoPages) {
    const Outcome outcome = calculate(inputs());
    if (outcome.verdict)
        m_verdict = *outcome.verdict;
    if (!record(outcome))
        return outcome;
    for (const auto& [name, colour] : outcome.boxColours)
        m_boxColours[name] = colour;
    if (intoPages)
        enterPile(pilePages(outcome, nextPile(), moment, documents().wanted()));
    return outcome;
}

void Session::writeVerdict(std::optional<ComplianceVerdict> verdict,
                           const std::vector<std::pair<std::string, Colour>>& boxColours) {
    if (verdict)
        m_verdict = *verdict;
    for (const auto& [name, colour] : boxColours)
        m_boxColours[name] = colour;
}

Colour Session::boxColour(const std::string& name) const {
    const auto it = m_boxColours.find(name);
    return it == m_boxColours.end() ? kGreen : it->second;
}

Colour Session::fieldColour(const std::string& field) const {
    const auto it = fieldColours().find(field);
    return it == fieldColours().end() ? kBlack : it->second;
}

} // namespace sp::module3
