#pragma once
// The optimisation page on screen (YouHuaFormLayer's content): the option table, the candidate
// and filtered tables, the hint line with the expand button, the page's buttons and its
// status line. It shows what the engine's page holds and passes the engineer's actions to it; a
// long run goes on a worker thread with a progress bar and a cancel button.

#include "core/text.h"
#include "frame/documentexport.h"
#include "optimise/backgroundwrite.h"
#include "optimise/run/enumeration.h"
#include "optimise/optimisepage.h"
#include "optimise/modulekind.h"
#include "optimise/results/recall.h"

#include <QPointer>
#include <QWidget>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;
class QTableWidget;
class QTimer;

namespace sp::gui {
class ChartWindow;
}

namespace sp::optimise {

class ResultTableModel;

class OptimisePageWidget : public QWidget {
    Q_OBJECT
public:
    // What the page needs from its module window.
    struct Hooks {
        std::function<core::Precision()> precision;
        std::function<void()> runStarting;                        // optimisation mode on
        std::function<RunContext()> runContext;                   // the input layer's settings every candidate takes
        std::function<void(const Enumeration&)> runEnded;         // the last candidate into the input layer
        std::function<void(std::size_t row)> recall;              // a row of the visible table back into the input layer
        std::function<void()> leave;                              // "返回"
        std::function<void()> save;                               // "存盘": the window's save routine
        std::function<void(const QString&)> conversionError;      // the generic error message box
        std::function<frame::ExportContext()> exportContext;      // "导出Excel…": dialogs, messages, folder
        std::function<void()> optionsEdited;                      // a cell of the option table took a text
    };

    OptimisePageWidget(ModuleKind module, Hooks hooks, QWidget* parent = nullptr);
    ~OptimisePageWidget() override;

    OptimisePage& page() { return m_page; }
    // Shows the option table's cells as the page holds them (after they were typed in elsewhere).
    void showOptionCells();
    QLabel* statusLabel() const { return m_status; }
    // Writes the visible table for "存盘"; nothing when there is nothing to write.
    std::optional<core::WriteResult> save(const std::filesystem::path& folder, const core::Moment& moment);
    bool running() const { return m_run != nullptr; }
    // "导出Excel…" is writing its file; the tables stay as they are until it ends.
    bool exporting() const { return m_export.running(); }
    // How long a run goes on before the progress bar and the cancel button appear (half a second
    // unless set); zero shows them as soon as the run starts.
    void setProgressDelay(std::chrono::milliseconds delay) { m_progressDelay = delay; }

private:
    void buildOptionTable();
    void buildResultTables();
    // The rows of codes (section type, construction process) name the windows' words in tooltips.
    void showCodeTips();
    void refresh();
    void onOptionEdited(int row, int column);
    void onCompute();
    void onRunTick();
    void showProgress();
    void endRun();
    void onCancel();
    void onFilter();
    void onHeaderClicked(int column);
    void onDoubleClicked(int row);
    void onExpand();
    void onExportTables();
    void onChart();
    // The design-space window, while it is open, follows the visible table and the filter rows.
    void updateChart();
    void onChartRowClicked(std::size_t row);
    bool busy() const { return running() || exporting(); }

    ModuleKind m_module;
    Hooks m_hooks;
    OptimisePage m_page;

    QTableWidget* m_options = nullptr;
    QTableView* m_candidatesView = nullptr;
    QTableView* m_filteredView = nullptr;
    ResultTableModel* m_candidatesModel = nullptr;
    ResultTableModel* m_filteredModel = nullptr;
    QPushButton* m_compute = nullptr;
    QPushButton* m_filter = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_exportTables = nullptr;
    QPushButton* m_expand = nullptr;
    QPushButton* m_chart = nullptr;
    QPointer<gui::ChartWindow> m_chartWindow;
    QLabel* m_hint = nullptr;
    QLabel* m_status = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_cancel = nullptr;

    // A run in progress: its steps go on a worker thread; a timer on the window's thread watches.
    std::unique_ptr<Enumeration> m_run;
    std::thread m_worker;
    std::atomic<bool> m_workerDone{false};
    QTimer* m_tick = nullptr;
    int m_ticks = 0;
    std::chrono::milliseconds m_progressDelay{500};
    bool m_filling = false;
    BackgroundWrite m_export{this};
};

} // namespace sp::optimise
