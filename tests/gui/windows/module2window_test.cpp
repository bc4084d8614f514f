#include "frame/widgetcolours.h"
#include "guitest.h"
#include "windows/module2window.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTableWidget>

using namespace sp;
using sp::module2::Module2Window;

namespace {

using Fixture = test::WindowFixture<Module2Window>;

QList<int> shownColumns(Fixture& f) {
    auto* grid = f.get<QTableWidget>("StringGrid_QB2");
    QList<int> shown;
    for (int column = 0; column < grid->columnCount(); ++column)
        if (!grid->isColumnHidden(column))
            shown << column;
    return shown;
}

} // namespace

class Module2WindowTest : public QObject {
    Q_OBJECT
private slots:
    void defaultPileComputesInGreen() {
        Fixture f;
        // The design size, shortened only where the screen is smaller.
        QCOMPARE(f.window.size(), frame::ModuleWindow::openingSize({370, 800}, f.window.screen()->availableSize()));
        f.click("cbt_compute");
        QCOMPARE(f.box("edt_Quk"), QStringLiteral("16912"));
        QCOMPARE(f.box("edt_ra"), QStringLiteral("8456"));
        QCOMPARE(f.box("edt_percent"), QStringLiteral("66%"));
        QCOMPARE(frame::textColour(f.get<QLineEdit>("edt_ra")), core::kGreen);
        QCOMPARE(QString::fromUtf8(f.window.verdict()), QStringLiteral("合规"));
        auto* grid = f.get<QTableWidget>("StringGrid_QB2");
        QCOMPARE(grid->item(0, module2::kColShare)->text(), QStringLiteral("34.21%"));
        QVERIFY(f.button("cbt_View")->isVisible());
    }

    void manualCoefficientsComputeInMagenta() {
        Fixture f;
        f.choose("cbb_chezhuxishu", 0);
        auto* status = f.get<QLabel>("lb_shuoming");
        QCOMPARE(status->text(), QStringLiteral("提示：指定的系数需自行确定其合理性"));
        QCOMPARE(frame::textColour(status), core::kMagenta);
        QCOMPARE(frame::textColour(f.get<QLabel>("lb_chezhuxishu")), core::kMagenta);
        QVERIFY(!f.get<QCheckBox>("ckb_dixiashui")->isEnabled());
        QVERIFY(!f.get<QComboBox>("cbb_wanzhengchengdu")->isEnabled());
        f.click("cbt_compute");
        QCOMPARE(frame::textColour(f.get<QLineEdit>("edt_ra")), core::kMagenta);
        QCOMPARE(QString::fromUtf8(f.window.verdict()), QStringLiteral("超规"));
    }

    void columnsFollowTheSettingsAndTheExpandButton() {
        Fixture f;
        QCOMPARE(shownColumns(f), QList<int>({0, 1, 2, 3, 5}));
        auto* grid = f.get<QTableWidget>("StringGrid_QB2");
        QCOMPARE(grid->columnWidth(module2::kColLayer), 40);
        f.choose("cbb_wanzhengchengdu", 1);
        QCOMPARE(shownColumns(f), QList<int>({0, 1, 2, 4, 5}));
        f.click("cbt_kuozhanbiaoge");
        QCOMPARE(f.button("cbt_kuozhanbiaoge")->text(), QStringLiteral("折叠"));
        QCOMPARE(grid->columnWidth(module2::kColRemark), 200);
        QCOMPARE(shownColumns(f), QList<int>({0, 1, 2, 4, 5, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}));
        f.choose("cbb_qiangduzhi", 0);
        QCOMPARE(shownColumns(f), QList<int>({0, 1, 10, 11, 12, 13, 14, 15, 16, 17, 18}));
        QVERIFY(!f.get<QComboBox>("cbb_chezhuxishu")->isEnabled());
        f.click("cbt_kuozhanbiaoge");
        QCOMPARE(shownColumns(f), QList<int>({0, 1, 10, 11}));
    }

