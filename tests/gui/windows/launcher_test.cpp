#include "windows/launcherfixture.h"

#include "project/project.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

using sp::app::LauncherWindow;
using Fixture = sp::test::LauncherFixture;

class LauncherTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // The menu bar sits on top and the window is taller by its height, so that the title and the
    // buttons keep their places below it and nothing is covered.
    void showsItsButtonsWithTwoLineTexts() {
        Fixture f;
        LauncherWindow& launcher = f.launcher;
        QMenuBar* bar = launcher.menuBar();
        const int top = bar->height();
        QVERIFY(top > 0);
        QCOMPARE(bar->geometry(), QRect(0, 0, 230, top));
        QCOMPARE(launcher.size(), QSize(230, 422 + top));
        QCOMPARE(launcher.windowTitle(), QStringLiteral("嵌岩桩承载力计算(DBJ52/T088-2018)"));
        QCOMPARE(launcher.findChild<QLabel*>(QStringLiteral("lb_biaoti"))->geometry(), QRect(0, top, 230, 55));
        const struct {
            const char* name;
            const char* text;
        } buttons[] = {{"cbt_Gongshi1", "侧阻端阻综合计算\r\n(单层基岩)"},
                       {"cbt_Gongshi2", "侧阻端阻分解计算\r\n(多层基岩)"},
                       {"cbt_Gongshi3", "侧阻端阻综合计算\r\n(拓展研究)"},
                       {"cbt_guanbi", "退  出"}};
        for (const auto& b : buttons) {
            auto* button = launcher.findChild<QPushButton*>(QString::fromLatin1(b.name));
            QVERIFY(button);
            QCOMPARE(button->text(), QString::fromUtf8(b.text));
            QCOMPARE(button->size(), QSize(150, 80));
            QVERIFY(button->geometry().top() >= bar->geometry().bottom());
        }
        QCOMPARE(launcher.findChild<QPushButton*>(QStringLiteral("cbt_Gongshi1"))->geometry().top(), top + 54);
        QCOMPARE(launcher.findChild<QPushButton*>(QStringLiteral("cbt_guanbi"))->geometry().bottom(), top + 324 + 79);

        QCOMPARE(bar->actions().size(), 1);
        QMenu* file = bar->actions().front()->menu();
        QCOMPARE(file->title(), QStringLiteral("文件"));
        QStringList texts;
        for (const QAction* action : file->actions())
            if (!action->isSeparator())
                texts << action->text() + QLatin1Char('|') + action->shortcut().toString();
        QCOMPARE(texts, QStringList({QStringLiteral("新建项目|"), QStringLiteral("打开项目…|Ctrl+O"),
                                     QStringLiteral("保存项目|Ctrl+S"), QStringLiteral("项目另存为…|"),
                                     QStringLiteral("最近的项目|"), QStringLiteral("退出|")}));
    }

    // "退出" of the menu closes like the launcher's "退  出": the project's question first.
    void theMenusExitClosesTheLauncher_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::newRow("不保存") << int(sp::frame::SaveAnswer::Discard) << true;
        QTest::newRow("取消") << int(sp::frame::SaveAnswer::Cancel) << false;
    }
    void theMenusExitClosesTheLauncher() {
        QFETCH(int, answer);
        QFETCH(bool, closed);
        Fixture f;
        f.projectMessages.answer = static_cast<sp::frame::SaveAnswer>(answer);
        sp::test::WindowDriver{f.open(1)}.click("cbt_compute");
        f.launcher.findChild<QAction*>(QStringLiteral("act_tuichu"))->trigger();
        QCOMPARE(f.projectMessages.questions.size(), 1);
        QCOMPARE(f.launcher.isVisible(), !closed);
        QCOMPARE(f.window(1) != nullptr && f.window(1)->isVisible(), !closed);
    }

    void opensOneWindowPerModuleAndAFreshOneAfterClosing() {
        Fixture f;
        LauncherWindow& launcher = f.launcher;
        auto* open1 = launcher.findChild<QPushButton*>(QStringLiteral("cbt_Gongshi1"));
        QVERIFY(!launcher.moduleWindow(1));
        QTest::mouseClick(open1, Qt::LeftButton);
        QPointer<QWidget> first = launcher.moduleWindow(1);
        QVERIFY(first);
        QVERIFY(first->isVisible());
        QTest::mouseClick(open1, Qt::LeftButton);
        QCOMPARE(launcher.moduleWindow(1), first.data());
        QCOMPARE(launcher.findChildren<sp::module1::Module1Window*>().size(), 1);

        first->close();
        QTRY_VERIFY(!first); // the closed window is gone, not hidden
        QVERIFY(!launcher.moduleWindow(1));
        QTest::mouseClick(open1, Qt::LeftButton);
        QVERIFY(launcher.moduleWindow(1));
        QVERIFY(launcher.moduleWindow(1)->isVisible());
        QCOMPARE(launcher.findChildren<sp::module1::Module1Window*>().size(), 1);

        // Windows of different modules stand side by side, each with its own pages.
        QTest::mouseClick(launcher.findChild<QPushButton*>(QStringLiteral("cbt_Gongshi2")), Qt::LeftButton);
        QVERIFY(qobject_cast<sp::module2::Module2Window*>(launcher.moduleWindow(2)));
        QTest::mouseClick(launcher.findChild<QPushButton*>(QStringLiteral("cbt_Gongshi3")), Qt::LeftButton);
        QVERIFY(qobject_cast<sp::module3::Module3Window*>(launcher.moduleWindow(3)));
        QVERIFY(launcher.moduleWindow(1)->isVisible());
    }

    // A window closed by its "退出" and opened again is a new one, which brings back from the
    // project what the closed one held: its piles with their numbers and times, its inputs and its
    // pages' save state. Module 3 stands behind its warning again. Only a new project starts the
    // windows from their defaults, numbering from ZH1 again.
    void aReopenedWindowBringsBackWhatItHeld_data() {
        QTest::addColumn<int>("module");
        QTest::newRow("module 1") << 1;
        QTest::newRow("module 2") << 2;
        QTest::newRow("module 3") << 3;
    }
    void aReopenedWindowBringsBackWhatItHeld() {
        QFETCH(int, module);
        Fixture f;
        LauncherWindow& launcher = f.launcher;
        QPointer<sp::frame::ModuleWindow> first = f.open(module);
        QVERIFY(first);
        sp::test::WindowDriver driver{first.data()};
        for (const char* d : {"1100", "1200"}) {
            driver.type("cbe_dd", QString::fromLatin1(d));
            driver.click("cbt_compute");
        }
        driver.type("cbe_dd", QStringLiteral("1300")); // typed, not calculated
        QCOMPARE(first->documents().pileRegister().count(), 2);
        const QString book = driver.get<QPlainTextEdit>("meo_jisuanjieguo_Doc")->toPlainText();
        const QString table = driver.get<QPlainTextEdit>("meo_jisuanjieguo_Xls")->toPlainText();
        driver.click("cbt_tuichu");
        QCOMPARE(f.windowMessages.questions.size(), 1); // the unsaved pages, answered "不保存"
        QTRY_VERIFY(!first);
        QVERIFY(!launcher.moduleWindow(module));

        QTest::mouseClick(launcher.findChild<QPushButton*>(QStringLiteral("cbt_Gongshi%1").arg(module)),
                          Qt::LeftButton);
        sp::frame::ModuleWindow* again = f.window(module);
        QVERIFY(again);
        driver.root = again;
        if (module == 3) {
            QVERIFY(driver.get<QWidget>("AlertLayer")->isVisible());
            QVERIFY(!driver.get<QWidget>("MainFormLayer")->isVisible());
            driver.click("cbt_tongyi");
        }
        QCOMPARE(again->documents().pileRegister().count(), 2);
        QCOMPARE(driver.get<QPlainTextEdit>("meo_jisuanjieguo_Doc")->toPlainText(), book);
        QCOMPARE(driver.get<QPlainTextEdit>("meo_jisuanjieguo_Xls")->toPlainText(), table);
        QCOMPARE(driver.get<QComboBox>("cbe_dd")->currentText(), QStringLiteral("1300"));
        QVERIFY(driver.button("cbt_compute")->isVisible());
        QCOMPARE(again->documents().saveState().value(), 3);
        QVERIFY(driver.button("cbt_sanchu")->isEnabled());
        driver.click("cbt_compute");
        QCOMPARE(again->documents().pileRegister().count(), 3);
        QVERIFY(driver.get<QPlainTextEdit>("meo_jisuanjieguo_Doc")->toPlainText().contains(QStringLiteral("1.基桩编号: ZH3")));

        // A new project (its changes not kept) closes the windows; the next one starts afresh.
        QVERIFY(f.project().newProject());
        QTRY_VERIFY(!launcher.moduleWindow(module));
        auto* fresh = f.open(module);
        driver.root = fresh;
        QCOMPARE(fresh->documents().pileRegister().count(), 0);
        QVERIFY(driver.get<QPlainTextEdit>("meo_jisuanjieguo_Doc")->toPlainText().isEmpty());
        QCOMPARE(driver.get<QComboBox>("cbe_dd")->currentText(), QStringLiteral("1000"));
        QVERIFY(!driver.button("cbt_View")->isVisible());
        driver.click("cbt_compute");
        const QStringList lines =
            driver.get<QPlainTextEdit>("meo_jisuanjieguo_Doc")->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lines.value(1), QStringLiteral("1.基桩编号: ZH1"));
    }

    void closingTheLauncherClosesTheModuleWindows() {
        Fixture f;
        LauncherWindow& launcher = f.launcher;
        QTest::mouseClick(launcher.findChild<QPushButton*>(QStringLiteral("cbt_Gongshi1")), Qt::LeftButton);
        QPointer<QWidget> window = launcher.moduleWindow(1);
        QTest::mouseClick(launcher.findChild<QPushButton*>(QStringLiteral("cbt_guanbi")), Qt::LeftButton);
        QVERIFY(!launcher.isVisible());
        QTRY_VERIFY(!window);
    }

    // Closing the launcher asks one question, listing what is unsaved: the project and each open
    // window whose pages were not saved (a window with nothing calculated is not named); the
    // windows then close without asking. "保存" saves the pages, then the project (through 项目另存为
    // while untitled), which records them as saved; "取消", or a 项目另存为 given up, keeps
    // everything open.
    void closingTheLauncherAsksOnceAboutEverythingUnsaved_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("projectSavedBefore");
        QTest::addColumn<bool>("fileChosen"); // the answer of 项目另存为
        QTest::addColumn<bool>("closed");
        using sp::frame::SaveAnswer;
        const int save = int(SaveAnswer::Save), discard = int(SaveAnswer::Discard),
                  cancel = int(SaveAnswer::Cancel);
        QTest::newRow("不保存") << discard << false << true << true;
        QTest::newRow("保存") << save << false << true << true;
        QTest::newRow("保存, 项目另存为 given up") << save << false << false << false;
        QTest::newRow("取消") << cancel << false << true << false;
        QTest::newRow("project saved, 保存 the pages") << save << true << true << true;
        QTest::newRow("project saved, 不保存") << discard << true << true << true;
    }
    void closingTheLauncherAsksOnceAboutEverythingUnsaved() {
        QFETCH(int, answer);
        QFETCH(bool, projectSavedBefore);
        QFETCH(bool, fileChosen);
        QFETCH(bool, closed);
        Fixture f;
        f.projectMessages.answer = static_cast<sp::frame::SaveAnswer>(answer);
        QPointer<sp::frame::ModuleWindow> windows[3];
        for (int module = 1; module <= 3; ++module) {
            windows[module - 1] = f.open(module);
            if (module < 3) // the third window calculates nothing
                sp::test::WindowDriver{windows[module - 1].data()}.click("cbt_compute");
        }
        const QString site = f.file(QStringLiteral("site.sppile"));
        f.files.saveAnswer = site;
        if (projectSavedBefore)
            QVERIFY(f.project().saveAs());
        if (!fileChosen)
            f.files.saveAnswer.reset();
        const int dialogs = f.files.asked.size();

        QTest::mouseClick(f.launcher.findChild<QPushButton*>(QStringLiteral("cbt_guanbi")), Qt::LeftButton);

        const QString listed = (projectSavedBefore ? QString() : QStringLiteral("项目“未命名项目”\n")) +
                               QStringLiteral("“侧阻端阻综合计算(单层基岩)”的计算结果\n"
                                              "“侧阻端阻分解计算(多层基岩)”的计算结果\n");
        QCOMPARE(f.projectMessages.questions, QStringList({QStringLiteral("退出|以下内容尚未保存：\n") +
                                                           listed + QStringLiteral("是否保存后退出？")}));
        QVERIFY(f.windowMessages.questions.isEmpty());
        QCOMPARE(f.launcher.isVisible(), !closed);
        for (const QPointer<sp::frame::ModuleWindow>& window : windows)
            QTRY_COMPARE(bool(window), !closed);

        const bool saving = answer == int(sp::frame::SaveAnswer::Save);
        QCOMPARE(QFile::exists(f.documents() + QStringLiteral("/嵌岩桩计算书(依据DBJ52T088-2018)_文本.txt")),
                 saving);
        QCOMPARE(QFile::exists(f.documents() + QStringLiteral("/嵌岩桩计算书(依据DBJ52T088-2018)_表格.txt")),
                 saving);
        // An untitled project goes through 项目另存为; a saved one is written where it is.
        QCOMPARE(f.files.asked.size(), dialogs + (saving && !projectSavedBefore ? 1 : 0));
        QCOMPARE(QFile::exists(site), projectSavedBefore || (saving && fileChosen));
        if (QFile::exists(site)) {
            const sp::project::ReadResult read = sp::project::loadProject(site.toStdString());
            QVERIFY(read.project);
            for (int module : {1, 2}) {
                QVERIFY(read.project->module(module));
                QCOMPARE(read.project->module(module)->piles.size(), std::size_t(1));
                QCOMPARE(read.project->module(module)->bookSaved, saving);
                QCOMPARE(read.project->module(module)->tableSaved, saving);
            }
        }
    }
};

SOCKETPILE_QTEST_MAIN(LauncherTest)
#include "launcher_test.moc"
