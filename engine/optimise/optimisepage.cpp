#include "optimise/optimisepage.h"

namespace sp::optimise {

std::string completedStatus(std::uint64_t rows) {
    return "计算完成，桩数：" + std::to_string(rows) + " 根";
}

std::string cancelledStatus(std::uint64_t rows) {
    return "运行已取消，桩数：" + std::to_string(rows) + " 根";
}

std::string tooManyStatus() {
    return "候选桩数超过" + std::to_string(kMaxCandidates) + " 根，请加大步进值或缩小取值范围";
}

OptimisePage::OptimisePage(ModuleKind module)
    : m_module(module), m_options(module), m_candidates(module), m_filtered(module) {}

void OptimisePage::setStatus(std::string text, core::Colour colour) {
    m_status.text = std::move(text);
    m_status.colour = colour;
    m_status.visible = true;
}

void OptimisePage::editCell(int row, int column, std::string text) {
    m_options.setCell(row, column, std::move(text));
    switch (m_options.enables(row, column)) {
    case OptionTable::Enables::Compute:
        m_computeEnabled = true;
        break;
    case OptionTable::Enables::Filter:
        m_filterEnabled = true;
        break;
    case OptionTable::Enables::Nothing:
        break;
    }
}

OptimisePage::RunStart OptimisePage::startRun(core::Precision precision) {
    RunStart start;
    OptionsReading reading = readOptions(m_options);
    // A run too large to hold is refused before the last results are touched, so that they can
    // still be read, sorted and saved while the ranges are corrected.
    if (reading.ok() && reading.options->candidateCount() > kMaxCandidates) {
        OptionError e;
        e.message = tooManyStatus();
        start.error = e;
        setStatus(e.message, core::kRed);
        return start;
    }

    m_candidates.clear();
    m_filtered.clear();
    m_visible = VisibleTable::Candidates;
    setStatus({}, core::kBlack);
    if (!reading.ok()) {
        start.error = reading.error;
        if (start.error->kind == OptionError::Kind::Check)
            setStatus(start.error->message, core::kRed);
        return start;
    }
    auto space = std::make_shared<const CandidateSpace>(*reading.options, m_context);
    start.run = std::make_unique<Enumeration>(std::move(space), precision);
    return start;
}

void OptimisePage::finishRun(const Enumeration& run) {
    m_candidates.showAll(run.rows());
    const std::uint64_t rows = m_candidates.rowCount();
    switch (run.end()) {
    case RunEnd::Complete:
        setStatus(completedStatus(rows), core::kBlack);
        m_computeEnabled = false;
        m_filterEnabled = true;
        m_saveEnabled = true;
        m_sort.clear();
        m_candidates.resetKeyHeaders();
        m_filtered.resetKeyHeaders();
        break;
    case RunEnd::Stopped:
        setStatus(kStoppedStatus, core::kRed);
        break;
    case RunEnd::Cancelled:
    case RunEnd::Running:
        setStatus(cancelledStatus(rows), core::kBlack);
        break;
    }
}

OptimisePage::RunStart OptimisePage::run(core::Precision precision,
                                         const std::function<bool(std::uint64_t, std::uint64_t)>& progress,
                                         std::uint64_t chunk) {
    RunStart start = startRun(precision);
    if (!start.run)
        return start;
    Enumeration& e = *start.run;
    e.runToEnd(
        [&](std::uint64_t done, std::uint64_t total) {
            if (progress && !progress(done, total))
                e.cancel();
        },
        chunk);
    finishRun(e);
    return start;
}

std::optional<std::string> OptimisePage::filter() {
    const BoundsReading reading = readFilterBounds(m_options);
    if (!reading.bounds)
        return reading.error->message;

    m_filtered.clear();
    m_visible = VisibleTable::Filtered;
    setStatus({}, core::kBlack);
    FilterResult result;
    if (m_candidates.store())
        result = filterRows(m_candidates, *reading.bounds);
    const std::size_t found = result.rows.size();
    m_filtered.show(m_candidates.store(), std::move(result.rows));
    if (result.unreadable)
        return std::string("数据转换错误：Ra(kN)或Rc(kN)中有不是有效数值的单元格");

    if (found == 0) {
        setStatus("无满足条件桩，调整区间再筛选", core::kBlack);
        m_saveEnabled = false;
    } else {
        setStatus("筛选完成，桩数：" + std::to_string(found) + " 根", core::kBlack);
        m_saveEnabled = true;
    }
    m_filterEnabled = false;
    m_sort.clear();
    m_filtered.resetKeyHeaders();
    return std::nullopt;
}

std::optional<std::string> OptimisePage::headerClick(int column) {
    ResultTable& table = shownTable();
    if (table.rowCount() < 2) {
        setStatus("无需排序", core::kBlack);
        return std::nullopt;
    }
    const std::optional<SortKey> key = sortKeyOfColumn(m_module, column);
    if (!key) {
        setStatus(onlyKeysStatus(m_module), core::kBlack);
        return std::nullopt;
    }
    if (m_sort.direction(*key) == SortDirection::None && !table.keys(*key))
        return "数据转换错误：" + std::string(resultColumns(m_module)[static_cast<std::size_t>(column)].header) +
               "中有不是有效数值的单元格";

    if (m_sort.click(*key) == SortState::Action::SortAscending)
        table.sortAscending(*key);
    else
        table.reverse();
    setStatus(m_sort.statusText(*key), core::kBlack);
    m_saveEnabled = true;
    table.markKeyHeaders(*key, m_sort.direction(*key));
    return std::nullopt;
}

std::optional<Recall> OptimisePage::recall(std::size_t row) const {
    const ResultTable& table = visibleTable();
    if (row >= table.rowCount())
        return std::nullopt;
    return profileOf(m_module).recall(table.cells(row));
}

std::optional<ResultFileKind> OptimisePage::saveChoice() const {
    if (m_visible == VisibleTable::Candidates && m_candidates.rowCount() > 0)
        return ResultFileKind::Raw;
    if (m_visible == VisibleTable::Filtered && m_filtered.rowCount() > 0)
        return ResultFileKind::Filtered;
    return std::nullopt;
}

std::optional<core::WriteResult> OptimisePage::save(const std::filesystem::path& folder,
                                                    const core::Moment& moment) {
    const std::optional<ResultFileKind> kind = saveChoice();
    if (!m_saveEnabled || !kind)
        return std::nullopt;
    core::WriteResult result = writeResultFile(folder, visibleTable(), *kind, moment);
    if (result.ok)
        m_saveEnabled = false;
    return result;
}

} // namespace sp::optimise
