// "反算" in the module windows: the dialog filled without being shown, then the least depth (or
// diameter) in the inputs and calculated as "计算" would, or a message and no input changed.

#include "frame/modulewindows.h"
#include "guitest.h"
#include "module2/rocklayergrid.h"
#include "solve/depthsolver.h"
#include "solve/solvedialog.h"

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTableWidget>

#include <functional>
#include <memory>

using namespace sp;
using solve::SolveDialog;

namespace {

// What the engineer types into the dialog and the button pressed; what the dialog then showed.
struct DialogInput {
    explicit DialogInput(QString ra = {}, QString n = {}, QString step = QStringLiteral("50"))
        : ra(std::move(ra)), n(std::move(n)), step(std::move(step)) {}

    QString ra, n, step;
    std::optional<QString> minDepth; // the dialog's own default unless given
    QString minDepthShown;           // what the field held when the dialog opened
    const char* press = "cbt_SolveOk";
    // After a refusal, this Ra,req is typed and the button pressed again (as the engineer would).
    std::optional<QString> correctedRa;

    int runs = 0;
    QString refusal;
    bool asksN = false;
    bool offersDiameter = false;
};

// A module window driven by a test: recorded messages, a fixed clock, the dialog filled by `input`.
struct SolveFixture : test::FixtureBase {
    explicit SolveFixture(int module) : module(module), window(test::makeModuleWindow(module)) {
        prepare(*window);
        if (module == 3)
            click("cbt_tongyi");
        window->setDialogRunner([this](QDialog& dialog) { return fill(dialog); });
    }

    int fill(QDialog& dialog) {
        ++input.runs;
        auto field = [&](const char* name) { return dialog.findChild<QLineEdit*>(QString::fromLatin1(name)); };
        auto press = [&](const char* name) { dialog.findChild<QPushButton*>(QString::fromLatin1(name))->click(); };
        input.asksN = field("ed_N")->isVisibleTo(&dialog);
        input.offersDiameter = dialog.findChild<QPushButton*>(QStringLiteral("cbt_LeastDiameter")) != nullptr;
        field("ed_Ra")->setText(input.ra);
        field("ed_N")->setText(input.n);
        field("ed_Step")->setText(input.step);
        input.minDepthShown = field("ed_MinDepth")->text();
        if (input.minDepth)
            field("ed_MinDepth")->setText(*input.minDepth);
        press(input.press);
        input.refusal = static_cast<SolveDialog&>(dialog).refusal();
        if (input.correctedRa && dialog.result() == QDialog::Rejected) {
            field("ed_Ra")->setText(*input.correctedRa);
            press(input.press);
        }
        return dialog.result();
    }

    void solve(DialogInput in) {
        input = std::move(in);
        button("cbt_Solve")->click();
    }

    // The depth input: hr, or module 2's bottom layer's lri.
    QString depth() const {
        if (module != 2)
            return root->findChild<QComboBox*>(QStringLiteral("cbe_hr"))->currentText();
        const module2::RockLayerGrid& grid = static_cast<module2::Module2Window&>(*window).grid();
        return QString::fromStdString(grid.cell(grid.layerCount(), module2::kColLr));
    }
    void typeDepth(const QString& text) {
        if (module != 2)
            return type("cbe_hr", text);
        const int bottom = static_cast<module2::Module2Window&>(*window).grid().layerCount() - 1;
        get<QTableWidget>("StringGrid_QB2")->item(bottom, module2::kColLr)->setText(text);
    }
    QStringList boxes() {
        QStringList texts;
        for (const char* name : module == 2 ? std::vector<const char*>{"edt_Quk", "edt_ra", "edt_percent"}
                                            : std::vector<const char*>{"edt_ddeq", "edt_sjbeq", "edt_kesair", "edt_ra",
                                                                       "edt_rc"})
            texts << box(QString::fromLatin1(name));
        return texts;
    }
    QString book() { return get<QPlainTextEdit>("meo_jisuanjieguo_Doc")->toPlainText(); }
    int piles() const { return window->documents().pileRegister().count(); }

    // The engine's answer for the window's inputs as they stand.
    solve::DepthSolution expected(const solve::Target& target, long long step) const {
        if (module == 1)
            return solve::solveDepth(static_cast<module1::Module1Window&>(*window).inputs(), target, step);
        if (module == 3) {
            module3::Inputs in;
            static_cast<module1::Inputs&>(in) = static_cast<module3::Module3Window&>(*window).inputs();
            in.method = static_cast<module3::Module3Window&>(*window).method();
            return solve::solveDepth(in, target, step);
        }
        return solve::solveDepth(static_cast<module2::Module2Window&>(*window).inputs(), target, step);
    }

