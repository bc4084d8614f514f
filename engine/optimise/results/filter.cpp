#include "optimise/results/filter.h"

#include "core/numbers.h"

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
    // Rc's window stays open in module 2, which filters on Ra alone.
    double bound[2][2] = {};
    int rows[2] = {kRowFilterRa, kRowFilterRc};
    int rowCount = 2;
    if (table.module() == ModuleKind::Module2) {
        rows[0] = kRow2FilterRa;
        rowCount = 1;
    } else if (table.module() == ModuleKind::Module3) {
        rows[0] = kRow3FilterRa;
        rows[1] = kRow3FilterRc;
    }
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
