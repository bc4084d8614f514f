#include "module1/module1session.h"

#include "module1/module1handin.h"
#include "module1/module1reports.h"

#include <utility>

namespace sp::module1 {

using namespace sp::core;

namespace {

const std::vector<std::string> kAllBoxes = {kBoxDeq, kBoxRatio, kBoxZetaR, kBoxRa, kBoxRc};

} // namespace

Session::Session() = default;

Session::~Session() = default;

std::string* Session::fieldSlot(const std::string& field) { return module1::inputField(m_inputs, field); }

void Session::clearBoxes(const std::vector<std::string>& boxes) {
    for (const auto& name : boxes) {
        m_boxes[name].clear();
        if (name == kBoxZetaR)
            m_zetaNote.clear();
    }
}

ChangeEffect Session::changeEffect(const std::string& field, const std::string& text) const {
    return fieldChanged(field, text);
}

void Session::applyChange(const ChangeEffect& effect) {
    clearBoxes(effect.clearedBoxes);
    effect.status.applyTo(m_status);
    for (const auto& [name, colour] : effect.fields.colours)
        m_fieldColours[name] = colour;
    m_calculated = false;
}

void Session::enterText(const std::string& field, const std::string& text) {
    *fieldSlot(field) = text;
    applyChange(changeEffect(field, text));
}

void Session::chooseSection(SectionType type) {
    if (type == m_inputs.section)
        return;
    m_inputs.section = type;
    // The section refills both fields, and their handlers run even when a text stays the same.
    const SectionSetup setup = sectionSetup(type);
    enterText(kFieldC, setup.secondText);
    enterText(kFieldHr, setup.depthText);
    clearBoxes(kAllBoxes);
    sectionKindChanged();
}

void Session::setFieldText(const std::string& field, const std::string& text) {
    const std::string* slot = fieldSlot(field);
    if (!slot || *slot == text)
        return;
    enterText(field, text);
}

void Session::chooseGrade(int position) {
    if (position == m_inputs.grade)
        return;
    m_inputs.grade = position;
    applyChange(changeEffect("cbb_hnt", {}));
}

void Session::chooseProcess(int position) {
    if (position == m_inputs.process)
        return;
    m_inputs.process = position;
    applyChange(changeEffect("cbb_czgy", {}));
}

bool Session::record(const Outcome& outcome) {
    outcome.status.applyTo(m_status);
    for (const auto& [name, colour] : outcome.fields.colours)
        m_fieldColours[name] = colour;
    for (const auto& [name, text] : outcome.fields.texts)
        *fieldSlot(name) = text;
    if (!outcome.ok())
        return false;
    for (const auto& [name, text] : outcome.boxes)
        m_boxes[name] = text;
    m_zetaNote = zetaTableNote(outcome.values);
    return true;
}

void Session::enterPile(report::PilePages pages) {
    m_documents.append(std::move(pages));
    m_calculated = true;
}

Outcome Session::compute(const Moment& moment, bool intoPages) {
    const Outcome outcome = calculate(m_inputs);
    if (record(outcome) && intoPages)
        enterPile(pilePages(outcome.values, nextPile(), moment, m_documents.wanted()));
    return outcome;
}

void Session::clearResults() {
    clearBoxes(kAllBoxes);
    m_calculated = false;
}

void Session::writeLayer(const LayerWrite& write) {
    const Precision precision = m_inputs.precision; // the precision list is not part of the layer
    m_inputs = write.fields;
    m_inputs.precision = precision;
    sectionKindChanged();
    for (const auto& [name, text] : write.boxes)
        m_boxes[name] = text;
    m_zetaNote.clear(); // a run's last candidate brings its boxes, not how ζ was read
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
    const std::string* slot = module1::inputField(m_inputs, field);
    return slot ? *slot : std::string();
}

} // namespace sp::module1
