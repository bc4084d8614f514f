#include "core/sectioncheck.h"

#include "core/numbers.h"
#include "core/text.h"

#include <utility>

namespace sp::core {

SectionCheck checkSection(SectionType type, std::string_view d, std::string_view c, StatusEffect& status,
                          FieldEffects& fields) {
    SectionCheck out;
    out.first = readLenient(d);
    out.second = readLenient(c);
    auto stop = [&](const char* field, const char* message) {
        out.stopField = field;
        out.stopMessage = message;
        return out;
    };
    auto pass = [&](const char* field) {
        fields.setColour(field, kBlack);
        status.clearText();
    };
    if (type == SectionType::Round || type == SectionType::Oblong) {
        if (out.first <= 0.0)
            return stop(kFieldFirst, "桩身直径数据有错");
        pass(kFieldFirst);
        if (type == SectionType::Oblong) {
            if (out.second <= 0.0)
                return stop(kFieldSecond, "椭圆直段长度数据有错");
            pass(kFieldSecond);
        } else {
            out.second = 0.0; // a round pile has no straight part, whatever its disabled field holds
        }
        return out;
    }
    if (out.first <= 0.0)
        return stop(kFieldFirst, "矩形长边尺寸数据有错");
    pass(kFieldFirst);
    if (out.second <= 0.0)
        return stop(kFieldSecond, "矩形短边尺寸数据有错");
    pass(kFieldSecond);
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
