#pragma once
// Text layout and number formatting shared by every report and result box: widths measured in
// display columns (a CJK character takes two), padding, and numbers turned into text exactly as
// the reports print them.

#include <cstddef>
#include <string>
#include <string_view>

namespace sp::core {

// Columns the text takes in a monospaced CJK font: one per UTF-16 code unit, plus one more for
// each code unit in U+1000..U+9FA5. A character outside the BMP is two code units.
int DisplayWidth(std::string_view utf8);

std::string Spaces(int n);
std::string PadLeft(std::string_view text, std::string_view fill, int width);
std::string PadRight(std::string_view text, std::string_view fill, int width);
// The odd column goes to the left.
std::string PadCentre(std::string_view text, std::string_view fill, int width);

// Fixed-point text with exactly `decimals` decimals, limited to `significant` significant
// digits, rounded half away from zero on the 18-digit decimal expansion of the value.
std::string FixedText(double value, int significant, int decimals);

// Shortest decimal form with up to 15 significant digits (1200, 1250.5).
std::string GeneralText(double value);

// Display precision of the main results, in the order of the precision popup.
enum class Precision { TwoDecimals = 0, OneDecimal = 1, Units = 2, Tens = 3, Hundreds = 4 };

inline constexpr Precision kDefaultPrecision = Precision::Units;
const char* precisionItem(Precision p);
// The popup item text back to its choice; false when the text is not one of the items.
bool precisionFromItem(std::string_view item, Precision& out);

// Value by the chosen precision: rounded for the first three choices, cut toward zero to a
// multiple of 10 or 100 for the last two.
std::string PrecisionText(double value, Precision precision, int significant);

// A value as a message quotes it: at most `characters` characters, and "…" after one cut short,
// cut between two UTF-8 characters. A value read from a file may be megabytes long, and a message
// that repeats it whole floods the terminal or the message box; this piece is enough to find it.
inline constexpr std::size_t kExcerptCharacters = 60;
std::string excerpt(std::string_view value, std::size_t characters = kExcerptCharacters);

} // namespace sp::core
