#pragma once
// The part of writing a run's last candidate back into the input layer that every module shares:
// the black of the fields every passing candidate showed, the message line as the candidates
// left it, the last candidate's colours and rewritten texts, and its result boxes (blank after a
// stop). The module has put the candidate's own fields in place before.

#include "optimise/run/enumeration.h"

#include <optional>
#include <span>
#include <string>

namespace sp::optimise {

void composeStatus(core::StatusEffect& into, const core::StatusEffect& after);

// A stop keeps what the candidate before it left where the stopping one changes nothing.
inline bool needsPrevious(const RunEnding& ending) {
    return ending.end == RunEnd::Stopped && ending.passed > 0;
}

struct WriteBackFields {
    std::span<const char* const> checked; // shown in black by every passing candidate
    const char* d;                        // the fields the calculation may rewrite
    const char* c;                        // and the field checked only for piles not round
    std::span<const char* const> boxes;   // the result boxes, blanked after a stop
};

template <class Outcome>
void finishWriteBack(const RunEnding& ending, InputLayerState& s, const WriteBackFields& names,
                     const Outcome& outcome, const std::optional<Outcome>& previous, std::string& d,
                     std::string& c) {
    if (ending.passed > 0) {
        for (const char* field : names.checked)
            s.colours.setColour(field, core::kBlack);
        if (ending.nonRoundPassed)
            s.colours.setColour(names.c, core::kBlack);
    }
    if (previous)
        composeStatus(s.status, previous->status);
    composeStatus(s.status, outcome.status);
    for (const auto& [field, colour] : outcome.fields.colours)
        s.colours.setColour(field, colour);
    for (const auto& [field, text] : outcome.fields.texts) {
        if (field == names.d)
            d = text;
        else if (field == names.c)
            c = text;
    }
    if (outcome.ok()) {
        s.boxes = outcome.boxes;
    } else {
        for (const char* box : names.boxes)
            s.boxes.emplace_back(box, std::string());
    }
}

} // namespace sp::optimise
