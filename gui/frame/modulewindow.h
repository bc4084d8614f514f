#pragma once
// The common frame of a module window: the input layer with the result boxes, the result-document
// layer with the two report pages, and the optimisation layer; navigation, status line, precision
// popup, font size, page switch, delete-last and saving. A module adds its inputs and its
// calculation, and gives the frame the report documents its session keeps; the frame shows and
// saves them the same way for every module.

#include "core/moment.h"
#include "core/outcome.h"
#include "core/textfile.h"
#include "core/text.h"
#include "report/reportdocuments.h"

#include <QPointer>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

class QCloseEvent;
class QColor;
class QDialog;
class QHBoxLayout;
class QGridLayout;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QSlider;
class QStackedLayout;
class QVBoxLayout;

namespace sp::project {
struct ModuleState;
}

namespace sp::frame {

class AboutWindow;
class BookNames;
class FileChooser;
struct ExportContext;
class MessageSink;
class StoragePermission;

class ModuleWindow : public QWidget {
    Q_OBJECT
public:
    // `windowClass` is the window's object name ("TPELM_FRM_DURK1" …, the names the windows have
    // always had); `height` is its design height.
    ModuleWindow(const QString& windowClass, int height, QWidget* parent = nullptr);
    ~ModuleWindow() override;

    // The size a window opens at: its design size, shortened to fit where the screen's available
    // room (`available`, less the window's title bar and frame) is lower; never narrower.
    static QSize openingSize(const QSize& design, const QSize& available);

    // Platform services; the desktop's by default, replaceable in tests.
    void setMessageSink(MessageSink* sink) { m_messages = sink; }
    void setFileChooser(FileChooser* chooser) { m_files = chooser; }
    void setBookNames(BookNames* names) { m_bookNames = names; }
    void setStoragePermission(StoragePermission* permission) { m_permission = permission; }
    void setDocumentsFolder(const QString& folder) { m_documentsFolder = folder; }
    void setClock(std::function<core::Moment()> clock) { m_clock = std::move(clock); }
    // How the window's own dialogs are run; modally by default, a test fills and closes them.
    void setDialogRunner(std::function<int(QDialog&)> runner) { m_dialogRunner = std::move(runner); }

    // The report documents of the module's session.
    const report::ReportDocuments& documents() const { return *m_documents; }
    bool optimisationMode() const { return m_optimisationMode; }
    core::Precision precision() const;

    // What a project keeps of the window: its session's inputs and piles, the optimisation page's
    // option rows and the precision the popup shows.
    virtual project::ModuleState captureState() const = 0;
    // Puts a state taken by captureState (or read from a project) into a freshly made window and
    // shows all of it: fields, lists, grid, boxes, status line, both pages and the buttons.
    virtual void restoreState(const project::ModuleState& state) = 0;
    // Closes the window without the question about unsaved pages (a project replaces it; its
    // piles are kept with the project; the program's exit asked already).
    void closeWithoutAsking();
    // The documents hold piles and a page was not saved since its last change.
    bool holdsUnsavedPiles() const;
    // "保存" of the close question: every unsaved page; true when all were written.
    bool saveUnsavedPages();

signals:
    // What a project keeps of the window may have changed: an input, a calculation, delete-last,
    // a saved page, an option cell, an optimisation run or a recall.
    void contentChanged();
    // The window accepted its close and is about to go; its state can still be taken.
    void closing();

protected:
    // The module's calculation action: "计算", a precision change with the popup open, and the
    // optimisation run all start it.
    virtual void calculate() = 0;

    // The module's name after the window's title and under its heading, in the module's colour.
    void setModuleName(const QString& name, const QColor& colour);
    // Where the module puts its input groups, between the title and the result group.
    QVBoxLayout* inputArea() const { return m_inputArea; }
    QLineEdit* addResultBox(const char* name, const QString& label);
    QLineEdit* resultBox(const QString& name) const;
    // A line of words across the result group below the boxes added so far.
    QLabel* addResultNote(const char* name);
    QLabel* statusLine() const { return m_status; }
    // A small action button on the result group's top row, left of the precision button.
    QPushButton* addResultAction(const char* name, const QString& text, const QString& hint);
    // Runs one of the window's dialogs and gives the code it closed with.
    int runDialog(QDialog& dialog);
    // The documents the frame shows, deletes from and saves: those of the module's session.
    void showDocumentsOf(report::ReportDocuments& documents) { m_documents = &documents; }

    // The status line as the session holds it; the picture strip gives way once it is shown.
    void showStatus(const core::StatusLine& line);
    // "结果" instead of "计算" while the session's last pile stands and no input has changed.
    void showCalculated(bool calculated);
    // How a calculation ended: a conversion error in its message box, a stop noted on the
    // optimisation page, or a pile that entered the pages (when `intoPages`) shown in the views.
    void showCalculationEnd(core::OutcomeKind kind, const std::string& message, bool intoPages);
    // A stopped calculation tells the optimisation page where to look.
    void reportStopped();
    void reportConversionError(const QString& message);
    MessageSink& messages() const;
    // What an export needs from the window: its dialogs, messages, documents and folder.
    ExportContext exportContext();

