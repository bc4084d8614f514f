#include "core/sectioncheck.h"

#include "core/numbers.h"
#include "core/text.h"

#include <cmath>
#include <utility>

namespace sp::core {

namespace {

// An area or a perimeter the calculation can divide by and multiply with.
bool proper(double v) { return std::isfinite(v) && v > 0.0; }

bool properSection(SectionType type, double first, double second) {
    return proper(sectionArea(type, first, second)) && proper(sectionPerimeter(type, first, second));
}

SectionStop roundStop(SectionType type, double d, double c) {
    if (d <= 0.0 || !properSection(SectionType::Round, d, 0.0))
        return {kFieldFirst, "桩身直径数据有错"};
    if (type == SectionType::Oblong && (c <= 0.0 || !properSection(type, d, c)))
        return {kFieldSecond, "椭圆直段长度数据有错"};
    return {};
}

SectionStop rectangleStop(double a, double b) {
    const SectionStop onA{kFieldFirst, "矩形长边尺寸数据有错"};
    const SectionStop onB{kFieldSecond, "矩形短边尺寸数据有错"};
    if (a <= 0.0)
        return onA;
    if (b <= 0.0)
        return onB;
    if (properSection(SectionType::Rectangular, a, b))
        return {};
    const bool overflow = !std::isfinite(sectionArea(SectionType::Rectangular, a, b)) ||
                          !std::isfinite(sectionPerimeter(SectionType::Rectangular, a, b));
    return (overflow ? b > a : b < a) ? onB : onA;
}

} // namespace

SectionStop sectionStop(SectionType type, double first, double second) {
    if (type == SectionType::Round || type == SectionType::Oblong)
        return roundStop(type, first, second);
    return rectangleStop(first, second);
}

SectionCheck checkSection(SectionType type, std::string_view d, std::string_view c, StatusEffect& status,
                          FieldEffects& fields) {
    SectionCheck out;
    out.first = readLenient(d);
    out.second = readLenient(c);
    auto pass = [&](const char* field) {
        fields.setColour(field, kBlack);
        status.clearText();
    };
    // The fields are checked in order: a field before the one that stops has passed.
    const SectionStop stop = sectionStop(type, out.first, out.second);
    if (stop.field != kFieldFirst)
        pass(kFieldFirst);
    if (stop.field) {
        out.stopField = stop.field;
        out.stopMessage = stop.message;
        return out;
    }
    if (type == SectionType::Round) {
        out.second = 0.0; // a round pile has no straight part, whatever its disabled field holds
        return out;
    }
    pass(kFieldSecond);
    if (!isRectangular(type))
        return out;
    if (out.second >= out.first) {
        std::swap(out.first, out.second);
        out.exchanged = true;
        out.firstText = GeneralText(out.first);
        out.secondText = GeneralText(out.second);
        fields.setText(kFieldFirst, out.firstText);
        fields.setText(kFieldSecond, out.secondText);
    }
    out.square = out.first == out.second;
    return out;
}

} // namespace sp::core
