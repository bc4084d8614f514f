#pragma once
// The launcher: one button per calculation module and an exit button, under the menu "文件" of the
// project (new, open, save, save as, recent projects, exit). Each module has at most one window at
// a time; closing the launcher ends the program and closes the module windows with it, unless one
// of them is kept open.

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>

class QMenu;
class QMenuBar;
class QPushButton;

namespace sp::app {

class ProjectController;

class LauncherWindow : public QWidget {
    Q_OBJECT
public:
    // Makes a new window of module 1, 2 or 3 (parented to the launcher); empty for a module that
    // has no window yet.
    using WindowFactory = std::function<QWidget*(int module, QWidget* parent)>;

    explicit LauncherWindow(WindowFactory factory, QWidget* parent = nullptr);

    // The open window of a module, or null.
    QWidget* moduleWindow(int module) const;
    // The project the windows belong to; its services can be replaced in tests.
    ProjectController& project() const { return *m_project; }
    QMenuBar* menuBar() const { return m_menuBar; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenu();
    void fillRecentMenu();
    void openModule(int module);

    WindowFactory m_factory;
    std::array<QPointer<QWidget>, 3> m_windows;
    ProjectController* m_project = nullptr;
    QMenuBar* m_menuBar = nullptr;
    QMenu* m_recent = nullptr;
};

} // namespace sp::app
