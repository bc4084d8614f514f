#pragma once
// The input layer of module 1 between calculations: labels, item lists and defaults of its fields,
// what choosing a section kind sets, and what each field's change handler clears and checks while
// the engineer types. Pure, so the window and the command line behave alike.

#include "core/geometry.h"
#include "core/outcome.h"
#include "core/sectionfields.h"

#include <string>
#include <vector>

namespace sp::module1 {

using Items = std::vector<std::string>;

// The section fields' lists are those of every module window.
using core::diameterItems;
using core::initialSecondItems;
using core::sectionItems;
const Items& gradeItems();
const Items& processItems();
const Items& integrityItems();

// What choosing a section kind sets in the other fields: the dimension fields, and the socket
// depth's list in multiples of d or b.
struct SectionSetup : core::SectionFields {
    Items depthItems;
    std::string depthText;
};
SectionSetup sectionSetup(core::SectionType type);

// What a change of one input does before the next calculation.
struct ChangeEffect {
    std::vector<std::string> clearedBoxes;
    core::StatusEffect status;
    core::FieldEffects fields;
};
// `field` is the control name of the changed input (cbe_dd, cbe_tyzd, cbe_hr, cbb_hnt, cbb_czgy,
// edt_frk, cbe_yswzcd).
ChangeEffect fieldChanged(const std::string& field, const std::string& text);

} // namespace sp::module1
