#include "optimise/results/exchangesort.h"

#include <algorithm>
#include <numeric>

namespace sp::optimise {

namespace {

// Counts over positions 0..n-1 with prefix sums and the search for the k-th set position.
class Fenwick {
public:
    void reset(std::size_t n) {
        m_tree.assign(n + 1, 0);
        m_top = 1;
        while (m_top * 2 <= n)
            m_top *= 2;
    }
    // All positions set, built in linear time.
    void fill(std::size_t n) {
        reset(n);
        for (std::size_t i = 1; i <= n; ++i) {
            m_tree[i] += 1;
            const std::size_t parent = i + (i & (~i + 1));
            if (parent <= n)
                m_tree[parent] += m_tree[i];
        }
    }
    void add(std::size_t position, std::int32_t delta) {
        for (std::size_t i = position + 1; i < m_tree.size(); i += i & (~i + 1))
            m_tree[i] += delta;
    }
    // Set positions in [0, end).
    std::uint32_t before(std::size_t end) const {
        std::int64_t sum = 0;
        for (std::size_t i = end; i > 0; i -= i & (~i + 1))
            sum += m_tree[i];
        return static_cast<std::uint32_t>(sum);
    }
    // The position of the k-th set position, counted from 0.
    std::size_t kth(std::uint32_t k) const {
        std::size_t position = 0;
        std::int64_t remaining = k;
        for (std::size_t step = m_top; step > 0; step /= 2) {
            const std::size_t next = position + step;
            if (next < m_tree.size() && m_tree[next] <= remaining) {
                position = next;
                remaining -= m_tree[next];
            }
        }
        return position; // tree index of the last position before it, i.e. the 0-based position
    }

private:
    std::vector<std::int32_t> m_tree;
    std::size_t m_top = 1;
};

} // namespace

// The rows leave in ascending groups of equal keys. The order inside the group of key y depends
// only on the rows with keys up to y, in table order: a queue, empty at first, takes each row of
// key y at its back, and each smaller row met while the queue is not empty moves the queue's front
// row to its back. The queue at the end is the group's order. Placing the group's rows from the
// last one back, each into the k-th still free slot, gives that order without simulating it.
std::vector<std::uint32_t> exchangeSortOrder(const std::vector<double>& keys) {
    const std::size_t n = keys.size();
    std::vector<std::uint32_t> byKey(n);
    std::iota(byKey.begin(), byKey.end(), 0u);
    std::sort(byKey.begin(), byKey.end(), [&keys](std::uint32_t a, std::uint32_t b) {
        return keys[a] < keys[b] || (keys[a] == keys[b] && a < b);
    });

    std::vector<std::uint32_t> out(n);
    Fenwick smaller; // rows whose keys are below the group's, by table position
    smaller.reset(n);
    Fenwick freeSlots;
    std::vector<std::uint32_t> rotations; // smaller rows after each row of the group
    std::size_t groupStart = 0;
    while (groupStart < n) {
        std::size_t groupEnd = groupStart + 1;
        while (groupEnd < n && keys[byKey[groupEnd]] == keys[byKey[groupStart]])
            ++groupEnd;
        const std::size_t m = groupEnd - groupStart;

        rotations.resize(m);
        for (std::size_t j = 0; j < m; ++j) {
            const std::size_t from = byKey[groupStart + j] + 1;
            const std::size_t to = j + 1 < m ? byKey[groupStart + j + 1] : n;
            rotations[j] = smaller.before(to) - smaller.before(from);
        }

        // Row j (from 0) joined a queue of j rows and was turned with it rotations[j] times; the
        // queue's places map onto the free slots in cyclic order from `start`.
        freeSlots.fill(m);
        std::size_t start = 0;
        for (std::size_t j = m; j-- > 0;) {
            const std::size_t size = j + 1;
            const std::size_t place = (j + size - rotations[j] % size) % size;
            const std::size_t rank = (start + place) % size;
            const std::size_t slot = freeSlots.kth(static_cast<std::uint32_t>(rank));
            freeSlots.add(slot, -1);
            out[groupStart + slot] = byKey[groupStart + j];
            start = size > 1 ? rank % (size - 1) : 0;
        }

        for (std::size_t j = groupStart; j < groupEnd; ++j)
            smaller.add(byKey[j], 1);
        groupStart = groupEnd;
    }
    return out;
}

} // namespace sp::optimise
