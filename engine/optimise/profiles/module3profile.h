#pragma once
// Module 3's optimisation: module 1's with the equivalent-diameter method as a further loop for
// sections that are not round (round piles take the method the window shows), the compliance
// verdict in the last column, over-standard rows drawn red, and 190-column files.

#include "optimise/options/optiontable.h"
#include "optimise/profiles/module1profile.h"

namespace sp::optimise {

class Module3Profile : public Module1Profile {
public:
    ModuleKind module() const override { return ModuleKind::Module3; }

    std::span<const OptionRowTexts> optionRows() const override;
    int lastValueRow() const override { return kRow3Method; }
    int filterRaRow() const override { return kRow3FilterRa; }
    std::optional<int> filterRcRow() const override { return kRow3FilterRc; }
    int noteColumnWidth() const override { return 550; } // its method row names all eight methods

    bool readRows(RowReader& read, Options& options, OptionsReading& reading) const override;
    std::uint64_t methodLoop(const Options& options) const override;
    InnerLoops innerLoops(const Options& options) const override;
    std::unique_ptr<const RunTables> makeTables(const CandidateSpace& space) const override;

    CandidateInputs inputs(const CandidateSpace& space, const CandidateKey& key,
                           core::Precision precision) const override;
    Evaluation evaluate(const CandidateSpace& space, const CandidateKey& key) const override;
    std::string_view cellText(const CandidateStore& store, const CandidateRow& row, int column,
                              char* buffer) const override;
    bool overStandard(const CandidateSpace& space, const CandidateKey& key) const override;

    const std::array<ResultColumnInfo, 18>& resultColumns() const override;
    FileLayout fileLayout() const override;
    Recall recall(const std::array<std::string, 18>& cells) const override;

protected:
    module1::Outcome calculate(const CandidateSpace& space, const CandidateKey& key, core::Precision precision,
                               OneLayerFields* extras) const override;
};

} // namespace sp::optimise