    int module;
    std::unique_ptr<frame::ModuleWindow> window;
    DialogInput input;
};

} // namespace

class SolveDialogTest : public QObject {
    Q_OBJECT
private slots:
    void foundDepthIsWrittenAndCalculatedAsByCompute_data() {
        QTest::addColumn<int>("module");
        QTest::addColumn<QString>("frk");
        QTest::addColumn<QString>("ra");
        QTest::addColumn<QString>("n");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("depth");
        QTest::newRow("module 1, default pile") << 1 << "25" << "9000" << "" << "50" << "";
        QTest::newRow("module 1, with N and step 100") << 1 << "30" << "10000" << "6000" << "100" << "";
        QTest::newRow("module 3") << 3 << "25" << "9000" << "6000" << "50" << "";
        QTest::newRow("module 2, bottom layer") << 2 << "" << "12000" << "" << "50" << "";
    }
    void foundDepthIsWrittenAndCalculatedAsByCompute() {
        QFETCH(int, module);
        QFETCH(QString, frk);
        QFETCH(QString, ra);
        QFETCH(QString, n);
        QFETCH(QString, step);
        SolveFixture f(module);
        if (module != 2)
            f.type("edt_frk", frk);
        solve::Target target{ra.toDouble(), n.isEmpty() ? std::nullopt : std::optional<double>(n.toDouble())};
        const solve::DepthSolution expected = f.expected(target, step.toLongLong());
        QCOMPARE(expected.kind, solve::SolveKind::Found);
        QVERIFY(expected.ra >= target.ra);

        QSignalSpy changed(f.window.get(), &frame::ModuleWindow::contentChanged);
        f.solve(DialogInput(ra, n, step));
        QCOMPARE(f.input.runs, 1);
        QCOMPARE(f.input.asksN, module != 2);
        QVERIFY(f.messages.messages.isEmpty());
        QCOMPARE(f.depth(), QString::fromStdString(expected.depthText));
        QVERIFY(changed.count() >= 1);
        QCOMPARE(f.piles(), 1);
        QVERIFY(f.button("cbt_View")->isVisible());
        QVERIFY(!f.button("cbt_compute")->isVisible());

        // The same pile typed in and calculated by "计算" in a second window shows the same.
        SolveFixture twin(module);
        if (module != 2)
            twin.type("edt_frk", frk);
        twin.typeDepth(f.depth());
        twin.click("cbt_compute");
        QCOMPARE(f.boxes(), twin.boxes());
        for (const char* strip : {"lb_shuoming", "img_logo"})
            QCOMPARE(f.get<QLabel>(strip)->isVisible(), twin.get<QLabel>(strip)->isVisible());
        QCOMPARE(f.get<QLabel>("lb_shuoming")->text(), twin.get<QLabel>("lb_shuoming")->text());
        QCOMPARE(f.book(), twin.book());
        QCOMPARE(f.window->documents().records(), twin.window->documents().records());
    }

    void noSolutionIsToldAndChangesNoInput_data() {
        QTest::addColumn<int>("module");
        QTest::addColumn<QString>("frk");
        QTest::addColumn<QString>("integrity");
        QTest::addColumn<QString>("ra");
        QTest::addColumn<QString>("n");
        QTest::addColumn<QString>("message");
        QTest::newRow("module 1, beyond the table")
            << 1 << "40" << "完整" << "17000" << ""
            << "无解：该截面最大可达 Ra = 16336 kN（hr = 4000 mm），请加大桩径";
        QTest::newRow("module 1, Rc short of N") << 1 << "25"
                                                 << "较完整"
                                                 << "1000"
                                                 << "7000"
                                                 << "无解：该截面 Rc = 6739 kN，达不到 N = 7000 kN（Rc "
                                                    "与嵌岩深度无关），请加大截面或提高混凝土强度等级";
        QTest::newRow("module 3, beyond the table") << 3 << "40" << "完整" << "17000" << "" << "";
        QTest::newRow("module 1, a field that fails") << 1 << "abc" << "较完整" << "9000" << "" << "";
        QTest::newRow("module 2, beyond any length") << 2 << "" << "" << "1e9" << "" << "";
        QTest::newRow("module 2, a cell that fails") << 2 << "abc" << "" << "9000" << "" << "";
    }
    void noSolutionIsToldAndChangesNoInput() {
        QFETCH(int, module);
        QFETCH(QString, frk);
        QFETCH(QString, integrity);
        QFETCH(QString, ra);
        QFETCH(QString, n);
        QFETCH(QString, message);
        SolveFixture f(module);
        if (module != 2) {
            f.type("edt_frk", frk);
            f.type("cbe_yswzcd", integrity);
        } else if (!frk.isEmpty()) {
            f.get<QTableWidget>("StringGrid_QB2")->item(0, module2::kColFrk)->setText(frk);
        }
        solve::Target target{ra.toDouble(), n.isEmpty() ? std::nullopt : std::optional<double>(n.toDouble())};
        const solve::DepthSolution expected = f.expected(target, 50);
        QVERIFY(expected.kind != solve::SolveKind::Found);
        if (message.isEmpty())
            message = QString::fromStdString(expected.message);
        const QString depthBefore = f.depth();
        const QStringList boxesBefore = f.boxes();

        QSignalSpy changed(f.window.get(), &frame::ModuleWindow::contentChanged);
        f.solve(DialogInput(ra, n));
        QCOMPARE(f.messages.messages, QStringList{message});
        QVERIFY(!message.isEmpty());
        QCOMPARE(f.depth(), depthBefore);
        QCOMPARE(f.boxes(), boxesBefore);
        QCOMPARE(f.piles(), 0);
        QCOMPARE(changed.count(), 0);
        QVERIFY(f.button("cbt_compute")->isVisible());
    }

