#include "core/geometry.h"

#include "core/numbers.h"

#include <cmath>
#include <numbers>

namespace sp::core {

const char* sectionItemText(SectionType type) {
    switch (type) {
    case SectionType::Round:
        return "圆桩";
    case SectionType::Oblong:
        return "椭圆桩";
    case SectionType::Rectangular:
        return "矩形桩";
    case SectionType::Square:
        return "方桩";
    }
    return "";
}

const char* sectionTableText(SectionType type) {
    switch (type) {
    case SectionType::Round:
        return "圆  桩";
    case SectionType::Oblong:
        return "椭圆桩";
    case SectionType::Rectangular:
        return "矩形桩";
    case SectionType::Square:
        return "方  桩";
    }
    return "";
}

double sectionArea(SectionType type, double first, double second) {
    if (type == SectionType::Round || type == SectionType::Oblong)
        return std::numbers::pi * first * first / 4.0 + first * second;
    return first * second;
}

double sectionPerimeter(SectionType type, double first, double second) {
    if (type == SectionType::Round || type == SectionType::Oblong)
        return std::numbers::pi * first + 2.0 * second;
    return 2.0 * (first + second);
}

double equalAreaDiameter(SectionType type, double area, double diameter) {
    // √(4·Ap/π) gives a round diameter back only to rounding (1650 → 1650.0000000000002),
    // which would refuse a socket of exactly one diameter in broken rock.
    if (type == SectionType::Round)
        return diameter;
    return std::sqrt(4.0 * area / std::numbers::pi);
}

char multipleLetter(SectionType type) {
    return type == SectionType::Round || type == SectionType::Oblong ? 'd' : 'b';
}

SocketDepth readSocketDepth(std::string_view text, char letter, double base) {
    SocketDepth out;
    const auto at = text.find(letter);
    if (at == std::string_view::npos) {
        const auto mm = readStrict(text);
        if (!mm || *mm < 0.0) {
            out.status = SocketDepth::Status::Invalid;
            return out;
        }
        out.hr = *mm;
        return out;
    }
    const std::string_view factorText = text.substr(0, at);
    const auto factor = readStrict(factorText);
    if (!factor) {
        out.status = SocketDepth::Status::FactorUnread;
        out.unreadText = std::string(factorText);
        return out;
    }
    // A multiple so large that the depth overflows is no depth either.
    if (*factor < 0.0 || !std::isfinite(*factor * base)) {
        out.status = SocketDepth::Status::Invalid;
        return out;
    }
    out.hr = *factor * base;
    out.givenAsMultiple = true;
    return out;
}

} // namespace sp::core
