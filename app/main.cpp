// SocketPile, the desktop program: starts the launcher and runs until it is closed.
// `socketpile FILE.sppile` opens that project at start; `socketpile --version` prints the version
// and needs no display.

#include "frame/translations.h"
#include "project/projectcontroller.h"
#include "windows/module1window.h"
#include "windows/module2window.h"
#include "windows/module3window.h"
#include "windows/launcherwindow.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Qt aborts when it finds no display; say so plainly instead.
bool displayAvailable() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform)
        return true;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

// The installed icon theme's icon where there is one (it follows the desktop's theme), else the
// copies built into the program.
QIcon programIcon() {
    QIcon builtIn;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        builtIn.addFile(QStringLiteral(":/icons/socketpile-%1.png").arg(size), QSize(size, size));
    return QIcon::fromTheme(QStringLiteral("socketpile"), builtIn);
}

QWidget* makeModuleWindow(int module, QWidget* parent) {
    switch (module) {
    case 1:
        return new sp::module1::Module1Window(parent);
    case 2:
        return new sp::module2::Module2Window(parent);
    case 3:
        return new sp::module3::Module3Window(parent);
    default:
        return nullptr;
    }
}

} // namespace

int main(int argc, char** argv) {
    // Before any window: the version is asked for where there may be no display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("socketpile %s\n", SOCKETPILE_VERSION);
        return 0;
    }
    if (!displayAvailable()) {
        std::fprintf(stderr, "socketpile: no display found (DISPLAY and WAYLAND_DISPLAY are not set).\n"
                             "Start it on a desktop, or use socketpile-cli for work without a window.\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("SocketPile"));
    QApplication::setApplicationVersion(QStringLiteral(SOCKETPILE_VERSION));
    // The desktop entry the window belongs to (its name and icon on Wayland docks and task bars).
    QGuiApplication::setDesktopFileName(QStringLiteral("socketpile"));
    QApplication::setWindowIcon(programIcon());
    sp::frame::useProgramLocale(app);
    sp::app::LauncherWindow launcher(makeModuleWindow);
    launcher.show();
    // A run that did not end cleanly left its unsaved work; then the project named on the command
    // line (a file that does not open is warned about and the project stays empty).
    launcher.project().offerRecovery();
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        launcher.project().openProject(arguments.at(1));
    return QApplication::exec();
}