    void badNumbersAreRefusedInTheDialog_data() {
        QTest::addColumn<int>("module");
        QTest::addColumn<QString>("ra");
        QTest::addColumn<QString>("n");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("Ra,req missing") << 1 << " " << "" << "50" << "请输入要求的单桩竖向承载力特征值 Ra,req (kN)";
        QTest::newRow("Ra,req not a number") << 1 << "9000kN" << "" << "50" << "Ra,req 须为大于 0 的数 (kN)：9000kN";
        QTest::newRow("Ra,req zero") << 3 << "0" << "" << "50" << "Ra,req 须为大于 0 的数 (kN)：0";
        QTest::newRow("Ra,req infinite") << 2 << "inf" << "" << "50" << "Ra,req 须为大于 0 的数 (kN)：inf";
        QTest::newRow("N negative") << 1 << "9000" << "-1" << "50"
                                    << "N 须为大于 0 的数 (kN)，不需核算 Rc 时留空：-1";
        QTest::newRow("step zero") << 1 << "9000" << "" << "0" << "步长须为 1 至 1000000 之间的整数 (mm)：0";
        QTest::newRow("step not whole") << 2 << "9000" << "" << "12.5"
                                        << "步长须为 1 至 1000000 之间的整数 (mm)：12.5";
        QTest::newRow("step empty") << 3 << "9000" << "" << "" << "步长须为 1 至 1000000 之间的整数 (mm)：";
        QTest::newRow("least socket negative") << 1 << "9000"
                                               << ""
                                               << "50|-1"
                                               << "最小深度须为 0 至 1000000 之间的整数 (mm)，0 为不限：-1";
        QTest::newRow("least socket in metres") << 2 << "9000"
                                                << ""
                                                << "50|0.5"
                                                << "最小深度须为 0 至 1000000 之间的整数 (mm)，0 为不限：0.5";
        QTest::newRow("least socket too long")
            << 3 << "9000"
            << ""
            << "50|1000001"
            << "最小深度须为 0 至 1000000 之间的整数 (mm)，0 为不限：1000001";
        QTest::newRow("least socket empty") << 1 << "9000"
                                            << ""
                                            << "50|"
                                            << "最小深度须为 0 至 1000000 之间的整数 (mm)，0 为不限：";
    }
    void badNumbersAreRefusedInTheDialog() {
        QFETCH(int, module);
        QFETCH(QString, ra);
        QFETCH(QString, n);
        QFETCH(QString, step);
        QFETCH(QString, refusal);
        SolveFixture f(module);
        const QString depthBefore = f.depth();
        QSignalSpy changed(f.window.get(), &frame::ModuleWindow::contentChanged);
        // "step|least socket" gives the least socket too.
        const QStringList parts = step.split(QLatin1Char('|'));
        DialogInput in(ra, n, parts[0]);
        if (parts.size() > 1)
            in.minDepth = parts[1];
        f.solve(in);
        QCOMPARE(f.input.refusal, refusal);
        QVERIFY(f.messages.messages.isEmpty());
        QCOMPARE(f.depth(), depthBefore);
        QCOMPARE(f.piles(), 0);
        QCOMPARE(changed.count(), 0);
    }

