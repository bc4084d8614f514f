#include "windows/module1window.h"

#include "project/project.h"
#include "solve/applysolution.h"

#include <QColor>

namespace sp::module1 {

Module1Window::Module1Window(QWidget* parent)
    : OneLayerWindow(QStringLiteral("TPELM_FRM_DURK1"), 764, QStringLiteral("按面积相等折算直径 deq(mm)"),
                     std::make_unique<Session>(), parent) {
    setModuleName(QStringLiteral("侧阻端阻综合计算(单层基岩)"), QColor(0, 100, 0));
    createOptimisationPage(optimise::ModuleKind::Module1);
}

Outcome Module1Window::computePile(bool intoPages) { return project::computePile(session(), now(), intoPages); }

solve::DepthSolution Module1Window::solveDepth(const solve::Target& target, long long step) const {
    return solve::solveDepth(session().inputs(), target, step);
}

std::optional<solve::DiameterSolution> Module1Window::leastDiameter(const solve::Target& target) const {
    return solve::leastDiameter(session().inputs(), target);
}

Outcome Module1Window::applyDepth(const solve::DepthSolution& solution, bool intoPages) {
    return solve::applyDepth(session(), solution, now(), intoPages);
}

Outcome Module1Window::applyDiameter(const solve::DiameterSolution& solution, bool intoPages) {
    return solve::applyDiameter(session(), solution, now(), intoPages);
}

charts::CapacityCurve Module1Window::capacityCurve(const charts::CurveRequest& request) const {
    return charts::capacityCurve(session().inputs(), request);
}

project::ModuleState Module1Window::captureState() const {
    project::ModuleState state = project::capture(session());
    completeCapture(state);
    return state;
}

void Module1Window::restoreState(const project::ModuleState& state) {
    project::restore(session(), state);
    showRestored(state);
}

} // namespace sp::module1
