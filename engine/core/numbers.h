#pragma once
// Reading numbers typed by the engineer. Both readers accept only a whole decimal number
// (optional sign, digits with an optional point, optional exponent) with blanks around it;
// "nan", "inf" and thousands separators are not numbers.

#include <optional>
#include <string_view>

namespace sp::core {

// A text that is not wholly a decimal number reads 0, so that a positivity check catches it.
double readLenient(std::string_view text);

// Nothing when the text is not wholly a decimal number (a conversion failure for the caller).
std::optional<double> readStrict(std::string_view text);

} // namespace sp::core
