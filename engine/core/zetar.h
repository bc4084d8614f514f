#pragma once
// The combined side-and-end resistance coefficient of the socket: the table value ζ by the depth
// ratio hr/deq, the rock group (by frk) and the integrity, and the conditions broken rock puts on
// the socket. ζr = ζ × the process factor.

#include "core/geometry.h"
#include "core/tables.h"

#include <array>

namespace sp::core {

// 14 ratio rows (hr/deq = 0.5·i) × soft "完整", "较完整", "较破碎", hard "完整", "较完整", "较破碎".
inline constexpr int kZetaRows = 14;
double zetaTableValue(int row, int column);

// The ratio step between two table rows, and the last row each group is read to.
inline constexpr double kZetaRowStep = 0.5;
inline constexpr int kZetaLastSoftRow = 12; // hr/deq = 6.0
inline constexpr int kZetaLastHardRow = 8;  // hr/deq = 4.0; the transition group stops here too
// The soft group's values stand at frk = 15 and the hard group's at frk = 30; "较软岩" between
// them is interpolated by frk.
inline constexpr double kZetaSoftFrk = 15.0;
inline constexpr double kZetaHardFrk = 30.0;
// The interpolated class runs from the "较完整" value at Kv = 0.55 to the "较破碎" value at 0.35.
inline constexpr double kZetaKvFairlyIntact = 0.55;
inline constexpr double kZetaKvFairlyBroken = 0.35;
inline constexpr int kZetaSoftColumn = 0; // first column of each group
inline constexpr int kZetaHardColumn = 3;

// How ζ was read from the table, kept so that a calculation book can write the reading out: the
// groups and integrity columns read, the rows and their values, and the value after each
// interpolation. `zetaOf` is the `zeta` of this working, so the two cannot disagree.
struct ZetaWorking {
    // One integrity column of one group.
    struct Column {
        int column = 0;         // table column 0 … 5
        double atRow = 0.0;     // the value at `row`
        double atNextRow = 0.0; // the value at `row + 1`; only between rows
        double value = 0.0;     // at the ratio
    };
    // One group: the class's column, or for the interpolated class "较完整" then "较破碎".
    struct Group {
        int firstColumn = kZetaSoftColumn;
        int columnCount = 1;
        std::array<Column, 2> columns{};
        double value = 0.0; // at the ratio, and by Kv for the interpolated class
    };

    RockGroup rockGroup = RockGroup::None;
    IntegrityClass integrity = IntegrityClass::FairlyIntact;
    double ratio = 0.0;
    double frk = 0.0;
    double kv = 0.0;
    bool beyond = false;      // the ratio is past the last row read: that row's values
    int row = 0;              // the row read, or the lower of the two interpolated between
    bool betweenRows = false; // interpolated by the ratio between `row` and `row + 1`
    int groupCount = 0;       // 1, or 2 for the transition group (soft first), interpolated by frk
    std::array<Group, 2> groups{};
    double zeta = 0.0;
};

// `frk` ≤ 0 reads nothing and gives ζ = 0.
ZetaWorking zetaWorking(double ratioToDeq, double frk, IntegrityClass cls, double kv);

// ζ before the process factor. `frk` must be > 0; `kv` matters for the interpolated class only.
double zetaOf(double ratioToDeq, double frk, IntegrityClass cls, double kv);

enum class BrokenRockCheck {
    Pass,
    ShorterThan1m,          // "较破碎岩体上嵌入深度小于1m"
    ShorterThanOneDiameter, // "较破碎岩体上嵌入深度小于1倍桩径"
    HintShorterThanDeq,     // goes on, with the hint "提示：较破碎岩体上嵌入深度小于1倍折算直径"
};

// Only for the classes "较破碎" and the interpolated one; in this order.
BrokenRockCheck checkBrokenRock(SectionType type, const SectionGeometry& geometry);

bool isBroken(IntegrityClass cls);

} // namespace sp::core
