#pragma once
// A module calculation in progress: the outcome it builds as it goes. A check that passes turns its
// field black; a check that fails stops the calculation with its message in red. The modules'
// outcomes differ in what else they record, so each module derives its own run from this one.

#include "core/outcome.h"
#include "core/sectioncheck.h"

#include <string>

namespace sp::core {

// `Outcome` has kind, message, field, status, fields and values; its values have the section
// fields (dText, cText, square, first, second). The steps of a calculation return false once it
// has stopped, so that the calculation can return `out` as it stands.
template <class Outcome> class CalculationRun {
public:
    Outcome out;

    // The message goes to the status line in red and the field, where there is one (a rock
    // layer's check names none), turns red.
    bool stop(const char* field, const std::string& message) {
        out.kind = OutcomeKind::Check;
        out.message = message;
        out.field = field;
        out.status.showMessage(message, kRed);
        if (*field)
            out.fields.setColour(field, kRed);
        return false;
    }

    void pass(const char* field) {
        out.fields.setColour(field, kBlack);
        out.status.clearText();
    }

    // The section checks every module makes first. A rectangle given short side first has its
    // sides exchanged, and the field texts recorded are the rewritten ones.
    bool takeSection(SectionType type, const std::string& d, const std::string& c) {
        const SectionCheck section = checkSection(type, d, c, out.status, out.fields);
        if (section.stopped())
            return stop(section.stopField, section.stopMessage);
        auto& v = out.values;
        if (section.exchanged) {
            v.dText = section.firstText;
            v.cText = section.secondText;
        }
        v.square = section.square;
        v.first = section.first;
        v.second = section.second;
        return true;
    }
};

} // namespace sp::core
