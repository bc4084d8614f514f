#pragma once
// The launcher: one button per calculation module and an exit button. Each module has at most one
// window at a time; closing the launcher ends the program and closes the module windows with it,
// unless one of them is kept open.

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>

class QPushButton;

namespace sp::app {

class LauncherWindow : public QWidget {
    Q_OBJECT
public:
    // Makes a new window of module 1, 2 or 3 (parented to the launcher); empty for a module that
    // has no window yet.
    using WindowFactory = std::function<QWidget*(int module, QWidget* parent)>;

    explicit LauncherWindow(WindowFactory factory, QWidget* parent = nullptr);

    // The open window of a module, or null.
    QWidget* moduleWindow(int module) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void openModule(int module);

    WindowFactory m_factory;
    std::array<QPointer<QWidget>, 3> m_windows;
};

} // namespace sp::app
