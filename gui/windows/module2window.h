#pragma once
// The module 2 window: the section fields, the rock settings with the rock-layer grid, and the
// results Quk, Ra and the end share on the common frame. It keeps the grid's cell texts, binds each
// control to the engine's handlers and applies the calculation's outcome.

#include "frame/modulewindow.h"
#include "module2/module2calc.h"
#include "module2/module2form.h"
#include "optimise/optimisepagewidget.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;

namespace sp::module2 {

class RockLayerView;

class Module2Window : public frame::ModuleWindow {
    Q_OBJECT
public:
    explicit Module2Window(QWidget* parent = nullptr);

    Inputs inputs() const;
    const RockLayerGrid& grid() const { return m_grid; }
    const char* verdict() const { return verdictText(m_overrideCount); }

protected:
    void calculate() override;
    std::optional<core::WriteResult> writeOptimisationTables(const QString& folder,
                                                             const core::Moment& moment) override;

private:
    void createOptimisationPage();
    void showRunEnd(const optimise::InputLayerState& state);
    void recallCandidate(const optimise::Recall& recall);
    void showSection(core::SectionType type, const std::string& secondText);
    void buildPileGroup();
    void buildRockGroup();
    Settings settings() const;
    GridView gridView() const;
    void resetResults();
    void updateColumns();
    void updateEnabled();
    void onSectionChanged(int position);
    void onFieldChanged(const std::string& field, const QString& text);
    void onLayerCount(int index);
    void onStrengthBasis();
    void onCoefficientMode();
    void onIntegrityBasis();
    void onExpand();
    void onCellEdited(int layer, int column, const QString& text);

    RockLayerGrid m_grid;
    int m_overrideCount = 0;

    QComboBox* m_section = nullptr;
    QComboBox* m_first = nullptr;
    QComboBox* m_second = nullptr;
    QLabel* m_firstLabel = nullptr;
    QLabel* m_secondLabel = nullptr;
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
};

} // namespace sp::module2
