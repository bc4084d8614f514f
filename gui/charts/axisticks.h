#pragma once
// Ticks at round values over an axis whose ends are the data's own: 1, 2 or 5 times a power of ten,
// counted from 0, about `count` of them across the range.

#include "core/roundstep.h"

#include <QValueAxis>

#include <cmath>

namespace sp::gui {

inline void roundTicks(QValueAxis* axis, int count = 6) {
    const double span = axis->max() - axis->min();
    if (!(span > 0.0))
        return;
    const double step = core::roundStep(span / count);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0.0);
    axis->setTickInterval(step);
    const int decimals = step >= 1.0 ? 0 : static_cast<int>(std::ceil(-std::log10(step)));
    axis->setLabelFormat(QStringLiteral("%.") + QString::number(decimals) + QStringLiteral("f"));
}

} // namespace sp::gui
