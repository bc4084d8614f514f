#include "module3/module3form.h"

#include "module3/complianceverdict.h"
#include "module3/module3calc.h"

#include <iterator>

namespace sp::module3 {

using namespace sp::core;

const Items& methodItems() {
    static const Items items = [] {
        Items out;
        for (int k = 0; k < kDeqMethodCount; ++k)
            out.push_back(deqMethodItem(static_cast<DeqMethod>(k)));
        return out;
    }();
    return items;
}

MethodRow methodRow(SectionType section, DeqMethod method) {
    MethodRow row;
    row.enabled = section != SectionType::Round;
    row.labelColour = verdictOf(section, method) == ComplianceVerdict::OverStandard ? kRed : kBlack;
    return row;
}

SectionSetup sectionSetup(SectionType section, DeqMethod method) {
    SectionSetup setup;
    static_cast<module1::SectionSetup&>(setup) = module1::sectionSetup(section);
    setup.method = methodRow(section, method);
    return setup;
}

ChangeEffect methodChanged(SectionType section, DeqMethod method) {
    ChangeEffect e;
    if (section == SectionType::Round)
        e.status.showMessage("", kBlack); // no method applies: nothing to note
    else if (method == DeqMethod::AreaEqual)
        e.status.showMessage(kNoteRecommended, kBlack);
    else
        e.status.showMessage(kNoteOverStandard, kRed);
    e.fields.setColour(kLabelMethod, methodRow(section, method).labelColour);
    e.clearedBoxes.assign(std::begin(kMethodBoxes), std::end(kMethodBoxes));
    return e;
}

ChangeEffect fieldChanged(const std::string& field, const std::string& text) {
    ChangeEffect e = module1::fieldChanged(field, text);
    if (field == "cbb_czgy")
        e.clearedBoxes = {kBoxDeq, kBoxRatio, kBoxZetaR, kBoxRa, kBoxRc};
    return e;
}

} // namespace sp::module3
