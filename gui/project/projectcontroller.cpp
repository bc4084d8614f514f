#include "project/projectcontroller.h"

#include "frame/documentsfolder.h"
#include "frame/filechooser.h"
#include "frame/messagesink.h"
#include "frame/modulewindow.h"
#include "frame/qttext.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>

#include <filesystem>

namespace sp::app {

using frame::q;

namespace {

constexpr int kRecentCount = 8;
const char* const kRecentKey = "recentProjects";
constexpr std::chrono::minutes kRecoveryInterval{1};

QString filters() {
    return QStringLiteral("SocketPile 项目 (*.sppile)");
}
QString extension() {
    return QString::fromLatin1(project::kExtension);
}
QString untitledName() {
    return QStringLiteral("未命名项目");
}

// A module as the launcher's buttons name it.
QString moduleName(int module) {
    switch (module) {
    case 1:
        return QStringLiteral("侧阻端阻综合计算(单层基岩)");
    case 2:
        return QStringLiteral("侧阻端阻分解计算(多层基岩)");
    default:
        return QStringLiteral("侧阻端阻综合计算(拓展研究)");
    }
}

std::filesystem::path fsPath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// The name a project goes by: its file's name without ".sppile".
QString projectName(const QString& path) {
    QString name = QFileInfo(path).fileName();
    if (name.endsWith(extension(), Qt::CaseInsensitive))
        name.chop(extension().size());
    return name;
}

// What a file holds, to tell later whether someone else has written it since; empty when it
// cannot be read.
QByteArray digestOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return {};
    return hash.result().toHex();
}

} // namespace

ProjectController::ProjectController(QWidget* dialogParent, QObject* parent)
    : QObject(parent), m_dialogParent(dialogParent),
      m_defaultMessages(std::make_unique<frame::DialogMessageSink>()),
      m_defaultFiles(std::make_unique<frame::DialogFileChooser>()),
      m_settings(std::make_unique<QSettings>(QStringLiteral("SocketPile"), QStringLiteral("SocketPile"))) {
    m_messages = m_defaultMessages.get();
    m_files = m_defaultFiles.get();
    // The windows report every change; what they hold is compared once the burst is over.
    m_update = new QTimer(this);
    m_update->setSingleShot(true);
    m_update->setInterval(0);
    connect(m_update, &QTimer::timeout, this, &ProjectController::updateModified);
    m_recovery = new QTimer(this);
    m_recovery->setInterval(kRecoveryInterval);
    connect(m_recovery, &QTimer::timeout, this, &ProjectController::writeRecovery);
}

ProjectController::~ProjectController() = default;

void ProjectController::setSettingsFile(const QString& iniFile) {
    m_settings = std::make_unique<QSettings>(iniFile, QSettings::IniFormat);
    emit recentProjectsChanged();
}

void ProjectController::setRecoveryInterval(std::chrono::milliseconds interval) {
    m_recovery->setInterval(interval);
}

void ProjectController::adopt(int module, frame::ModuleWindow* window) {
    const auto k = static_cast<std::size_t>(module - 1);
    if (!m_blank.at(k))
        m_blank[k] = window->captureState(); // the window as it is made holds nothing worth keeping
    if (m_kept[k])
        window->restoreState(*m_kept[k]);
    m_windows[k] = window;
    addTitledWindow(window);
    connect(window, &frame::ModuleWindow::contentChanged, this, &ProjectController::scheduleUpdate);
    connect(window, &frame::ModuleWindow::closing, this, [this, k, window] {
        if (m_windows[k] == window) {
            m_kept[k] = window->captureState();
            m_windows[k] = nullptr;
        }
        scheduleUpdate();
    });
    scheduleUpdate();
}

void ProjectController::addTitledWindow(QWidget* window) {
    m_titled.emplace_back(window, window->windowTitle());
    window->setWindowTitle(title(m_titled.back().second));
}

QString ProjectController::name() const {
    return m_path.isEmpty() ? untitledName() : projectName(m_path);
}

std::optional<project::ModuleState> ProjectController::stateOf(int module) const {
    const auto k = static_cast<std::size_t>(module - 1);
    std::optional<project::ModuleState> state = m_windows[k] ? m_windows[k]->captureState() : m_kept[k];
    if (state && m_blank[k] && *state == *m_blank[k])
        return std::nullopt;
    return state;
}

