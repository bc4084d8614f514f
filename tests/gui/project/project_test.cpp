// The project on the desktop, driven through the launcher and the module windows as an engineer
// would: piles saved with the project and back, byte for byte, after a new project and a reopen;
// the questions before open, new and exit; the titles; the recent list; the recovery copy.

#include "windows/launcherfixture.h"

#include "module2/rocklayergrid.h"
#include "optimise/optimisepagewidget.h"
#include "project/project.h"

#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTableWidget>

#include <filesystem>
#include <memory>

using namespace sp;
using Fixture = test::LauncherFixture;

namespace {

// A module window's own title: the title the three share, then the module's name.
QString ownTitle(int module) {
    const char* const names[] = {"侧阻端阻综合计算(单层基岩)", "侧阻端阻分解计算(多层基岩)",
                                 "侧阻端阻综合计算(拓展研究，仅供研究)"};
    return QStringLiteral("嵌岩桩承载力计算 (DBJ52/T088-2018) — ") + QString::fromUtf8(names[module - 1]);
}
const QString kLauncherTitle = QStringLiteral("嵌岩桩承载力计算(DBJ52/T088-2018)");

std::filesystem::path fsPath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

QTableWidget* optionTable(frame::ModuleWindow* window) {
    return window->findChild<QTableWidget*>(QStringLiteral("Grid1_Youhuaxuanxiang"));
}

// The first cell of the option table the engineer can type into.
QPoint firstEditableOption(frame::ModuleWindow* window) {
    auto* page = window->findChild<optimise::OptimisePageWidget*>();
    const optimise::OptionTable& table = page->page().optionTable();
    for (int row = 0; row < table.rowCount(); ++row)
        for (int column = 0; column < optimise::kOptionColumns; ++column)
            if (table.editable(row, column))
                return {column, row};
    return {-1, -1};
}

// Everything of a window a round trip must bring back.
struct Shown {
    std::vector<std::string> book, table;
    int saveState = 0;
    QString d, frk, option;
    int precision = 0;
    int section = 0, method = -1; // module 3's method list
    QString keptLayerFrk;         // module 2: the second grid row's frk, below the layer count
    bool operator==(const Shown&) const = default;
};

Shown shown(frame::ModuleWindow* window, int module) {
    test::WindowDriver driver{window};
    Shown s;
    s.book = window->documents().page(report::Page::Book);
    s.table = window->documents().page(report::Page::Table);
    s.saveState = window->documents().saveState().value();
    s.d = driver.get<QComboBox>("cbe_dd")->currentText();
    s.section = driver.get<QComboBox>("cbb_jmlx")->currentIndex();
    s.precision = driver.get<QListWidget>("popbox_jingdu")->currentRow();
    const QPoint cell = firstEditableOption(window);
    s.option = optionTable(window)->item(cell.y(), cell.x())->text();
    if (module == 2) {
        auto* grid = driver.get<QTableWidget>("StringGrid_QB2");
        driver.choose("cbb_yanchengshu", 1); // the kept row shows again
        s.keptLayerFrk = grid->item(1, module2::kColFrk)->text();
        driver.choose("cbb_yanchengshu", 0);
    } else {
        s.frk = driver.get<QLineEdit>("edt_frk")->text();
    }
    if (module == 3)
        s.method = driver.get<QComboBox>("cbb_deqcheck")->currentIndex();
    return s;
}

// Two piles at the chosen precision (module 3: an oblong pile by a method of its own), the book
// saved, an option cell typed, and inputs typed after the last calculation.
void work(frame::ModuleWindow* window, int module, int precision) {
    test::WindowDriver driver{window};
    driver.get<QListWidget>("popbox_jingdu")->setCurrentRow(precision); // hidden: for the next calculation
    if (module == 3) {
        driver.choose("cbb_jmlx", 1);
        driver.choose("cbb_deqcheck", 2);
        driver.type("cbe_hr", QStringLiteral("2.0d"));
        driver.type("edt_frk", QStringLiteral("10"));
        driver.type("cbe_yswzcd", QStringLiteral("完整"));
    }
    driver.click("cbt_compute");
    driver.type("cbe_dd", QStringLiteral("1200"));
    driver.click("cbt_compute");
    driver.click("cbt_View");
    driver.click("cbt_Save"); // the book
    driver.click("cbt_Exit");
    const QPoint cell = firstEditableOption(window);
    optionTable(window)->item(cell.y(), cell.x())->setText(QStringLiteral("1500"));
    if (module == 2) {
        auto* grid = driver.get<QTableWidget>("StringGrid_QB2");
        driver.choose("cbb_yanchengshu", 1);
        grid->item(1, module2::kColFrk)->setText(QStringLiteral("33"));
        driver.choose("cbb_yanchengshu", 0);
    } else {
        driver.type("edt_frk", QStringLiteral("18"));
    }
    driver.type("cbe_dd", QStringLiteral("1400"));
}

// A module 1 pile calculated in a fresh project: unsaved changes.
frame::ModuleWindow* onePile(Fixture& f) {
    frame::ModuleWindow* window = f.open(1);
    test::WindowDriver{window}.click("cbt_compute");
    Fixture::settle();
    return window;
}

QString demoProject() {
    return QStringLiteral(SOCKETPILE_EXAMPLES "/demo.sppile");
}

} // namespace

class ProjectTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // Saved, closed by a new project and opened again, every window shows what it held: both
    // pages byte for byte (times and numbers included), their save state, the inputs typed after
    // the last pile, the precision, the option cell and (module 2) a grid row below the count.
    void aProjectComesBackThroughTheWindows_data() {
        QTest::addColumn<int>("module");
        QTest::addColumn<int>("precision");
        QTest::newRow("module 1, 两位小数") << 1 << 0;
        QTest::newRow("module 1, 十位取整") << 1 << 3;
        QTest::newRow("module 2, 一位小数") << 2 << 1;
        QTest::newRow("module 2, 百位取整") << 2 << 4;
        QTest::newRow("module 3, 个位取整") << 3 << 2;
        QTest::newRow("module 3, 两位小数") << 3 << 0;
    }
    void aProjectComesBackThroughTheWindows() {
        QFETCH(int, module);
        QFETCH(int, precision);
        Fixture f;
        frame::ModuleWindow* window = f.open(module);
        work(window, module, precision);
        const Shown before = shown(window, module);
        QCOMPARE(before.book.size() > 10, true);
        QCOMPARE(before.saveState, int(report::Page::Table)); // the book saved, the table not
        Fixture::settle();
        QVERIFY(f.project().modified());

        f.files.saveAnswer = f.file(QStringLiteral("site"));
        QVERIFY(f.project().saveAs());
        QCOMPARE(f.project().path(), f.file(QStringLiteral("site.sppile")));
        QVERIFY(QFile::exists(f.project().path()));
        QVERIFY(!f.project().modified());
        QCOMPARE(f.files.asked.last(),
                 QStringLiteral("项目另存为|") + f.documents() + QStringLiteral("/未命名项目.sppile"));
        QCOMPARE(f.files.lastFilters, QStringLiteral("SocketPile 项目 (*.sppile)"));

        QVERIFY(f.project().newProject());
        QVERIFY(f.projectMessages.questions.isEmpty()); // nothing unsaved to ask about
        QTRY_VERIFY(!f.window(module));
        QCOMPARE(f.launcher.windowTitle(), kLauncherTitle);

        f.files.openAnswer = f.file(QStringLiteral("site.sppile"));
        QVERIFY(f.project().openProject());
        QCOMPARE(f.files.asked.last(), QStringLiteral("打开项目|") + f.documents());
        frame::ModuleWindow* again = f.window(module);
        QVERIFY(again);
        QVERIFY(again->isVisible());
        if (module == 3)
            test::WindowDriver{again}.click("cbt_tongyi");
        const Shown after = shown(again, module);
        QCOMPARE(after.book, before.book);
        QCOMPARE(after.table, before.table);
        QCOMPARE(after.saveState, before.saveState);
        QCOMPARE(after.d, QStringLiteral("1400"));
        QCOMPARE(after.option, QStringLiteral("1500"));
        QCOMPARE(after.precision, precision);
        QVERIFY(after == before);
        Fixture::settle();
        QVERIFY(!f.project().modified());
        QCOMPARE(again->windowTitle(), QStringLiteral("site - ") + ownTitle(module));
        QCOMPARE(f.launcher.windowTitle(), QStringLiteral("site - ") + kLauncherTitle);

        // The next pile carries on the numbering and the pages' buttons work on the restored piles.
        test::WindowDriver driver{again};
        driver.click("cbt_compute");
        QVERIFY(again->documents().page(report::Page::Book).size() > before.book.size());
        QVERIFY(driver.button("cbt_sanchu")->isEnabled());
        QVERIFY(driver.button("cbt_SaveAs")->isEnabled());
    }

    // A window closed before the save is part of the project all the same.
    void aClosedWindowsPilesAreSavedWithTheProject() {
        Fixture f;
        frame::ModuleWindow* window = f.open(2);
        test::WindowDriver{window}.click("cbt_compute");
        const std::vector<std::string> table = window->documents().page(report::Page::Table);
        window->close(); // its unsaved pages: "不保存"
        QTRY_VERIFY(!f.window(2));
        Fixture::settle();
        QVERIFY(f.project().modified());
        f.files.saveAnswer = f.file(QStringLiteral("closed.sppile"));
        QVERIFY(f.project().save()); // untitled: through 项目另存为
        const project::ReadResult read = project::loadProject(fsPath(f.project().path()));
        QVERIFY(read.project);
        QVERIFY(read.project->module(2));
        QCOMPARE(read.project->module(2)->piles.size(), std::size_t(1));
        QVERIFY(!read.project->module(1));
        QVERIFY(!read.project->module(3));

        QVERIFY(f.project().newProject());
        QVERIFY(f.project().openProject(f.project().recentProjects().front()));
        QVERIFY(f.window(2));
        QCOMPARE(f.window(2)->documents().page(report::Page::Table), table);
        QVERIFY(!f.window(1));
    }

    // Open, new and exit over unsaved changes ask "保存 / 不保存 / 取消" first: 取消 changes
    // nothing, 不保存 goes on without writing, 保存 writes (through 项目另存为, the project being
    // untitled) and goes on, and a save that fails stops it with the unsaved changes kept.
    void unsavedChangesAreAskedAboutFirst_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("failingSave");
        QTest::addColumn<bool>("goesOn");
        const int save = int(frame::SaveAnswer::Save), discard = int(frame::SaveAnswer::Discard),
                  cancel = int(frame::SaveAnswer::Cancel);
        for (const char* action : {"open", "new", "exit"}) {
            const QString a = QString::fromLatin1(action);
            QTest::newRow(qPrintable(a + QStringLiteral(", 取消"))) << a << cancel << false << false;
            QTest::newRow(qPrintable(a + QStringLiteral(", 不保存"))) << a << discard << false << true;
            QTest::newRow(qPrintable(a + QStringLiteral(", 保存"))) << a << save << false << true;
            QTest::newRow(qPrintable(a + QStringLiteral(", 保存 fails"))) << a << save << true << false;
        }
    }
    void unsavedChangesAreAskedAboutFirst() {
        QFETCH(QString, action);
        QFETCH(int, answer);
        QFETCH(bool, failingSave);
        QFETCH(bool, goesOn);
        Fixture f;
        QPointer<frame::ModuleWindow> window = onePile(f);
        f.projectMessages.answer = static_cast<frame::SaveAnswer>(answer);
        const QString mine =
            failingSave ? f.file(QStringLiteral("no/such/folder/mine")) : f.file(QStringLiteral("mine"));
        f.files.saveAnswer = mine;

        bool done = false;
        if (action == QLatin1String("open"))
            done = f.project().openProject(demoProject());
        else if (action == QLatin1String("new"))
            done = f.project().newProject();
        else
            done = f.launcher.close();

        QCOMPARE(done, goesOn);
        // At exit the one question lists the window's unsaved pages too.
        const QString question =
            action == QLatin1String("exit")
                ? QStringLiteral("退出|以下内容尚未保存：\n项目“未命名项目”\n"
                                 "“侧阻端阻综合计算(单层基岩)”的计算结果\n是否保存后退出？")
                : QStringLiteral("未保存的项目|项目“未命名项目”有未保存的更改，是否先保存？");
        QCOMPARE(f.projectMessages.questions, QStringList({question}));
        const bool saved = answer == int(frame::SaveAnswer::Save) && !failingSave;
        QCOMPARE(QFile::exists(f.file(QStringLiteral("mine.sppile"))), saved);
        if (saved) {
            const project::ReadResult read =
                project::loadProject(fsPath(f.file(QStringLiteral("mine.sppile"))));
            QVERIFY(read.project);
            QCOMPARE(read.project->module(1)->piles.size(), std::size_t(1));
        }
        if (failingSave) {
            QCOMPARE(f.projectMessages.messages.size(), 1);
            QVERIFY(f.projectMessages.messages.front().startsWith(
                QStringLiteral("无法保存项目：") +
                QDir::toNativeSeparators(mine + QStringLiteral(".sppile")) + QLatin1Char('\n')));
        }
        if (!goesOn) {
            QVERIFY(window);
            QCOMPARE(window->documents().pileRegister().count(), 1);
            QVERIFY(f.launcher.isVisible());
            QVERIFY(f.project().modified());
            QVERIFY(f.project().path().isEmpty());
            QCOMPARE(f.launcher.windowTitle(), QStringLiteral("未命名项目* - ") + kLauncherTitle);
            return;
        }
        if (action == QLatin1String("open")) {
            QCOMPARE(f.project().path(), QFileInfo(demoProject()).absoluteFilePath());
            QVERIFY(f.window(1) && f.window(2) && f.window(3));
            QCOMPARE(f.window(1)->documents().pileRegister().count(), 3); // the demo's, not ours
            QVERIFY(!f.project().modified());
        } else if (action == QLatin1String("new")) {
            QVERIFY(f.project().path().isEmpty());
            QTRY_VERIFY(!window);
            QVERIFY(!f.project().modified());
            QCOMPARE(f.launcher.windowTitle(), kLauncherTitle);
        } else {
            QVERIFY(!f.launcher.isVisible());
        }
    }

    // Opening the project that is open, or a file the question's "保存" writes (项目另存为 onto it),
    // shows what the file holds once the question is answered: the work just saved, unchanged,
    // and a later 保存项目 writes it again rather than what the file held before.
    void whatOpensIsWhatTheFileHoldsAfterTheQuestion_data() {
        QTest::addColumn<bool>("titled");
        QTest::newRow("the open project from the recent list") << true;
        QTest::newRow("an untitled project saved as the file opened") << false;
    }
    void whatOpensIsWhatTheFileHoldsAfterTheQuestion() {
        QFETCH(bool, titled);
        Fixture f;
        const QString site = f.file(QStringLiteral("site.sppile"));
        frame::ModuleWindow* window = f.open(1);
        test::WindowDriver driver{window};
        driver.click("cbt_compute");
        f.files.saveAnswer = site;
        QVERIFY(f.project().saveAs());
        if (!titled) {
            QVERIFY(f.project().newProject());
            window = f.open(1);
            driver.root = window;
            driver.click("cbt_compute");
        }
        driver.type("cbe_dd", QStringLiteral("1200"));
        driver.click("cbt_compute"); // two piles now: 1000 and 1200 (a fresh untitled one: the same)
        const std::vector<std::string> book = window->documents().page(report::Page::Book);
        Fixture::settle();
        QVERIFY(f.project().modified());

        f.projectMessages.answer = frame::SaveAnswer::Save;
        QVERIFY(titled ? f.project().openRecent(site) : f.project().openProject(site));
        QCOMPARE(f.projectMessages.questions.size(), 1);
        const project::ReadResult onDisk = project::loadProject(fsPath(site));
        QVERIFY(onDisk.project);
        QCOMPARE(onDisk.project->module(1)->piles.size(), std::size_t(2));
        frame::ModuleWindow* opened = f.window(1);
        QVERIFY(opened);
        QCOMPARE(opened->documents().pileRegister().count(), 2);
        QCOMPARE(opened->documents().page(report::Page::Book), book);
        QVERIFY(f.project().current() == *onDisk.project);
        Fixture::settle();
        QVERIFY(!f.project().modified());
        QCOMPARE(f.launcher.windowTitle(), QStringLiteral("site - ") + kLauncherTitle);

        QVERIFY(f.project().save());
        QCOMPARE(project::loadProject(fsPath(site)).project->module(1)->piles.size(), std::size_t(2));
        QVERIFY(f.projectMessages.messages.isEmpty());
    }

    // A project file written elsewhere after it was opened or saved here (another SocketPile, a
    // copy put over it), or after the run whose work was recovered, is never written over by
    // 保存项目: a warning, then 项目另存为. A file left alone is saved where it is.
    void aFileWrittenElsewhereIsNotWrittenOver_data() {
        QTest::addColumn<bool>("recovered");
        QTest::addColumn<bool>("writtenElsewhere");
        QTest::newRow("opened, left alone") << false << false;
        QTest::newRow("opened, written elsewhere") << false << true;
        QTest::newRow("recovered, left alone") << true << false;
        QTest::newRow("recovered, written elsewhere after the crash") << true << true;
    }
    void aFileWrittenElsewhereIsNotWrittenOver() {
        QFETCH(bool, recovered);
        QFETCH(bool, writtenElsewhere);
        QTemporaryDir base;
        const QString site = base.path() + QStringLiteral("/site.sppile");
        auto fixture = std::make_unique<Fixture>(base.path());
        onePile(*fixture);
        fixture->files.saveAnswer = site;
        QVERIFY(fixture->project().saveAs());
        test::WindowDriver{fixture->window(1)}.click("cbt_compute"); // unsaved work: a second pile
        Fixture::settle();
        if (recovered) {
            fixture->project().writeRecovery();
            fixture = std::make_unique<Fixture>(base.path()); // after a crash
            fixture->projectMessages.recover = true;
            QVERIFY(fixture->project().offerRecovery());
        }
        Fixture& f = *fixture;
        QByteArray elsewhere;
        if (writtenElsewhere) {
            QVERIFY(QFile::remove(site));
            QVERIFY(QFile::copy(demoProject(), site));
            QFile file(site);
            QVERIFY(file.open(QIODevice::ReadOnly));
            elsewhere = file.readAll();
        }
        f.files.saveAnswer.reset(); // 项目另存为 given up
        const int dialogs = f.files.asked.size();

        QCOMPARE(f.project().save(), !writtenElsewhere);
        if (!writtenElsewhere) {
            QVERIFY(f.projectMessages.messages.isEmpty());
            QCOMPARE(f.files.asked.size(), dialogs);
            QCOMPARE(project::loadProject(fsPath(site)).project->module(1)->piles.size(), std::size_t(2));
            return;
        }
        QCOMPARE(f.projectMessages.messages,
                 QStringList({QStringLiteral("项目文件在打开或上次保存之后已被改动：%1\n"
                                             "为免覆盖较新的内容，请把项目另存为一个文件。")
                                  .arg(QDir::toNativeSeparators(site))}));
        QCOMPARE(f.files.asked.size(), dialogs + 1);
        QVERIFY(f.files.asked.last().startsWith(QStringLiteral("项目另存为|")));
        QFile file(site);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), elsewhere);
        QVERIFY(f.project().modified());

        // Warned again and saved as another file, the work goes on there, saved without a warning.
        f.files.saveAnswer = base.path() + QStringLiteral("/mine.sppile");
        QVERIFY(f.project().save());
        QCOMPARE(f.projectMessages.messages.size(), 2);
        QCOMPARE(f.project().path(), *f.files.saveAnswer);
        test::WindowDriver{f.window(1)}.click("cbt_compute");
        QVERIFY(f.project().save());
        QCOMPARE(f.projectMessages.messages.size(), 2);
        QCOMPARE(project::loadProject(fsPath(f.project().path())).project->module(1)->piles.size(),
                 std::size_t(3));
    }

    // Module 2 like modules 1 and 3: opened again, a window left as its last pile was calculated
    // shows that pile's results in its boxes and offers "结果".
    void theLastResultsShowAgainAfterOpen_data() {
        QTest::addColumn<int>("module");
        QTest::newRow("module 1") << 1;
        QTest::newRow("module 2") << 2;
        QTest::newRow("module 3") << 3;
    }
    void theLastResultsShowAgainAfterOpen() {
        QFETCH(int, module);
        Fixture f;
        test::WindowDriver driver{f.open(module)};
        driver.click("cbt_compute");
        const QString ra = driver.box(QStringLiteral("edt_ra"));
        const QString status = driver.get<QLabel>("lb_shuoming")->text();
        QVERIFY(!ra.isEmpty());
        QVERIFY(driver.button("cbt_View")->isVisible());
        f.files.saveAnswer = f.file(QStringLiteral("results.sppile"));
        QVERIFY(f.project().saveAs());
        QVERIFY(f.project().newProject());
        QVERIFY(f.project().openProject(f.file(QStringLiteral("results.sppile"))));
        driver.root = f.window(module);
        QVERIFY(driver.root);
        if (module == 3)
            driver.click("cbt_tongyi");
        QCOMPARE(driver.box(QStringLiteral("edt_ra")), ra);
        QCOMPARE(driver.get<QLabel>("lb_shuoming")->text(), status);
        QVERIFY(driver.button("cbt_View")->isVisible());
        QVERIFY(!driver.button("cbt_compute")->isVisible());
    }

    // Ctrl+S is 保存项目 in every window of the program and on every layer of a module window; it
    // saves no page (the documents layer's "保存" has Ctrl+Shift+S).
    void ctrlSSavesTheProjectFromEveryWindowAndLayer_data() {
        QTest::addColumn<QString>("where");
        QTest::newRow("launcher") << QStringLiteral("launcher");
        QTest::newRow("input layer") << QStringLiteral("input");
        QTest::newRow("documents layer") << QStringLiteral("documents");
        QTest::newRow("optimisation layer") << QStringLiteral("optimisation");
    }
    void ctrlSSavesTheProjectFromEveryWindowAndLayer() {
        QFETCH(QString, where);
        Fixture f;
        frame::ModuleWindow* window = f.open(2);
        test::WindowDriver driver{window};
        driver.click("cbt_compute");
        if (where == QLatin1String("documents"))
            driver.click("cbt_View");
        else if (where == QLatin1String("optimisation"))
            driver.click("cbt_YouHua");
        QWidget* target = where == QLatin1String("launcher") ? static_cast<QWidget*>(&f.launcher) : window;
        target->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(target));
        f.files.saveAnswer = f.file(QStringLiteral("keys.sppile"));

        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : target, Qt::Key_S,
                        Qt::ControlModifier);
        QCOMPARE(f.project().path(), f.file(QStringLiteral("keys.sppile")));
        QVERIFY(QFile::exists(f.project().path()));
        QCOMPARE(window->documents().saveState().value(), 3); // no page saved
        QVERIFY(!QFile::exists(f.documents() + QStringLiteral("/嵌岩桩计算书(依据DBJ52T088-2018)_文本.txt")));
        QVERIFY(f.windowMessages.messages.isEmpty());
    }

    // A file that does not open is warned about with the reader's message; nothing is asked and
    // nothing changes.
    void aFileThatDoesNotOpenChangesNothing() {
        Fixture f;
        QPointer<frame::ModuleWindow> window = onePile(f);
        QFile bad(f.file(QStringLiteral("bad.sppile")));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("{\"format\": \"socketpile-project\", \"version\": 1, \"module1\": [");
        bad.close();
        QVERIFY(!f.project().openProject(bad.fileName()));
        QVERIFY(f.projectMessages.questions.isEmpty());
        QCOMPARE(f.projectMessages.messages.size(), 1);
        const QString warning = f.projectMessages.messages.front();
        QVERIFY2(
            warning.startsWith(QStringLiteral("无法打开项目：") + QDir::toNativeSeparators(bad.fileName())),
            qPrintable(warning));
        QVERIFY2(warning.contains(QStringLiteral("bad.sppile, line 1")), qPrintable(warning));
        QVERIFY(window);
        QCOMPARE(window->documents().pileRegister().count(), 1);
        QVERIFY(f.project().modified());
        QVERIFY(f.project().recentProjects().isEmpty());
    }

    // The titles: as ever while untitled and unchanged; the project's name with "*" while it has
    // unsaved changes, without after a save; a window opened later follows.
    void titlesShowTheProjectAndItsUnsavedChanges() {
        Fixture f;
        frame::ModuleWindow* first = f.open(1);
        QCOMPARE(f.launcher.windowTitle(), kLauncherTitle);
        QCOMPARE(first->windowTitle(), ownTitle(1));
        test::WindowDriver driver{first};
        driver.click("cbt_compute");
        Fixture::settle();
        QCOMPARE(f.launcher.windowTitle(), QStringLiteral("未命名项目* - ") + kLauncherTitle);
        QCOMPARE(first->windowTitle(), QStringLiteral("未命名项目* - ") + ownTitle(1));

        f.files.saveAnswer = f.file(QStringLiteral("桥台.v2.SPPILE"));
        QVERIFY(f.project().save());
        QCOMPARE(f.launcher.windowTitle(), QStringLiteral("桥台.v2 - ") + kLauncherTitle);
        QCOMPARE(first->windowTitle(), QStringLiteral("桥台.v2 - ") + ownTitle(1));

        driver.type("cbe_dd", QStringLiteral("1100"));
        Fixture::settle();
        QCOMPARE(first->windowTitle(), QStringLiteral("桥台.v2* - ") + ownTitle(1));
        driver.type("cbe_dd", QStringLiteral("1000")); // back to what was saved
        Fixture::settle();
        QCOMPARE(first->windowTitle(), QStringLiteral("桥台.v2 - ") + ownTitle(1));

        frame::ModuleWindow* second = f.open(2);
        QCOMPARE(second->windowTitle(), QStringLiteral("桥台.v2 - ") + ownTitle(2));
        // Each kind of change marks the project: an option cell, delete-last, a page saved.
        const QPoint cell = firstEditableOption(second);
        optionTable(second)->item(cell.y(), cell.x())->setText(QStringLiteral("900"));
        Fixture::settle();
        QCOMPARE(second->windowTitle(), QStringLiteral("桥台.v2* - ") + ownTitle(2));
        QVERIFY(f.project().save());
        driver.click("cbt_View");
        driver.click("cbt_Save");
        Fixture::settle();
        QCOMPARE(f.launcher.windowTitle(), QStringLiteral("桥台.v2* - ") + kLauncherTitle);
        QVERIFY(f.project().save());
        driver.click("cbt_sanchu");
        Fixture::settle();
        QCOMPARE(f.launcher.windowTitle(), QStringLiteral("桥台.v2* - ") + kLauncherTitle);
    }

    // Most recent first, each once, at most 8, kept across runs; a file that has gone is warned
    // about and dropped, from the list and from the menu.
    void recentProjectsKeepTheLastEight() {
        QTemporaryDir base;
        QStringList paths;
        {
            Fixture f(base.path());
            for (int k = 0; k < 10; ++k) {
                paths << base.path() + QStringLiteral("/p%1.sppile").arg(k);
                f.files.saveAnswer = paths.last();
                QVERIFY(f.project().saveAs());
            }
            QStringList expected;
            for (int k = 9; k >= 2; --k)
                expected << paths[k];
            QCOMPARE(f.project().recentProjects(), expected);
            QVERIFY(f.project().openRecent(paths[5]));
            expected.removeAll(paths[5]);
            expected.prepend(paths[5]);
            QCOMPARE(f.project().recentProjects(), expected);
        }
        Fixture f(base.path()); // the next run
        auto* menu = f.launcher.findChild<QMenu*>(QStringLiteral("menu_zuijinxiangmu"));
        QCOMPARE(menu->actions().size(), 8);
        QCOMPARE(menu->actions().front()->text(), QStringLiteral("&1 ") + QDir::toNativeSeparators(paths[5]));
        QCOMPARE(menu->actions().back()->text(), QStringLiteral("&8 ") + QDir::toNativeSeparators(paths[2]));

        QVERIFY(QFile::remove(paths[3]));
        QVERIFY(!f.project().openRecent(paths[3]));
        QCOMPARE(f.projectMessages.messages,
                 QStringList({QStringLiteral("找不到项目文件：%1\n已从最近的项目中移除。")
                                  .arg(QDir::toNativeSeparators(paths[3]))}));
        QVERIFY(!f.project().recentProjects().contains(paths[3]));
        QCOMPARE(menu->actions().size(), 7);
        menu->actions().front()->trigger(); // opens p5 again
        QCOMPARE(f.project().path(), paths[5]);
    }

    // While there are unsaved changes the timer writes the project and the path it belongs to;
    // the next start (after a crash) offers them, and restored they are the current project,
    // unsaved, under its own path. A clean exit removes the copy.
    void theRecoveryCopyIsWrittenOfferedAndRemoved() {
        QTemporaryDir base;
        std::vector<std::string> book;
        QString site;
        QString recovery;
        QString ra;
        {
            Fixture f(base.path());
            recovery = f.project().recoveryFile();
            frame::ModuleWindow* window = f.open(2);
            test::WindowDriver driver{window};
            driver.click("cbt_compute");
            f.files.saveAnswer = f.file(QStringLiteral("site.sppile"));
            QVERIFY(f.project().saveAs());
            site = f.project().path();
            f.project().writeRecovery(); // nothing unsaved: nothing written
            QVERIFY(!QFile::exists(recovery));

            driver.type("cbe_dd", QStringLiteral("1300"));
            driver.click("cbt_compute");
            Fixture::settle();
            f.project().writeRecovery();
            QVERIFY(QFile::exists(recovery));
            const project::ReadResult read = project::loadProject(fsPath(recovery));
            QVERIFY(read.project);
            QVERIFY(*read.project == f.project().current());
            QFile pathFile(f.project().recoveryPathFile());
            QVERIFY(pathFile.open(QIODevice::ReadOnly));
            QCOMPARE(QString::fromUtf8(pathFile.readAll().split('\n').front()), site);
            book = window->documents().page(report::Page::Book);
            ra = driver.box(QStringLiteral("edt_ra"));
            QVERIFY(!ra.isEmpty());
        } // the program ends without closing: a crash

        Fixture f(base.path());
        f.projectMessages.recover = true;
        QVERIFY(f.project().offerRecovery());
        QCOMPARE(
            f.projectMessages.questions,
            QStringList({QStringLiteral("恢复项目|程序上次没有正常退出。是否恢复项目“site”未保存的更改？")}));
        QVERIFY(f.window(2));
        QCOMPARE(f.window(2)->documents().page(report::Page::Book), book);
        test::WindowDriver restored{f.window(2)};
        QCOMPARE(restored.box(QStringLiteral("edt_ra")), ra); // the last results, with "结果"
        QVERIFY(restored.button("cbt_View")->isVisible());
        QCOMPARE(f.project().path(), site);
        QVERIFY(f.project().modified());
        QCOMPARE(f.launcher.windowTitle(), QStringLiteral("site* - ") + kLauncherTitle);
        QVERIFY(QFile::exists(recovery)); // until saved or the program ends cleanly

        f.projectMessages.answer = frame::SaveAnswer::Discard;
        QVERIFY(f.launcher.close());
        QVERIFY(!QFile::exists(recovery));
        QVERIFY(!QFile::exists(f.project().recoveryPathFile()));
    }

    void theTimerWritesTheRecoveryCopyAndASaveRemovesIt() {
        Fixture f;
        f.project().setRecoveryInterval(std::chrono::milliseconds(20));
        onePile(f);
        QTRY_VERIFY(QFile::exists(f.project().recoveryFile()));
        QVERIFY(!QFile::exists(f.project().recoveryPathFile())); // untitled: no path to go back to
        f.files.saveAnswer = f.file(QStringLiteral("kept.sppile"));
        QVERIFY(f.project().save());
        QVERIFY(!QFile::exists(f.project().recoveryFile()));
    }

    // "放弃" throws the copy away; nothing opens.
    void aRecoveryCopyGivenUpIsRemoved() {
        QTemporaryDir base;
        {
            Fixture f(base.path());
            onePile(f);
            f.project().writeRecovery();
            QVERIFY(QFile::exists(f.project().recoveryFile()));
        }
        Fixture f(base.path());
        QVERIFY(!f.project().offerRecovery());
        QCOMPARE(f.projectMessages.questions.size(), 1);
        QVERIFY(!QFile::exists(f.project().recoveryFile()));
        QVERIFY(!f.window(1));
        QVERIFY(!f.project().modified());
        QVERIFY(!f.project().offerRecovery()); // nothing left to offer
        QCOMPARE(f.projectMessages.questions.size(), 1);
    }

    // A copy that does not read is moved aside with a warning, never offered.
    void aBrokenRecoveryCopyIsSetAside() {
        Fixture f;
        QDir().mkpath(QFileInfo(f.project().recoveryFile()).path());
        QFile copy(f.project().recoveryFile());
        QVERIFY(copy.open(QIODevice::WriteOnly));
        copy.write("{\"format\": \"socketpile-project\", \"version\": 1, \"module1\": {\"pil");
        copy.close();
        QVERIFY(!f.project().offerRecovery());
        QVERIFY(f.projectMessages.questions.isEmpty());
        QCOMPARE(f.projectMessages.messages.size(), 1);
        QVERIFY2(f.projectMessages.messages.front().contains(QStringLiteral("recovery.sppile, line 1")),
                 qPrintable(f.projectMessages.messages.front()));
        QVERIFY(!QFile::exists(f.project().recoveryFile()));
        const QStringList aside = QDir(QFileInfo(f.project().recoveryFile()).path())
                                      .entryList({QStringLiteral("recovery-*.sppile.broken")}, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QVERIFY(f.projectMessages.messages.front().contains(aside.front()));
        QVERIFY(!f.window(1));
        QVERIFY(!f.project().modified());
    }

    // Whatever the copy holds, the program starts: a copy that does not read is moved aside with
    // a short warning, and so is one whose reading ended the program at the last start.
    void aRecoveryCopyThatCannotBeReadNeverStopsTheStart_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("readingEnded");
        QTest::addColumn<QString>("reason");
        const QByteArray head = "{\"format\": \"socketpile-project\", \"version\": 1";
        QTest::newRow("nested too deep") << QByteArray("{\"format\": ") + QByteArray(100000, '[') +
                                                QByteArray(100000, ']') + "}"
                                         << false << QStringLiteral("values nested more than 64 deep");
        QTest::newRow("a key twice") << head + ", \"module1\": {}, \"module1\": {}}" << false
                                     << QStringLiteral("key \"module1\": the key is given twice");
        QTest::newRow("a NUL byte") << head + "}" + QByteArray(1, '\0') + "\"module1\": 5" << false
                                    << QStringLiteral("column 47: a NUL byte");
        QTest::newRow("a format of megabytes")
            << QByteArray("{\"format\": \"") + QByteArray(4 << 20, 'x') + "\", \"version\": 1}" << false
            << QStringLiteral("the format is \"") + QString(60, QLatin1Char('x')) + QStringLiteral("…\"");
        QTest::newRow("its reading ended the program") << head + "}" << true
                                                       << QStringLiteral("上次启动时程序在读取它的过程中意外结束。");
    }
    void aRecoveryCopyThatCannotBeReadNeverStopsTheStart() {
        QFETCH(QByteArray, text);
        QFETCH(bool, readingEnded);
        QFETCH(QString, reason);
        Fixture f;
        const QString folder = QFileInfo(f.project().recoveryFile()).path();
        QDir().mkpath(folder);
        QFile copy(f.project().recoveryFile());
        QVERIFY(copy.open(QIODevice::WriteOnly));
        copy.write(text);
        copy.close();
        const QString reading = QDir(folder).filePath(QStringLiteral("recovery-reading.txt"));
        if (readingEnded) {
            QFile marker(reading);
            QVERIFY(marker.open(QIODevice::WriteOnly));
        }

        QVERIFY(!f.project().offerRecovery());
        QVERIFY(f.projectMessages.questions.isEmpty());
        QCOMPARE(f.projectMessages.messages.size(), 1);
        const QString warning = f.projectMessages.messages.front();
        QVERIFY2(warning.startsWith(QStringLiteral("上次留下的恢复副本无法读取，已移到 ")), qPrintable(warning));
        QVERIFY2(warning.contains(reason), qPrintable(warning));
        QVERIFY2(warning.size() < 400, qPrintable(warning.left(1000)));
        QVERIFY(!QFile::exists(f.project().recoveryFile()));
        QVERIFY(!QFile::exists(reading));
        // Kept whole under its new name.
        const QStringList aside = QDir(folder).entryList({QStringLiteral("recovery-*.sppile.broken")}, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QVERIFY(warning.contains(aside.front()));
        QCOMPARE(QFileInfo(QDir(folder).filePath(aside.front())).size(), qint64(text.size()));
        QVERIFY(!f.window(1));
        QVERIFY(!f.project().offerRecovery()); // nothing left to offer
        QCOMPARE(f.projectMessages.messages.size(), 1);
    }
};

SOCKETPILE_QTEST_MAIN(ProjectTest)
#include "project_test.moc"
