#include "core/textfile.h"
#include "frame/widgetcolours.h"
#include "guitest.h"
#include "module1/module1session.h"
#include "windows/module1window.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QTemporaryDir>

#include <fstream>
#include <memory>
#include <sstream>

using namespace sp;
using sp::module1::Module1Window;

namespace {

const core::Moment kMoment = test::kFixedMoment;
const QStringList kBoxes = {"edt_ddeq", "edt_sjbeq", "edt_kesair", "edt_ra", "edt_rc"};

std::string readBytes(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

using Fixture = test::WindowFixture<Module1Window>;

} // namespace

class Module1WindowTest : public QObject {
    Q_OBJECT
private slots:
    void newWindowStartsAtTheDefaults() {
        Fixture f;
        // The design size, shortened only where the screen is smaller.
        QCOMPARE(f.window.size(), frame::ModuleWindow::openingSize({370, 764}, f.window.screen()->availableSize()));
        QCOMPARE(f.get<QComboBox>("cbb_jmlx")->currentText(), QStringLiteral("圆桩"));
        QCOMPARE(f.get<QComboBox>("cbe_dd")->currentText(), QStringLiteral("1000"));
        QCOMPARE(f.get<QComboBox>("cbe_tyzd")->currentText(), QStringLiteral("0"));
        QVERIFY(!f.get<QComboBox>("cbe_tyzd")->isEnabled());
        QCOMPARE(f.get<QComboBox>("cbe_hr")->currentText(), QStringLiteral("1.0d"));
        QCOMPARE(f.get<QComboBox>("cbb_hnt")->currentText(), QStringLiteral("C30"));
        QCOMPARE(f.get<QComboBox>("cbb_czgy")->currentText(), QStringLiteral("泥浆护壁成桩"));
        QCOMPARE(f.get<QLineEdit>("edt_frk")->text(), QStringLiteral("25"));
        QCOMPARE(f.get<QComboBox>("cbe_yswzcd")->currentText(), QStringLiteral("较完整"));
        QVERIFY(f.button("cbt_compute")->isVisible());
        QVERIFY(!f.button("cbt_View")->isVisible());
        QVERIFY(!f.get<QLabel>("lb_shuoming")->isVisible());
        QVERIFY(f.get<QLabel>("img_logo")->isVisible());
        QVERIFY(!f.get<QListWidget>("popbox_jingdu")->isVisible());
        QVERIFY(!f.button("cbt_sanchu")->isEnabled());
    }

    void defaultPileFillsTheBoxesAndThePages() {
        Fixture f;
        f.click("cbt_compute");
        const QStringList expected = {"1000", "1.00", "0.7867", "7723", "6739"};
        for (int k = 0; k < kBoxes.size(); ++k)
            QCOMPARE(f.box(kBoxes[k]), expected[k]);
        auto* status = f.get<QLabel>("lb_shuoming");
        QVERIFY(status->isVisible());
        QVERIFY(!f.get<QLabel>("img_logo")->isVisible());
        QCOMPARE(status->text(), QStringLiteral("较软岩,岩体较完整"));
        QCOMPARE(frame::textColour(status), core::kBlack);
        QVERIFY(!f.button("cbt_compute")->isVisible());
        QVERIFY(f.button("cbt_View")->isVisible());
        QCOMPARE(f.window.documents().pileRegister().count(), 1);
        QVERIFY(f.get<QPlainTextEdit>("meo_jisuanjieguo_Doc")->toPlainText().startsWith(
            QStringLiteral("================== 嵌岩桩计算书 ==================\n1.基桩编号: ZH1")));
    }

