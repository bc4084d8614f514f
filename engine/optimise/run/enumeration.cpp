#include "optimise/run/enumeration.h"

#include <algorithm>
#include <optional>

namespace sp::optimise {

namespace {

// Checking the cancel flag every few thousand candidates keeps a cancel prompt (well under a
// millisecond) without slowing the loop.
constexpr std::uint64_t kCheckEvery = 4096;

} // namespace

Enumeration::Enumeration(std::shared_ptr<const CandidateSpace> space, core::Precision precision)
    : m_space(std::move(space)), m_precision(precision) {
    m_total = m_space->size();
    m_rows = std::make_shared<CandidateStore>(m_space, precision);
    m_rows->reserve(static_cast<std::size_t>(m_total));
}

bool Enumeration::advance(std::uint64_t count) {
    if (m_end != RunEnd::Running)
        return false;
    const std::uint64_t from = m_computed.load(std::memory_order_relaxed);
    const std::uint64_t to = from + std::min(count, m_total - from);
    for (std::uint64_t ordinal = from; ordinal < to; ++ordinal) {
        if ((ordinal - from) % kCheckEvery == 0) {
            m_computed.store(ordinal, std::memory_order_relaxed);
            if (m_cancel.load(std::memory_order_relaxed)) {
                finish(RunEnd::Cancelled, ordinal);
                return false;
            }
        }
        const CandidateKey key = m_space->decode(ordinal);
        const Evaluation e = m_space->evaluate(key);
        if (!e.passed) {
            m_computed.store(ordinal, std::memory_order_relaxed);
            finish(RunEnd::Stopped, ordinal);
            return false;
        }
        if (key.kind != core::SectionType::Round)
            m_nonRoundPassed = true;
        m_rows->append(e);
    }
    m_computed.store(to, std::memory_order_relaxed);
    if (to == m_total) {
        finish(RunEnd::Complete, to);
        return false;
    }
    if (m_cancel.load(std::memory_order_relaxed)) {
        finish(RunEnd::Cancelled, to);
        return false;
    }
    return true;
}

void Enumeration::runToEnd(const std::function<void(std::uint64_t, std::uint64_t)>& progress,
                           std::uint64_t chunk) {
    while (advance(chunk))
        if (progress)
            progress(computed(), m_total);
    if (progress)
        progress(computed(), m_total);
}

void Enumeration::finish(RunEnd end, std::uint64_t stoppedAt) {
    m_end = end;
    m_rows->setNumbered(end == RunEnd::Complete);
    // The message line replaces the logo strip before the first candidate.
    m_inputLayer.status.show = true;
    const std::uint64_t passed = m_rows->size();
    if (end != RunEnd::Stopped && passed == 0)
        return;
    m_inputLayer.written = true;
    const std::uint64_t last = end == RunEnd::Stopped ? stoppedAt : passed - 1;
    m_space->profile().writeBack(RunEnding{*m_space, m_precision, end, last, passed, m_nonRoundPassed},
                                 m_inputLayer);
}

} // namespace sp::optimise
