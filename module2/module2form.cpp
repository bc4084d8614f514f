#include "module2form.h"

#include "core/numbers.h"
#include "module2calc.h"

namespace sp::module2 {

using namespace sp::core;

namespace {

Items numbered(int from, int to, int step) {
    Items items;
    for (int v = from; v <= to; v += step)
        items.push_back(std::to_string(v));
    return items;
}

} // namespace

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

SectionSetup sectionSetup(SectionType type) {
    SectionSetup s;
    if (type == SectionType::Rectangular || type == SectionType::Square) {
        s.firstLabel = "矩形长边尺寸    a (mm)";
        s.secondLabel = "矩形短边尺寸    b (mm)";
        s.secondEnabled = true;
        s.secondItems = numbered(1000, 2000, 100);
        s.secondText = "1000";
        return s;
    }
    s.firstLabel = "桩  身   直   径    d (mm)";
    s.secondLabel = "椭圆直段长度    c (mm)";
    s.secondEnabled = type == SectionType::Oblong;
    s.secondItems = numbered(100, 1200, 100);
    s.secondText = type == SectionType::Oblong ? "500" : "0";
    return s;
}

const Items& sectionItems() {
    static const Items items = {"圆桩", "椭圆桩", "矩形桩"};
    return items;
}

const Items& diameterItems() {
    static const Items items = numbered(1000, 2000, 100);
    return items;
}

Items initialSecondItems() {
    Items items;
    for (int v = 100; v <= 900; v += 100)
        items.push_back("  " + std::to_string(v));
    for (int v = 1000; v <= 1200; v += 100)
        items.push_back(std::to_string(v));
    return items;
}

ChangeEffect fieldChanged(const std::string& field, const std::string& text) {
    ChangeEffect e;
    e.clearedBoxes = resultBoxes();
    // A check while typing blocks nothing; the calculation makes its own.
    auto check = [&](bool passes, const char* message) {
        if (passes) {
            e.status.clearText();
            e.fields.setColour(field, kBlack);
        } else {
            e.status.showMessage(message, kRed);
            e.fields.setColour(field, kRed);
        }
    };
    const auto value = readStrict(text);
    if (field == kFieldD)
        check(value && *value > 0.0, "桩身直径数据有错");
    else if (field == kFieldC)
        check(value && *value >= 0.0, "椭圆直段长度数据有错");
    return e;
}

} // namespace sp::module2
