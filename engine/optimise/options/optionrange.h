#pragma once
// The values one option row gives: its smallest value, largest value and step turned into a count
// and a list by the integer rule (coded rows and grades) or the decimal rule (sizes, depth,
// strength, index). The list is made only for rows that are enumerated.

#include <cstdint>
#include <vector>

namespace sp::optimise {

class OptionRange {
public:
    OptionRange() = default;

    // Minimum not below the maximum: the minimum alone. A step below 1 or beyond the span: the
    // two ends. Otherwise span div step + 1 values, the maximum only when the steps fit exactly.
    static OptionRange integers(long long min, long long max, long long step);
    // Minimum not below the maximum: the minimum alone. A step not above 0 or beyond the span:
    // the two ends. Otherwise the number of steps rounded half up, plus one; the values are
    // accumulated step by step and never pass the maximum.
    static OptionRange decimals(double min, double max, double step);

    double min() const { return m_min; }
    double max() const { return m_max; }
    double step() const { return m_step; }
    // Saturates at UINT64_MAX for ranges no run could ever hold.
    std::uint64_t count() const { return m_count; }
    std::vector<double> values() const;

private:
    double m_min = 0.0;
    double m_max = 0.0;
    double m_step = 0.0;
    std::uint64_t m_count = 1;
};

} // namespace sp::optimise
