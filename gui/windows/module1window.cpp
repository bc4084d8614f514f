#include "windows/module1window.h"

#include "module1/module1reports.h"

namespace sp::module1 {

using namespace sp::core;

Module1Window::Module1Window(QWidget* parent)
    : OneLayerWindow(QStringLiteral("TPELM_FRM_DURK1"), 764, QStringLiteral("按面积相等折算直径 deq(mm)"), parent) {
    createOptimisationPage(optimise::ModuleKind::Module1);
}

void Module1Window::calculate() {
    const Outcome outcome = module1::calculate(inputs());
    if (!applyOutcome(outcome))
        return;
    const Values& values = outcome.values;
    acceptPile([&values](int pileNumber, const Moment& moment) { return pilePages(values, pileNumber, moment); });
}

} // namespace sp::module1