    void theNumbersReadFromTheDialog() {
        // Module 2 has no N: whatever its (hidden) field holds is not read.
        const auto m2 = solve::readRequest(QStringLiteral(" 12000.5 "), QStringLiteral("x"),
                                           QStringLiteral("20"), QStringLiteral(" 300 "), false);
        QVERIFY(std::holds_alternative<solve::SolveRequest>(m2));
        QCOMPARE(std::get<solve::SolveRequest>(m2).target.ra, 12000.5);
        QVERIFY(!std::get<solve::SolveRequest>(m2).target.n);
        QCOMPARE(std::get<solve::SolveRequest>(m2).step, 20LL);
        QCOMPARE(std::get<solve::SolveRequest>(m2).target.minDepth, 300LL);
        const auto withN = solve::readRequest(QStringLiteral("9000"), QStringLiteral("6000"),
                                              QStringLiteral("50"), QStringLiteral("0"), true);
        QCOMPARE(std::get<solve::SolveRequest>(withN).target.n, std::optional<double>(6000.0));
        QCOMPARE(std::get<solve::SolveRequest>(withN).target.minDepth, 0LL);
        const auto noN = solve::readRequest(QStringLiteral("9000"), QStringLiteral(""), QStringLiteral("50"),
                                            QStringLiteral("500"), true);
        QVERIFY(!std::get<solve::SolveRequest>(noN).target.n);
    }

    void aRefusedNumberCorrectedInTheDialogSolves() {
        SolveFixture f(1);
        DialogInput in(QStringLiteral("-9000"));
        in.correctedRa = QStringLiteral("9000");
        f.solve(in);
        QCOMPARE(f.input.refusal, QStringLiteral("Ra,req 须为大于 0 的数 (kN)：-9000"));
        QCOMPARE(f.depth(), QString::fromStdString(f.expected({9000.0, std::nullopt}, 50).depthText));
        QCOMPARE(f.piles(), 1);
    }

    void cancelChangesNothing() {
        SolveFixture f(2);
        DialogInput in(QStringLiteral("12000"));
        in.press = "cbt_SolveCancel";
        const QString depthBefore = f.depth();
        f.solve(in);
        QCOMPARE(f.input.runs, 1);
        QCOMPARE(f.depth(), depthBefore);
        QCOMPARE(f.piles(), 0);
        QVERIFY(f.messages.messages.isEmpty());
    }

    void leastDiameterIsOfferedForRoundPilesOnly() {
        for (int module : {1, 2, 3}) {
            SolveFixture f(module);
            f.solve(DialogInput(QStringLiteral("9000")));
            QCOMPARE(f.input.offersDiameter, module != 2);
        }
        SolveFixture rectangle(1);
        rectangle.choose("cbb_jmlx", 1);
        rectangle.solve(DialogInput(QStringLiteral("9000")));
        QVERIFY(!rectangle.input.offersDiameter);
    }

    void leastDiameterIsWrittenWithTheSocketAsTypedAndCalculated_data() {
        QTest::addColumn<int>("module");
        QTest::addColumn<QString>("hr");
        QTest::addColumn<QString>("ra");
        QTest::addColumn<QString>("multiple");
        QTest::newRow("module 1, hr in mm") << 1 << "2000"
                                            << "15000"
                                            << "2000";
        QTest::newRow("module 3, hr as a multiple") << 3 << "1.5d" << "12000" << "1.5d";
    }
    void leastDiameterIsWrittenWithTheSocketAsTypedAndCalculated() {
        QFETCH(int, module);
        QFETCH(QString, hr);
        QFETCH(QString, ra);
        QFETCH(QString, multiple);
        SolveFixture f(module);
        f.type("cbe_hr", hr);
        QSignalSpy changed(f.window.get(), &frame::ModuleWindow::contentChanged);
        DialogInput in(ra);
        in.press = "cbt_LeastDiameter";
        f.solve(in);
        QVERIFY2(f.messages.messages.isEmpty(), qPrintable(f.messages.messages.join('\n')));
        const QString d = f.get<QComboBox>("cbe_dd")->currentText();
        QCOMPARE(d.toInt() % 50, 0);
        QVERIFY(d.toInt() > 1000);
        QCOMPARE(f.depth(), multiple);
        QVERIFY(f.box(QStringLiteral("edt_ra")).toDouble() >= ra.toDouble());
        QCOMPARE(f.piles(), 1);
        QVERIFY(changed.count() >= 1);

        SolveFixture twin(module);
        twin.type("cbe_dd", d);
        twin.type("cbe_hr", multiple);
        twin.click("cbt_compute");
        QCOMPARE(f.boxes(), twin.boxes());
        QCOMPARE(f.book(), twin.book());
    }

