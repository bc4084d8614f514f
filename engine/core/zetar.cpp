#include "core/zetar.h"

#include <array>

namespace sp::core {

namespace {

using Row = std::array<double, 6>;
// Row 13 repeats row 12 so that a ratio of exactly 6.0 interpolates without reading past the
// table; the hard columns of rows 9 to 13 repeat row 8 for the same reason at 4.0.
constexpr std::array<Row, kZetaRows> kTable = {{
    {0.60, 0.60, 0.00, 0.45, 0.45, 0.00},
    {0.80, 0.80, 0.45, 0.65, 0.65, 0.32},
    {0.95, 0.92, 0.55, 0.81, 0.72, 0.40},
    {1.065, 1.00, 0.575, 0.855, 0.755, 0.42},
    {1.18, 1.08, 0.60, 0.90, 0.79, 0.44},
    {1.265, 1.14, 0.625, 0.95, 0.83, 0.46},
    {1.35, 1.20, 0.65, 1.00, 0.87, 0.48},
    {1.415, 1.255, 0.68, 1.02, 0.895, 0.50},
    {1.48, 1.31, 0.71, 1.04, 0.92, 0.52},
    {1.525, 1.355, 0.71, 1.04, 0.92, 0.52},
    {1.57, 1.40, 0.71, 1.04, 0.92, 0.52},
    {1.60, 1.425, 0.71, 1.04, 0.92, 0.52},
    {1.63, 1.45, 0.71, 1.04, 0.92, 0.52},
    {1.63, 1.45, 0.71, 1.04, 0.92, 0.52},
}};

constexpr int kIntactColumn = 0;
constexpr int kFairlyIntactColumn = 1;
constexpr int kFairlyBrokenColumn = 2;

double T(int row, int column) { return kTable[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]; }

int columnOf(IntegrityClass cls) {
    switch (cls) {
    case IntegrityClass::Intact:
        return kIntactColumn;
    case IntegrityClass::FairlyIntact:
        return kFairlyIntactColumn;
    default:
        return kFairlyBrokenColumn;
    }
}

// The reading itself, written once for both uses: `Notes` sees each value as it is found, so
// that zetaWorking keeps them while zetaOf, which the optimisation calls for every candidate,
// passes notes that keep nothing and cost nothing.
struct NoNotes {
    void rows(bool, int, bool) {}
    void column(int, int, int, double, double, double) {}
    void group(int, int, int, double) {}
};

struct WorkingNotes {
    ZetaWorking& w;
    void rows(bool beyond, int row, bool betweenRows) {
        w.beyond = beyond;
        w.row = row;
        w.betweenRows = betweenRows;
    }
    void column(int group, int k, int column, double atRow, double atNextRow, double value) {
        w.groups[static_cast<std::size_t>(group)].columns[static_cast<std::size_t>(k)] = {column, atRow, atNextRow,
                                                                                          value};
    }
    void group(int group, int firstColumn, int columnCount, double value) {
        ZetaWorking::Group& g = w.groups[static_cast<std::size_t>(group)];
        g.firstColumn = firstColumn;
        g.columnCount = columnCount;
        g.value = value;
        w.groupCount = group + 1;
    }
};

// A group's value at the ratio: each column read at its row, or between its two rows, and for
// the interpolated class the two columns weighed by Kv. Past the last row the row's values stand
// as they are.
template <class Notes>
double groupValue(int group, int firstColumn, double u, int row, bool beyond, IntegrityClass cls, double kv,
                  Notes& notes) {
    const bool byKv = cls == IntegrityClass::Interpolated;
    const int count = byKv ? 2 : 1;
    const int offsets[2] = {byKv ? kFairlyIntactColumn : columnOf(cls), kFairlyBrokenColumn};
    double values[2] = {0.0, 0.0};
    for (int k = 0; k < count; ++k) {
        const int column = firstColumn + offsets[k];
        const double atRow = T(row, column);
        const double atNextRow = beyond ? atRow : T(row + 1, column);
        values[k] = beyond ? atRow : linearInterpolate(row, atRow, row + 1, atNextRow, u);
        notes.column(group, k, column, atRow, atNextRow, values[k]);
    }
    const double value =
        byKv ? linearInterpolate(kZetaKvFairlyIntact, values[0], kZetaKvFairlyBroken, values[1], kv) : values[0];
    notes.group(group, firstColumn, count, value);
    return value;
}

template <class Notes> double readTable(double ratio, double frk, IntegrityClass cls, double kv, Notes& notes) {
    const RockGroup rockGroup = rockGroupOf(frk);
    if (rockGroup == RockGroup::None)
        return 0.0;
    // The soft group is read to 6.0; the hard group, and so the transition between them, to 4.0.
    const int lastRow = rockGroup == RockGroup::Soft ? kZetaLastSoftRow : kZetaLastHardRow;
    const double u = ratio / kZetaRowStep;
    const bool beyond = !(ratio <= lastRow * kZetaRowStep);
    const int row = beyond ? lastRow : static_cast<int>(u);
    notes.rows(beyond, row, !beyond && u != row);

    switch (rockGroup) {
    case RockGroup::Soft:
        return groupValue(0, kZetaSoftColumn, u, row, beyond, cls, kv, notes);
    case RockGroup::Hard:
        return groupValue(0, kZetaHardColumn, u, row, beyond, cls, kv, notes);
    case RockGroup::Transition: {
        const double soft = groupValue(0, kZetaSoftColumn, u, row, beyond, cls, kv, notes);
        const double hard = groupValue(1, kZetaHardColumn, u, row, beyond, cls, kv, notes);
        return linearInterpolate(kZetaSoftFrk, soft, kZetaHardFrk, hard, frk);
    }
    case RockGroup::None:
        break;
    }
    return 0.0;
}

} // namespace

double zetaTableValue(int row, int column) { return T(row, column); }

ZetaWorking zetaWorking(double ratio, double frk, IntegrityClass cls, double kv) {
    ZetaWorking w;
    w.rockGroup = rockGroupOf(frk);
    w.integrity = cls;
    w.ratio = ratio;
    w.frk = frk;
    w.kv = kv;
    WorkingNotes notes{w};
    w.zeta = readTable(ratio, frk, cls, kv, notes);
    return w;
}

double zetaOf(double ratio, double frk, IntegrityClass cls, double kv) {
    NoNotes notes;
    return readTable(ratio, frk, cls, kv, notes);
}

bool isBroken(IntegrityClass cls) {
    return cls == IntegrityClass::FairlyBroken || cls == IntegrityClass::Interpolated;
}

BrokenRockCheck checkBrokenRock(SectionType type, const SectionGeometry& g) {
    if (g.hr < 1000.0)
        return BrokenRockCheck::ShorterThan1m;
    if (type == SectionType::Round && g.ratioToDeq < 1.0)
        return BrokenRockCheck::ShorterThanOneDiameter;
    if (type == SectionType::Oblong && g.ratioToD < 1.0)
        return BrokenRockCheck::ShorterThanOneDiameter;
    if (type != SectionType::Round && g.ratioToDeq < 1.0)
        return BrokenRockCheck::HintShorterThanDeq;
    return BrokenRockCheck::Pass;
}

} // namespace sp::core
