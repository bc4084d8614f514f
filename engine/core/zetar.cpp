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

// A group's value at the ratio: each column read at its row, or between its two rows, and for
// the interpolated class the two columns weighed by Kv. Past the last row the row's values stand
// as they are.
ZetaWorking::Group readGroup(const ZetaWorking& w, int firstColumn, double u) {
    ZetaWorking::Group g;
    g.firstColumn = firstColumn;
    const bool byKv = w.integrity == IntegrityClass::Interpolated;
    g.columnCount = byKv ? 2 : 1;
    const int offsets[2] = {byKv ? kFairlyIntactColumn : columnOf(w.integrity), kFairlyBrokenColumn};
    for (int k = 0; k < g.columnCount; ++k) {
        ZetaWorking::Column& c = g.columns[static_cast<std::size_t>(k)];
        c.column = firstColumn + offsets[k];
        c.atRow = T(w.row, c.column);
        if (w.beyond) {
            c.atNextRow = c.atRow;
            c.value = c.atRow;
        } else {
            c.atNextRow = T(w.row + 1, c.column);
            c.value = linearInterpolate(w.row, c.atRow, w.row + 1, c.atNextRow, u);
        }
    }
    g.value = byKv ? linearInterpolate(kZetaKvFairlyIntact, g.columns[0].value, kZetaKvFairlyBroken,
                                       g.columns[1].value, w.kv)
                   : g.columns[0].value;
    return g;
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
    if (w.rockGroup == RockGroup::None)
        return w;

    // The soft group is read to 6.0; the hard group, and so the transition between them, to 4.0.
    const int lastRow = w.rockGroup == RockGroup::Soft ? kZetaLastSoftRow : kZetaLastHardRow;
    const double u = ratio / kZetaRowStep;
    w.beyond = !(ratio <= lastRow * kZetaRowStep);
    if (w.beyond) {
        w.row = lastRow;
    } else {
        w.row = static_cast<int>(u);
        w.betweenRows = u != w.row;
    }

    switch (w.rockGroup) {
    case RockGroup::Soft:
    case RockGroup::Hard:
        w.groupCount = 1;
        w.groups[0] = readGroup(w, w.rockGroup == RockGroup::Soft ? kZetaSoftColumn : kZetaHardColumn, u);
        w.zeta = w.groups[0].value;
        break;
    case RockGroup::Transition:
        w.groupCount = 2;
        w.groups[0] = readGroup(w, kZetaSoftColumn, u);
        w.groups[1] = readGroup(w, kZetaHardColumn, u);
        w.zeta = linearInterpolate(kZetaSoftFrk, w.groups[0].value, kZetaHardFrk, w.groups[1].value, frk);
        break;
    case RockGroup::None:
        break;
    }
    return w;
}

double zetaOf(double ratio, double frk, IntegrityClass cls, double kv) { return zetaWorking(ratio, frk, cls, kv).zeta; }

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
