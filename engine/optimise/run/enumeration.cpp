#include "optimise/run/enumeration.h"

#include "module2/coefficientlookup.h"

#include <algorithm>
#include <optional>

namespace sp::optimise {

namespace {

// Checking the cancel flag every few thousand candidates keeps a cancel prompt (well under a
// millisecond) without slowing the loop.
constexpr std::uint64_t kCheckEvery = 4096;

// Module 2's grid knows no class 破碎 or 极破碎; a candidate of those classes is not for a
// rock-socketed pile at all, and the run stops on it with the message that says so.
constexpr const char* kBrokenRock = "破碎、极破碎岩体不适用嵌岩桩";

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
    if (m_space->module() == ModuleKind::Module2) {
        finishModule2(end, stoppedAt, last);
        return;
    }
    if (!last)
        return;

    s.written = true;
    const bool module3 = m_space->module() == ModuleKind::Module3;
    const CandidateKey lastKey = m_space->decode(*last);
    s.fields = m_space->inputs(lastKey, m_precision);
    auto calculate = [&](const CandidateKey& key) {
        return module3 ? static_cast<module1::Outcome>(module3::calculate(m_space->inputs3(key, m_precision)))
                       : module1::calculate(m_space->inputs(key, m_precision));
    };
    if (module3) {
        const module3::Outcome outcome = module3::calculate(m_space->inputs3(lastKey, m_precision));
        s.outcome = outcome;
        s.verdict = outcome.verdict;
        s.boxColours = outcome.boxColours;
        // Round piles come first and leave the list alone; any later pile selected its method.
        if (lastKey.kind != core::SectionType::Round)
            s.method = static_cast<module3::DeqMethod>(lastKey.method);
    } else {
        s.outcome = module1::calculate(s.fields);
    }
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
        const module1::Outcome previous = calculate(m_space->decode(passed - 1));
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

void Enumeration::finishModule2(RunEnd end, std::uint64_t stoppedAt, std::optional<std::uint64_t> last) {
    Module2InputLayerState& s = m_inputLayer2;
    s.status.show = true;
    if (!last)
        return;
    s.written = true;
    const std::uint64_t passed = m_rows->size();
    const CandidateKey key = m_space->decode(*last);
    s.fields = m_space->inputs2(key, m_precision);
    s.outcome = module2::calculate(s.fields);
    const IntegrityValue& integrity = m_space->integrityValue(key);
    if (!integrity.valid && !s.outcome.ok() &&
        s.outcome.message == module2::layerMessage(1, "层岩体完整程度未明确")) {
        s.outcome.message = kBrokenRock;
        s.outcome.status.showMessage(kBrokenRock, core::kRed);
    }

    s.lr = s.fields.grid.cell(1, module2::kColLr);
    s.weathering = s.fields.grid.cell(1, module2::kColWeathering);
    s.frk = s.fields.grid.cell(1, module2::kColFrk);
    // Within one pass of the outer loops the classes come before the indices, so the other
    // column holds the last class of this pass, or the last index of the pass before.
    const std::size_t count = m_space->integrityCount();
    std::optional<std::size_t> lastClassAt, lastIndexAt;
    for (std::size_t i = 0; i < count; ++i)
        (m_space->integrityAt(i).basis == 1 ? lastClassAt : lastIndexAt) = i;
    if (integrity.basis == 1) {
        s.integrity = integrity.text;
        if (lastIndexAt && *last >= count)
            s.kv = m_space->integrityAt(*lastIndexAt).text;
    } else {
        s.kv = integrity.text;
        if (lastClassAt)
            s.integrity = m_space->integrityAt(*lastClassAt).text;
    }

    if (passed > 0) {
        s.colours.setColour(module2::kFieldD, core::kBlack);
        if (m_nonRoundPassed)
            s.colours.setColour(module2::kFieldC, core::kBlack);
    }
    if (end == RunEnd::Stopped && passed > 0) {
        const module2::Outcome previous = module2::calculate(m_space->inputs2(m_space->decode(passed - 1), m_precision));
        compose(s.status, previous.status);
    }
    compose(s.status, s.outcome.status);
    for (const auto& [field, colour] : s.outcome.fields.colours)
        s.colours.setColour(field, colour);
    for (const auto& [field, text] : s.outcome.fields.texts) {
        if (field == module2::kFieldD)
            s.fields.d = text;
        else if (field == module2::kFieldC)
            s.fields.c = text;
    }
    if (s.outcome.ok()) {
        s.boxes = s.outcome.boxes;
    } else {
        for (const char* box : {module2::kBoxQuk, module2::kBoxRa, module2::kBoxPercent})
            s.boxes.emplace_back(box, std::string());
    }
    (void)stoppedAt;
}

} // namespace sp::optimise