    void failedCheckMarksTheFieldAndLeavesThePagesAlone() {
        Fixture f;
        f.click("cbt_compute");
        const auto book = f.window.documents().book().lines();
        f.type("cbe_dd", QString());
        f.click("cbt_compute");
        auto* status = f.get<QLabel>("lb_shuoming");
        QCOMPARE(status->text(), QStringLiteral("桩身直径数据有错"));
        QCOMPARE(frame::textColour(status), core::kRed);
        QCOMPARE(frame::textColour(f.get<QComboBox>("cbe_dd")), core::kRed);
        QCOMPARE(f.get<QLabel>("lb_YHxingxi")->text(), QStringLiteral("运行中止，主界面可查看中止位置、原因"));
        QCOMPARE(f.window.documents().pileRegister().count(), 1);
        QCOMPARE(f.window.documents().book().lines(), book);
        QVERIFY(f.button("cbt_compute")->isVisible());
        QVERIFY(f.box("edt_ra").isEmpty());

        // Corrected, the pile computes and the status line shows the integrity again.
        f.type("cbe_dd", QStringLiteral("1200"));
        QCOMPARE(frame::textColour(f.get<QComboBox>("cbe_dd")), core::kBlack);
        f.click("cbt_compute");
        QCOMPARE(status->text(), QStringLiteral("较软岩,岩体较完整"));
        QVERIFY(!f.get<QLabel>("img_logo")->isVisible());
    }

    void unreadableSocketShowsTheConversionReport() {
        Fixture f;
        f.type("cbe_hr", QStringLiteral("xd"));
        f.click("cbt_compute");
        QCOMPARE(f.messages.messages.size(), 1);
        QVERIFY(f.messages.messages.front().contains(QStringLiteral("xd")));
        QCOMPARE(f.window.documents().pileRegister().count(), 0);
    }

    void precisionPopupRecomputesAndCloses() {
        Fixture f;
        f.click("cbt_compute");
        auto* popup = f.get<QListWidget>("popbox_jingdu");
        f.click("cbt_JingDu");
        QVERIFY(popup->isVisible());
        popup->setCurrentRow(0); // "两位小数"
        QCOMPARE(f.window.documents().pileRegister().count(), 2);
        QCOMPARE(f.box("edt_ra"), QStringLiteral("7723.08"));
        QVERIFY(!popup->isVisible());

        // With the popup closed a choice waits for the next calculation.
        popup->setCurrentRow(3);
        QCOMPARE(f.window.documents().pileRegister().count(), 2);
        f.get<QComboBox>("cbb_hnt")->setCurrentIndex(0);
        f.click("cbt_compute");
        QCOMPARE(f.box("edt_ra"), QStringLiteral("7720"));
    }

    void deleteLastThreeTimes() {
        Fixture f;
        for (const char* d : {"1000", "1100", "1200"}) {
            f.type("cbe_dd", QString::fromLatin1(d));
            f.click("cbt_compute");
        }
        f.click("cbt_View");
        f.click("cbt_sanchu");
        f.click("cbt_sanchu");
        QCOMPARE(f.window.documents().pileRegister().count(), 1);
        const QString table = f.get<QPlainTextEdit>("meo_jisuanjieguo_Xls")->toPlainText();
        QVERIFY(table.contains(QStringLiteral("ZH1")));
        QVERIFY(!table.contains(QStringLiteral("ZH2")));
        QVERIFY(f.button("cbt_sanchu")->isEnabled());
        f.click("cbt_sanchu");
        QVERIFY(f.get<QPlainTextEdit>("meo_jisuanjieguo_Doc")->toPlainText().isEmpty());
        QVERIFY(f.get<QPlainTextEdit>("meo_jisuanjieguo_Xls")->toPlainText().isEmpty());
        QVERIFY(!f.button("cbt_Save")->isEnabled());
        QVERIFY(!f.button("cbt_sanchu")->isEnabled());
    }

