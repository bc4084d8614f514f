#include "module3/module3session.h"

#include "module3/module3reports.h"

namespace sp::module3 {

using namespace sp::core;

namespace {


const std::vector<std::string> kAllBoxes = {kBoxDeq, kBoxRatio, kBoxZetaR, kBoxRa, kBoxRc};

} // namespace

Session::Session() {
    for (const auto& name : kAllBoxes)
        m_boxColours[name] = kGreen;
    m_methodEnabled = methodRow(m_inputs.section, m_inputs.method).enabled;
}

std::string* Session::fieldSlot(const std::string& field) { return module1::inputField(m_inputs, field); }

void Session::clearBoxes(const std::vector<std::string>& boxes) {
    for (const auto& name : boxes)
        m_boxes[name].clear();
}

void Session::applyEffect(const ChangeEffect& effect) {
    clearBoxes(effect.clearedBoxes);
    effect.status.applyTo(m_status);
    for (const auto& [name, colour] : effect.fields.colours)
        m_fieldColours[name] = colour;
}

void Session::chooseSection(SectionType type) {
    if (type == m_inputs.section)
        return;
    m_inputs.section = type;
    const SectionSetup setup = sectionSetup(type, m_inputs.method);
    setFieldText(kFieldC, setup.secondText);
    setFieldText(kFieldHr, setup.depthText);
    clearBoxes(kAllBoxes);
    m_methodEnabled = setup.method.enabled;
    m_fieldColours[kLabelMethod] = setup.method.labelColour;
}

void Session::chooseMethod(DeqMethod method) {
    if (method == m_inputs.method)
        return;
    m_inputs.method = method;
    applyEffect(methodChanged(m_inputs.section, method));
}

void Session::setFieldText(const std::string& field, const std::string& text) {
    std::string* slot = fieldSlot(field);
    if (!slot || *slot == text)
        return;
    *slot = text;
    applyEffect(fieldChanged(field, text));
}

void Session::chooseGrade(int position) {
    if (position == m_inputs.grade)
        return;
    m_inputs.grade = position;
    applyEffect(fieldChanged("cbb_hnt", {}));
}

void Session::chooseProcess(int position) {
    if (position == m_inputs.process)
        return;
    m_inputs.process = position;
    applyEffect(fieldChanged("cbb_czgy", {}));
}

Outcome Session::compute(const Moment& moment) {
    Outcome outcome = calculate(m_inputs);
    outcome.status.applyTo(m_status);
    for (const auto& [name, colour] : outcome.fields.colours)
        m_fieldColours[name] = colour;
    for (const auto& [name, text] : outcome.fields.texts)
        *fieldSlot(name) = text;
    if (outcome.verdict)
        m_verdict = *outcome.verdict;
    if (!outcome.ok())
        return outcome;
    for (const auto& [name, text] : outcome.boxes)
        m_boxes[name] = text;
    for (const auto& [name, colour] : outcome.boxColours)
        m_boxColours[name] = colour;
    m_documents.append(pilePages(outcome, m_documents.pileRegister().next(), moment));
    return outcome;
}

std::string Session::box(const std::string& name) const {
    const auto it = m_boxes.find(name);
    return it == m_boxes.end() ? std::string() : it->second;
}

Colour Session::boxColour(const std::string& name) const {
    const auto it = m_boxColours.find(name);
    return it == m_boxColours.end() ? kGreen : it->second;
}

std::string Session::fieldText(const std::string& field) const {
    const std::string* slot = module1::inputField(m_inputs, field);
    return slot ? *slot : std::string();
}

Colour Session::fieldColour(const std::string& field) const {
    const auto it = m_fieldColours.find(field);
    return it == m_fieldColours.end() ? kBlack : it->second;
}

} // namespace sp::module3
