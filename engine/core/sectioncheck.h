#pragma once
// The section checks every module makes first: d (or the long side a) and c (or the short side
// b) read leniently and checked in order, and a rectangle whose sides were given short side first
// exchanged, with both dimension fields rewritten.

#include "core/geometry.h"
#include "core/outcome.h"

#include <string>
#include <string_view>

namespace sp::core {

inline constexpr const char* kFieldFirst = "cbe_dd";
inline constexpr const char* kFieldSecond = "cbe_tyzd";

struct SectionCheck {
    double first = 0.0;  // d or a, mm
    double second = 0.0; // c (0 for a round pile) or b, mm
    bool square = false; // a rectangle with equal sides
    bool exchanged = false;
    std::string firstText, secondText; // the rewritten field texts when exchanged
    // The failed check, when one failed: its field and message.
    const char* stopField = nullptr;
    const char* stopMessage = nullptr;
    bool stopped() const { return stopField != nullptr; }
};

// The field a section's sizes stop on, with its message; none (nullptr) when they hold. A size
// must be greater than 0, and the section it makes must have an area and a perimeter that are
// positive finite numbers: a diameter of 1e-320 passes "greater than 0" but has no area, and
// one of 1e200 an infinite one. Round and oblong piles check d's circle first, then the whole
// section for c; a rectangle with no proper area or perimeter stops on its smaller side when the
// area vanishes and on its larger side when a figure overflows (on a: a tie). `second` is
// ignored for a round pile.
struct SectionStop {
    const char* field = nullptr;
    const char* message = nullptr;
};
SectionStop sectionStop(SectionType type, double first, double second);

// A field that passes turns black and clears the status text; a rewrite goes into `fields`.
SectionCheck checkSection(SectionType type, std::string_view d, std::string_view c, StatusEffect& status,
                          FieldEffects& fields);

} // namespace sp::core
