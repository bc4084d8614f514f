#pragma once
// The module 2 calculation: side resistance summed layer by layer through the socket and end
// resistance from the layer at the pile tip (Quk = Qpk + ∑Qsrik, Ra = Quk / K). From the section
// fields, the settings and the rock-layer grid it checks in order, writes the per-layer results
// back into the grid and returns everything a press of "计算" changes in the window as one value.

#include "core/geometry.h"
#include "core/outcome.h"
#include "core/text.h"
#include "module2/module2settings.h"
#include "module2/rocklayergrid.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace sp::module2 {

// Control names of the section fields and the result boxes.
inline constexpr const char* kFieldD = "cbe_dd";
inline constexpr const char* kFieldC = "cbe_tyzd";
inline constexpr const char* kBoxQuk = "edt_Quk";
inline constexpr const char* kBoxRa = "edt_ra";
inline constexpr const char* kBoxPercent = "edt_percent";

// The inputs as the engineer left them; the defaults are those of a new window.
struct Inputs {
    core::SectionType section = core::SectionType::Round; // round, oblong or rectangular
    std::string d = "1000";                               // d, or the long side a, mm
    std::string c = "0";                                  // c, or the short side b, mm
    Settings settings;
    RockLayerGrid grid;
    core::Precision precision = core::kDefaultPrecision;
};

// A grid cell the calculation wrote, with its final text.
struct CellText {
    int layer = 1;
    int column = 0;
    std::string text;
    bool operator==(const CellText&) const = default;
};

// Everything the reports need from one calculation.
struct Values {
    core::SectionType section = core::SectionType::Round;
    bool square = false; // a rectangle with equal sides
    // The field texts as they stand after the calculation (a rectangle's sides exchanged).
    std::string dText, cText;
    double first = 0.0;     // d or a, mm
    double second = 0.0;    // c or b, mm
    double area = 0.0;      // Ap, mm²
    double perimeter = 0.0; // μ, mm
    Settings settings;
    core::Precision precision = core::kDefaultPrecision;
    RockLayerGrid grid; // as the calculation left it, also after a stop

    double lr = 0.0;   // socket length, m
    double qsrk = 0.0; // ∑Qsrik, kN
    double qpk = 0.0;  // Qpk of the bottom layer, kN
    double quk = 0.0;  // kN
    double ra = 0.0;   // kN
    double endShare = 0.0;  // Qpk·100/Quk, %
    double sideShare = 0.0; // Qsrk·100/Quk, %
    int overrideCount = 0;  // how often a specified coefficient was used
    // Per layer, top first: the C1 (C2) used is the one the engineer specified.
    std::array<bool, kMaxLayers> specifiedC1{};
    std::array<bool, kMaxLayers> specifiedC2{};
    std::vector<std::string> notes; // the notes the calculation made, in order, for the handed-in book
};

struct Outcome {
    core::OutcomeKind kind = core::OutcomeKind::Ok; // never Conversion: every cell reads leniently
    std::string message;             // the check's message
    std::string field;               // the section field marked red; empty for a layer's check
    core::StatusEffect status;
    core::FieldEffects fields;
    std::vector<std::string> notes;  // in the order shown; the status line keeps the last
    std::vector<CellText> cells;     // cells written, each once, in the order first written
    std::vector<std::pair<std::string, std::string>> boxes; // result boxes, set only on success
    core::Colour boxColour = core::kGreen;                  // green, or magenta once a specified
                                                            // coefficient was used
    Values values;
    bool ok() const { return kind == core::OutcomeKind::Ok; }
    const char* verdict() const { return verdictText(values.overrideCount); }
};

Outcome calculate(const Inputs& inputs);

// Quk or Ra (kN) as the result boxes write it, by the precision.
std::string forceBoxText(double kn, core::Precision precision);

// Decimals of a share by the precision choice: 2, 1, then 0; shares are never cut.
int shareDecimals(core::Precision precision);

} // namespace sp::module2