    void theLeastSocketKeepsShortSocketsOut_data() {
        QTest::addColumn<int>("module");
        QTest::addColumn<QString>("ra");
        QTest::addColumn<QString>("minDepth");
        QTest::addColumn<QString>("depth");
        // The default pile carries 1000 kN on 50 mm of socket; module 2's default layer on 0.05 m.
        QTest::newRow("module 1, the dialog's default") << 1 << "1000"
                                                        << ""
                                                        << "500";
        QTest::newRow("module 1, none") << 1 << "1000"
                                        << "0"
                                        << "50";
        QTest::newRow("module 3, off the grid") << 3 << "1000"
                                                << "720"
                                                << "750";
        QTest::newRow("module 2, the dialog's default") << 2 << "1000"
                                                        << ""
                                                        << "0.50";
        QTest::newRow("module 2, none") << 2 << "1000"
                                        << "0"
                                        << "0.05";
    }
    void theLeastSocketKeepsShortSocketsOut() {
        QFETCH(int, module);
        QFETCH(QString, ra);
        QFETCH(QString, minDepth);
        QFETCH(QString, depth);
        SolveFixture f(module);
        DialogInput in(ra);
        if (!minDepth.isEmpty())
            in.minDepth = minDepth;
        f.solve(in);
        QCOMPARE(f.input.minDepthShown, QStringLiteral("500"));
        QVERIFY2(f.messages.messages.isEmpty(), qPrintable(f.messages.messages.join('\n')));
        QCOMPARE(f.depth(), depth);
        QCOMPARE(f.piles(), 1);
    }

    void theMessageNamesTheRcTheResultBoxShows_data() {
        QTest::addColumn<int>("precision");
        QTest::addColumn<QString>("rc");
        QTest::newRow("units") << 2 << "6739";
        QTest::newRow("two decimals") << 0 << "6738.72";
        QTest::newRow("tens") << 3 << "6730";
    }
    void theMessageNamesTheRcTheResultBoxShows() {
        QFETCH(int, precision);
        QFETCH(QString, rc);
        SolveFixture f(1);
        f.get<QListWidget>("popbox_jingdu")->setCurrentRow(precision); // hidden: for the next calculation
        f.click("cbt_compute");
        QCOMPARE(f.box(QStringLiteral("edt_rc")), rc);
        f.solve(DialogInput(QStringLiteral("1000"), QStringLiteral("7000")));
        QCOMPARE(f.messages.messages.size(), 1);
        QVERIFY2(f.messages.messages[0].contains(QStringLiteral("Rc = %1 kN").arg(rc)),
                 qPrintable(f.messages.messages[0]));
    }

    void aShortSocketInMillimetresIsKeptByTheLeastDiameter() {
        // 250 mm on a 1200 mm pile once came back as "0.208333333333333d".
        SolveFixture f(1);
        f.type("cbe_dd", QStringLiteral("1200"));
        f.type("cbe_hr", QStringLiteral("250"));
        DialogInput in(QStringLiteral("9000"));
        in.press = "cbt_LeastDiameter";
        f.solve(in);
        QVERIFY2(f.messages.messages.isEmpty(), qPrintable(f.messages.messages.join('\n')));
        QCOMPARE(f.depth(), QStringLiteral("250"));
        QCOMPARE(f.piles(), 1);
        QVERIFY(!f.book().contains(QStringLiteral("0.2083")));
    }

    void leastDiameterThatFailsIsTold() {
        // Broken rock needs a socket of at least one diameter; a shorter multiple cannot be kept.
        SolveFixture f(1);
        f.type("cbe_hr", QStringLiteral("0.5d"));
        f.type("cbe_yswzcd", QStringLiteral("较破碎"));
        DialogInput in(QStringLiteral("9000"));
        in.press = "cbt_LeastDiameter";
        f.solve(in);
        QCOMPARE(f.messages.messages, QStringList{QStringLiteral("较破碎岩体上嵌入深度小于1倍桩径")});
        QCOMPARE(f.get<QComboBox>("cbe_dd")->currentText(), QStringLiteral("1000"));
        QCOMPARE(f.depth(), QStringLiteral("0.5d"));
        QCOMPARE(f.piles(), 0);
    }
};

QTEST_MAIN(SolveDialogTest)
#include "solvedialog_test.moc"