project::Project ProjectController::current() const {
    project::Project project;
    for (int module = 1; module <= 3; ++module)
        project.module(module) = stateOf(module);
    return project;
}

bool ProjectController::modified() {
    updateModified();
    return m_modified;
}

QString ProjectController::title(const QString& own) const {
    if (m_path.isEmpty() && !m_modified)
        return own;
    return name() + (m_modified ? QStringLiteral("*") : QString()) + QStringLiteral(" - ") + own;
}

void ProjectController::scheduleUpdate() {
    if (!m_update->isActive())
        m_update->start();
}

void ProjectController::updateModified() {
    m_update->stop();
    if (m_finished)
        return;
    const bool modified = m_restoredUnsaved || current() != m_saved;
    const bool changed = modified != m_modified;
    m_modified = modified;
    if (modified) {
        if (!m_recovery->isActive())
            m_recovery->start();
    } else {
        m_recovery->stop();
        if (changed)
            removeRecovery(); // back to what the file holds: nothing to recover
    }
    updateTitles();
    if (changed)
        emit modifiedChanged(modified);
}

void ProjectController::updateTitles() {
    std::erase_if(m_titled, [](const auto& entry) { return entry.first.isNull(); });
    for (const auto& [window, own] : m_titled)
        window->setWindowTitle(title(own));
}

bool ProjectController::settleChanges() {
    if (!modified())
        return true;
    switch (messages().askToSave(dialogParent(), QStringLiteral("未保存的项目"),
                                 QStringLiteral("项目“%1”有未保存的更改，是否先保存？").arg(name()))) {
    case frame::SaveAnswer::Save:
        return save();
    case frame::SaveAnswer::Discard:
        return true;
    case frame::SaveAnswer::Cancel:
        break;
    }
    return false;
}

bool ProjectController::newProject() {
    if (!settleChanges())
        return false;
    install({}, {});
    removeRecovery();
    updateModified();
    return true;
}

bool ProjectController::openProject() {
    const QString folder = documentsFolder();
    QDir().mkpath(folder);
    const std::optional<QString> chosen =
        m_files->openFileName(dialogParent(), QStringLiteral("打开项目"), folder, filters());
    return chosen && openProject(*chosen);
}

bool ProjectController::openProject(const QString& path) {
    // The file is read and checked whole before anything is asked or replaced.
    QByteArray digest = digestOf(path);
    project::ReadResult read = project::loadProject(fsPath(path));
    if (!read.project) {
        warnUnreadable(path, read.error);
        return false;
    }
    if (!settleChanges())
        return false;
    // The answer may have written this very file (the open project opened again, or saved as
    // it): what opens is what the file holds now, never what it held before the question.
    if (digestOf(path) != digest) {
        digest = digestOf(path);
        read = project::loadProject(fsPath(path));
        if (!read.project) {
            warnUnreadable(path, read.error);
            return false;
        }
    }
    install(*read.project, QFileInfo(path).absoluteFilePath());
    m_fileDigest = digest;
    removeRecovery();
    addRecent(m_path);
    updateModified();
    return true;
}

void ProjectController::warnUnreadable(const QString& path, const std::string& error) {
    messages().warn(dialogParent(), QStringLiteral("无法打开项目：%1\n%2").arg(native(path), q(error)));
}

bool ProjectController::openRecent(const QString& path) {
    if (!QFileInfo::exists(path)) {
        messages().warn(m_dialogParent,
                        QStringLiteral("找不到项目文件：%1\n已从最近的项目中移除。").arg(native(path)));
        removeRecent(path);
        return false;
    }
    return openProject(path);
}

bool ProjectController::save() {
    if (m_path.isEmpty())
        return saveAs();
    // Written by someone else since it was opened or saved here (another SocketPile, a copy put
    // over it): the older state the windows hold must not go over it.
    if (QFileInfo::exists(m_path) && digestOf(m_path) != m_fileDigest) {
        messages().warn(dialogParent(), QStringLiteral("项目文件在打开或上次保存之后已被改动：%1\n"
                                                       "为免覆盖较新的内容，请把项目另存为一个文件。")
                                            .arg(native(m_path)));
        return saveAs();
    }
    return writeTo(m_path);
}

