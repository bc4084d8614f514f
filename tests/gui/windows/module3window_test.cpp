#include "frame/widgetcolours.h"
#include "guitest.h"
#include "windows/module3window.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScreen>

using namespace sp;
using sp::module3::Module3Window;

namespace {

using Fixture = test::WindowFixture<Module3Window>;

const QStringList kMethodBoxes = {"edt_ddeq", "edt_sjbeq", "edt_kesair", "edt_ra"};

// The oblong example pile: d 1000, c 500, socket 2.0d, frk 10, intact rock.
void enterOblongExample(Fixture& f) {
    f.click("cbt_tongyi");
    f.choose("cbb_jmlx", 1);
    f.type("cbe_hr", QStringLiteral("2.0d"));
    f.type("edt_frk", QStringLiteral("10"));
    f.type("cbe_yswzcd", QStringLiteral("完整"));
}

core::Colour colourOf(Fixture& f, const QString& box) {
    return frame::textColour(f.window.findChild<QLineEdit*>(box));
}

} // namespace

class Module3WindowTest : public QObject {
    Q_OBJECT
private slots:
    void opensBehindTheWarning() {
        Fixture f;
        // The design size, shortened only where the screen is smaller.
        QCOMPARE(f.window.size(), frame::ModuleWindow::openingSize({370, 800}, f.window.screen()->availableSize()));
        QVERIFY(f.get<QWidget>("AlertLayer")->isVisible());
        QVERIFY(!f.get<QWidget>("MainFormLayer")->isVisible());
        QCOMPARE(f.get<QLabel>("Label1")->text(), QStringLiteral("警    示"));
        QCOMPARE(f.get<QLabel>("Label12")->text(), QStringLiteral("否则后果自负  ！！！"));
        f.click("cbt_tongyi");
        QVERIFY(!f.get<QWidget>("AlertLayer")->isVisible());
        QVERIFY(f.get<QWidget>("MainFormLayer")->isVisible());
        auto* method = f.get<QComboBox>("cbb_deqcheck");
        QVERIFY(!method->isEnabled());
        QCOMPARE(method->currentText(), QStringLiteral("A-面积相等折算"));
        QCOMPARE(f.get<QLabel>("lb_edt_ddeq")->text(), QStringLiteral("按特定算法等效直径 deq(mm)"));
    }

    void disagreeClosesTheWindow() {
        auto* window = new Module3Window;
        window->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<Module3Window> guard(window);
        window->show();
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("cbt_butongyi")), Qt::LeftButton);
        QTRY_VERIFY(!guard);
    }

    void overStandardMethodTurnsTheBoxesRedAndBackToGreen() {
        Fixture f;
        enterOblongExample(f);
        auto* verdict = f.get<QLabel>("lb_jielun");
        QVERIFY(verdict->text().isEmpty() && !verdict->isVisible()); // no result yet
        f.click("cbt_compute");
        QCOMPARE(f.box("edt_ra"), QStringLiteral("6938"));
        QCOMPARE(f.window.verdict(), module3::ComplianceVerdict::Compliant);
        for (const QString& box : kMethodBoxes)
            QCOMPARE(colourOf(f, box), core::kGreen);
        QCOMPARE(verdict->text(), QStringLiteral("合规"));
        QVERIFY(verdict->isVisible());

        f.choose("cbb_deqcheck", 2); // C-最大回转半径折算
        auto* status = f.get<QLabel>("lb_shuoming");
        QCOMPARE(status->text(), QStringLiteral("超规选项，谨慎抉择，结果仅供研究"));
        QCOMPARE(frame::textColour(status), core::kRed);
        QCOMPARE(frame::textColour(f.get<QLabel>("lb_deqcheck")), core::kRed);
        for (const QString& box : kMethodBoxes)
            QVERIFY(f.box(box).isEmpty());
        QVERIFY(!f.box("edt_rc").isEmpty());
        QVERIFY(verdict->text().isEmpty());

        f.click("cbt_compute");
        QCOMPARE(f.box("edt_ra"), QStringLiteral("6540"));
        QCOMPARE(f.window.verdict(), module3::ComplianceVerdict::OverStandard);
        for (const QString& box : kMethodBoxes)
            QCOMPARE(colourOf(f, box), core::kRed);
        QCOMPARE(colourOf(f, QStringLiteral("edt_rc")), core::kGreen);
        // Said in words as well as by the red of the numbers.
        QCOMPARE(verdict->text(), QStringLiteral("超规：结果仅供研究，实际工程不得采用"));
        QCOMPARE(frame::textColour(verdict), core::kRed);
        f.click("cbt_View");
        QVERIFY(f.get<QPlainTextEdit>("meo_jisuanjieguo_Doc")->toPlainText().contains(QStringLiteral("超规")));
        f.click("cbt_Exit");

        f.choose("cbb_deqcheck", 0);
        QCOMPARE(status->text(), QStringLiteral("规范推荐算法"));
        QCOMPARE(frame::textColour(status), core::kBlack);
        f.click("cbt_compute");
        for (const QString& box : kMethodBoxes)
            QCOMPARE(colourOf(f, box), core::kGreen);
    }

    void roundSectionDisablesTheMethodButKeepsItsPosition() {
        Fixture f;
        enterOblongExample(f);
        f.choose("cbb_deqcheck", 2);
        f.choose("cbb_jmlx", 0);
        auto* method = f.get<QComboBox>("cbb_deqcheck");
        QVERIFY(!method->isEnabled());
        QCOMPARE(method->currentIndex(), 2);
        QCOMPARE(frame::textColour(f.get<QLabel>("lb_deqcheck")), core::kBlack);
        f.click("cbt_compute");
        QCOMPARE(f.window.verdict(), module3::ComplianceVerdict::Compliant);
        QCOMPARE(colourOf(f, QStringLiteral("edt_ra")), core::kGreen);

        f.choose("cbb_jmlx", 2); // back to a section the method applies to: red again
        QVERIFY(method->isEnabled());
        QCOMPARE(frame::textColour(f.get<QLabel>("lb_deqcheck")), core::kRed);
    }

    void processChangeClearsTheDiameterBoxesToo() {
        Fixture f;
        f.click("cbt_tongyi");
        f.click("cbt_compute");
        f.choose("cbb_czgy", 0);
        for (const char* box : {"edt_ddeq", "edt_sjbeq", "edt_kesair", "edt_ra", "edt_rc"})
            QVERIFY(f.box(QString::fromLatin1(box)).isEmpty());
    }

    void precisionPopupClosesWhenACalculationStarts() {
        Fixture f;
        f.click("cbt_tongyi");
        f.type("cbe_dd", QStringLiteral("0"));
        f.click("cbt_JingDu");
        auto* popup = f.get<QListWidget>("popbox_jingdu");
        QVERIFY(popup->isVisible());
        // Pressed without a mouse click in the window (a click elsewhere would close the popup by
        // itself): the calculation fails its check, and the popup closes all the same.
        f.button("cbt_compute")->click();
        QVERIFY(!popup->isVisible());
        QCOMPARE(f.get<QLabel>("lb_shuoming")->text(), QStringLiteral("桩身直径数据有错"));
    }
};

SOCKETPILE_QTEST_MAIN(Module3WindowTest)
#include "module3window_test.moc"
