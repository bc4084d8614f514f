#pragma once
// The module 2 window: the section fields, the rock settings with the rock-layer grid, and the
// results Quk, Ra and the end share on the common frame. It owns the module's session, passes each
// change of a control on to it and shows what the session then holds, the grid's cells included.

#include "charts/resistancebars.h"
#include "frame/modulewindow.h"
#include "module2/module2calc.h"
#include "module2/module2form.h"
#include "module2/module2session.h"
#include "optimise/optimisepagewidget.h"

#include <QPointer>

#include <memory>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace sp::windows {
class SectionFields;
}

namespace sp::gui {
class ChartWindow;
}

namespace sp::module2 {

class RockLayerView;

class Module2Window : public frame::ModuleWindow {
    Q_OBJECT
public:
    explicit Module2Window(QWidget* parent = nullptr);
    ~Module2Window() override;

    const RockLayerGrid& grid() const { return m_session.grid(); }
    // The inputs as the session holds them.
    const Inputs& inputs() const { return m_session.inputs(); }
    const char* verdict() const { return m_session.verdict(); }

    project::ModuleState captureState() const override;
    void restoreState(const project::ModuleState& state) override;

protected:
    void calculate() override;
    std::optional<core::WriteResult> writeOptimisationTables(const QString& folder,
                                                             const core::Moment& moment) override;

private:
    void createOptimisationPage();
    void showRunEnd(const optimise::InputLayerState& state);
    void recallCandidate(const optimise::Recall& recall);
    void buildPileGroup();
    void buildRockGroup();
    void buildRockSettings(QWidget* group, QVBoxLayout* layout);
    void connectInputs();
    // Passes a change to the session and shows its effects.
    template <class Change> void change(Change&& apply);
    // Shows what the session holds: fields, settings, grid, colours, status line, boxes, buttons.
    void render();
    void renderSettings();
    void renderGrid();
    // "反算": the dialog, then the least length of the bottom layer in its cell and calculated, or
    // why there is none.
    void onSolve();
    // "图表": a window with the resistance bars of the last calculation, or a message before one;
    // the one window, which follows each calculation while it is open.
    void onChart();
    // The last calculation's bars, in the open chart window too.
    void keepBars(const Outcome& outcome);

    Session m_session;
    std::unique_ptr<windows::SectionFields> m_sectionFields;
    QComboBox* m_layerCount = nullptr;
    QComboBox* m_strengthBasis = nullptr;
    QComboBox* m_mode = nullptr;
    QComboBox* m_integrityBasis = nullptr;
    QLabel* m_modeLabel = nullptr;
    QLabel* m_integrityBasisLabel = nullptr;
    QCheckBox* m_groundwater = nullptr;
    QCheckBox* m_softRock = nullptr;
    QPushButton* m_expand = nullptr;
    RockLayerView* m_view = nullptr;
    optimise::OptimisePageWidget* m_page = nullptr;
    charts::ResistanceBars m_lastBars; // of the last calculation; nothing to draw before one
    QPointer<gui::ChartWindow> m_chart; // while it is open
};

} // namespace sp::module2
