#include "module3/deqmethod.h"

#include <cmath>
#include <numbers>

namespace sp::module3 {

using core::SectionType;

namespace {

struct MethodTexts {
    const char* item;
    const char* shortName;
    const char* oblongBookName;
    const char* rectangleBookName;
};

constexpr MethodTexts kTexts[kDeqMethodCount] = {
    {"A-面积相等折算", "面积相等", "面积相等折算", "面积相等折算"},
    {"B-周长相等折算", "周长相等", "周长相等折算", "周长相等折算"},
    {"C-最大回转半径折算", "回转imax", "最大回转半径折算", "最大回转半径折算"},
    {"D-最小回转半径折算", "回转imin", "最小回转半径折算", "最小回转半径折算"},
    {"E-取截面长边尺寸", "截面长边", "截面长边尺寸", "取截面长边尺寸"},
    {"F-取截面短边尺寸", "截面短边", "截面短边尺寸", "取截面短边尺寸"},
    {"G-Max(A,B,C,D)", "最大包络", "折算直径最大包络", "折算直径最大包络"},
    {"H-Min(A,B,C,D)", "最小包络", "折算直径最小包络", "折算直径最小包络"},
};

const MethodTexts& textsOf(DeqMethod method) {
    const int position = static_cast<int>(method);
    return kTexts[position >= 0 && position < kDeqMethodCount ? position : 0];
}

constexpr double pi = std::numbers::pi;

// Oblong of width d and straight length c. The gyration diameters are those of the circles whose
// radius of gyration (a quarter of the diameter) equals the section's about a principal axis.
double oblongDiameter(DeqMethod method, double d, double c, double area, double perimeter) {
    switch (method) {
    case DeqMethod::AreaEqual:
        return std::sqrt(4.0 * area / pi);
    case DeqMethod::PerimeterEqual:
        return perimeter / pi;
    case DeqMethod::GyrationMax: {
        const double halfCircles = pi * d * d / 4.0;
        const double spread = (4.0 * c * c / (d * d) + 1.0 + 32.0 * c / (3.0 * pi * d)) * halfCircles;
        return d * std::sqrt((spread + 4.0 * c * c * c / (3.0 * d)) / (halfCircles + c * d));
    }
    case DeqMethod::GyrationMin:
        return d * std::sqrt((16.0 * c / 3.0 + pi * d) / (pi * d + 4.0 * c));
    case DeqMethod::LongSide:
        return d + c;
    case DeqMethod::ShortSide:
        return d;
    default:
        return 0.0; // the envelopes are taken by the caller
    }
}

// Rectangle with sides a ≥ b; the gyration diameters come from I = b·a³/12 and a·b³/12.
double rectangleDiameter(DeqMethod method, double a, double b) {
    switch (method) {
    case DeqMethod::AreaEqual:
        return std::sqrt(4.0 * a * b / pi);
    case DeqMethod::PerimeterEqual:
        return 2.0 * (a + b) / pi;
    case DeqMethod::GyrationMax:
        return 2.0 * a / std::sqrt(3.0);
    case DeqMethod::GyrationMin:
        return 2.0 * b / std::sqrt(3.0);
    case DeqMethod::LongSide:
        return a;
    case DeqMethod::ShortSide:
        return b;
    default:
        return 0.0;
    }
}

} // namespace

const char* deqMethodItem(DeqMethod method) { return textsOf(method).item; }

const char* deqMethodShortName(DeqMethod method) { return textsOf(method).shortName; }

const char* deqMethodBookName(DeqMethod method, SectionType section) {
    const MethodTexts& texts = textsOf(method);
    return isRectangular(section) ? texts.rectangleBookName : texts.oblongBookName;
}

bool deqMethodFromShortName(std::string_view text, DeqMethod& out) {
    for (int k = 0; k < kDeqMethodCount; ++k) {
        if (text == kTexts[k].shortName) {
            out = static_cast<DeqMethod>(k);
            return true;
        }
    }
    return false;
}

double equivalentDiameter(SectionType section, DeqMethod method, double first, double second, double area,
                          double perimeter) {
    if (section == SectionType::Round)
        return first;
    auto single = [&](DeqMethod m) {
        return section == SectionType::Oblong ? oblongDiameter(m, first, second, area, perimeter)
                                              : rectangleDiameter(m, first, second);
    };
    if (method != DeqMethod::EnvelopeMax && method != DeqMethod::EnvelopeMin)
        return single(method);
    // Compared in the order A, B, C, D; a later value wins only when strictly beyond the running one.
    double result = single(DeqMethod::AreaEqual);
    for (DeqMethod m : {DeqMethod::PerimeterEqual, DeqMethod::GyrationMax, DeqMethod::GyrationMin}) {
        const double value = single(m);
        if (method == DeqMethod::EnvelopeMax ? value > result : value < result)
            result = value;
    }
    return result;
}

} // namespace sp::module3
