#include "module1form.h"

#include "core/numbers.h"
#include "core/tables.h"
#include "module1calc.h"

namespace sp::module1 {

using namespace sp::core;

namespace {

Items numbered(int from, int to, int step) {
    Items items;
    for (int v = from; v <= to; v += step)
        items.push_back(std::to_string(v));
    return items;
}

Items depthItemsFor(char letter) {
    Items items;
    for (const char* factor : {"1.0", "1.5", "2.0", "2.5", "3.0", "3.5", "4.0"})
        items.push_back(std::string(factor) + letter);
    for (const char* mm : {"1000", "1500", "2000", "2500", "3000"})
        items.push_back(mm);
    return items;
}

const std::vector<std::string> kAllBoxes = {kBoxDeq, kBoxRatio, kBoxZetaR, kBoxRa, kBoxRc};

} // namespace

const Items& sectionItems() {
    static const Items items = {"圆桩", "椭圆桩", "矩形桩"};
    return items;
}

const Items& diameterItems() {
    static const Items items = numbered(1000, 2000, 100);
    return items;
}

const Items& gradeItems() {
    static const Items items = [] {
        Items out;
        for (int k = 0; k < kGradeCount; ++k)
            out.push_back(gradeItem(k));
        return out;
    }();
    return items;
}

const Items& processItems() {
    static const Items items = [] {
        Items out;
        for (int k = 0; k < kProcessCount; ++k)
            out.push_back(processItem(k));
        return out;
    }();
    return items;
}

const Items& integrityItems() {
    static const Items items = {"完整", "较完整", "较破碎", "0.80", "0.70", "0.60", "0.50", "0.40"};
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

SectionSetup sectionSetup(SectionType type) {
    SectionSetup s;
    if (type == SectionType::Rectangular || type == SectionType::Square) {
        s.firstLabel = "矩形长边尺寸    a (mm)";
        s.secondLabel = "矩形短边尺寸    b (mm)";
        s.secondEnabled = true;
        s.secondItems = numbered(1000, 2000, 100);
        s.secondText = "1000";
        s.depthItems = depthItemsFor('b');
        s.depthText = "1.0b";
        return s;
    }
    s.firstLabel = "桩  身   直   径    d (mm)";
    s.secondLabel = "椭圆直段长度    c (mm)";
    s.secondEnabled = type == SectionType::Oblong;
    s.secondItems = numbered(100, 1200, 100);
    s.secondText = type == SectionType::Oblong ? "500" : "0";
    s.depthItems = depthItemsFor('d');
    s.depthText = "1.0d";
    return s;
}

ChangeEffect fieldChanged(const std::string& field, const std::string& text) {
    ChangeEffect e;
    // A check while typing blocks nothing; the calculation makes its own.
    auto check = [&](bool passes, const char* message) {
        if (passes) {
            e.status.clearText();
            e.fields.setColour(field, kBlack);
        } else {
            e.status.showMessage(message, kRed);
            e.fields.setColour(field, kRed);
        }
    };
    const auto value = readStrict(text);
    if (field == kFieldD) {
        e.clearedBoxes = kAllBoxes;
        check(value && *value > 0.0, "桩身直径数据有错");
    } else if (field == kFieldC) {
        e.clearedBoxes = kAllBoxes;
        check(value && *value >= 0.0, "椭圆直段长度数据有错");
    } else if (field == kFieldHr) {
        e.clearedBoxes = {kBoxRatio, kBoxZetaR, kBoxRa};
    } else if (field == "cbb_hnt") {
        e.clearedBoxes = {kBoxRc};
    } else if (field == "cbb_czgy") {
        e.clearedBoxes = {kBoxZetaR, kBoxRa, kBoxRc};
    } else if (field == kFieldFrk) {
        e.clearedBoxes = {kBoxZetaR, kBoxRa};
        check(value && *value >= 0.0, "岩石单轴抗压强度值有错");
    } else if (field == kFieldIntegrity) {
        e.clearedBoxes = {kBoxZetaR, kBoxRa};
    }
    return e;
}

} // namespace sp::module1
