#pragma once
// Where a module 2 pile's resistance comes from: one bar per rock layer for its side resistance
// Qsrik and one for the end resistance Qpk of the bottom layer, in kN, with the shares of Quk the
// calculation wrote. Read from a calculated pile's values and its rock-layer grid as the
// calculation left it; nothing is worked out again.

#include "module2/module2calc.h"

#include <string>
#include <vector>

namespace sp::charts {

struct ResistanceBar {
    enum class Kind { Side, End };
    Kind kind = Kind::Side;
    int layer = 0;         // 1 … n, top first; for the end bar the bottom layer
    std::string label;     // the layer as the grid names it ("1" … "9"); "端阻" for the end bar
    double value = 0.0;    // kN
    double share = 0.0;    // % of Quk
    std::string shareText; // "34.21%", as the grid shows a layer's share
};

struct ResistanceBars {
    bool ok = false;                 // false: the pile did not calculate, nothing to draw
    std::vector<ResistanceBar> bars; // the layers top first, then the end resistance
    double quk = 0.0;                // kN, the bars' sum
    double sideShare = 0.0;          // % of Quk from the sides together
    double endShare = 0.0;           // % from the end
    std::string pile;                // the pile, for the chart's title (pileSummary)
};

inline constexpr const char* kEndBarLabel = "端阻";

// From a successful calculation's values (their grid holds the per-layer results).
ResistanceBars resistanceBars(const module2::Values& values);
// Nothing to draw when the calculation stopped.
ResistanceBars resistanceBars(const module2::Outcome& outcome);

} // namespace sp::charts
