#pragma once
// Module 2's optimisation: side and end resistance apart, through row 1 of the rock-layer grid,
// which holds the only layer; no concrete and no process, a weathering loop inside strength; the
// coefficients looked up once per strength, weathering and integrity; Ra alone as a key; its own
// columns from 5 on and its own file.

#include "optimise/profiles/moduleprofile.h"

namespace sp::optimise {

class Module2Profile : public ModuleProfile {
public:
    ModuleKind module() const override { return ModuleKind::Module2; }

    std::span<const OptionRowTexts> optionRows() const override;
    int lastValueRow() const override;
    int filterRaRow() const override;
    std::optional<int> filterRcRow() const override { return std::nullopt; }

    bool readRows(RowReader& read, Options& options, OptionsReading& reading) const override;
    std::uint64_t candidatesPerSize(const Options& options, std::uint64_t integrities) const override;
    std::uint64_t methodLoop(const Options&) const override { return 1; }

    IntegrityValue integrityValue(int basis, double value) const override;
    InnerLoops innerLoops(const Options& options) const override;
    std::unique_ptr<const RunTables> makeTables(const CandidateSpace& space) const override;

    CandidateInputs inputs(const CandidateSpace& space, const CandidateKey& key,
                           core::Precision precision) const override;
    Evaluation evaluate(const CandidateSpace& space, const CandidateKey& key) const override;
    std::array<double, 2> keys(const Evaluation& evaluation, core::Precision precision) const override;
    std::string_view cellText(const CandidateStore& store, const CandidateRow& row, int column,
                              char* buffer) const override;

    const std::array<ResultColumnInfo, 18>& resultColumns() const override;
    bool hasSortKey(SortKey key) const override { return key != SortKey::Rc; }
    const char* onlyKeysStatus() const override { return "仅支持d、Ra排序"; }
    int lastAlwaysVisibleColumn() const override { return 4; }
    FileLayout fileLayout() const override;

    Recall recall(const std::array<std::string, 18>& cells) const override;
    void writeBack(const RunEnding& ending, InputLayerState& state) const override;
};

} // namespace sp::optimise
