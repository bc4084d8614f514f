#pragma once
// The section fields every module window shares: the section list, the diameter (long side) and
// second-dimension fields with their lists, what choosing a section kind sets in them, and the
// check each field makes while the engineer types (a warning only; it blocks nothing).

#include "core/geometry.h"
#include "core/outcome.h"

#include <string>
#include <vector>

namespace sp::core {

using Items = std::vector<std::string>;

const Items& sectionItems();  // "圆桩", "椭圆桩", "矩形桩"
const Items& diameterItems(); // "1000" … "2000"
Items initialSecondItems();   // the second field's list in a new window, "  100" … "1200"

// What choosing a section kind sets in the two dimension fields.
struct SectionFields {
    std::string firstLabel;  // label of cbe_dd
    std::string secondLabel; // label of cbe_tyzd
    bool secondEnabled = false;
    Items secondItems;
    std::string secondText;
};
SectionFields sectionFields(SectionType type);

// A check while typing: the field and the status line turn red with `message` when `passes` is
// false, else the field turns black and the status text is cleared.
void checkTyped(const std::string& field, bool passes, const char* message, StatusEffect& status,
                FieldEffects& fields);

// The typing checks of the two dimension fields (cbe_dd: > 0, cbe_tyzd: ≥ 0); false for another field.
bool checkDimensionTyped(const std::string& field, const std::string& text, StatusEffect& status,
                         FieldEffects& fields);

} // namespace sp::core
