#pragma once
// Shorthands for laying out report lines in fixed columns, short because a line of a pile table
// strings a dozen of them together: a text right-aligned (L, padded on the left) or centred (C)
// in a width of display columns, and n blanks.

#include "core/text.h"

#include <string>
#include <string_view>

namespace sp::report::columns {

inline std::string L(std::string_view text, int width) { return core::PadLeft(text, " ", width); }
inline std::string C(std::string_view text, int width) { return core::PadCentre(text, " ", width); }
inline std::string sp(int n) { return core::Spaces(n); }

} // namespace sp::report::columns
