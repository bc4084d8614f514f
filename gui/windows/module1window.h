#pragma once
// The module 1 window: one rock layer, side and end resistance together through ζr.

#include "windows/onelayerwindow.h"

namespace sp::module1 {

// The module 1 window, with its optimisation page.
class Module1Window : public OneLayerWindow {
    Q_OBJECT
public:
    explicit Module1Window(QWidget* parent = nullptr);

    project::ModuleState captureState() const override;
    void restoreState(const project::ModuleState& state) override;

protected:
    Outcome computePile(bool intoPages) override;
    solve::DepthSolution solveDepth(const solve::Target& target, long long step) const override;
    std::optional<solve::DiameterSolution> leastDiameter(const solve::Target& target) const override;
    Outcome applyDepth(const solve::DepthSolution& solution, bool intoPages) override;
    Outcome applyDiameter(const solve::DiameterSolution& solution, bool intoPages) override;
    charts::CapacityCurve capacityCurve(const charts::CurveRequest& request) const override;
};

} // namespace sp::module1
