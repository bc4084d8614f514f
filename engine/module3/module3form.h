#pragma once
// The input layer of module 3 between calculations, where it differs from module 1's: the method
// row with its drop-down and label, and the handlers of the method, the section kind and the
// process. Pure, so the window and the command line behave alike.

#include "core/geometry.h"
#include "core/outcome.h"
#include "module3/deqmethod.h"
#include "module1/module1form.h"

#include <string>

namespace sp::module3 {

using module1::ChangeEffect;
using module1::Items;

inline constexpr const char* kDeqBoxLabel = "按特定算法等效直径 deq(mm)"; // label of edt_ddeq
inline constexpr const char* kMethodLabel = "等效直径算法";               // lb_deqcheck
inline constexpr const char* kNoteRecommended = "规范推荐算法";
inline constexpr const char* kNoteOverStandard = "超规选项，谨慎抉择，结果仅供研究";

const Items& methodItems(); // "A-面积相等折算" … "H-Min(A,B,C,D)"

// The method drop-down is of no use to a round pile; its label warns in red while an
// over-standard method is chosen for a section it applies to.
struct MethodRow {
    bool enabled = false;
    core::Colour labelColour = core::kBlack;
};
MethodRow methodRow(core::SectionType section, DeqMethod method);

// What choosing a section kind sets: module 1's fields and lists, and the method row. The method
// keeps its position and the status line is left alone.
struct SectionSetup : module1::SectionSetup {
    MethodRow method;
};
SectionSetup sectionSetup(core::SectionType section, DeqMethod method);

// A change of the method: a note (or warning) in the status line, the label's colour under
// kLabelMethod in `fields`, and the four boxes that depend on the method emptied.
ChangeEffect methodChanged(core::SectionType section, DeqMethod method);

// Module 1's change handlers, except that a change of process empties deq and hr/deq as well.
ChangeEffect fieldChanged(const std::string& field, const std::string& text);

} // namespace sp::module3
