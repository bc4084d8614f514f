#pragma once
// A launcher as the program runs it, with its project, in a folder of the test's own: the
// project's questions and dialogs recorded and answered by the test, its recent list and recovery
// copy kept in that folder, and every module window it opens with recorded messages, the same
// documents folder and a clock that moves on a second at each reading.

#include "guitest.h"
#include "project/projectcontroller.h"
#include "windows/launcherwindow.h"
#include "windows/module1window.h"
#include "windows/module2window.h"
#include "windows/module3window.h"

#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStandardPaths>

namespace sp::test {

struct LauncherFixture {
    // `base`: the folder of an earlier run to carry on in (its recovery copy and recent list);
    // empty: a new temporary folder.
    explicit LauncherFixture(const QString& base = {})
        : root(base.isEmpty() ? folder.path() : base),
          launcher([this](int module, QWidget* parent) { return makeWindow(module, parent); }) {
        app::ProjectController& p = launcher.project();
        p.setMessageSink(&projectMessages);
        p.setFileChooser(&files);
        p.setSettingsFile(root + QStringLiteral("/settings.ini"));
        p.setRecoveryFolder(root + QStringLiteral("/recovery"));
        p.setDocumentsFolder(documents());
        launcher.show();
    }

    QString documents() const { return root + QStringLiteral("/Documents"); }
    QString file(const QString& name) const { return root + QLatin1Char('/') + name; }
    app::ProjectController& project() { return launcher.project(); }

    // The module's window, opened from the launcher's button if it is not open yet; module 3's
    // warning accepted.
    frame::ModuleWindow* open(int module) {
        const bool wasOpen = launcher.moduleWindow(module) != nullptr;
        QTest::mouseClick(launcher.findChild<QPushButton*>(QStringLiteral("cbt_Gongshi%1").arg(module)),
                          Qt::LeftButton);
        auto* window = qobject_cast<frame::ModuleWindow*>(launcher.moduleWindow(module));
        if (window && module == 3 && !wasOpen)
            WindowDriver{window}.click("cbt_tongyi");
        return window;
    }
    frame::ModuleWindow* window(int module) const {
        return qobject_cast<frame::ModuleWindow*>(launcher.moduleWindow(module));
    }
    // Lets the project compare what the windows hold after the changes just made.
    static void settle() { QCoreApplication::processEvents(); }

    QTemporaryDir folder;
    QString root;
    RecordingMessages projectMessages; // the project's questions and warnings
    RecordingMessages windowMessages;  // every module window's
    FakeFiles files;                   // the project's and the windows' dialogs
    int readings = 0;
    app::LauncherWindow launcher;

private:
    QWidget* makeWindow(int module, QWidget* parent) {
        frame::ModuleWindow* window = nullptr;
        if (module == 1)
            window = new module1::Module1Window(parent);
        else if (module == 2)
            window = new module2::Module2Window(parent);
        else
            window = new module3::Module3Window(parent);
        window->setMessageSink(&windowMessages);
        window->setFileChooser(&files);
        window->setDocumentsFolder(documents());
        window->setClock([this] {
            core::Moment moment = kFixedMoment;
            moment.minute += readings / 60;
            moment.second = readings % 60;
            ++readings;
            return moment;
        });
        return window;
    }
};

} // namespace sp::test
