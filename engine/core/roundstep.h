#pragma once
// The plain steps of a chart's axis and of its samples: a multiple of a power of ten that reads
// well (1, 2 or 5 times 10^k unless told otherwise), the smallest not below the step wanted.

#include <cmath>
#include <initializer_list>

namespace sp::core {

// The smallest m × 10^k not below `least`, m one of `multiples` (ascending, all in [1, 10)); a
// hair's breadth below counts as reached, so that 0.3 / 3 gives 0.1, not 0.2. 1 for a `least` that
// is not a positive number.
inline double roundStep(double least, std::initializer_list<double> multiples = {1.0, 2.0, 5.0}) {
    if (!(least > 0.0) || !std::isfinite(least))
        return 1.0;
    const double power = std::pow(10.0, std::floor(std::log10(least)));
    for (double m : multiples)
        if (m * power >= least * (1.0 - 1e-12))
            return m * power;
    return 10.0 * power;
}

} // namespace sp::core
