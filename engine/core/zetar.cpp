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

constexpr int kSoft = 0;
constexpr int kHard = 3;
constexpr int kIntactColumn = 0;
constexpr int kFairlyIntactColumn = 1;
constexpr int kFairlyBrokenColumn = 2;

// Beyond the end of the table: the values of the last row read (soft at 6.0, hard at 4.0).
constexpr Row kSoftBeyond = {1.63, 1.45, 0.71};
constexpr Row kSoftAt4 = {1.48, 1.31, 0.71};
constexpr Row kHardBeyond = {1.04, 0.92, 0.52};

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

// A group's value inside its range: between ratio rows, and between classes by Kv.
double groupValue(int group, double u, int i, IntegrityClass cls, double kv) {
    if (cls == IntegrityClass::Interpolated) {
        const int kc = group + kFairlyIntactColumn;
        const int kb = group + kFairlyBrokenColumn;
        return bilinearInterpolate(i, T(i, kc), i + 1, T(i + 1, kc), T(i, kb), T(i + 1, kb), 0.55, 0.35, u, kv);
    }
    const int k = group + columnOf(cls);
    return linearInterpolate(i, T(i, k), i + 1, T(i + 1, k), u);
}

// A group's value beyond its range, from the row it was last read at.
double beyondValue(const Row& row, IntegrityClass cls, double kv) {
    if (cls == IntegrityClass::Interpolated)
        return linearInterpolate(0.55, row[kFairlyIntactColumn], 0.35, row[kFairlyBrokenColumn], kv);
    return row[static_cast<std::size_t>(columnOf(cls))];
}

} // namespace

double zetaTableValue(int row, int column) { return T(row, column); }

double zetaOf(double ratio, double frk, IntegrityClass cls, double kv) {
    const double u = ratio / 0.5;
    const int i = static_cast<int>(u);
    switch (rockGroupOf(frk)) {
    case RockGroup::Soft:
        return ratio <= 6.0 ? groupValue(kSoft, u, i, cls, kv) : beyondValue(kSoftBeyond, cls, kv);
    case RockGroup::Hard:
        return ratio <= 4.0 ? groupValue(kHard, u, i, cls, kv) : beyondValue(kHardBeyond, cls, kv);
    case RockGroup::Transition:
        if (ratio > 4.0)
            return linearInterpolate(15, beyondValue(kSoftAt4, cls, kv), 30, beyondValue(kHardBeyond, cls, kv), frk);
        if (cls == IntegrityClass::Interpolated)
            return linearInterpolate(15, groupValue(kSoft, u, i, cls, kv), 30, groupValue(kHard, u, i, cls, kv), frk);
        {
            const int ks = kSoft + columnOf(cls);
            const int kh = kHard + columnOf(cls);
            return bilinearInterpolate(i, T(i, ks), i + 1, T(i + 1, ks), T(i, kh), T(i + 1, kh), 15, 30, u, frk);
        }
    case RockGroup::None:
        break;
    }
    return 0.0;
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
