#include "module1/module1form.h"

#include "core/numbers.h"
#include "core/sectionfields.h"
#include "core/tables.h"
#include "module1/module1calc.h"

namespace sp::module1 {

using namespace sp::core;

namespace {

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

SectionSetup sectionSetup(SectionType type) {
    SectionSetup s;
    static_cast<core::SectionFields&>(s) = sectionFields(type);
    const char letter = multipleLetter(type);
    s.depthItems = depthItemsFor(letter);
    s.depthText = std::string("1.0") + letter;
    return s;
}

ChangeEffect fieldChanged(const std::string& field, const std::string& text) {
    ChangeEffect e;
    // A check while typing blocks nothing; the calculation makes its own.
    if (checkDimensionTyped(field, text, e.status, e.fields)) {
        e.clearedBoxes = kAllBoxes;
    } else if (field == kFieldHr) {
        e.clearedBoxes = {kBoxRatio, kBoxZetaR, kBoxRa};
    } else if (field == "cbb_hnt") {
        e.clearedBoxes = {kBoxRc};
    } else if (field == "cbb_czgy") {
        e.clearedBoxes = {kBoxZetaR, kBoxRa, kBoxRc};
    } else if (field == kFieldFrk) {
        e.clearedBoxes = {kBoxZetaR, kBoxRa};
        const auto value = readStrict(text);
        checkTyped(field, value && *value >= 0.0, "岩石单轴抗压强度值有错", e.status, e.fields);
    } else if (field == kFieldIntegrity) {
        e.clearedBoxes = {kBoxZetaR, kBoxRa};
    }
    return e;
}

} // namespace sp::module1
