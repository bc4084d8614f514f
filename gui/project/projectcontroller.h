#pragma once
// The project on the desktop: which file the work belongs to (or none yet), what every module
// window holds, whether that differs from what was last saved or opened, and the file actions of
// the launcher's menu (new, open, save, save as, recent projects). A module window that closes
// leaves its state here, so that reopening it from the launcher brings its piles back. While there
// are unsaved changes a recovery copy is written every minute; the next start offers it after a
// crash.

#include "project/project.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QSettings;
class QTimer;
class QWidget;

namespace sp::frame {
class FileChooser;
class MessageSink;
class ModuleWindow;
} // namespace sp::frame

namespace sp::app {

class ProjectController : public QObject {
    Q_OBJECT
public:
    // Opens a new window of module 1, 2 or 3 (through the launcher, which then hands it to
    // adopt()); returns it, or null.
    using WindowOpener = std::function<frame::ModuleWindow*(int module)>;

    // Questions and warnings go to `dialogParent`.
    explicit ProjectController(QWidget* dialogParent, QObject* parent = nullptr);
    ~ProjectController() override;

    // Platform services and places; the desktop's by default, replaceable in tests. An empty
    // documents folder is the platform's, an empty recovery folder the application's data folder;
    // the recent list is kept in the settings file.
    void setWindowOpener(WindowOpener opener) { m_openWindow = std::move(opener); }
    void setMessageSink(frame::MessageSink* sink) { m_messages = sink; }
    void setFileChooser(frame::FileChooser* chooser) { m_files = chooser; }
    void setDocumentsFolder(const QString& folder) { m_documentsFolder = folder; }
    void setSettingsFile(const QString& iniFile);
    void setRecoveryFolder(const QString& folder) { m_recoveryFolder = folder; }
    void setRecoveryInterval(std::chrono::milliseconds interval);

    // A module window the launcher has just made: it takes the module's kept state, if any, and
    // is watched from now on.
    void adopt(int module, frame::ModuleWindow* window);
    // A window whose title shows the project (the launcher); module windows are added by adopt.
    void addTitledWindow(QWidget* window);

    // The project's file, or empty while it is untitled.
    QString path() const { return m_path; }
    // The file's name without ".sppile"; "未命名项目" while untitled.
    QString name() const;
    // What the windows hold differs from what was last saved or opened.
    bool modified();
    // What the project holds now: every open window's state, and the state of each closed one.
    project::Project current() const;
    // "<name>* - <own>" with unsaved changes, "<name> - <own>" after a save; `own` alone while the
    // project is untitled and unchanged.
    QString title(const QString& own) const;
    QStringList recentProjects() const;
    QString recoveryFile() const;     // "recovery.sppile" in the recovery folder
    QString recoveryPathFile() const; // beside it: the path of the project it belongs to

    // The menu's actions. Each returns whether it went through; a "取消", a cancelled dialog, a
    // file that does not read or a failed save change nothing.
    bool newProject();
    bool openProject();                    // 打开项目…
    // A file named elsewhere (command line, recent list). What opens is what the file holds once
    // the question about unsaved changes is answered, were it just saved there.
    bool openProject(const QString& path);
    bool openRecent(const QString& path);  // a missing file is warned about and dropped
    // 保存项目; untitled, or the file written elsewhere since it was opened or saved here:
    // through 项目另存为… (the latter with a warning, so that nothing newer is written over).
    bool save();
    bool saveAs();                         // 项目另存为…
    // The program is about to end: one question lists what is unsaved (the project, the pages of
    // each open module window); "保存" saves all of it. True when it may end, the windows then
    // closing without asking again.
    bool confirmClose();
    // A clean end: the recovery copy is no longer needed.
    void finish();

    // At start: a recovery copy left by a run that did not end cleanly is offered ("恢复" /
    // "放弃"); one that does not read is set aside with a warning. True when it was restored.
    bool offerRecovery();
    // The recovery timer's work: the project as it stands, while it has unsaved changes.
    void writeRecovery();

signals:
    void modifiedChanged(bool modified);
    void recentProjectsChanged();

private:
    // Compares what the windows hold with what was last saved; updates titles, timer and signal.
    void updateModified();
    void scheduleUpdate();
    void updateTitles();
    // 保存 / 不保存 / 取消 when there are unsaved changes; true when the caller may go on.
    bool settleChanges();
    bool writeTo(const QString& path);
    void warnUnreadable(const QString& path, const std::string& error);
    // Where questions and dialogs go: the active window, else the launcher.
    QWidget* dialogParent() const;
    // Replaces the windows by those of `project`; `path` becomes the project's file.
    void install(const project::Project& project, const QString& path);
    void closeWindows();
    void addRecent(const QString& path);
    void removeRecent(const QString& path);
    void removeRecovery();
    QString recoveryFolder() const;
    QString documentsFolder() const;
    std::optional<project::ModuleState> stateOf(int module) const;
    frame::MessageSink& messages() const { return *m_messages; }
    QSettings& settings() const { return *m_settings; }

    QWidget* m_dialogParent = nullptr;
    WindowOpener m_openWindow;
    std::unique_ptr<frame::MessageSink> m_defaultMessages;
    std::unique_ptr<frame::FileChooser> m_defaultFiles;
    frame::MessageSink* m_messages = nullptr;
    frame::FileChooser* m_files = nullptr;
    std::unique_ptr<QSettings> m_settings;
    QString m_documentsFolder;
    QString m_recoveryFolder;

    QString m_path;
    // What m_path held when this program last opened or wrote it; a save over anything else
    // would put older work over newer.
    QByteArray m_fileDigest;
    project::Project m_saved; // as last saved or opened
    // Restored from a recovery copy: unsaved whatever the windows hold, until saved or replaced.
    bool m_restoredUnsaved = false;
    bool m_modified = false;
    bool m_finished = false;

    std::array<QPointer<frame::ModuleWindow>, 3> m_windows;
    std::array<std::optional<project::ModuleState>, 3> m_kept;  // of each closed window
    std::array<std::optional<project::ModuleState>, 3> m_blank; // of a fresh window: nothing to keep
    std::vector<std::pair<QPointer<QWidget>, QString>> m_titled;

    QTimer* m_update = nullptr;
    QTimer* m_recovery = nullptr;
};

} // namespace sp::app
