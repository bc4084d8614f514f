#include "optimise/results/exchangesort.h"

#include <gtest/gtest.h>

#include <random>

using sp::optimise::exchangeSortOrder;

namespace {

// The page's exchange sort done as described, on row numbers carried with their keys.
std::vector<std::uint32_t> directExchangeSort(const std::vector<double>& keys) {
    std::vector<double> k = keys;
    std::vector<std::uint32_t> rows(keys.size());
    for (std::uint32_t i = 0; i < rows.size(); ++i)
        rows[i] = i;
    for (std::size_t i = 0; i < k.size(); ++i) {
        double v = k[i];
        for (std::size_t j = i; j < k.size(); ++j) {
            if (v > k[j]) {
                std::swap(k[i], k[j]);
                std::swap(rows[i], rows[j]);
                v = k[i];
            }
        }
    }
    return rows;
}

} // namespace

TEST(ExchangeSort, SmallExampleKeepsTheExchangeSortsOrderOfEqualKeys) {
    // Rows 0 and 1 share key 2; exchanging row 0 with the smaller row 2 sends it behind row 1.
    const std::vector<double> keys = {2, 2, 1, 3};
    EXPECT_EQ(directExchangeSort(keys), (std::vector<std::uint32_t>{2, 1, 0, 3}));
    EXPECT_EQ(exchangeSortOrder(keys), directExchangeSort(keys));
    EXPECT_TRUE(exchangeSortOrder({}).empty());
}

TEST(ExchangeSort, MatchesTheDirectMethodOnRandomTablesFullOfEqualKeys) {
    std::mt19937 random(12345);
    for (int t = 0; t < 20000; ++t) {
        const int n = std::uniform_int_distribution<int>(1, 40)(random);
        const int distinct = std::uniform_int_distribution<int>(1, 6)(random);
        std::uniform_int_distribution<int> key(1, distinct);
        std::vector<double> keys(static_cast<std::size_t>(n));
        for (double& k : keys)
            k = key(random) * 10.5;
        ASSERT_EQ(exchangeSortOrder(keys), directExchangeSort(keys)) << "table " << t;
    }
}

TEST(ExchangeSort, MatchesTheDirectMethodOnALargerTable) {
    std::mt19937 random(99);
    std::uniform_int_distribution<int> key(0, 60);
    std::vector<double> keys(3000);
    for (double& k : keys)
        k = key(random);
    EXPECT_EQ(exchangeSortOrder(keys), directExchangeSort(keys));
}
