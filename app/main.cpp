// SocketPile, the desktop program: starts the launcher and runs until it is closed.
// `socketpile FILE.sppile` opens that project at start.

#include "frame/translations.h"
#include "project/projectcontroller.h"
#include "windows/module1window.h"
#include "windows/module2window.h"
#include "windows/module3window.h"
#include "windows/launcherwindow.h"

#include <QApplication>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

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
    if (!displayAvailable()) {
        std::fprintf(stderr, "socketpile: no display found (DISPLAY and WAYLAND_DISPLAY are not set).\n"
                             "Start it on a desktop, or use socketpile-cli for work without a window.\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("SocketPile"));
    sp::frame::loadToolkitTranslations(app);
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
