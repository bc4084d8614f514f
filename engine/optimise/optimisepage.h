#pragma once
// The optimisation page of a module window without widgets: the option table, the candidate and
// filtered tables, the shared sort state, the status line, the enabled state of the page's buttons
// and the expand state, driven by the page's actions. The module is chosen when the page is made;
// what differs between modules (rows, columns, keys, loops, files, recall) follows from it. The
// window's page and the command line both drive it and only show what it holds.

#include "core/outcome.h"
#include "optimise/run/enumeration.h"
#include "optimise/results/filter.h"
#include "optimise/options/optiontable.h"
#include "optimise/profiles/moduleprofile.h"
#include "optimise/results/recall.h"
#include "optimise/results/resultfile.h"
#include "optimise/results/resulttable.h"
#include "optimise/results/sortstate.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace sp::optimise {

enum class VisibleTable { Candidates, Filtered };

// Status texts of the page that are not fixed by a single action alone.
inline constexpr const char* kStoppedStatus = "运行中止，主界面可查看中止位置、原因";
std::string completedStatus(std::uint64_t rows); // "计算完成，桩数：3456 根"
std::string cancelledStatus(std::uint64_t rows); // "运行已取消，桩数：1200 根"
std::string tooManyStatus();                     // a run beyond kMaxCandidates

class OptimisePage {
public:
    explicit OptimisePage(ModuleKind module = ModuleKind::Module1);

    ModuleKind module() const { return m_module; }
    const OptionTable& optionTable() const { return m_options; }
    // The end of an edit of a cell: the cell takes the text; a value cell of the parameter rows
    // (module 1: rows 0-12) enables "计算", a bound of the filter rows "筛选".
    void editCell(int row, int column, std::string text);

    // What the input layer holds that the runs take as they find it: module 2's two reduction
    // check boxes, module 3's method (for round piles). Set before startRun.
    void setRunContext(const RunContext& context) { m_context = context; }
    const RunContext& runContext() const { return m_context; }

    // "计算", in three steps so that the run can go on another thread or between events:
    // startRun reads the option table, empties both tables, shows the candidate table and blanks
    // the status line. A run of more than kMaxCandidates is refused before anything is emptied:
    // the tables, sort marks and buttons stay, and only the refusal shows in the status line in
    // red. On success it returns the run to drive (advance() or runToEnd(); cancel()
    // from anywhere); when the option table stops it, `error` says why: a check's message is then
    // in the status line in red, and a cell that is not a number asks for the conversion-error
    // message box. Once the run has ended, finishRun takes its rows into the candidate table and
    // sets the status line and the buttons; the caller then writes run.inputLayer() into the
    // input layer.
    struct RunStart {
        std::unique_ptr<Enumeration> run;
        std::optional<OptionError> error;
    };
    RunStart startRun(core::Precision precision);
    void finishRun(const Enumeration& run);
    // All three at once, in steps of `chunk` candidates. `progress` (computed, total) is called
    // after each step and cancels the run by returning false. Returns the ended run, or the error.
    RunStart run(core::Precision precision,
                 const std::function<bool(std::uint64_t, std::uint64_t)>& progress = {},
                 std::uint64_t chunk = 65536);

    // "筛选". Returns the conversion-error message when a bound is not a number (then nothing
    // else happens).
    std::optional<std::string> filter();
    // A click on the header of the visible table's designed column. Returns the conversion-error
    // message when a key cell is not a number (then nothing changes).
    std::optional<std::string> headerClick(int column);
    // A double click on a row of the visible table: what goes into the input layer, as the
    // module takes it.
    std::optional<Recall> recall(std::size_t row) const;
    // The visible table's row is drawn in red (module 3: over the standard).
    bool overStandard(std::size_t row) const {
        return row < visibleTable().rowCount() && visibleTable().overStandard(row);
    }
    // "展开" / "折叠".
    void toggleExpand() {
        m_expanded = !m_expanded;
        m_noteVisible = m_expanded;
    }

    // "存盘" after the storage permission was granted: the visible table, when it has rows, to its
    // file. Nothing when "存盘" is disabled or there is nothing to write. A written file disables
    // "存盘"; a failed one leaves it enabled (the caller shows the input/output error).
    std::optional<ResultFileKind> saveChoice() const;
    std::optional<core::WriteResult> save(const std::filesystem::path& folder, const core::Moment& moment);

    const core::StatusLine& status() const { return m_status; }
    bool computeEnabled() const { return m_computeEnabled; }
    bool filterEnabled() const { return m_filterEnabled; }
    bool saveEnabled() const { return m_saveEnabled; }

    VisibleTable visible() const { return m_visible; }
    const ResultTable& visibleTable() const {
        return m_visible == VisibleTable::Candidates ? m_candidates : m_filtered;
    }
    const CandidateTable& candidates() const { return m_candidates; }
    const FilteredTable& filtered() const { return m_filtered; }
    const SortState& sortState() const { return m_sort; }

    bool expanded() const { return m_expanded; }
    const char* expandCaption() const { return m_expanded ? "折叠" : "展开"; }
    bool noteColumnVisible() const { return m_noteVisible; }
    // Columns 0-5 (module 2: 0-4) show whether expanded or not.
    static bool resultColumnAlwaysVisible(ModuleKind module, int column) {
        return column <= profileOf(module).lastAlwaysVisibleColumn();
    }
    bool resultColumnVisible(int column) const {
        return resultColumnAlwaysVisible(m_module, column) || m_expanded;
    }

private:
    void setStatus(std::string text, core::Colour colour);
    ResultTable& shownTable() { return m_visible == VisibleTable::Candidates ? m_candidates : m_filtered; }

    ModuleKind m_module;
    RunContext m_context;
    OptionTable m_options;
    CandidateTable m_candidates;
    FilteredTable m_filtered;
    VisibleTable m_visible = VisibleTable::Candidates;
    SortState m_sort;
    core::StatusLine m_status;
    bool m_computeEnabled = true;
    bool m_filterEnabled = false;
    bool m_saveEnabled = false;
    // At first the note column shows and columns 6-17 are hidden, under the caption "展开"; from
    // the first press on, the note column goes with the other columns.
    bool m_expanded = false;
    bool m_noteVisible = true;
};

} // namespace sp::optimise
