#pragma once
// The window of the combined method (one rock layer, side and end resistance through ζr), shared
// by module 1 and its research variant: the inputs of the pile and the rock on the common frame.
// It owns the module's session, passes each change of a field on to it and shows what the session
// then holds; it works out no effect itself. A module adds its own rows and calculation on top.

#include "frame/modulewindow.h"
#include "module1/module1calc.h"
#include "module1/module1form.h"
#include "module1/module1session.h"
#include "optimise/optimisepagewidget.h"
#include "charts/capacitycurve.h"
#include "solve/depthsolver.h"

#include <memory>
#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QGridLayout;

namespace sp::windows {
class SectionFields;
}

namespace sp::module1 {

class OneLayerWindow : public frame::ModuleWindow {
    Q_OBJECT
public:
    ~OneLayerWindow() override;

    // The inputs as the session holds them, with the precision the popup shows.
    Inputs inputs() const;

protected:
    OneLayerWindow(const QString& windowClass, int height, const QString& deqLabel, std::unique_ptr<Session> session,
                   QWidget* parent);

    Session& session() const { return *m_session; }
    // The pile group's grid, for a module's extra rows below the process.
    QGridLayout* pileGrid() const { return m_pileGrid; }
    QLabel* addRow(QGridLayout* grid, int row, const char* labelName, const QString& label, QWidget* field);
    QWidget* field(const std::string& name) const;

    // "计算" through the session; the module's own calculation runs in computePile().
    void calculate() override;
    virtual Outcome computePile(bool intoPages) = 0;
    // "反算" on the module's own session: the least socket depth (or diameter) for a target, and
    // that solution written into the inputs and calculated.
    virtual solve::DepthSolution solveDepth(const solve::Target& target, long long step) const = 0;
    virtual std::optional<solve::DiameterSolution> leastDiameter(const solve::Target& target) const = 0;
    virtual Outcome applyDepth(const solve::DepthSolution& solution, bool intoPages) = 0;
    virtual Outcome applyDiameter(const solve::DiameterSolution& solution, bool intoPages) = 0;
    // "图表": Ra and Rc of the module's own inputs against the socket depth.
    virtual charts::CapacityCurve capacityCurve(const charts::CurveRequest& request) const = 0;
    // Shows what the session holds: fields, lists, colours, status line, boxes and buttons.
    virtual void render();

    // Sets the inputs as the engineer would, each field's change handler running; unset parts
    // stay as they are.
    struct Edit {
        std::optional<int> sectionPosition;
        std::optional<std::string> first, second;
        std::string depth, frk, integrity;
        std::optional<int> gradePosition, processPosition;
    };
    void editInputs(const Edit& edit);
    // A module's own field set by a recall just before the integrity (module 3: the method).
    virtual void beforeIntegrityRecalled() {}
    // The optimisation page of this window's module, with its hooks into the input layer.
    void createOptimisationPage(optimise::ModuleKind module);
    std::optional<core::WriteResult> writeOptimisationTables(const QString& folder,
                                                             const core::Moment& moment) override;
    // The input layer's settings every candidate of a run takes.
    virtual optimise::RunContext runContext() const { return {}; }
    // After an optimisation run: the last candidate in the fields, boxes and message line.
    virtual void showRunEnd(const optimise::InputLayerState& state);
    // A candidate of the page's table back in the fields, as the engineer would enter it.
    virtual void recallCandidate(const optimise::Recall& recall);

    // What every one-layer window adds to its session's state: the option rows and the precision.
    void completeCapture(project::ModuleState& state) const;
    // After the session was restored: the option rows and precision of the state, then all of it
    // on screen.
    void showRestored(const project::ModuleState& state);

private:
    void buildInputs();
    QGridLayout* buildPileGroup();
    QGridLayout* buildRockGroup();
    void connectInputs();
    void renderFields();
    // "反算": the dialog, then the solution in the inputs and calculated, or why there is none.
    void onSolve();
    void showSolved(const Outcome& outcome, bool intoPages);
    // "图表": a window with the capacity chart of the inputs as they stand, with the Ra,req and N
    // of the last "反算" drawn when one was asked.
    void onChart();
    // Passes a change to the session and shows its effects.
    template <class Change> void change(Change&& apply);

    std::unique_ptr<Session> m_session;
    std::unique_ptr<windows::SectionFields> m_sectionFields;
    QGridLayout* m_pileGrid = nullptr;
    QComboBox* m_depth = nullptr;
    QComboBox* m_grade = nullptr;
    QComboBox* m_process = nullptr;
    QLineEdit* m_frk = nullptr;
    QComboBox* m_integrity = nullptr;
    QAction* m_zetaNote = nullptr; // the marker in the ζr box past the end of the ζr table
    optimise::OptimisePageWidget* m_page = nullptr;
    std::optional<solve::Target> m_lastTarget; // what the last "反算" asked for
};

} // namespace sp::module1
