#include "module3/complianceverdict.h"

namespace sp::module3 {

const char* verdictText(ComplianceVerdict verdict) {
    return verdict == ComplianceVerdict::Compliant ? "合规" : "超规";
}

ComplianceVerdict verdictOf(core::SectionType section, DeqMethod method) {
    if (section == core::SectionType::Round || method == DeqMethod::AreaEqual)
        return ComplianceVerdict::Compliant;
    return ComplianceVerdict::OverStandard;
}

core::Colour verdictColour(ComplianceVerdict verdict) {
    return verdict == ComplianceVerdict::Compliant ? core::kGreen : core::kRed;
}

} // namespace sp::module3
