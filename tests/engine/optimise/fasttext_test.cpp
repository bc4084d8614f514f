#include "optimise/results/fasttext.h"

#include "core/numbers.h"
#include "core/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace sp;
using optimise::fixedText;
using optimise::precisionText;
using optimise::precisionTextValue;

namespace {

// Values a result box sees, and the places where rounding is hardest to get right: halves at the
// last decimal and the doubles just beside them, carries into a new digit, the significant-digit
// limit, zero, negatives and the extremes.
std::vector<double> probeValues() {
    std::vector<double> values = {0.0,      -0.0,      0.125,     2.5,       -2.5,      0.5,   1234.5,
                                  6738.715, 7723.0849, 9999999.5, 9999999.4, 999999.95, 1e7,   123456.78,
                                  12.3456,  0.78666,   1e-9,      5e-5,      4.9999e-5, 1e15,  1e300,
                                  -7723.08, INFINITY,  -INFINITY, NAN,       0.005,     0.015, 0.045};
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> magnitude(-3.0, 8.0);
    for (int i = 0; i < 50000; ++i)
        values.push_back(std::pow(10.0, magnitude(random)));
    // Halves of the last decimal for 0 to 4 decimals, and their neighbours.
    std::uniform_int_distribution<long long> units(0, 20000000);
    for (int i = 0; i < 5000; ++i) {
        for (double scale : {1.0, 10.0, 100.0, 10000.0}) {
            const double half = (static_cast<double>(units(random)) + 0.5) / scale;
            values.push_back(half);
            values.push_back(std::nextafter(half, 0.0));
            values.push_back(std::nextafter(half, INFINITY));
        }
    }
    return values;
}

} // namespace

TEST(OptimiseFastText, FixedTextMatchesTheCoreRoutine) {
    const struct { int significant, decimals; } formats[] = {{7, 0}, {7, 1}, {7, 2}, {7, 4}, {3, 2}};
    for (double v : probeValues())
        for (const auto& f : formats)
            ASSERT_EQ(fixedText(v, f.significant, f.decimals), core::FixedText(v, f.significant, f.decimals))
                << v << " " << f.significant << " " << f.decimals;
}

TEST(OptimiseFastText, PrecisionTextAndItsValueMatchTheCoreRoutines) {
    for (double v : probeValues()) {
        for (int p = 0; p <= 4; ++p) {
            const auto precision = static_cast<core::Precision>(p);
            const std::string expected = core::PrecisionText(v, precision, 7);
            ASSERT_EQ(precisionText(v, precision, 7), expected) << v << " " << p;
            const auto read = core::readStrict(expected);
            const double value = precisionTextValue(v, precision, 7);
            if (read)
                ASSERT_EQ(value, *read) << v << " " << p;
            else
                ASSERT_TRUE(std::isnan(value)) << v << " " << p;
        }
    }
}
