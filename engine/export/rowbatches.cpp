#include "export/rowbatches.h"

#include <algorithm>
#include <cmath>

namespace sp::sheets {

RowBatches::RowBatches(const handin::SheetSource& source, std::size_t first, std::size_t last)
    : m_source(source), m_first(first), m_last(std::max(first, last)), m_columns(source.columns().size()),
      m_batchCount((m_last - m_first + kBatchRows - 1) / kBatchRows) {
    if (m_batchCount > 1)
        m_helper = std::thread([this] { makeAhead(); });
}

RowBatches::~RowBatches() {
    if (m_helper.joinable()) {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_changed.notify_all();
        m_helper.join();
    }
}

void RowBatches::fill(RowBatch& batch, std::size_t batchIndex) const {
    batch.first = m_first + batchIndex * kBatchRows;
    batch.count = std::min(kBatchRows, m_last - batch.first);
    batch.rows.resize(batch.count);
    batch.flagged.resize(batch.count);
    batch.shapes.resize(batch.count * m_columns);
    batch.widths.assign(m_columns, 0);
    for (std::size_t r = 0; r < batch.count; ++r) {
        handin::SheetRow& row = batch.rows[r];
        m_source.row(batch.first + r, row);
        row.resize(m_columns);
        batch.flagged[r] = m_source.flagged(batch.first + r);
        for (std::size_t c = 0; c < m_columns; ++c) {
            const handin::SheetCell& cell = row[c];
            if (cell.number && std::isfinite(*cell.number))
                batch.shapes[r * m_columns + c] = numberShape(cell.text);
            batch.widths[c] = std::max(batch.widths[c], cellWidth(cell.text));
        }
    }
}

void RowBatches::makeAhead() {
    for (std::size_t index = 0; index < m_batchCount; ++index) {
        const std::size_t slot = index % 2;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [&] { return m_stop || !m_ready[slot]; });
            if (m_stop)
                return;
        }
        try {
            fill(m_batches[slot], index);
        } catch (...) {
            std::lock_guard lock(m_mutex);
            m_error = std::current_exception();
            m_changed.notify_all();
            return;
        }
        {
            std::lock_guard lock(m_mutex);
            m_ready[slot] = true;
        }
        m_changed.notify_all();
    }
}

const RowBatch* RowBatches::next() {
    if (!m_helper.joinable()) {
        if (m_handedOut >= m_batchCount)
            return nullptr;
        fill(m_batches[0], m_handedOut++);
        return &m_batches[0];
    }
    std::unique_lock lock(m_mutex);
    if (m_handedOut > 0) {
        // The batch handed out last is done with: its slot can be made again.
        m_ready[(m_handedOut - 1) % 2] = false;
        m_changed.notify_all();
    }
    if (m_handedOut >= m_batchCount)
        return nullptr;
    const std::size_t slot = m_handedOut % 2;
    m_changed.wait(lock, [&] { return m_ready[slot] || m_error; });
    if (!m_ready[slot] && m_error)
        std::rethrow_exception(m_error);
    ++m_handedOut;
    return &m_batches[slot];
}

} // namespace sp::sheets
