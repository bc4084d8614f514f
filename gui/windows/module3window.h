#pragma once
// The module 3 window: module 1's window with the equivalent-diameter method row, the warning
// layer the engineer must accept before the inputs show, and result boxes coloured by the
// compliance verdict, all held by the module 3 session.

#include "module3/complianceverdict.h"
#include "windows/onelayerwindow.h"
#include "module3/module3calc.h"
#include "module3/module3session.h"

class QComboBox;
class QLabel;

namespace sp::module3 {

class Module3Window : public module1::OneLayerWindow {
    Q_OBJECT
public:
    explicit Module3Window(QWidget* parent = nullptr);

    ComplianceVerdict verdict() const { return session().verdict(); }
    DeqMethod method() const { return session().inputs().method; }

    project::ModuleState captureState() const override;
    void restoreState(const project::ModuleState& state) override;

protected:
    void calculate() override;
    module1::Outcome computePile(bool intoPages) override;
    solve::DepthSolution solveDepth(const solve::Target& target, long long step) const override;
    std::optional<solve::DiameterSolution> leastDiameter(const solve::Target& target) const override;
    module1::Outcome applyDepth(const solve::DepthSolution& solution, bool intoPages) override;
    module1::Outcome applyDiameter(const solve::DiameterSolution& solution, bool intoPages) override;
    charts::CapacityCurve capacityCurve(const charts::CurveRequest& request) const override;
    void render() override;
    optimise::RunContext runContext() const override;
    void showRunEnd(const optimise::InputLayerState& state) override;
    void recallCandidate(const optimise::Recall& recall) override;
    void beforeIntegrityRecalled() override;

private:
    Session& session() const { return static_cast<Session&>(OneLayerWindow::session()); }
    QWidget* buildAlertLayer();
    void onMethodChanged(int position);
    void showVerdictNote();

    QComboBox* m_method = nullptr;
    QLabel* m_verdictNote = nullptr; // the verdict in words under the result boxes
    std::optional<int> m_recalledMethod;
};

} // namespace sp::module3
