#include "module2/coefficientlookup.h"

#include "core/tables.h"

#include <string_view>

namespace sp::module2 {

namespace {

constexpr double kSoftLimit = 15.0; // upper bound of "软岩"
constexpr double kHardFrom = 30.0;  // upper bound of "较软岩"
constexpr double kGroundwaterFactor = 0.85;
constexpr double kSoftRockFactor = 0.8;

constexpr CoefficientBounds kSlightHard{0.70, 1.00, 0.08, 0.12};
constexpr CoefficientBounds kSlightSoft{0.50, 0.90, 0.07, 0.11};
constexpr CoefficientBounds kModerateHard{0.50, 0.90, 0.07, 0.11};
constexpr CoefficientBounds kModerateSoft{0.40, 0.80, 0.06, 0.10};

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool isSoftClass(const std::string& hardness) { return hardness == "软岩" || hardness == "较软岩"; }

enum class Category { Intact, FairlyIntact, FairlyBroken };

const char* remarkOf(Category c) {
    switch (c) {
    case Category::Intact:
        return "岩体完整";
    case Category::FairlyIntact:
        return "岩体较完整";
    case Category::FairlyBroken:
        return "岩体较破碎";
    }
    return "";
}

// Chooses between the automatic and the specified value; a tie goes to the specified one.
double choose(CoefficientMode mode, double automatic, double specified, int& overrides) {
    const bool takeSpecified = mode == CoefficientMode::Larger ? specified >= automatic : specified <= automatic;
    if (!takeSpecified)
        return automatic;
    ++overrides;
    return specified;
}

// A coefficient the engineer specified in manual mode: it has to lie in [0, 1]; a missing one is
// taken as 0 with a note and "0.00" filled into its cell.
bool takeManual(double specified, int layer, const char* wrong, const char* missing, LayerCoefficients& out,
                bool& fill) {
    if (specified < 0.0 || specified > 1.0) {
        out.error = layerMessage(layer, wrong);
        return false;
    }
    if (specified == 0.0) {
        out.notes.push_back(layerMessage(layer, missing));
        fill = true;
    }
    return true;
}

void manualCoefficients(const LayerCells& in, LayerCoefficients& out) {
    out.overrides = 1;
    if (!takeManual(in.c1Specified, in.layer, "层岩石端阻系数C1有错", "层岩石端阻系数未输入，隐含取0.00", out,
                    out.fillC1) ||
        !takeManual(in.c2Specified, in.layer, "层岩石侧阻系数C2有错", "层岩石侧阻系数未输入，隐含取0.00", out,
                    out.fillC2))
        return;
    out.c1 = in.c1Specified;
    out.c2 = in.c2Specified;
}

// The coefficients for an integrity given by its class name.
bool byClassName(const LayerCells& in, const CoefficientBounds& b, LayerCoefficients& out,
                 Category& category) {
    const std::string_view integrity = trimmed(in.integrity);
    if (integrity == "完整") {
        category = Category::Intact;
    } else if (integrity == "较完整") {
        category = Category::FairlyIntact;
    } else if (integrity == "较破碎") {
        category = Category::FairlyBroken;
    } else {
        out.error = layerMessage(in.layer, "层岩体完整程度未明确");
        return false;
    }
    switch (category) {
    case Category::Intact:
        out.c1Auto = b.c1Upper;
        out.c2Auto = b.c2Upper;
        break;
    case Category::FairlyIntact:
        out.c1Auto = (b.c1Lower + b.c1Upper) / 2.0;
        out.c2Auto = (b.c2Lower + b.c2Upper) / 2.0;
        break;
    case Category::FairlyBroken:
        out.c1Auto = b.c1Lower;
        out.c2Auto = b.c2Lower;
        break;
    }
    return true;
}

// The coefficients for an integrity given by the index Kv, interpolated for fairly intact rock.
// The bounds are compared as the standard's tables print them, tolerance included.
bool byIndex(const LayerCells& in, Weathering weathering, const CoefficientBounds& b, LayerCoefficients& out,
             Category& category) {
    const bool transition = out.hardness == "较软岩";
    const double kv = in.kv;
    if (kv <= 0.0 || kv > 1.0) {
        out.error = weathering == Weathering::Slight && transition
                        ? itemText(weathering) + out.hardness + ",岩体完整性指数有错"
                        : layerMessage(in.layer, "层岩体完整性指数有错");
        return false;
    }
    if (kv > 0.750001) {
        category = Category::Intact;
        out.c1Auto = b.c1Upper;
        out.c2Auto = b.c2Upper;
    } else if (kv > 0.550001) {
        category = Category::FairlyIntact;
        out.c1Auto = lin(0.55, b.c1Lower, 0.75, b.c1Upper, kv);
        out.c2Auto = lin(0.55, b.c2Lower, 0.75, b.c2Upper, kv);
    } else if (kv >= 0.349999) {
        category = Category::FairlyBroken;
        out.c1Auto = b.c1Lower;
        out.c2Auto = b.c2Lower;
    } else {
        out.error = transition ? std::string("破碎、极破碎岩体不适用嵌岩桩")
                               : layerMessage(in.layer, "层破碎、极破碎岩体不适用嵌岩桩");
        return false;
    }
    return true;
}

// The table's coefficients for the layer's weathering, hardness and integrity, with the remark
// that names them.
bool lookUpCoefficients(const LayerCells& in, const Settings& settings, LayerCoefficients& out) {
    const int weatheringPosition = itemPosition(weatheringItems(), trimmed(in.weathering));
    if (weatheringPosition < 0) {
        out.error = layerMessage(in.layer, "层岩石风化程度未明确");
        return false;
    }
    const auto weathering = static_cast<Weathering>(weatheringPosition);
    const CoefficientBounds b = coefficientBounds(weathering, in.frk);
    Category category = Category::Intact;
    const bool found = settings.integrityBasis == IntegrityBasis::ClassName
                           ? byClassName(in, b, out, category)
                           : byIndex(in, weathering, b, out, category);
    if (!found)
        return false;
    out.remark = itemText(weathering) + out.hardness + "," + remarkOf(category);
    return true;
}

void applyReductions(const Settings& settings, LayerCoefficients& out) {
    if (settings.groundwater) {
        out.c1Auto *= kGroundwaterFactor;
        out.c2Auto *= kGroundwaterFactor;
    }
    if (settings.softRock && isSoftClass(out.hardness)) {
        out.c1Auto *= kSoftRockFactor;
        out.c2Auto *= kSoftRockFactor;
    }
}

// The larger and the smaller mode weigh the specified coefficients against the looked-up ones.
void weighSpecified(const LayerCells& in, CoefficientMode mode, LayerCoefficients& out) {
    // A negative coefficient would turn a resistance negative; the smaller mode would take it.
    if (in.c1Specified < 0.0) {
        out.error = layerMessage(in.layer, "层岩石端阻系数C1有错");
        return;
    }
    if (in.c2Specified < 0.0) {
        out.error = layerMessage(in.layer, "层岩石侧阻系数C2有错");
        return;
    }
    out.c1 = choose(mode, out.c1Auto, in.c1Specified, out.overrides);
    out.c2 = choose(mode, out.c2Auto, in.c2Specified, out.overrides);
}

} // namespace

double lin(double x1, double y1, double x2, double y2, double x) { return y1 + (y2 - y1) * (x - x1) / (x2 - x1); }

CoefficientBounds coefficientBounds(Weathering weathering, double frk) {
    const bool slight = weathering == Weathering::Slight;
    const CoefficientBounds& soft = slight ? kSlightSoft : kModerateSoft;
    const CoefficientBounds& hard = slight ? kSlightHard : kModerateHard;
    if (frk <= kSoftLimit)
        return soft;
    if (frk > kHardFrom)
        return hard;
    return {lin(kSoftLimit, soft.c1Lower, kHardFrom, hard.c1Lower, frk),
            lin(kSoftLimit, soft.c1Upper, kHardFrom, hard.c1Upper, frk),
            lin(kSoftLimit, soft.c2Lower, kHardFrom, hard.c2Lower, frk),
            lin(kSoftLimit, soft.c2Upper, kHardFrom, hard.c2Upper, frk)};
}

std::string layerMessage(int layer, const char* text) { return "第" + std::to_string(layer) + text; }

LayerCoefficients determineCoefficients(const LayerCells& in, const Settings& settings) {
    LayerCoefficients out;
    if (in.frk <= 0.0) {
        out.error = layerMessage(in.layer, "层岩石单轴抗压强度值错");
        return out;
    }
    if (in.frk <= 5.0) {
        out.error = "极软岩不适用";
        return out;
    }
    out.hardness = core::hardnessOf(in.frk);

    if (settings.mode == CoefficientMode::Manual) {
        manualCoefficients(in, out);
        return out;
    }
    if (!lookUpCoefficients(in, settings, out))
        return out;
    applyReductions(settings, out);
    if (settings.mode == CoefficientMode::Automatic) {
        out.c1 = out.c1Auto;
        out.c2 = out.c2Auto;
        return out;
    }
    weighSpecified(in, settings.mode, out);
    return out;
}

} // namespace sp::module2
