#include "windows/launcherfixture.h"

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

    // Closing the launcher closes every module window, each asking about its unsaved piles; one
    // kept open keeps the launcher open, and the windows after it are not asked.
    void closingTheLauncherAsksEachWindowWithUnsavedPiles_data() {
        QTest::addColumn<int>("answer1");
        QTest::addColumn<int>("answer2");
        QTest::addColumn<bool>("launcherOpen");
        QTest::addColumn<bool>("window1Open");
        QTest::addColumn<bool>("window2Open");
        QTest::addColumn<int>("questions2");
        QTest::addColumn<bool>("bookSaved1");
        using sp::frame::SaveAnswer;
        const int save = int(SaveAnswer::Save), discard = int(SaveAnswer::Discard),
                  cancel = int(SaveAnswer::Cancel);
        QTest::newRow("不保存, 不保存") << discard << discard << false << false << false << 1 << false;
        QTest::newRow("保存, 不保存") << save << discard << false << false << false << 1 << true;
        QTest::newRow("取消 in the first") << cancel << discard << true << true << true << 0 << false;
        QTest::newRow("取消 in the second") << discard << cancel << true << false << true << 1 << false;
    }
    void closingTheLauncherAsksEachWindowWithUnsavedPiles() {
        QFETCH(int, answer1);
        QFETCH(int, answer2);
        Fixture f; // the project's own question is answered "不保存"
        LauncherWindow& launcher = f.launcher;
        QTemporaryDir folder;
        sp::test::RecordingMessages messages[2];
        messages[0].answer = static_cast<sp::frame::SaveAnswer>(answer1);
        messages[1].answer = static_cast<sp::frame::SaveAnswer>(answer2);
        QPointer<QWidget> windows[2];
        for (int k = 0; k < 2; ++k) {
            QTest::mouseClick(launcher.findChild<QPushButton*>(QStringLiteral("cbt_Gongshi%1").arg(k + 1)),
                              Qt::LeftButton);
            auto* window = qobject_cast<sp::frame::ModuleWindow*>(launcher.moduleWindow(k + 1));
            QVERIFY(window);
            window->setMessageSink(&messages[k]);
            window->setDocumentsFolder(folder.path());
            sp::test::WindowDriver{window}.click("cbt_compute");
            windows[k] = window;
        }
        // A third window with nothing computed asks nothing.
        QTest::mouseClick(launcher.findChild<QPushButton*>(QStringLiteral("cbt_Gongshi3")), Qt::LeftButton);
        QPointer<QWidget> third = launcher.moduleWindow(3);

        QTest::mouseClick(launcher.findChild<QPushButton*>(QStringLiteral("cbt_guanbi")), Qt::LeftButton);

        QFETCH(bool, launcherOpen);
        QFETCH(bool, window1Open);
        QFETCH(bool, window2Open);
        QFETCH(int, questions2);
        QFETCH(bool, bookSaved1);
        QCOMPARE(launcher.isVisible(), launcherOpen);
        QCOMPARE(messages[0].questions,
                 QStringList({QStringLiteral("未保存的计算结果|计算结果尚未保存，是否保存后关闭？")}));
        QCOMPARE(messages[1].questions.size(), questions2);
        QTRY_COMPARE(bool(windows[0]), window1Open);
        QTRY_COMPARE(bool(windows[1]), window2Open);
        QTRY_COMPARE(bool(third), launcherOpen);
        QCOMPARE(QFile::exists(folder.path() + QStringLiteral("/嵌岩桩计算书(依据DBJ52T088-2018)_文本.txt")),
                 bookSaved1);
        for (const QPointer<QWidget>& window : windows)
            if (window)
                QVERIFY(window->isVisible());
    }
};

SOCKETPILE_QTEST_MAIN(LauncherTest)
#include "launcher_test.moc"
