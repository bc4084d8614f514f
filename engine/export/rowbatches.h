#pragma once
// The rows of a sheet read ahead in batches on a helper thread: making the rows (and working out
// how each cell is to be shown) goes on beside the spreadsheet library's own work on the batch
// before, so a long table takes about the library's time alone. A short table is read on the
// calling thread. The source is only read, and only by the helper while batches are being made.

#include "export/cellformat.h"
#include "handin/handinbook.h"

#include <array>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace sp::sheets {

struct RowBatch {
    std::size_t first = 0; // the source's index of the batch's first row
    std::size_t count = 0;
    std::vector<handin::SheetRow> rows;  // `count` of them are the batch's
    std::vector<unsigned char> flagged;  // per row
    std::vector<NumberShape> shapes;     // per cell, row by row: how its number is shown
    std::vector<int> widths;             // per column: the widest text of the batch
};

class RowBatches {
public:
    // Rows [first, last) of the source, with as many cells as the source has columns.
    RowBatches(const handin::SheetSource& source, std::size_t first, std::size_t last);
    ~RowBatches();
    RowBatches(const RowBatches&) = delete;
    RowBatches& operator=(const RowBatches&) = delete;

    // The next batch in order, valid until the next call; nullptr after the last. What the source
    // threw while making a batch is thrown here.
    const RowBatch* next();

    static constexpr std::size_t kBatchRows = 2048;

private:
    void fill(RowBatch& batch, std::size_t batchIndex) const;
    void makeAhead();

    const handin::SheetSource& m_source;
    const std::size_t m_first;
    const std::size_t m_last;
    const std::size_t m_columns;
    const std::size_t m_batchCount;
    std::size_t m_handedOut = 0;

    std::array<RowBatch, 2> m_batches;
    std::array<bool, 2> m_ready{}; // made and not yet given back
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_stop = false;
    std::exception_ptr m_error;
    std::thread m_helper;
};

} // namespace sp::sheets
