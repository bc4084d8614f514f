#include "module1/module1session.h"

#include "module1/module1form.h"
#include "module1/module1reports.h"

namespace sp::module1 {

using namespace sp::core;

Session::Session() = default;

std::string* Session::fieldSlot(const std::string& field) { return module1::inputField(m_inputs, field); }

void Session::clearBoxes(const std::vector<std::string>& boxes) {
    for (const auto& name : boxes)
        m_boxes[name].clear();
}

void Session::chooseSection(SectionType type) {
    if (type == m_inputs.section)
        return;
    m_inputs.section = type;
    const SectionSetup setup = sectionSetup(type);
    setFieldText(kFieldC, setup.secondText);
    setFieldText(kFieldHr, setup.depthText);
    clearBoxes({kBoxDeq, kBoxRatio, kBoxZetaR, kBoxRa, kBoxRc});
}

void Session::setFieldText(const std::string& field, const std::string& text) {
    std::string* slot = fieldSlot(field);
    if (!slot || *slot == text)
        return;
    *slot = text;
    const ChangeEffect effect = fieldChanged(field, text);
    clearBoxes(effect.clearedBoxes);
    effect.status.applyTo(m_status);
    for (const auto& [name, colour] : effect.fields.colours)
        m_fieldColours[name] = colour;
}

void Session::chooseGrade(int position) {
    if (position == m_inputs.grade)
        return;
    m_inputs.grade = position;
    clearBoxes(fieldChanged("cbb_hnt", {}).clearedBoxes);
}

void Session::chooseProcess(int position) {
    if (position == m_inputs.process)
        return;
    m_inputs.process = position;
    clearBoxes(fieldChanged("cbb_czgy", {}).clearedBoxes);
}

Outcome Session::compute(const Moment& moment) {
    Outcome outcome = calculate(m_inputs);
    outcome.status.applyTo(m_status);
    for (const auto& [name, colour] : outcome.fields.colours)
        m_fieldColours[name] = colour;
    for (const auto& [name, text] : outcome.fields.texts)
        *fieldSlot(name) = text;
    if (!outcome.ok())
        return outcome;
    for (const auto& [name, text] : outcome.boxes)
        m_boxes[name] = text;
    m_documents.append(pilePages(outcome.values, m_documents.pileRegister().next(), moment));
    return outcome;
}

std::string Session::box(const std::string& name) const {
    const auto it = m_boxes.find(name);
    return it == m_boxes.end() ? std::string() : it->second;
}

std::string Session::fieldText(const std::string& field) const {
    const std::string* slot = module1::inputField(m_inputs, field);
    return slot ? *slot : std::string();
}

} // namespace sp::module1
