#pragma once
// The module 1 window: one rock layer, side and end resistance through ζr. It lays out the inputs
// of the pile and the rock on the common frame, binds each field's change to the engine's change
// handler, and applies the outcome of the calculation to its widgets.

#include "frame/modulewindow.h"
#include "module1calc.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QGridLayout;

namespace sp::module1 {

class TPELM_FRM_DURK1 : public frame::ModuleWindow {
    Q_OBJECT
public:
    explicit TPELM_FRM_DURK1(QWidget* parent = nullptr);

    // The inputs as the fields hold them now.
    Inputs inputs() const;

protected:
    void calculate() override;

private:
    void buildInputs();
    QLabel* addRow(QGridLayout* grid, int row, const char* labelName, const QString& label, QWidget* field);
    QWidget* field(const std::string& name) const;
    void onSectionChanged(int position);
    void onFieldChanged(const std::string& field, const QString& text);
    void applyOutcome(const Outcome& outcome);

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
};

} // namespace sp::module1