    void saveStateFollowsPagesAndSaves() {
        Fixture f;
        f.click("cbt_compute");
        f.type("cbe_dd", QStringLiteral("1500"));
        f.click("cbt_compute");
        f.click("cbt_View");
        QVERIFY(f.button("cbt_Save")->isEnabled());
        f.click("cbt_Save"); // page 1: the book
        QCOMPARE(f.window.documents().saveState().value(), 2);
        QVERIFY(!f.button("cbt_Save")->isEnabled());
        f.click("cbt_PageBook");
        QCOMPARE(f.button("cbt_PageBook")->text(), QStringLiteral("2"));
        QVERIFY(f.get<QPlainTextEdit>("meo_jisuanjieguo_Xls")->isVisible());
        QVERIFY(f.button("cbt_Save")->isEnabled());
        f.click("cbt_Save");
        QCOMPARE(f.window.documents().saveState().value(), 0);
        f.click("cbt_PageBook");
        QVERIFY(!f.button("cbt_Save")->isEnabled());

        // The files are those the command line writes for the same piles and moment.
        module1::Session session;
        session.compute(kMoment);
        session.setFieldText(module1::kFieldD, "1500");
        session.compute(kMoment);
        QCOMPARE(readBytes(f.savedPath(report::kBookFileName)),
                 core::encodePage(session.documents().page(report::Page::Book)));
        QCOMPARE(readBytes(f.savedPath(report::kTableFileName)),
                 core::encodePage(session.documents().page(report::Page::Table)));
        QVERIFY(f.messages.messages.isEmpty());
    }

    void refusedPermissionAndFailedWriteLeaveTheSaveStateAlone() {
        Fixture f;
        test::RefusingPermission refusing;
        f.window.setStoragePermission(&refusing);
        f.click("cbt_compute");
        f.click("cbt_View");
        f.click("cbt_Save");
        QCOMPARE(f.messages.messages,
                 QStringList({QStringLiteral("需要存贮权限，否则计算结果不能存盘"), QStringLiteral("无权存盘")}));
        QCOMPARE(f.window.documents().saveState().value(), 3);
        QVERIFY(f.button("cbt_Save")->isEnabled());

        frame::DesktopStoragePermission granting;
        f.window.setStoragePermission(&granting);
        QDir().mkpath(f.savedPath(report::kBookFileName) + QStringLiteral("/blocked"));
        f.messages.messages.clear();
        f.click("cbt_Save");
        QCOMPARE(f.messages.messages.size(), 1);
        QVERIFY(f.messages.messages.front().contains(f.savedPath(report::kBookFileName)));
        QCOMPARE(f.window.documents().saveState().value(), 3);
        QVERIFY(f.button("cbt_Save")->isEnabled());
    }

    void sectionKindRefillsTheLists() {
        Fixture f;
        auto* section = f.get<QComboBox>("cbb_jmlx");
        auto* second = f.get<QComboBox>("cbe_tyzd");
        auto* depth = f.get<QComboBox>("cbe_hr");
        section->setCurrentIndex(2);
        QCOMPARE(f.get<QLabel>("lb_dd")->text(), QStringLiteral("矩形长边尺寸    a (mm)"));
        QCOMPARE(f.get<QLabel>("lb_tyzd")->text(), QStringLiteral("矩形短边尺寸    b (mm)"));
        QVERIFY(second->isEnabled());
        QCOMPARE(second->currentText(), QStringLiteral("1000"));
        QCOMPARE(second->count(), 11);
        QCOMPARE(depth->currentText(), QStringLiteral("1.0b"));
        QCOMPARE(depth->itemText(0), QStringLiteral("1.0b"));

        section->setCurrentIndex(0);
        QVERIFY(!second->isEnabled());
        QCOMPARE(second->currentText(), QStringLiteral("0"));
        QCOMPARE(second->itemText(0), QStringLiteral("100"));
        QCOMPARE(second->count(), 12);
        QCOMPARE(depth->currentText(), QStringLiteral("1.0d"));
        QVERIFY(!f.get<QLabel>("lb_shuoming")->isVisible()); // refilling raised no message

        section->setCurrentIndex(1);
        QCOMPARE(second->currentText(), QStringLiteral("500"));
        f.click("cbt_compute");
        QCOMPARE(f.box("edt_ddeq"), QStringLiteral("1279"));
    }

    void rectangleSidesAreRewrittenInTheFields() {
        Fixture f;
        f.get<QComboBox>("cbb_jmlx")->setCurrentIndex(2);
        f.type("cbe_dd", QStringLiteral("800"));
        f.click("cbt_compute");
        QCOMPARE(f.get<QComboBox>("cbe_dd")->currentText(), QStringLiteral("1000"));
        QCOMPARE(f.get<QComboBox>("cbe_tyzd")->currentText(), QStringLiteral("800"));
        QVERIFY(!f.button("cbt_compute")->isVisible());
    }

