#include "optimise/results/filter.h"

#include "core/numbers.h"
#include "optimise/profiles/moduleprofile.h"

#include <cmath>

namespace sp::optimise {

Window windowOf(double lower, double upper) {
    Window w;
    w.lower = lower > 0.0 ? lower : 0.0;
    w.upper = upper > 0.0 ? upper : 1e15;
    if (w.lower > w.upper)
        w.upper = w.lower;
    return w;
}

BoundsReading readFilterBounds(const OptionTable& table) {
    BoundsReading reading;
    // Rc's window stays open in a module that filters on Ra alone.
    const ModuleProfile& profile = profileOf(table.module());
    double bound[2][2] = {};
    const std::optional<int> rcRow = profile.filterRcRow();
    const int rows[2] = {profile.filterRaRow(), rcRow.value_or(0)};
    const int rowCount = rcRow ? 2 : 1;
    for (int r = 0; r < rowCount; ++r) {
        for (int c = 0; c < 2; ++c) {
            const std::string& text = table.cell(rows[r], kColMin + c);
            const auto value = core::readStrict(text);
            if (!value) {
                reading.error = unreadCell(table, rows[r], kColMin + c);
                return reading;
            }
            bound[r][c] = *value;
        }
    }
    reading.bounds = FilterBounds{windowOf(bound[0][0], bound[0][1]), windowOf(bound[1][0], bound[1][1])};
    return reading;
}

FilterResult filterRows(const ResultTable& candidates, const FilterBounds& bounds) {
    FilterResult result;
    const auto& store = candidates.store();
    for (RowId id : candidates.order()) {
        const double ra = store->raKey(id);
        const double rc = store->rcKey(id);
        if (std::isnan(ra) || std::isnan(rc)) {
            result.unreadable = true;
            break;
        }
        if (bounds.ra.contains(ra) && bounds.rc.contains(rc))
            result.rows.push_back(id);
    }
    return result;
}

} // namespace sp::optimise
