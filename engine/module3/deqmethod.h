#pragma once
// The eight ways module 3 turns an oblong or rectangular section into the diameter of an equivalent
// circle, with their drop-down, table and book texts. Only the equal-area method is the standard's;
// the others exist for research comparison. Lengths in mm, areas in mm².

#include "core/geometry.h"

#include <string_view>

namespace sp::module3 {

// Positions of the method drop-down cbb_deqcheck.
enum class DeqMethod {
    AreaEqual = 0,
    PerimeterEqual = 1,
    GyrationMax = 2,
    GyrationMin = 3,
    LongSide = 4,
    ShortSide = 5,
    EnvelopeMax = 6,
    EnvelopeMin = 7,
};

inline constexpr int kDeqMethodCount = 8;
inline constexpr DeqMethod kDefaultDeqMethod = DeqMethod::AreaEqual;

const char* deqMethodItem(DeqMethod method);      // "A-面积相等折算" … "H-Min(A,B,C,D)"
const char* deqMethodShortName(DeqMethod method); // 8 columns: "面积相等" … "最小包络"
// The name the calculation book gives the method; oblong and rectangle differ for the two sides.
const char* deqMethodBookName(DeqMethod method, core::SectionType section);
// A table's short name back to its method; false for any other text ("-" included).
bool deqMethodFromShortName(std::string_view text, DeqMethod& out);

// deq of the chosen method. `first` and `second` are d and c for oblong (and round) sections, the
// sides a ≥ b for rectangles and squares; `area` and `perimeter` are the section's Ap and μ. A
// round section's deq is its diameter whatever the method.
double equivalentDiameter(core::SectionType section, DeqMethod method, double first, double second, double area,
                          double perimeter);

} // namespace sp::module3
