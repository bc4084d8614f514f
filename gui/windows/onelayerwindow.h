#pragma once
// The window of the combined method (one rock layer, side and end resistance through ζr), shared
// by module 1 and its research variant: the inputs of the pile and the rock on the common frame,
// each field's change bound to the engine's change handler, and the calculation's outcome applied
// to the widgets. A module adds its own rows, handlers and reports on top.

#include "frame/modulewindow.h"
#include "module1/module1calc.h"
#include "module1/module1form.h"
#include "optimise/optimisepagewidget.h"

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QGridLayout;

namespace sp::module1 {

class OneLayerWindow : public frame::ModuleWindow {
    Q_OBJECT
public:
    // The inputs as the fields hold them now.
    Inputs inputs() const;

protected:
    OneLayerWindow(const QString& windowClass, int height, const QString& deqLabel, QWidget* parent);

    // The pile group's grid, for a module's extra rows below the process.
    QGridLayout* pileGrid() const { return m_pileGrid; }
    QComboBox* sectionBox() const { return m_section; }
    QLabel* addRow(QGridLayout* grid, int row, const char* labelName, const QString& label, QWidget* field);
    QWidget* field(const std::string& name) const;

    // What a change of one input does; a module may clear more.
    virtual ChangeEffect changeEffect(const std::string& field, const std::string& text) const;
    // Called at the end of a section-kind change.
    virtual void sectionKindChanged(core::SectionType) {}
    void onFieldChanged(const std::string& field, const QString& text);

    // Applies what every calculation of this kind changes; true when the pile reached its results.
    bool applyOutcome(const Outcome& outcome);

    // Writes inputs into the fields without running their change handlers (the section kind's
    // labels and lists come along), as an optimisation run leaves the layer.
    void showInputs(const Inputs& inputs);
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
    void clearResultBoxes();
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

private:
    void buildInputs();
    void onSectionChanged(int position);

    QGridLayout* m_pileGrid = nullptr;
    QComboBox* m_section = nullptr;
    QComboBox* m_first = nullptr;
    QComboBox* m_second = nullptr;
    QComboBox* m_depth = nullptr;
    QComboBox* m_grade = nullptr;
    QComboBox* m_process = nullptr;
    QLineEdit* m_frk = nullptr;
    QComboBox* m_integrity = nullptr;
    QLabel* m_firstLabel = nullptr;
    QLabel* m_secondLabel = nullptr;
    optimise::OptimisePageWidget* m_page = nullptr;
};

} // namespace sp::module1
