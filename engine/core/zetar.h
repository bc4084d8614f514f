#pragma once
// The combined side-and-end resistance coefficient of the socket: the table value ζ by the depth
// ratio hr/deq, the rock group (by frk) and the integrity, and the conditions broken rock puts on
// the socket. ζr = ζ × the process factor.

#include "core/geometry.h"
#include "core/tables.h"

namespace sp::core {

// 14 ratio rows (hr/deq = 0.5·i) × soft "完整", "较完整", "较破碎", hard "完整", "较完整", "较破碎".
inline constexpr int kZetaRows = 14;
double zetaTableValue(int row, int column);

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
