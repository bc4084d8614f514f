#include "optimise/results/fasttext.h"

#include "core/numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace sp::optimise {

namespace {

constexpr std::array<double, 16> kPowers = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
constexpr std::array<std::uint64_t, 16> kIntegerPowers = {1ULL,
                                                          10ULL,
                                                          100ULL,
                                                          1000ULL,
                                                          10000ULL,
                                                          100000ULL,
                                                          1000000ULL,
                                                          10000000ULL,
                                                          100000000ULL,
                                                          1000000000ULL,
                                                          10000000000ULL,
                                                          100000000000ULL,
                                                          1000000000000ULL,
                                                          10000000000000ULL,
                                                          100000000000000ULL,
                                                          1000000000000000ULL};

// The value in units of the last decimal, rounded half away from zero, when that rounding can be
// decided from the double product alone: the text then has all its integer digits and
// `decimals` decimals within `significant` digits. value·10^decimals is within a few 1e-9 of the
// exact product (below 1e15 it errs by half a unit in the last place at most), and the 18-digit
// expansion FixedText starts from differs from the exact value by far less; so a fraction more
// than 1e-6 away from one half rounds the same way in both.
bool roundedUnits(double value, int significant, int decimals, std::uint64_t& units) {
    if (!(value >= 0.0) || decimals < 0 || significant < 1 || significant > 15 || decimals > significant)
        return false;
    if (!(value < kPowers[static_cast<std::size_t>(significant - decimals)]))
        return false;
    const double scaled = value * kPowers[static_cast<std::size_t>(decimals)];
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) < 1e-6)
        return false;
    units = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
    // Rounding up to 10^significant needs one digit more than allowed: the exponent form.
    return units < kIntegerPowers[static_cast<std::size_t>(significant)];
}

std::size_t writeUnits(char* out, std::uint64_t units, int decimals) {
    const std::uint64_t scale = kIntegerPowers[static_cast<std::size_t>(decimals)];
    char* end = std::to_chars(out, out + kNumberTextCapacity, units / scale).ptr;
    if (decimals > 0) {
        *end++ = '.';
        // The decimals from the right, zeros filling the front.
        std::uint64_t fraction = units % scale;
        for (int k = decimals - 1; k >= 0; --k) {
            end[k] = static_cast<char>('0' + fraction % 10);
            fraction /= 10;
        }
        end += decimals;
    }
    return static_cast<std::size_t>(end - out);
}

std::size_t copied(char* out, const std::string& text) {
    const std::size_t n = text.size() < kNumberTextCapacity ? text.size() : kNumberTextCapacity;
    text.copy(out, n);
    return n;
}

// What the precision choices hand to FixedText: the value itself or the value cut toward zero to
// a multiple of 10 or 100, and the decimals.
double precisionValue(double value, core::Precision precision, int& decimals) {
    switch (precision) {
    case core::Precision::TwoDecimals:
        decimals = 2;
        return value;
    case core::Precision::OneDecimal:
        decimals = 1;
        return value;
    case core::Precision::Units:
        decimals = 0;
        return value;
    case core::Precision::Tens:
        decimals = 0;
        return std::trunc(value / 10.0) * 10.0;
    case core::Precision::Hundreds:
        decimals = 0;
        return std::trunc(value / 100.0) * 100.0;
    }
    decimals = 0;
    return value;
}

} // namespace

std::size_t writeFixedText(char* out, double value, int significant, int decimals) {
    std::uint64_t units = 0;
    if (roundedUnits(value, significant, decimals, units))
        return writeUnits(out, units, decimals);
    return copied(out, core::FixedText(value, significant, decimals));
}

std::size_t writePrecisionText(char* out, double value, core::Precision precision, int significant) {
    int decimals = 0;
    const double shown = precisionValue(value, precision, decimals);
    return writeFixedText(out, shown, significant, decimals);
}

void appendFixedText(std::string& out, double value, int significant, int decimals) {
    char buf[kNumberTextCapacity];
    out.append(buf, writeFixedText(buf, value, significant, decimals));
}

void appendPrecisionText(std::string& out, double value, core::Precision precision, int significant) {
    char buf[kNumberTextCapacity];
    out.append(buf, writePrecisionText(buf, value, precision, significant));
}

std::string fixedText(double value, int significant, int decimals) {
    std::string out;
    appendFixedText(out, value, significant, decimals);
    return out;
}

std::string precisionText(double value, core::Precision precision, int significant) {
    std::string out;
    appendPrecisionText(out, value, precision, significant);
    return out;
}

double precisionTextValue(double value, core::Precision precision, int significant) {
    int decimals = 0;
    const double shown = precisionValue(value, precision, decimals);
    std::uint64_t units = 0;
    // A whole number of units divided once by a power of ten is the double nearest to the
    // decimal text, exactly as reading the text gives it.
    if (roundedUnits(shown, significant, decimals, units))
        return static_cast<double>(units) / kPowers[static_cast<std::size_t>(decimals)];
    return core::readStrict(core::FixedText(shown, significant, decimals))
        .value_or(std::numeric_limits<double>::quiet_NaN());
}

} // namespace sp::optimise
