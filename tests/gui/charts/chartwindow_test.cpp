// "图表" in the module windows: the chart window it opens for each module, and "保存图表…" writing
// PNG and SVG files or warning about a file it could not write.

#include "charts/capacitychartview.h"
#include "charts/chartwindow.h"
#include "charts/resistancechartview.h"
#include "frame/modulewindows.h"
#include "guitest.h"

#include <QAreaSeries>
#include <QBarSet>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTableWidget>

#include <cmath>
#include <memory>

using namespace sp;
using gui::ChartWindow;

namespace {

// A module window with recorded messages, answered file dialogs and a pile typed in.
struct ChartFixture : test::FixtureBase {
    explicit ChartFixture(int module) : module(module), window(test::makeModuleWindow(module)) {
        prepare(*window);
        window->setFileChooser(&files);
        if (module == 3)
            click("cbt_tongyi");
        if (module != 2) {
            type("edt_frk", QStringLiteral("25"));
            type("cbe_hr", QStringLiteral("2000"));
        }
    }

    // Presses "图表" and gives the window it opened.
    ChartWindow* openChart() {
        click("cbt_Chart");
        const QList<ChartWindow*> windows = window->findChildren<ChartWindow*>();
        return windows.isEmpty() ? nullptr : windows.last();
    }

    // The engine's curve for the window's inputs as they stand.
    charts::CapacityCurve expectedCurve(const charts::CurveRequest& request = {}) const {
        if (module == 1)
            return charts::capacityCurve(static_cast<module1::Module1Window&>(*window).inputs(), request);
        module3::Inputs in;
        static_cast<module1::Inputs&>(in) = static_cast<module3::Module3Window&>(*window).inputs();
        in.method = static_cast<module3::Module3Window&>(*window).method();
        return charts::capacityCurve(in, request);
    }

