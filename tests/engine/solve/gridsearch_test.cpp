// The searches on the step grid, on made-up values where a plain bisection goes wrong.

#include "solve/gridsearch.h"

#include <gtest/gtest.h>

#include <vector>

using sp::solve::firstHolding;
using sp::solve::firstReaching;

TEST(GridSearch, FirstHoldingFindsTheEdgeOfAConditionThatStaysTrue) {
    for (long long edge = 3; edge <= 20; ++edge) {
        int reads = 0;
        const long long k = firstHolding(3, 20, [&](long long j) {
            ++reads;
            return j >= edge;
        });
        EXPECT_EQ(k, edge);
        EXPECT_LE(reads, 5) << "bisection, not a scan";
    }
}

TEST(GridSearch, FirstReachingReadsEveryStepOnlyWhereValuesDipWithinTheSlack) {
    // A growing function computed with a rounding error: step 2 reaches 5, steps 3 to 5 fall a
    // hair below it. A bisection lands in the dip and would answer 6.
    const std::vector<double> values = {1.0, 2.0, 5.0, 4.999999999999, 4.999999999999, 4.999999999999,
                                        6.0, 6.0};
    int reads = 0;
    const auto value = [&](long long k) {
        ++reads;
        return values[static_cast<std::size_t>(k)];
    };
    EXPECT_EQ(firstReaching(0, 7, 5.0, 1e-9, value), 2);
    EXPECT_EQ(firstReaching(0, 7, 5.0, 0.0, value), 6)
        << "without slack the values are taken to grow exactly";

    // The last step dips too: the target is still reached, earlier.
    const std::vector<double> dipAtTheEnd = {1.0, 5.0, 4.999999999999};
    const auto end = [&](long long k) { return dipAtTheEnd[static_cast<std::size_t>(k)]; };
    EXPECT_EQ(firstReaching(0, 2, 5.0, 1e-9, end), 1);
    EXPECT_EQ(firstReaching(0, 2, 5.0, 0.0, end), std::nullopt);

    // Far below the target, or clearly above the step before, nothing is read one by one.
    reads = 0;
    EXPECT_EQ(firstReaching(0, 7, 7.0, 1e-9, value), std::nullopt);
    EXPECT_EQ(reads, 1);
    reads = 0;
    EXPECT_EQ(firstReaching(0, 7, 1.5, 1e-9, value), 1);
    EXPECT_LE(reads, 4);
}
