#pragma once
// The input layer of module 2 between calculations, without widgets: which grid columns the
// settings show, which cells the engineer may edit, what the settings enable, the coefficient
// mode's hint, and what each change clears and checks. The window and the command line share it.

#include "core/geometry.h"
#include "core/outcome.h"
#include "core/sectionfields.h"
#include "module2/module2settings.h"
#include "module2/rocklayergrid.h"

#include <array>
#include <string>
#include <vector>

namespace sp::module2 {

// The settings the grid's columns follow; `expanded` is the state of cbt_kuozhanbiaoge.
struct GridView {
    StrengthBasis strengthBasis = StrengthBasis::RockStrength;
    CoefficientMode mode = CoefficientMode::Automatic;
    IntegrityBasis integrityBasis = IntegrityBasis::ClassName;
    bool expanded = false;
};

using ColumnVisibility = std::array<bool, kColumnCount>;
bool columnVisible(int column, const GridView& view);
ColumnVisibility columnVisibility(const GridView& view);

// Cells of columns 1 to 7, 10 and 11 accept edits whatever the settings.
bool cellEditable(int column);

// The caption of cbt_kuozhanbiaoge: "展开" while collapsed, "折叠" while expanded.
const char* expandCaption(bool expanded);

// n from the selected index of cbb_yanchengshu, kept within 1..9.
int layerCountOf(int selectedIndex);

// What the strength basis and the coefficient mode enable: the mode's label and list
// (lb_chezhuxishu, cbb_chezhuxishu), the interpolation basis's label and list (lb_wanzhengchengdu,
// cbb_wanzhengchengdu), and the check boxes ckb_dixiashui and ckb_ruanzhiyan.
struct Enabled {
    bool mode = true;
    bool interpolationBasis = true;
    bool checkBoxes = true;
    bool operator==(const Enabled&) const = default;
};
Enabled enabledControls(StrengthBasis strengthBasis, CoefficientMode mode);

// Choosing a coefficient mode colours its label and shows a hint in the status line: specified
// coefficients are the engineer's responsibility.
struct ModeHint {
    core::Colour labelColour = core::kBlack;
    core::StatusEffect status;
};
ModeHint modeHint(CoefficientMode mode);

// The result boxes every change of an input clears.
const std::vector<std::string>& resultBoxes();

// What choosing a section kind sets in the two dimension fields, and their lists: those of every
// module window.
using SectionSetup = core::SectionFields;
inline SectionSetup sectionSetup(core::SectionType type) { return core::sectionFields(type); }
using core::diameterItems;
using core::initialSecondItems;
using core::sectionItems;

// A change of cbe_dd or cbe_tyzd: the results reset, then the text is checked as typed.
struct ChangeEffect {
    std::vector<std::string> clearedBoxes;
    core::StatusEffect status;
    core::FieldEffects fields;
};
ChangeEffect fieldChanged(const std::string& field, const std::string& text);

} // namespace sp::module2
