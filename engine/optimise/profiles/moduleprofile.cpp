#include "optimise/profiles/moduleprofile.h"

#include "optimise/profiles/module1profile.h"
#include "optimise/profiles/module2profile.h"
#include "optimise/profiles/module3profile.h"
#include "optimise/profiles/writeback.h"

namespace sp::optimise {

bool ModuleProfile::overStandard(const CandidateSpace&, const CandidateKey&) const {
    return false;
}

const ModuleProfile& profileOf(ModuleKind module) {
    static const Module1Profile module1;
    static const Module2Profile module2;
    static const Module3Profile module3;
    switch (module) {
    case ModuleKind::Module2:
        return module2;
    case ModuleKind::Module3:
        return module3;
    case ModuleKind::Module1:
        break;
    }
    return module1;
}

void composeStatus(core::StatusEffect& into, const core::StatusEffect& after) {
    if (after.text)
        into.text = after.text;
    if (after.colour)
        into.colour = after.colour;
    into.show = into.show || after.show;
}

} // namespace sp::optimise
