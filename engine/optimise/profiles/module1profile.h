#pragma once
// Module 1's optimisation: one rock layer, side and end resistance together through ζr; the loops
// of concrete grade and process inside integrity; the sixteen option rows; Ra and Rc as keys; the
// 180-column files. Module 3 builds on it.

#include "module1/module1calc.h"
#include "optimise/profiles/moduleprofile.h"


namespace sp::optimise {

struct OneLayerFields;

class Module1Profile : public ModuleProfile {
public:
    ModuleKind module() const override { return ModuleKind::Module1; }

    std::span<const OptionRowTexts> optionRows() const override;
    int lastValueRow() const override;
    int filterRaRow() const override;
    std::optional<int> filterRcRow() const override;

    bool readRows(RowReader& read, Options& options, OptionsReading& reading) const override;
    std::uint64_t candidatesPerSize(const Options& options, std::uint64_t integrities) const override;
    std::uint64_t methodLoop(const Options&) const override { return 1; }

    IntegrityValue integrityValue(int basis, double value) const override;
    InnerLoops innerLoops(const Options& options) const override;
    std::unique_ptr<const RunTables> makeTables(const CandidateSpace&) const override { return nullptr; }

    CandidateInputs inputs(const CandidateSpace& space, const CandidateKey& key,
                           core::Precision precision) const override;
    Evaluation evaluate(const CandidateSpace& space, const CandidateKey& key) const override;
    std::array<double, 2> keys(const Evaluation& evaluation, core::Precision precision) const override;
    std::string_view cellText(const CandidateStore& store, const CandidateRow& row, int column,
                              char* buffer) const override;

    const std::array<ResultColumnInfo, 18>& resultColumns() const override;
    bool hasSortKey(SortKey) const override { return true; }
    const char* onlyKeysStatus() const override { return "仅支持d、Ra、Rc排序"; }
    int lastAlwaysVisibleColumn() const override { return 5; }
    FileLayout fileLayout() const override;

    Recall recall(const std::array<std::string, 18>& cells) const override;
    void writeBack(const RunEnding& ending, InputLayerState& state) const override;

protected:
    module1::Inputs oneLayerInputs(const CandidateSpace& space, const CandidateKey& key,
                                   core::Precision precision) const;
    // The one-layer arithmetic, with the module's rule for deq where it has one.
    Evaluation evaluateOneLayer(const CandidateSpace& space, const CandidateKey& key,
                                const module1::DeqRule* rule) const;
    // The candidate's calculation as its window makes it; `extras` (when given) takes what the
    // module's window shows besides module 1's outcome.
    virtual module1::Outcome calculate(const CandidateSpace& space, const CandidateKey& key,
                                       core::Precision precision, OneLayerFields* extras) const;
};

} // namespace sp::optimise
