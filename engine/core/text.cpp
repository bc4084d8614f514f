#include "core/text.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace sp::core {

namespace {

// Decodes one UTF-8 sequence at `i`; an invalid byte is taken as one code point of its own.
char32_t nextCodePoint(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    int extra = 0;
    char32_t cp = b0;
    if (b0 >= 0xF0 && b0 < 0xF8) {
        extra = 3;
        cp = b0 & 0x07;
    } else if (b0 >= 0xE0) {
        extra = 2;
        cp = b0 & 0x0F;
    } else if (b0 >= 0xC0) {
        extra = 1;
        cp = b0 & 0x1F;
    }
    if (b0 >= 0xF8 || (b0 >= 0x80 && b0 < 0xC0) || i + extra >= s.size()) {
        ++i;
        return b0;
    }
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return b0;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    i += 1 + extra;
    return cp;
}

std::string repeat(std::string_view fill, int times) {
    std::string out;
    for (int k = 0; k < times; ++k)
        out += fill;
    return out;
}

} // namespace

int DisplayWidth(std::string_view utf8) {
    int width = 0;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const char32_t cp = nextCodePoint(utf8, i);
        if (cp > 0xFFFF)
            width += 2; // a surrogate pair, both units outside the wide range
        else if (cp >= 0x1000 && cp <= 0x9FA5)
            width += 2;
        else
            width += 1;
    }
    return width;
}

std::string Spaces(int n) { return n > 0 ? std::string(static_cast<std::size_t>(n), ' ') : std::string(); }

std::string PadLeft(std::string_view text, std::string_view fill, int width) {
    return repeat(fill, width - DisplayWidth(text)) + std::string(text);
}

std::string PadRight(std::string_view text, std::string_view fill, int width) {
    return std::string(text) + repeat(fill, width - DisplayWidth(text));
}

std::string PadCentre(std::string_view text, std::string_view fill, int width) {
    const int n = width - DisplayWidth(text);
    if (n <= 0)
        return std::string(text);
    const int right = n / 2;
    const int left = n - right;
    return repeat(fill, left) + std::string(text) + repeat(fill, right);
}

std::string FixedText(double value, int significant, int decimals) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    const int n = decimals < 0 ? 0 : decimals;
    const int precision = significant < 1 ? 1 : significant;

    // The exact binary value rounded to 18 significant decimal digits.
    std::array<char, 64> buf{};
    std::snprintf(buf.data(), buf.size(), "%.17e", std::fabs(value));
    std::string digits;
    digits += buf[0];
    digits.append(buf.data() + 2, 17);
    int exponent = std::atoi(buf.data() + 20) + 1; // value = 0.digits × 10^exponent
    if (value == 0.0) {
        digits = std::string(18, '0');
        exponent = 1;
    }

    int keep = exponent + n;
    if (keep > precision)
        keep = precision;
    if (keep > 18)
        keep = 18;

    std::string kept;
    if (keep >= 0) {
        kept = digits.substr(0, static_cast<std::size_t>(keep));
        const char next = keep < 18 ? digits[static_cast<std::size_t>(keep)] : '0';
        if (next >= '5') {
            int pos = keep - 1;
            while (pos >= 0 && kept[static_cast<std::size_t>(pos)] == '9') {
                kept[static_cast<std::size_t>(pos)] = '0';
                --pos;
            }
            if (pos >= 0) {
                ++kept[static_cast<std::size_t>(pos)];
            } else {
                kept.insert(kept.begin(), '1');
                ++exponent;
            }
        }
    }

    if (exponent > precision) {
        // Too many integer digits for the limit: exponent form with `precision` digits.
        std::snprintf(buf.data(), buf.size(), "%.*E", precision - 1, value);
        return buf.data();
    }

    auto digitAt = [&](int position) -> char {
        return position >= 0 && position < static_cast<int>(kept.size()) ? kept[static_cast<std::size_t>(position)]
                                                                          : '0';
    };
    std::string integer;
    for (int pos = 0; pos < exponent; ++pos)
        integer += digitAt(pos);
    if (integer.empty())
        integer = "0";
    std::string fraction;
    for (int j = 1; j <= n; ++j)
        fraction += digitAt(exponent + j - 1);

    const bool zero = kept.find_first_not_of('0') == std::string::npos;
    std::string out = (value < 0 && !zero) ? "-" : "";
    out += integer;
    if (n > 0)
        out += "." + fraction;
    return out;
}

std::string GeneralText(double value) {
    std::array<char, 64> buf{};
    std::snprintf(buf.data(), buf.size(), "%.15g", value);
    std::string text = buf.data();
    const auto e = text.find('e');
    if (e == std::string::npos)
        return text;
    // Write an exponent as 1.5E-5 rather than 1.5e-05.
    std::string mantissa = text.substr(0, e);
    const int exponent = std::atoi(text.c_str() + e + 1);
    return mantissa + "E" + std::to_string(exponent);
}

namespace {
constexpr std::array<const char*, 5> kPrecisionItems = {"两位小数", "一位小数", "个位取整", "十位取整", "百位取整"};
}

const char* precisionItem(Precision p) { return kPrecisionItems[static_cast<std::size_t>(p)]; }

bool precisionFromItem(std::string_view item, Precision& out) {
    for (std::size_t k = 0; k < kPrecisionItems.size(); ++k) {
        if (item == kPrecisionItems[k]) {
            out = static_cast<Precision>(k);
            return true;
        }
    }
    return false;
}

std::string PrecisionText(double value, Precision precision, int significant) {
    switch (precision) {
    case Precision::TwoDecimals:
        return FixedText(value, significant, 2);
    case Precision::OneDecimal:
        return FixedText(value, significant, 1);
    case Precision::Units:
        return FixedText(value, significant, 0);
    case Precision::Tens:
        return FixedText(std::trunc(value / 10.0) * 10.0, significant, 0);
    case Precision::Hundreds:
        return FixedText(std::trunc(value / 100.0) * 100.0, significant, 0);
    }
    return FixedText(value, significant, 0);
}

std::string excerpt(std::string_view value, std::size_t characters) {
    // A character starts at every byte that is not a continuation byte; a run of stray
    // continuation bytes counts one character per four bytes, so that no text escapes the cut.
    std::size_t count = 0;
    std::size_t length = 0; // bytes of the character being counted
    for (std::size_t i = 0; i < value.size(); ++i) {
        const auto b = static_cast<unsigned char>(value[i]);
        if ((b & 0xC0) != 0x80 || length == 0 || length == 4) {
            if (count == characters)
                return std::string(value.substr(0, i)) + "…";
            ++count;
            length = 0;
        }
        ++length;
    }
    return std::string(value);
}

} // namespace sp::core