    void layerCountSetsTheRowsAndAnEditClearsTheResults() {
        Fixture f;
        f.click("cbt_compute");
        f.choose("cbb_yanchengshu", 2);
        auto* grid = f.get<QTableWidget>("StringGrid_QB2");
        QCOMPARE(grid->rowCount(), 3);
        QCOMPARE(grid->item(2, 0)->text(), QStringLiteral("3"));
        QVERIFY(f.box("edt_Quk").isEmpty());
        QVERIFY(f.button("cbt_compute")->isVisible());

        f.choose("cbb_yanchengshu", 0);
        f.click("cbt_compute");
        grid->item(0, module2::kColFrk)->setText(QStringLiteral("40"));
        QVERIFY(f.box("edt_Quk").isEmpty());
        QCOMPARE(f.window.grid().cell(1, module2::kColFrk), std::string("40"));
        QVERIFY(!(grid->item(0, module2::kColQuk)->flags() & Qt::ItemIsEditable));
        QVERIFY(grid->item(0, module2::kColQpk)->flags() & Qt::ItemIsEditable);
    }

    void sectionKindSetsTheSecondField() {
        Fixture f;
        f.choose("cbb_jmlx", 2);
        QCOMPARE(f.get<QComboBox>("cbe_tyzd")->currentText(), QStringLiteral("1000"));
        QCOMPARE(f.get<QLabel>("lb_dd")->text(), QStringLiteral("矩形长边尺寸    a (mm)"));
        f.choose("cbb_jmlx", 0);
        QCOMPARE(f.get<QComboBox>("cbe_tyzd")->currentText(), QStringLiteral("0"));
        QVERIFY(!f.get<QComboBox>("cbe_tyzd")->isEnabled());
        f.type("cbe_dd", QStringLiteral("abc"));
        QCOMPARE(f.get<QLabel>("lb_shuoming")->text(), QStringLiteral("桩身直径数据有错"));
    }

