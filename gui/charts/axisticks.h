#pragma once
// Ticks at round values over an axis whose ends are the data's own: 1, 2 or 5 times a power of ten,
// counted from 0, about `count` of them across the range.

#include <QValueAxis>

#include <cmath>

namespace sp::gui {

inline void roundTicks(QValueAxis* axis, int count = 6) {
    const double span = axis->max() - axis->min();
    if (!(span > 0.0))
        return;
    const double raw = span / count;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = power;
    for (double f : {1.0, 2.0, 5.0, 10.0})
        if (f * power >= raw) {
            step = f * power;
            break;
        }
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0.0);
    axis->setTickInterval(step);
    const int decimals = step >= 1.0 ? 0 : static_cast<int>(std::ceil(-std::log10(step)));
    axis->setLabelFormat(QStringLiteral("%.") + QString::number(decimals) + QStringLiteral("f"));
}

} // namespace sp::gui