    void eachChangeClearsExactlyItsBoxes() {
        const struct {
            const char* field;
            QStringList cleared;
        } cases[] = {
            {"cbe_dd", kBoxes},
            {"cbe_tyzd", kBoxes},
            {"cbe_hr", {"edt_sjbeq", "edt_kesair", "edt_ra"}},
            {"cbb_hnt", {"edt_rc"}},
            {"cbb_czgy", {"edt_kesair", "edt_ra", "edt_rc"}},
            {"edt_frk", {"edt_kesair", "edt_ra"}},
            {"cbe_yswzcd", {"edt_kesair", "edt_ra"}},
        };
        for (const auto& c : cases) {
            Fixture f;
            f.click("cbt_compute");
            QWidget* w = f.window.findChild<QWidget*>(QString::fromLatin1(c.field));
            auto* combo = qobject_cast<QComboBox*>(w);
            if (combo && !combo->isEditable())
                combo->setCurrentIndex(combo->currentIndex() == 0 ? 1 : 0);
            else
                f.type(c.field, QStringLiteral("1.5"));
            for (const QString& box : kBoxes)
                QCOMPARE(f.box(box).isEmpty(), c.cleared.contains(box));
            QVERIFY(f.button("cbt_compute")->isVisible());
            QVERIFY(!f.button("cbt_View")->isVisible());
        }
    }

    void typingChecksWarnWithoutBlocking() {
        Fixture f;
        f.type("edt_frk", QStringLiteral("-3"));
        auto* status = f.get<QLabel>("lb_shuoming");
        QVERIFY(status->isVisible());
        QCOMPARE(status->text(), QStringLiteral("岩石单轴抗压强度值有错"));
        QCOMPARE(frame::textColour(f.get<QLineEdit>("edt_frk")), core::kRed);
        f.type("edt_frk", QStringLiteral("0"));
        QCOMPARE(status->text(), QString());
        QVERIFY(status->isVisible());
        f.click("cbt_compute");
        QCOMPARE(status->text(), QStringLiteral("岩石单轴抗压强度值有错"));
    }

    void sliderSetsBothViews() {
        Fixture f;
        auto* slider = f.get<QSlider>("tcb_meoFontSize");
        for (int size : {4, 24}) {
            slider->setValue(size);
            QCOMPARE(f.get<QPlainTextEdit>("meo_jisuanjieguo_Doc")->font().pixelSize(), size);
            QCOMPARE(f.get<QPlainTextEdit>("meo_jisuanjieguo_Xls")->font().pixelSize(), size);
        }
    }

