#pragma once
// The order the page's exchange sort leaves a table in, found in O(n log n). The sort walks the
// rows and exchanges row i with any later row whose key is smaller than the key now in row i;
// it is not stable, and rows with equal keys end in an order the engineer sees and saves, so
// that order is reproduced exactly rather than replaced by a stable sort.

#include <cstdint>
#include <vector>

namespace sp::optimise {

// Keys in table order in; out: for each position of the sorted table, the position in the input
// that the row came from.
std::vector<std::uint32_t> exchangeSortOrder(const std::vector<double>& keys);

} // namespace sp::optimise