bool ProjectController::saveAs() {
    const QString folder = documentsFolder();
    QDir().mkpath(folder);
    const std::optional<QString> chosen = m_files->saveFileName(
        dialogParent(), QStringLiteral("项目另存为"), QDir(folder).filePath(name() + extension()), filters());
    if (!chosen)
        return false;
    QString path = *chosen;
    if (!path.endsWith(extension(), Qt::CaseInsensitive))
        path += extension();
    return writeTo(path);
}

bool ProjectController::writeTo(const QString& path) {
    const project::Project project = current();
    const core::WriteResult written = project::saveProject(project, fsPath(path));
    if (!written.ok) {
        messages().warn(dialogParent(),
                        QStringLiteral("无法保存项目：%1\n%2").arg(native(path), q(written.reason)));
        return false;
    }
    m_path = QFileInfo(path).absoluteFilePath();
    m_fileDigest = digestOf(m_path);
    m_saved = project;
    m_restoredUnsaved = false;
    addRecent(m_path);
    updateModified();
    if (!m_modified)
        removeRecovery();
    return true;
}

void ProjectController::install(const project::Project& project, const QString& path) {
    closeWindows();
    for (int module = 1; module <= 3; ++module)
        m_kept[static_cast<std::size_t>(module - 1)] = project.module(module);
    m_path = path;
    m_fileDigest.clear();
    m_restoredUnsaved = false;
    if (m_openWindow)
        for (int module = 1; module <= 3; ++module)
            if (project.module(module))
                m_openWindow(module); // the launcher hands it to adopt(), which restores it
    m_saved = current();
}

void ProjectController::closeWindows() {
    for (QPointer<frame::ModuleWindow>& slot : m_windows) {
        QPointer<frame::ModuleWindow> window = slot;
        slot = nullptr;
        if (!window)
            continue;
        window->closeWithoutAsking();
        delete window.data(); // now, so that a window of the same module can open at once
    }
}

bool ProjectController::confirmClose() {
    // One question for everything unsaved: the project, and the pages of every open window.
    QStringList unsaved;
    if (modified())
        unsaved << QStringLiteral("项目“%1”").arg(name());
    std::vector<QPointer<frame::ModuleWindow>> pages;
    for (int module = 1; module <= 3; ++module) {
        frame::ModuleWindow* window = m_windows[static_cast<std::size_t>(module - 1)];
        if (window && window->holdsUnsavedPiles()) {
            pages.emplace_back(window);
            unsaved << QStringLiteral("“%1”的计算结果").arg(moduleName(module));
        }
    }
    if (unsaved.isEmpty())
        return true;
    const frame::SaveAnswer answer = messages().askToSave(
        dialogParent(), QStringLiteral("退出"),
        QStringLiteral("以下内容尚未保存：\n%1\n是否保存后退出？").arg(unsaved.join(QLatin1Char('\n'))));
    if (answer != frame::SaveAnswer::Save)
        return answer == frame::SaveAnswer::Discard;
    // The pages first: the project then records them as saved.
    for (const QPointer<frame::ModuleWindow>& window : pages)
        if (window && !window->saveUnsavedPages())
            return false;
    return !modified() || save();
}

void ProjectController::finish() {
    m_finished = true;
    m_update->stop();
    m_recovery->stop();
    removeRecovery();
}

QStringList ProjectController::recentProjects() const {
    return settings().value(QString::fromLatin1(kRecentKey)).toStringList();
}

void ProjectController::addRecent(const QString& path) {
    QStringList list = recentProjects();
    list.removeAll(path);
    list.prepend(path);
    while (list.size() > kRecentCount)
        list.removeLast();
    settings().setValue(QString::fromLatin1(kRecentKey), list);
    settings().sync();
    emit recentProjectsChanged();
}

void ProjectController::removeRecent(const QString& path) {
    QStringList list = recentProjects();
    list.removeAll(path);
    settings().setValue(QString::fromLatin1(kRecentKey), list);
    settings().sync();
    emit recentProjectsChanged();
}

QWidget* ProjectController::dialogParent() const {
    // Over the window the engineer works in (Ctrl+S in a module window), else the launcher.
    QWidget* active = QApplication::activeWindow();
    return active ? active : m_dialogParent;
}

QString ProjectController::documentsFolder() const {
    return m_documentsFolder.isEmpty() ? frame::documentsFolder() : m_documentsFolder;
}

