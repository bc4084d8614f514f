#pragma once
// The module 3 window: module 1's window with the equivalent-diameter method row, the warning
// layer the engineer must accept before the inputs show, and result boxes coloured by the
// compliance verdict.

#include "module3/complianceverdict.h"
#include "windows/onelayerwindow.h"
#include "module3/module3calc.h"

class QComboBox;
class QLabel;

namespace sp::module3 {

class Module3Window : public module1::OneLayerWindow {
    Q_OBJECT
public:
    explicit Module3Window(QWidget* parent = nullptr);

    ComplianceVerdict verdict() const { return m_verdict; }
    DeqMethod method() const;

protected:
    void calculate() override;
    module1::ChangeEffect changeEffect(const std::string& field, const std::string& text) const override;
    void sectionKindChanged(core::SectionType section) override;
    optimise::RunContext runContext() const override;
    void showRunEnd(const optimise::InputLayerState& state) override;
    void recallCandidate(const optimise::Recall& recall) override;
    void beforeIntegrityRecalled() override;

private:
    QWidget* buildAlertLayer();
    void onMethodChanged();

    QComboBox* m_method = nullptr;
    QLabel* m_methodLabel = nullptr;
    ComplianceVerdict m_verdict = ComplianceVerdict::Compliant;
    std::optional<int> m_recalledMethod;
};

} // namespace sp::module3
