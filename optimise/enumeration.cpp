#include "enumeration.h"

#include <algorithm>
#include <optional>

namespace sp::optimise {

namespace {

// Checking the cancel flag every few thousand candidates keeps a cancel prompt (well under a
// millisecond) without slowing the loop.
constexpr std::uint64_t kCheckEvery = 4096;

void compose(core::StatusEffect& into, const core::StatusEffect& after) {
    if (after.text)
        into.text = after.text;
    if (after.colour)
        into.colour = after.colour;
    into.show = into.show || after.show;
}

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

    InputLayerState& s = m_inputLayer;
    // The message line replaces the logo strip before the first candidate.
    s.status.show = true;
    const std::uint64_t passed = m_rows->size();
    std::optional<std::uint64_t> last;
    if (end == RunEnd::Stopped)
        last = stoppedAt;
    else if (passed > 0)
        last = passed - 1;
    if (!last)
        return;

    s.written = true;
    s.fields = m_space->inputs(m_space->decode(*last), m_precision);
    s.outcome = module1::calculate(s.fields);
    if (passed > 0) {
        // Every candidate that passed showed these fields in black; c (or b) only when it was
        // checked, for a pile that is not round.
        for (const char* field :
             {module1::kFieldD, module1::kFieldHr, module1::kFieldIntegrity, module1::kFieldFrk})
            s.colours.setColour(field, core::kBlack);
        if (m_nonRoundPassed)
            s.colours.setColour(module1::kFieldC, core::kBlack);
    }
    if (end == RunEnd::Stopped && passed > 0) {
        // A stop keeps what the candidate before it left where the stopping one changes nothing.
        const module1::Outcome previous =
            module1::calculate(m_space->inputs(m_space->decode(passed - 1), m_precision));
        compose(s.status, previous.status);
    }
    compose(s.status, s.outcome.status);
    for (const auto& [field, colour] : s.outcome.fields.colours)
        s.colours.setColour(field, colour);
    for (const auto& [field, text] : s.outcome.fields.texts) {
        if (field == module1::kFieldD)
            s.fields.d = text;
        else if (field == module1::kFieldC)
            s.fields.c = text;
    }
    if (s.outcome.ok()) {
        s.boxes = s.outcome.boxes;
    } else {
        for (const char* box :
             {module1::kBoxDeq, module1::kBoxRatio, module1::kBoxZetaR, module1::kBoxRa, module1::kBoxRc})
            s.boxes.emplace_back(box, std::string());
    }
}

} // namespace sp::optimise
