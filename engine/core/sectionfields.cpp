#include "core/sectionfields.h"

#include "core/numbers.h"
#include "core/sectioncheck.h"

namespace sp::core {

namespace {

Items numbered(int from, int to, int step) {
    Items items;
    for (int v = from; v <= to; v += step)
        items.push_back(std::to_string(v));
    return items;
}

} // namespace

const Items& sectionItems() {
    static const Items items = {"圆桩", "椭圆桩", "矩形桩"};
    return items;
}

const Items& diameterItems() {
    static const Items items = numbered(1000, 2000, 100);
    return items;
}

Items initialSecondItems() {
    Items items;
    for (int v = 100; v <= 900; v += 100)
        items.push_back("  " + std::to_string(v));
    for (int v = 1000; v <= 1200; v += 100)
        items.push_back(std::to_string(v));
    return items;
}

SectionFields sectionFields(SectionType type) {
    SectionFields s;
    if (isRectangular(type)) {
        s.firstLabel = "矩形长边尺寸    a (mm)";
        s.secondLabel = "矩形短边尺寸    b (mm)";
        s.secondEnabled = true;
        s.secondItems = numbered(1000, 2000, 100);
        s.secondText = "1000";
        return s;
    }
    s.firstLabel = "桩  身   直   径    d (mm)";
    s.secondLabel = "椭圆直段长度    c (mm)";
    s.secondEnabled = type == SectionType::Oblong;
    s.secondItems = numbered(100, 1200, 100);
    s.secondText = type == SectionType::Oblong ? "500" : "0";
    return s;
}

void checkTyped(const std::string& field, bool passes, const char* message, StatusEffect& status,
                FieldEffects& fields) {
    if (passes) {
        status.clearText();
        fields.setColour(field, kBlack);
    } else {
        status.showMessage(message, kRed);
        fields.setColour(field, kRed);
    }
}

bool checkDimensionTyped(const std::string& field, const std::string& text, StatusEffect& status,
                         FieldEffects& fields) {
    const auto value = readStrict(text);
    if (field == kFieldFirst)
        checkTyped(field, value && *value > 0.0, "桩身直径数据有错", status, fields);
    else if (field == kFieldSecond)
        checkTyped(field, value && *value >= 0.0, "椭圆直段长度数据有错", status, fields);
    else
        return false;
    return true;
}

} // namespace sp::core
