#include "windows/module1window.h"

namespace sp::module1 {

Module1Window::Module1Window(QWidget* parent)
    : OneLayerWindow(QStringLiteral("TPELM_FRM_DURK1"), 764, QStringLiteral("按面积相等折算直径 deq(mm)"),
                     std::make_unique<Session>(), parent) {
    createOptimisationPage(optimise::ModuleKind::Module1);
}

Outcome Module1Window::computePile(bool intoPages) { return session().compute(now(), intoPages); }

} // namespace sp::module1
