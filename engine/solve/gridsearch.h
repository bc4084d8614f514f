#pragma once
// Searches on a grid of whole steps k = lo … hi for the first step where something holds, by
// bisection: for a condition that fails up to some step and holds from there on (a socket long
// enough for the broken-rock rules), and for a value that grows with k (Ra against the socket
// depth) and has to reach a target.

#include <cmath>
#include <optional>

namespace sp::solve {

// The least k in [lo, hi] where `holds(k)` is true, for a condition that, once true, stays true
// for every larger k; `holds(hi)` must be true.
template <class Holds> long long firstHolding(long long lo, long long hi, Holds&& holds) {
    long long below = lo - 1; // the largest step known to fail (lo - 1: none known)
    long long at = hi;        // the smallest step known to hold
    while (at - below > 1) {
        const long long mid = below + (at - below) / 2;
        if (holds(mid))
            at = mid;
        else
            below = mid;
    }
    return at;
}

// The least k in [lo, hi] whose value reaches `target`, for values that grow with k.
//
// With `slack` 0 the values grow exactly. Otherwise they are a growing function computed in
// floating point, each off that function by up to `slack` of itself, so that a value may fall
// below one at a smaller step by twice that (3·slack is allowed for). The bisection finds a step
// that reaches the target after one that does not; an earlier step can reach it too only when the
// value of that step before (or the value at `hi`, when even that falls short) lies that close
// below the target. Only then are the earlier steps read one by one, so that the answer is always
// the one a scan of every step would give.
template <class Value>
std::optional<long long> firstReaching(long long lo, long long hi, double target, double slack,
                                       Value&& value) {
    const auto nearlyReaches = [&](double v) {
        return slack > 0.0 && v + 3.0 * slack * std::fabs(v) >= target;
    };
    const auto scan = [&](long long from, long long to) -> std::optional<long long> {
        for (long long k = from; k <= to; ++k)
            if (value(k) >= target)
                return k;
        return std::nullopt;
    };

    const double top = value(hi);
    if (!(top >= target))
        return nearlyReaches(top) ? scan(lo, hi - 1) : std::nullopt;

    long long below = lo - 1;
    double belowValue = 0.0;
    long long at = hi;
    while (at - below > 1) {
        const long long mid = below + (at - below) / 2;
        const double v = value(mid);
        if (v >= target) {
            at = mid;
        } else {
            below = mid;
            belowValue = v;
        }
    }
    if (below >= lo && nearlyReaches(belowValue))
        if (const auto earlier = scan(lo, below - 1))
            return earlier;
    return at;
}

} // namespace sp::solve