    int module;
    std::unique_ptr<frame::ModuleWindow> window;
    test::FakeFiles files;
};

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class ChartWindowTest : public QObject {
    Q_OBJECT
private slots:
    void oneLayerModulesShowTheCapacityOfTheirInputs_data() {
        QTest::addColumn<int>("module");
        QTest::newRow("module 1") << 1;
        QTest::newRow("module 3") << 3;
    }
    void oneLayerModulesShowTheCapacityOfTheirInputs() {
        QFETCH(int, module);
        ChartFixture f(module);
        QCOMPARE(f.button("cbt_Chart")->text(), QStringLiteral("图表"));
        ChartWindow* chart = f.openChart();
        QVERIFY(chart);
        QVERIFY(chart->isVisible());
        QVERIFY(!chart->isModal());
        auto* view = qobject_cast<gui::CapacityChartView*>(chart->chart());
        QVERIFY(view);
        QVERIFY(chart->message().isEmpty());

        const charts::CapacityCurve expected = f.expectedCurve();
        QVERIFY(expected.ok);
        QVERIFY(expected.design);
        const gui::CapacitySeries& series = view->series();
        QVERIFY(series.design);
        // Ra and Rc of the design, at its own depth.
        QCOMPARE(series.design->count(), 2);
        QCOMPARE(series.design->at(0), QPointF(2000.0, expected.design->ra));
        QCOMPARE(series.design->at(1), QPointF(2000.0, expected.design->rc));
        QVERIFY(series.plateau);
        QCOMPARE(series.ra.size(), qsizetype(expected.segments().size()));
        // No "反算" asked yet: no target lines.
        QVERIFY(!series.raRequired);
        QVERIFY(!series.axialForce);

        // The inputs changed: the next window shows the new depth, the open one stays as it was.
        f.type("cbe_hr", QStringLiteral("3000"));
        ChartWindow* second = f.openChart();
        QVERIFY(second && second != chart);
        QCOMPARE(qobject_cast<gui::CapacityChartView*>(second->chart())->series().design->at(0).x(), 3000.0);
        QCOMPARE(view->series().design->at(0).x(), 2000.0);
    }

    void theLastSolveTargetIsDrawn() {
        ChartFixture f(1);
        f.window->setDialogRunner([](QDialog& dialog) {
            dialog.findChild<QLineEdit*>(QStringLiteral("ed_Ra"))->setText(QStringLiteral("9000"));
            dialog.findChild<QLineEdit*>(QStringLiteral("ed_N"))->setText(QStringLiteral("6000"));
            dialog.findChild<QLineEdit*>(QStringLiteral("ed_Step"))->setText(QStringLiteral("50"));
            dialog.findChild<QPushButton*>(QStringLiteral("cbt_SolveOk"))->click();
            return dialog.result();
        });
        f.click("cbt_Solve");
        ChartWindow* chart = f.openChart();
        QVERIFY(chart);
        const gui::CapacitySeries& series = qobject_cast<gui::CapacityChartView*>(chart->chart())->series();
        QVERIFY(series.raRequired);
        QVERIFY(series.axialForce);
        QCOMPARE(series.raRequired->at(0).y(), 9000.0);
        QCOMPARE(series.axialForce->at(0).y(), 6000.0);
    }

    void module2ShowsTheLastCalculationsBars() {
        ChartFixture f(2);
        ChartWindow* before = f.openChart();
        QVERIFY(before);
        QVERIFY(!before->chart());
        QVERIFY(!before->message().isEmpty());
        QVERIFY(!before->findChild<QPushButton*>(QStringLiteral("cbt_SaveChart"))->isEnabled());

        // The open window follows the calculation; "图表" again shows the same window.
        f.click("cbt_compute");
        QVERIFY(f.messages.messages.isEmpty());
        auto* view = qobject_cast<gui::ResistanceChartView*>(before->chart());
        QVERIFY(view);
        QVERIFY(before->message().isEmpty());
        QVERIFY(before->findChild<QPushButton*>(QStringLiteral("cbt_SaveChart"))->isEnabled());
        ChartWindow* after = f.openChart();
        QCOMPARE(after, before);
        QCOMPARE(f.window->findChildren<ChartWindow*>().size(), 1);
        const int layers = static_cast<module2::Module2Window&>(*f.window).grid().layerCount();
        QCOMPARE(view->series().side->count(), layers + 1);
        // The bars add up to the Quk box.
        double sum = 0.0;
        for (int i = 0; i < view->series().side->count(); ++i)
            sum += view->series().side->at(i) + view->series().end->at(i);
        QVERIFY(std::abs(sum - f.box(QStringLiteral("edt_Quk")).toDouble()) < 1.0);

        // A new calculation of a longer layer: the bars of that one.
        const double sideBefore = view->series().side->at(0);
        f.window->findChild<QTableWidget*>(QStringLiteral("StringGrid_QB2"))
            ->item(0, module2::kColLr)
            ->setText(QStringLiteral("2.00"));
        f.click("cbt_compute");
        auto* again = qobject_cast<gui::ResistanceChartView*>(before->chart());
        QVERIFY(again);
        QVERIFY(again->series().side->at(0) > sideBefore);
    }

    void savingWritesThePictureOfTheChosenType_data() {
        QTest::addColumn<int>("module");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("filter"); // chosen in the dialog; empty: a dialog that does not tell
        QTest::addColumn<QString>("written");
        QTest::addColumn<QByteArray>("start");
        const QString png = QStringLiteral("PNG 图片 (*.png)");
        const QString svg = QStringLiteral("SVG 矢量图 (*.svg)");
        QTest::newRow("module 1, PNG") << 1 << "c.png" << png << "c.png" << QByteArray("\x89PNG");
        QTest::newRow("module 1, SVG") << 1 << "c.svg" << svg << "c.svg" << QByteArray("<?xml");
        QTest::newRow("module 1, no suffix: PNG")
            << 1 << "c" << QString() << "c.png" << QByteArray("\x89PNG");
        QTest::newRow("module 1, no suffix, SVG chosen") << 1 << "c" << svg << "c.svg" << QByteArray("<?xml");
        QTest::newRow("module 1, PNG named, SVG chosen")
            << 1 << "c.png" << svg << "c.png" << QByteArray("\x89PNG");
        QTest::newRow("module 2, SVG") << 2 << "bars.svg" << QString() << "bars.svg" << QByteArray("<?xml");
        QTest::newRow("module 2, no suffix, SVG chosen")
            << 2 << "bars" << svg << "bars.svg" << QByteArray("<?xml");
    }
    void savingWritesThePictureOfTheChosenType() {
        QFETCH(int, module);
        QFETCH(QString, name);
        QFETCH(QString, filter);
        QFETCH(QString, written);
        QFETCH(QByteArray, start);
        ChartFixture f(module);
        if (module == 2)
            f.click("cbt_compute");
        ChartWindow* chart = f.openChart();
        QVERIFY(chart && chart->chart());
        f.files.saveAnswer = f.folder.filePath(name);
        f.files.saveFilter = filter;
        QTest::mouseClick(chart->findChild<QPushButton*>(QStringLiteral("cbt_SaveChart")), Qt::LeftButton);

        QCOMPARE(f.files.asked.size(), 1);
        const QString documents = f.folder.path() + QStringLiteral("/Documents");
        QVERIFY2(f.files.asked[0].startsWith(QStringLiteral("保存图表|") + documents + QLatin1Char('/')),
                 qPrintable(f.files.asked[0]));
        QVERIFY(f.files.lastFilters.contains(QStringLiteral("*.png")));
        QVERIFY(f.files.lastFilters.contains(QStringLiteral("*.svg")));
        // Where it wrote, as "导出PDF…" says.
        QCOMPARE(f.messages.messages, QStringList{QStringLiteral("图表已保存：") +
                                                  QDir::toNativeSeparators(f.folder.filePath(written))});
        QVERIFY(f.messages.questions.isEmpty()); // nothing there to replace
        const QByteArray bytes = readAll(f.folder.filePath(written));
        QVERIFY2(bytes.startsWith(start), bytes.left(16).constData());
        if (written.endsWith(QStringLiteral(".svg")))
            QVERIFY(bytes.contains("<svg"));
    }

    // The dialog asks before replacing the name as typed; the suffix added after it is asked about
    // here, and a "取消" writes nothing.
    void aFileTheAddedSuffixNamesIsReplacedOnlyWhenAgreed() {
        ChartFixture f(1);
        ChartWindow* chart = f.openChart();
        QVERIFY(chart);
        QPushButton* save = chart->findChild<QPushButton*>(QStringLiteral("cbt_SaveChart"));
        const QString existing = f.folder.filePath(QStringLiteral("c.svg"));
        QFile old(existing);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        f.files.saveAnswer = f.folder.filePath(QStringLiteral("c"));
        f.files.saveFilter = QStringLiteral("SVG 矢量图 (*.svg)");

        f.messages.replace = false;
        QTest::mouseClick(save, Qt::LeftButton);
        QCOMPARE(
            f.messages.questions,
            QStringList{
                QStringLiteral("替换|%1 已存在。\n要替换它吗？").arg(QDir::toNativeSeparators(existing))});
        QVERIFY(f.messages.messages.isEmpty());
        QCOMPARE(readAll(existing), QByteArray("old"));

        f.messages.replace = true;
        QTest::mouseClick(save, Qt::LeftButton);
        QCOMPARE(f.messages.questions.size(), 2);
        QVERIFY(readAll(existing).startsWith("<?xml"));
        QCOMPARE(f.messages.messages.size(), 1);
    }

    void aFailedSaveWarnsWithPathAndReasonAndACancelDoesNothing() {
        ChartFixture f(1);
        ChartWindow* chart = f.openChart();
        QVERIFY(chart);
        QPushButton* save = chart->findChild<QPushButton*>(QStringLiteral("cbt_SaveChart"));

        f.files.saveAnswer.reset();
        QTest::mouseClick(save, Qt::LeftButton);
        QVERIFY(f.messages.messages.isEmpty());
        QCOMPARE(QDir(f.folder.path()).entryList(QDir::Files).size(), 0);

        const QString missing = f.folder.filePath(QStringLiteral("no such folder/c.png"));
        const QString wrongType = f.folder.filePath(QStringLiteral("c.jpg"));
        for (const QString& path : {missing, wrongType}) {
            f.messages.messages.clear();
            f.files.saveAnswer = path;
            QTest::mouseClick(save, Qt::LeftButton);
            QCOMPARE(f.messages.messages.size(), 1);
            QVERIFY2(f.messages.messages[0].contains(QDir::toNativeSeparators(path)), qPrintable(f.messages.messages[0]));
            QVERIFY(!QFile::exists(path));
        }
    }
};

QTEST_MAIN(ChartWindowTest)
#include "chartwindow_test.moc"
