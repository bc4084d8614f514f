// The number readers of the fields, whatever the text: the lenient reader is the strict one with 0
// for a refusal, a number read is finite, and a number read and written again (as the results and
// reports write it) reads back as the same text.

#include "fuzzcheck.h"
#include "core/numbers.h"
#include "core/text.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using sp::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto strict = sp::core::readStrict(text);
    const double lenient = sp::core::readLenient(text);
    if (!strict) {
        check(lenient == 0.0);
        return 0;
    }
    const double value = *strict;
    check(std::isfinite(value));
    check(lenient == value || (std::isnan(lenient) && std::isnan(value)));

    // The shortest form reads back to a value with the same shortest form.
    const std::string general = sp::core::GeneralText(value);
    const auto again = sp::core::readStrict(general);
    check(again.has_value());
    check(sp::core::GeneralText(*again) == general);

    // The fixed-point forms are numbers too, and within half a unit of their last place (or of
    // the fifteenth significant digit) of the value.
    for (int decimals = 0; decimals <= 4; ++decimals) {
        const std::string fixed = sp::core::FixedText(value, 15, decimals);
        const auto read = sp::core::readStrict(fixed);
        check(read.has_value());
        const double unit = std::pow(10.0, -decimals);
        check(std::fabs(*read - value) <= 0.5 * unit + 1e-14 * std::fabs(value));
    }
    for (int p = 0; p <= 4; ++p) {
        const std::string shown = sp::core::PrecisionText(value, static_cast<sp::core::Precision>(p), 15);
        check(sp::core::readStrict(shown).has_value());
    }
    return 0;
}
