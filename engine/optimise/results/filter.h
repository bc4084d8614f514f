#pragma once
// The filter of the optimisation page: the Ra and Rc windows read from the filter rows of the
// option table (module 2: Ra alone), and the rows of the candidate table that lie inside both, in
// the table's present order.

#include "optimise/options/options.h"
#include "optimise/results/resulttable.h"

#include <optional>
#include <vector>

namespace sp::optimise {

// Both ends inclusive, kN.
struct Window {
    double lower = 0.0;
    double upper = 1e15;
    bool contains(double value) const { return lower <= value && value <= upper; }
};

// A bound of 0 or less does not constrain; a lower bound above the upper one becomes both.
Window windowOf(double lower, double upper);

struct FilterBounds {
    Window ra;
    Window rc;
};

struct BoundsReading {
    std::optional<FilterBounds> bounds;
    std::optional<OptionError> error; // a bound that is not a number
};
BoundsReading readFilterBounds(const OptionTable& table);

struct FilterResult {
    std::vector<RowId> rows; // the passing rows, in the table's order
    // A key cell that is not a number stopped the filter there; `rows` holds those before it.
    bool unreadable = false;
};
FilterResult filterRows(const ResultTable& candidates, const FilterBounds& bounds);

} // namespace sp::optimise
