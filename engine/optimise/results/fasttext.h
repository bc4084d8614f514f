#pragma once
// The result-box texts of a candidate, made without the printf machinery that a million
// candidates could not afford. Every text is character for character what core::FixedText and
// core::PrecisionText give; values on the edge of a rounding step take the core routine itself.

#include "core/text.h"

#include <cstddef>
#include <string>

namespace sp::optimise {

// Room for any text of these routines with at most 15 significant digits and 4 decimals.
inline constexpr std::size_t kNumberTextCapacity = 48;

// Write the text into `out` (kNumberTextCapacity chars) and return its length.
std::size_t writeFixedText(char* out, double value, int significant, int decimals);
std::size_t writePrecisionText(char* out, double value, core::Precision precision, int significant);

void appendFixedText(std::string& out, double value, int significant, int decimals);
void appendPrecisionText(std::string& out, double value, core::Precision precision, int significant);

std::string fixedText(double value, int significant, int decimals);
std::string precisionText(double value, core::Precision precision, int significant);

// The number the text reads back as (the cells are sorted and filtered by it); NaN when the text
// is not a number ("INF").
double precisionTextValue(double value, core::Precision precision, int significant);

} // namespace sp::optimise
