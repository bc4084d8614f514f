#include "module2/module2form.h"

#include "core/numbers.h"
#include "module2/module2calc.h"

namespace sp::module2 {

using namespace sp::core;

bool columnVisible(int column, const GridView& view) {
    const bool strength = view.strengthBasis == StrengthBasis::RockStrength;
    const bool lookup = strength && view.mode != CoefficientMode::Manual;
    switch (column) {
    case 0:
    case 1:
        return true;
    case 2:
        return lookup;
    case 3:
        return lookup && view.integrityBasis == IntegrityBasis::ClassName;
    case 4:
        return lookup && view.integrityBasis == IntegrityBasis::Index;
    case 5:
        return strength;
    case 6:
    case 7:
        return strength && view.mode != CoefficientMode::Automatic;
    case 8:
    case 9:
        return strength && view.expanded;
    case 10:
    case 11:
        return !strength || view.expanded;
    default:
        return column >= 12 && column <= 18 && view.expanded;
    }
}

ColumnVisibility columnVisibility(const GridView& view) {
    ColumnVisibility shown{};
    for (int column = 0; column < kColumnCount; ++column)
        shown[static_cast<std::size_t>(column)] = columnVisible(column, view);
    return shown;
}

bool cellEditable(int column) { return (column >= 1 && column <= 7) || column == 10 || column == 11; }

const char* expandCaption(bool expanded) { return expanded ? "折叠" : "展开"; }

int layerCountOf(int selectedIndex) {
    const int n = selectedIndex + 1;
    return n < 1 ? 1 : (n > kMaxLayers ? kMaxLayers : n);
}

Enabled enabledControls(StrengthBasis strengthBasis, CoefficientMode mode) {
    const bool strength = strengthBasis == StrengthBasis::RockStrength;
    const bool lookup = strength && mode != CoefficientMode::Manual;
    return {strength, lookup, lookup};
}

ModeHint modeHint(CoefficientMode mode) {
    ModeHint hint;
    if (mode == CoefficientMode::Automatic) {
        hint.labelColour = kBlack;
        hint.status.showMessage("", kBlack);
    } else {
        hint.labelColour = kMagenta;
        hint.status.showMessage("提示：指定的系数需自行确定其合理性", kMagenta);
    }
    return hint;
}

const std::vector<std::string>& resultBoxes() {
    static const std::vector<std::string> boxes = {kBoxQuk, kBoxRa, kBoxPercent};
    return boxes;
}

ChangeEffect fieldChanged(const std::string& field, const std::string& text) {
    ChangeEffect e;
    e.clearedBoxes = resultBoxes();
    // A check while typing blocks nothing; the calculation makes its own.
    checkDimensionTyped(field, text, e.status, e.fields);
    return e;
}

} // namespace sp::module2
