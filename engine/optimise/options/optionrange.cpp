#include "optimise/options/optionrange.h"

#include <cmath>
#include <limits>

namespace sp::optimise {

namespace {

constexpr std::uint64_t kSaturated = std::numeric_limits<std::uint64_t>::max();

std::uint64_t saturatedCount(double steps) {
    // 2^64 and above cannot be counted; such a range only needs to be refused.
    if (!(steps < 18446744073709551615.0))
        return kSaturated;
    const auto whole = static_cast<std::uint64_t>(steps);
    return whole == kSaturated ? kSaturated : whole + 1;
}

} // namespace

OptionRange OptionRange::integers(long long min, long long max, long long step) {
    OptionRange r;
    r.m_min = static_cast<double>(min);
    if (min >= max) {
        r.m_max = r.m_min;
        r.m_step = static_cast<double>(step);
        r.m_count = 1;
        return r;
    }
    const long long span = max - min;
    r.m_max = static_cast<double>(max);
    if (step < 1 || step > span) {
        r.m_step = static_cast<double>(span);
        r.m_count = 2;
    } else {
        r.m_step = static_cast<double>(step);
        r.m_count = static_cast<std::uint64_t>(span / step) + 1;
    }
    return r;
}

OptionRange OptionRange::decimals(double min, double max, double step) {
    OptionRange r;
    r.m_min = min;
    if (!(min < max)) {
        r.m_max = min;
        r.m_step = step;
        r.m_count = 1;
        return r;
    }
    const double span = max - min;
    r.m_max = max;
    if (step > 0.0 && step <= span) {
        r.m_step = step;
        r.m_count = saturatedCount(std::trunc(span / step + 0.5));
    } else {
        r.m_step = span;
        r.m_count = 2;
    }
    return r;
}

std::vector<double> OptionRange::values() const {
    std::vector<double> out;
    out.reserve(m_count);
    double value = m_min;
    for (std::uint64_t k = 0; k < m_count; ++k) {
        if (k > 0) {
            value += m_step;
            if (value > m_max)
                value = m_max;
        }
        out.push_back(value);
    }
    return out;
}

} // namespace sp::optimise