    // The window shows what a session driven by the same steps holds, so that the window and the
    // command line (which computes through the session) cannot drift apart.
    void windowShowsWhatItsSessionHolds_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("default pile") << QStringList{"compute"};
        QTest::newRow("rectangle sides exchanged") << QStringList{"section 2", "type cbe_dd 800", "compute"};
        QTest::newRow("second text kept by the next section")
            << QStringList{"section 1", "type cbe_tyzd 1000", "type edt_frk -3", "section 2"};
        QTest::newRow("stopped after a pile") << QStringList{"compute", "type cbe_dd", "compute"};
        QTest::newRow("lists after a pile") << QStringList{"compute", "grade 0", "process 0"};
        QTest::newRow("unreadable socket") << QStringList{"type cbe_hr xd", "compute"};
    }
    void windowShowsWhatItsSessionHolds() {
        QFETCH(QStringList, steps);
        Fixture f;
        module1::Session session;
        for (const QString& step : steps) {
            const QStringList part = step.split(QLatin1Char(' '));
            const QString text = part.size() > 2 ? part[2] : QString();
            if (part[0] == QLatin1String("compute")) {
                f.click("cbt_compute");
                session.compute(kMoment);
            } else if (part[0] == QLatin1String("section")) {
                f.choose("cbb_jmlx", part[1].toInt());
                session.chooseSection(static_cast<core::SectionType>(part[1].toInt() + 1));
            } else if (part[0] == QLatin1String("grade")) {
                f.choose("cbb_hnt", part[1].toInt());
                session.chooseGrade(part[1].toInt());
            } else if (part[0] == QLatin1String("process")) {
                f.choose("cbb_czgy", part[1].toInt());
                session.chooseProcess(part[1].toInt());
            } else {
                f.type(qPrintable(part[1]), text);
                session.setFieldText(part[1].toStdString(), text.toStdString());
            }
        }
        auto* status = f.get<QLabel>("lb_shuoming");
        QCOMPARE(status->isVisible(), session.status().visible);
        QCOMPARE(status->text(), QString::fromStdString(session.status().text));
        if (session.status().visible)
            QCOMPARE(frame::textColour(status), session.status().colour);
        for (const QString& box : kBoxes)
            QCOMPARE(f.box(box), QString::fromStdString(session.box(box.toStdString())));
        for (const char* field : {"cbe_dd", "cbe_tyzd", "cbe_hr", "cbe_yswzcd"})
            QCOMPARE(f.get<QComboBox>(field)->currentText(), QString::fromStdString(session.fieldText(field)));
        QCOMPARE(f.get<QLineEdit>("edt_frk")->text(), QString::fromStdString(session.fieldText("edt_frk")));
        for (const auto& [name, colour] : session.fieldColours())
            QCOMPARE(frame::textColour(f.window.findChild<QWidget*>(QString::fromStdString(name))), colour);
        QCOMPARE(f.button("cbt_View")->isVisible(), session.calculated());
        QCOMPARE(f.window.documents().pileRegister().count(), session.documents().pileRegister().count());
    }

    void pastTheEndOfTheZetaTableTheZetaBoxSaysSo() {
        Fixture f;
        auto* marker = f.window.findChild<QAction*>(QStringLiteral("act_zetaNote"));
        QVERIFY(marker);
        QVERIFY(!marker->isVisible());
        f.type("cbe_hr", QStringLiteral("5.0d"));
        f.type("edt_frk", QStringLiteral("40"));
        f.type("cbe_yswzcd", QStringLiteral("完整"));
        f.click("cbt_compute");
        QCOMPARE(f.box("edt_kesair"), QStringLiteral("1.0400"));
        QVERIFY(marker->isVisible());
        const QString note =
            QStringLiteral("hr/deq = 5.00 > 4.0，取 4.0 行：已超出 ζr 表，Ra 不再随 hr 增大");
        QCOMPARE(marker->toolTip(), note);
        QCOMPARE(f.get<QLineEdit>("edt_kesair")->toolTip(), note);
        QCOMPARE(f.get<QLabel>("lb_shuoming")->text(),
                 QStringLiteral("较硬岩,岩体完整")); // the status line stays

        f.type("cbe_hr", QStringLiteral("2.0d")); // clears the box
        QVERIFY(!marker->isVisible());
        QVERIFY(f.get<QLineEdit>("edt_kesair")->toolTip().isEmpty());
        f.click("cbt_compute");
        QVERIFY(!marker->isVisible());
    }

    void optimisationModeComputesWithoutWriting() {
        Fixture f;
        f.click("cbt_YouHua");
        QVERIFY(f.window.optimisationMode());
        QVERIFY(f.window.findChild<QWidget*>(QStringLiteral("YouHuaFormLayer"))->isVisible());
        QMetaObject::invokeMethod(f.button("cbt_compute"), "click");
        QCOMPARE(f.box("edt_ra"), QStringLiteral("7723"));
        QCOMPARE(f.window.documents().pileRegister().count(), 0);
        f.click("cbt_YHfanhui");
        QVERIFY(!f.window.optimisationMode());
        QVERIFY(f.window.findChild<QWidget*>(QStringLiteral("MainFormLayer"))->isVisible());
    }
};

SOCKETPILE_QTEST_MAIN(Module1WindowTest)
#include "module1window_test.moc"