QString ProjectController::recoveryFolder() const {
    return m_recoveryFolder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                                      : m_recoveryFolder;
}

QString ProjectController::recoveryFile() const {
    return QDir(recoveryFolder()).filePath(QStringLiteral("recovery.sppile"));
}

QString ProjectController::recoveryPathFile() const {
    return QDir(recoveryFolder()).filePath(QStringLiteral("recovery-path.txt"));
}

void ProjectController::removeRecovery() {
    QFile::remove(recoveryFile());
    QFile::remove(recoveryPathFile());
}

void ProjectController::writeRecovery() {
    if (m_finished || !modified())
        return;
    if (!QDir().mkpath(recoveryFolder())) {
        qWarning("recovery copy not written: the folder %s cannot be made", qPrintable(recoveryFolder()));
        return;
    }
    const core::WriteResult written = project::saveProject(current(), fsPath(recoveryFile()));
    if (!written.ok) {
        qWarning("recovery copy not written: %s (%s)", written.path.c_str(), written.reason.c_str());
        return;
    }
    if (m_path.isEmpty()) {
        QFile::remove(recoveryPathFile());
        return;
    }
    QSaveFile file(recoveryPathFile());
    // The path, then what its file held when last opened or saved here.
    const QByteArray text = m_path.toUtf8() + '\n' + m_fileDigest;
    if (!file.open(QIODevice::WriteOnly) || file.write(text) < 0 || !file.commit())
        qWarning("recovery copy's project path not written: %s", qPrintable(file.errorString()));
}

bool ProjectController::offerRecovery() {
    const QString copy = recoveryFile();
    // Left while the copy was being read: that reading ended the program, and would again at
    // every start.
    const QString reading = QDir(recoveryFolder()).filePath(QStringLiteral("recovery-reading.txt"));
    const bool crashedReading = QFileInfo::exists(reading);
    if (!QFileInfo::exists(copy)) {
        QFile::remove(reading);
        return false;
    }
    QString original;
    QByteArray originalDigest; // none in a copy from an older version: the file counts as changed
    QFile pathFile(recoveryPathFile());
    if (pathFile.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> lines = pathFile.readAll().split('\n');
        original = QString::fromUtf8(lines.value(0)).trimmed();
        originalDigest = lines.value(1).trimmed();
    }
    pathFile.close();

    // Kept beside, under a name of its own, for whoever wants to look at it; never read again.
    const auto setAside = [&](const QString& why) {
        const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
        QString aside =
            QDir(recoveryFolder()).filePath(QStringLiteral("recovery-%1.sppile.broken").arg(stamp));
        for (int n = 2; QFileInfo::exists(aside); ++n)
            aside = QDir(recoveryFolder())
                        .filePath(QStringLiteral("recovery-%1-%2.sppile.broken").arg(stamp).arg(n));
        if (!QFile::rename(copy, aside)) {
            QFile::remove(copy);
            aside.clear();
        }
        QFile::remove(recoveryPathFile());
        QFile::remove(reading);
        messages().warn(m_dialogParent,
                        QStringLiteral("上次留下的恢复副本无法读取%1。\n%2")
                            .arg(aside.isEmpty() ? QString() : QStringLiteral("，已移到 ") + native(aside), why));
    };
    if (crashedReading) {
        setAside(QStringLiteral("上次启动时程序在读取它的过程中意外结束。"));
        return false;
    }
    QFile marker(reading);
    if (marker.open(QIODevice::WriteOnly))
        marker.close();
    const project::ReadResult read = project::loadProject(fsPath(copy));
    QFile::remove(reading);
    if (!read.project) {
        setAside(q(read.error));
        return false;
    }
    const QString shown = original.isEmpty() ? untitledName() : projectName(original);
    if (!messages().askToRecover(
            m_dialogParent, QStringLiteral("恢复项目"),
            QStringLiteral("程序上次没有正常退出。是否恢复项目“%1”未保存的更改？").arg(shown))) {
        removeRecovery();
        return false;
    }
    install(*read.project, original);
    m_fileDigest = originalDigest; // a save checks that nobody wrote the file since
    m_restoredUnsaved = true;      // unsaved until the engineer saves it
    updateModified();
    return true;
}

} // namespace sp::app