    // The optimisation page of the module replaces the layer's placeholder; its status label is
    // the one a stopped calculation writes to.
    void installOptimisationPage(QWidget* page, QLabel* statusLabel);
    // "返回" of the optimisation page: the input layer again, optimisation mode off.
    void leaveOptimisation();
    void setOptimisationMode(bool on) { m_optimisationMode = on; }
    // "存盘": the save routine of "保存", which in optimisation mode writes the page's tables.
    void requestSave() { onSave(); }
    // Writes the optimisation tables into `folder`; nothing when there is nothing to write.
    virtual std::optional<core::WriteResult> writeOptimisationTables(const QString& folder, const core::Moment& moment);
    core::Moment now() const { return m_clock(); }

    // A layer that covers the window when it opens (module 3's warning) until the inputs are shown.
    void addCoverLayer(QWidget* layer);
    void showInputLayer();
    void hidePrecisionPopup();
    // The precision the popup shows, set without calculating.
    void setPrecision(core::Precision precision);
    // After a restored session: both pages and the documents layer's buttons as the documents
    // now stand.
    void showRestoredDocuments();

    // Closing over piles that were never saved asks first, and may save them or stay open.
    void closeEvent(QCloseEvent* event) override;
    // Enter in an input field runs "计算", Ctrl+Shift+S on the documents layer saves the page on
    // view (Ctrl+S saves the project, from the launcher's menu), Escape closes the precision popup.
    void keyPressEvent(QKeyEvent* event) override;
    // A click anywhere else in the window closes the precision popup.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildInputLayer(QWidget* layer);
    void buildTitleRow(QWidget* layer, QVBoxLayout* layout);
    void buildResultGroup(QWidget* layer, QVBoxLayout* layout);
    void buildPrecisionPopup(QWidget* layer);
    void buildButtonRow(QWidget* layer, QVBoxLayout* layout);
    void buildStatusStrip(QWidget* layer, QVBoxLayout* layout);
    void buildDocumentLayer(QWidget* layer);
    void buildOptimisationLayer(QWidget* layer);
    void showLayer(QWidget* layer);
    void refreshViews();
    void updateSaveButton();
    void showNewPile();

    void onView();
    void onBack();
    void onOptimise();
    void onOptimiseBack();
    void onAbout();
    void onPrecisionToggle();
    void onPrecisionChosen();
    void onFontSize(int size);
    void onPageSwitch();
    void onSave();
    // "另存为…": the page on view into a file the engineer chooses.
    void onSaveAs();
    void onDeleteLast();
    void onExportPdf();
    void onPrint();
    void onExportTable();
    // The export actions are offered while the documents hold a pile.
    void updateExportButtons();

    // Asks for the storage permission and makes the documents folder; `write` runs with the
    // folder once both went well.
    void requestFolder(std::function<void(const QString& folder)> write);
    std::optional<QString> grantedFolder(const QList<bool>& granted);
    void saveInto(const QString& folder);
    // Writes one report page and marks it saved; a failure is warned about.
    bool writeDocumentPage(const QString& folder, report::Page page);
    bool isInputField(const QWidget* widget) const;
    // Writes one page to `file` as "保存" does and marks it saved; a failure is warned about.
    bool writePageTo(const std::filesystem::path& file, report::Page page);
    QString folderForDocuments() const;
    void showSavedPath(QLabel* label, const std::string& path);

    report::ReportDocuments* m_documents = nullptr;
    report::Page m_pageOnView = report::Page::Book;
    bool m_optimisationMode = false;

    std::unique_ptr<MessageSink> m_defaultMessages;
    std::unique_ptr<StoragePermission> m_defaultPermission;
    MessageSink* m_messages = nullptr;
    std::unique_ptr<FileChooser> m_defaultFiles;
    FileChooser* m_files = nullptr;
    BookNames* m_bookNames = nullptr; // nothing: the desktop's dialog
    StoragePermission* m_permission = nullptr;
    QString m_documentsFolder; // empty: the platform's
    std::function<core::Moment()> m_clock;
    std::function<int(QDialog&)> m_dialogRunner; // nothing: QDialog::exec
    QPointer<AboutWindow> m_about;
    bool m_closeWithoutAsking = false;

    QStackedLayout* m_layers = nullptr;
    QWidget* m_inputPage = nullptr;       // the scrolled input layer over the buttons and status line
    QScrollArea* m_inputScroll = nullptr; // holds the input layer, which scrolls on a short screen
    QWidget* m_inputLayer = nullptr;
    QWidget* m_documentLayer = nullptr;
    QWidget* m_optimisationLayer = nullptr;

    QVBoxLayout* m_inputArea = nullptr;
    QGroupBox* m_resultGroup = nullptr;
    QGridLayout* m_resultGrid = nullptr;
    QHBoxLayout* m_resultActions = nullptr;
    int m_resultRows = 0;
    QPushButton* m_precisionButton = nullptr;
    QListWidget* m_precisionPopup = nullptr;
    QPushButton* m_compute = nullptr;
    QPushButton* m_view = nullptr;
    QLabel* m_moduleName = nullptr;
    QLabel* m_logo = nullptr;
    QLabel* m_status = nullptr;

    QPlainTextEdit* m_bookView = nullptr;
    QPlainTextEdit* m_tableView = nullptr;
    QPushButton* m_pageButton = nullptr;
    QSlider* m_fontSlider = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_saveAs = nullptr;
    QPushButton* m_deleteLast = nullptr;
    QLabel* m_savedPath = nullptr;
    QPushButton* m_exportPdf = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_exportTable = nullptr;

    QLabel* m_optimisationStatus = nullptr;
    QWidget* m_optimisationPlaceholder = nullptr;
};

} // namespace sp::frame
