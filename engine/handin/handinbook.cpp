#include "handin/handinbook.h"

#include <cmath>
#include <cstdio>

namespace sp::handin {

namespace {
const std::string kThinSpace = "\u2009";
} // namespace

std::string plainText(const std::string& markup) {
    std::string out;
    out.reserve(markup.size());
    int open = 0; // braces opened by a script mark and not yet closed
    for (std::size_t k = 0; k < markup.size(); ++k) {
        const char ch = markup[k];
        if ((ch == '_' || ch == '^') && k + 1 < markup.size() && markup[k + 1] == '{') {
            ++open;
            ++k;
            continue;
        }
        if (ch == '}' && open > 0) {
            --open;
            continue;
        }
        out += ch;
    }
    return out;
}

std::string groupDigits(const std::string& fixed) {
    std::size_t start = 0;
    while (start < fixed.size() && (fixed[start] == '-' || fixed[start] == '+'))
        ++start;
    const std::size_t point = fixed.find('.', start);
    const std::string sign = fixed.substr(0, start);
    const std::string whole = fixed.substr(start, point == std::string::npos ? std::string::npos : point - start);
    const std::string decimals = point == std::string::npos ? std::string() : fixed.substr(point + 1);

    std::string out = sign;
    if (whole.size() >= 4) {
        const std::size_t lead = whole.size() % 3 == 0 ? 3 : whole.size() % 3;
        out += whole.substr(0, lead);
        for (std::size_t k = lead; k < whole.size(); k += 3)
            out += kThinSpace + whole.substr(k, 3);
    } else {
        out += whole;
    }
    if (point == std::string::npos)
        return out;
    out += '.';
    if (decimals.size() >= 5) {
        for (std::size_t k = 0; k < decimals.size(); k += 3)
            out += (k > 0 ? kThinSpace : std::string()) + decimals.substr(k, 3);
    } else {
        out += decimals;
    }
    return out;
}

std::string grouped(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string text = buffer;
    if (text == "-0" || text.rfind("-0.", 0) == 0) { // no minus on a figure that shows as zero
        bool zero = true;
        for (char ch : text)
            if (ch >= '1' && ch <= '9')
                zero = false;
        if (zero)
            text.erase(0, 1);
    }
    return groupDigits(text);
}

std::string significant(double value, int digits) {
    if (value == 0.0 || !std::isfinite(value))
        return grouped(value, digits - 1);
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const int decimals = digits - 1 - magnitude;
    return grouped(value, decimals > 0 ? decimals : 0);
}

} // namespace sp::handin
