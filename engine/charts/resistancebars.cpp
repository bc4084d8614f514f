#include "charts/resistancebars.h"

#include "charts/pilesummary.h"

#include "core/numbers.h"
#include "core/text.h"

namespace sp::charts {

using module2::RockLayerGrid;

// A layer's Qsrik and share are read from the grid cells the calculation wrote them into, as the
// calculation itself reads Qsrik back for the shares; Qpk, Quk and the end share are its values.
ResistanceBars resistanceBars(const module2::Values& v) {
    ResistanceBars out;
    const RockLayerGrid& grid = v.grid;
    const int n = grid.layerCount();
    for (int i = 1; i <= n; ++i) {
        ResistanceBar bar;
        bar.kind = ResistanceBar::Kind::Side;
        bar.layer = i;
        bar.label = grid.cell(i, module2::kColLayer);
        bar.value = core::readLenient(grid.cell(i, module2::kColQsrik));
        bar.share = core::readLenient(grid.cell(i, module2::kColShareBar));
        bar.shareText = grid.cell(i, module2::kColShare);
        out.bars.push_back(std::move(bar));
    }
    ResistanceBar end;
    end.kind = ResistanceBar::Kind::End;
    end.layer = n;
    end.label = kEndBarLabel;
    end.value = v.qpk;
    end.share = v.endShare;
    end.shareText = core::FixedText(v.endShare, 7, 2) + "%";
    out.bars.push_back(std::move(end));
    out.quk = v.quk;
    out.sideShare = v.sideShare;
    out.endShare = v.endShare;
    out.pile = pileSummary(v);
    out.ok = true;
    return out;
}

ResistanceBars resistanceBars(const module2::Outcome& outcome) {
    if (!outcome.ok())
        return {};
    return resistanceBars(outcome.values);
}

} // namespace sp::charts
