#pragma once
// C1 (end resistance) and C2 (side resistance) of one rock layer, for qpk = C1·frk and
// qsrk = C2·frk: the hardness class from frk, the coefficient table by weathering, hardness and
// integrity, the two reductions, and the modes that weigh in the coefficients the engineer gave.

#include "module2/module2settings.h"

#include <string>
#include <vector>

namespace sp::module2 {

// The coefficients of one weathering at one frk: lower values apply to rock "较破碎", upper ones
// to rock "完整". For "较软岩" (15 < frk ≤ 30) they run straight from the "软岩" values at 15 to
// the hard-rock values at 30.
struct CoefficientBounds {
    double c1Lower = 0.0;
    double c1Upper = 0.0;
    double c2Lower = 0.0;
    double c2Upper = 0.0;
};
CoefficientBounds coefficientBounds(Weathering weathering, double frk);

// y1 + (y2 − y1)·(x − x1)/(x2 − x1), unclamped.
double lin(double x1, double y1, double x2, double y2, double x);

// One layer's cells as the calculation reads them (empty or non-numeric numbers read 0).
struct LayerCells {
    int layer = 1; // 1-based, for the messages
    double frk = 0.0;
    std::string weathering;
    std::string integrity;
    double kv = 0.0;
    double c1Specified = 0.0;
    double c2Specified = 0.0;
};

struct LayerCoefficients {
    std::string error;              // not empty: the calculation stops at this layer
    std::string hardness;           // column 19, set once frk passed its checks
    std::vector<std::string> notes; // manual mode: a coefficient left at 0
    bool fillC1 = false;            // write "0.00" into column 6
    bool fillC2 = false;            // write "0.00" into column 7
    std::string remark;             // column 18, automatic lookups only
    double c1Auto = 0.0;            // after the reductions; 0 in manual mode
    double c2Auto = 0.0;
    double c1 = 0.0; // used
    double c2 = 0.0;
    int overrides = 0; // how often a specified coefficient was used
    bool ok() const { return error.empty(); }
};

// Under the rock-strength basis only, once per layer, top layer first. An error leaves what was
// settled before it (the hardness, the notes and fill-ins of a manual layer).
LayerCoefficients determineCoefficients(const LayerCells& cells, const Settings& settings);

// "第" + layer + text, the form of every per-layer message.
std::string layerMessage(int layer, const char* text);

} // namespace sp::module2