    // The soft-rock box takes a further 0.8 off the interpolated C1 and C2 of soft (软岩) and
    // moderately soft (较软岩) rock, after the 0.85 of the groundwater box; Quk, Ra and the
    // resistances follow by the same factor and the end share stays. Harder rock and entered
    // coefficients are not touched. One layer of 1 m, 中风化, 较完整, d 1000; results under "个位取整",
    // the coefficients used as the grid holds them.
    void softRockBoxReducesTheCoefficientsOfSoftRockOnly_data() {
        QTest::addColumn<QString>("frk");
        QTest::addColumn<int>("mode"); // position of cbb_chezhuxishu
        QTest::addColumn<bool>("softRock");
        QTest::addColumn<QStringList>("boxes"); // Quk, Ra, end share
        QTest::addColumn<QStringList>("used");  // C1, C2
        // 较软岩: C1 = (0.466667 + 0.866667) / 2 × 0.85 = 0.566667, C2 = 0.086667 × 0.85 = 0.073667;
        // Quk 16912.24, Ra 8456.12, end 65.79 %; ticked × 0.8: Quk 13529.79, Ra 6764.90
        QTest::newRow("较软岩") << "25.00" << 1 << false << QStringList{"16912", "8456", "66%"}
                                << QStringList{"0.566666666666667", "0.0736666666666667"};
        QTest::newRow("较软岩, soft rock") << "25.00" << 1 << true << QStringList{"13530", "6765", "66%"}
                                           << QStringList{"0.453333333333333", "0.0589333333333333"};
        // 软岩: C1 = 0.6 × 0.85 = 0.51, C2 = 0.08 × 0.85 = 0.068; Quk 6141.81, Ra 3070.91, end 65.22 %;
        // ticked: C1 0.408, C2 0.0544, Quk 4913.45, Ra 2456.73
        QTest::newRow("软岩") << "10.00" << 1 << false << QStringList{"6142", "3071", "65%"}
                              << QStringList{"0.51", "0.068"};
        QTest::newRow("软岩, soft rock")
            << "10.00" << 1 << true << QStringList{"4913", "2457", "65%"} << QStringList{"0.408", "0.0544"};
        // 较硬岩: C1 = 0.7 × 0.85 = 0.595, C2 = 0.09 × 0.85 = 0.0765; Quk 24767.53, Ra 12383.77, end 66.04 %
        QTest::newRow("较硬岩, soft rock")
            << "35.00" << 1 << true << QStringList{"24768", "12384", "66%"} << QStringList{"0.595", "0.0765"};
        // entered C1 0.50 and C2 0.04 (人工指定系数): Quk 9817.48 + 3141.59 = 12959.07, Ra 6479.53, end 75.76
        // %
        QTest::newRow("entered coefficients, soft rock")
            << "25.00" << 0 << true << QStringList{"12959", "6480", "76%"} << QStringList{"0.5", "0.04"};
    }
    void softRockBoxReducesTheCoefficientsOfSoftRockOnly() {
        QFETCH(QString, frk);
        QFETCH(int, mode);
        QFETCH(bool, softRock);
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, used);
        Fixture f;
        f.get<QCheckBox>("ckb_ruanzhiyan")->setChecked(softRock); // ticked while it can be
        f.get<QTableWidget>("StringGrid_QB2")->item(0, module2::kColFrk)->setText(frk);
        f.choose("cbb_chezhuxishu", mode);
        f.click("cbt_compute");
        QCOMPARE(QStringList({f.box("edt_Quk"), f.box("edt_ra"), f.box("edt_percent")}), boxes);
        QCOMPARE(QString::fromStdString(f.window.grid().cell(1, module2::kColC1Used)), used[0]);
        QCOMPARE(QString::fromStdString(f.window.grid().cell(1, module2::kColC2Used)), used[1]);
    }

    void softRockBoxClearsTheResultsAndEntersTheBook() {
        Fixture f;
        auto* softRock = f.get<QCheckBox>("ckb_ruanzhiyan");
        QCOMPARE(softRock->text(), QStringLiteral("软化系数≤0.6的软质岩，桩端岩石长时间暴露"));
        QVERIFY(!softRock->isChecked());
        QVERIFY(softRock->isEnabled());
        f.click("cbt_compute");
        softRock->setChecked(true);
        for (const char* box : {"edt_Quk", "edt_ra", "edt_percent"})
            QVERIFY(f.box(QString::fromLatin1(box)).isEmpty());
        QVERIFY(f.button("cbt_compute")->isVisible());
        QVERIFY(!f.button("cbt_View")->isVisible());
        f.click("cbt_compute");
        QCOMPARE(f.box("edt_ra"), QStringLiteral("6765"));

        // Two books: the first without the soft-rock lines, the second with them after the
        // groundwater line, and its coefficient table shows the reduced C1 0.45 and C2 0.06.
        const QStringList book =
            f.get<QPlainTextEdit>("meo_jisuanjieguo_Doc")->toPlainText().split(QLatin1Char('\n'));
        const QString water = QStringLiteral("      护壁钻、冲孔桩：                     是");
        const QStringList softLines = {QStringLiteral("      软化系数≤0.6的软质岩，施工时无可靠    "),
                                       QStringLiteral("                措施缩短桩端基岩暴露时间     ")};
        const int second = int(book.indexOf(QStringLiteral("1.基桩编号: ZH2")));
        QVERIFY(second > 0);
        const int firstWater = int(book.indexOf(water));
        const int secondWater = int(book.indexOf(water, second));
        QVERIFY(firstWater > 0 && firstWater < second);
        QVERIFY(book[firstWater + 1] != softLines[0]);
        QCOMPARE(book.mid(secondWater + 1, 2), softLines);
        QCOMPARE(book.count(softLines[0]), 1);
        const QString coefficients = QStringLiteral("       1    1.00    25.00     0.%1     0.%2  ");
        const int full = int(book.indexOf(coefficients.arg(QStringLiteral("57"), QStringLiteral("07"))));
        QVERIFY(full > 0 && full < second);
        QVERIFY(book.indexOf(coefficients.arg(QStringLiteral("45"), QStringLiteral("06"))) > second);

        // Only automatic coefficients from rock strength can be reduced.
        f.choose("cbb_chezhuxishu", 0);
        QVERIFY(!softRock->isEnabled());
        f.choose("cbb_chezhuxishu", 1);
        QVERIFY(softRock->isEnabled());
        f.choose("cbb_qiangduzhi", 0);
        QVERIFY(!softRock->isEnabled());
    }
};

SOCKETPILE_QTEST_MAIN(Module2WindowTest)
#include "module2window_test.moc"
