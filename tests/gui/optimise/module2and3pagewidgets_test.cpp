#include "guitest.h"
#include "windows/module2window.h"
#include "windows/module3window.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QTableWidget>

#include "optimise/options/optiontable.h"

using namespace sp;

namespace {

template <class Window> QString status(test::WindowFixture<Window>& f) { return f.template get<QLabel>("lb_YHxingxi")->text(); }

QString cell(QTableView* view, int row, int column) { return view->model()->index(row, column).data().toString(); }

QStringList rowCells(QTableView* view, int row, const QList<int>& columns) {
    QStringList cells;
    for (int column : columns)
        cells << cell(view, row, column);
    return cells;
}

// Module 2's option table narrowed to two candidates: round d 1000, socket 1.0d, 中风化 rock of
// class 较完整, frk 25 (较软岩) and 35 (较硬岩).
void narrowToTwoSoftAndHardCandidates(test::WindowFixture<module2::Module2Window>& f) {
    auto* options = f.template get<QTableWidget>("Grid1_Youhuaxuanxiang");
    const struct {
        int row;
        const char* min;
        const char* max;
        const char* step;
    } rows[] = {{0, "1", "1", "1"},          {1, "1000", "1000", "500"},
                {6, "1.0d", "1.0d", "1.0d"}, {7, "25.00", "35.00", "10.00"},
                {8, "2", "2", "1"},          {9, "1", "1", "1"},
                {10, "2", "2", "1"}};
    for (const auto& r : rows) {
        options->item(r.row, 1)->setText(QString::fromLatin1(r.min));
        options->item(r.row, 2)->setText(QString::fromLatin1(r.max));
        options->item(r.row, 3)->setText(QString::fromLatin1(r.step));
    }
}

} // namespace

class OtherOptimisePagesTest : public QObject {
    Q_OBJECT
private slots:
    void moduleTwoRunsSortsAndRecallsIntoTheGrid() {
        test::WindowFixture<module2::Module2Window> f;
        f.click("cbt_YouHua");
        f.click("cbt_YHcompute");
        QTRY_COMPARE(status(f), QStringLiteral("计算完成，桩数：1728 根"));
        auto* view = f.get<QTableView>("Grid2_Youhuajieguo");
        QCOMPARE(view->model()->rowCount(), 1728);
        emit view->horizontalHeader()->sectionClicked(5);
        QCOMPARE(status(f), QStringLiteral("仅支持d、Ra排序"));

        const QString frk = cell(view, 0, 7);
        emit view->doubleClicked(view->model()->index(0, 0));
        QVERIFY(f.get<QWidget>("MainFormLayer")->isVisible());
        QCOMPARE(f.window.grid().layerCount(), 1);
        QVERIFY(f.box("edt_Quk").isEmpty());
        f.click("cbt_compute");
        QCOMPARE(f.box("edt_ra"), cell(view, 0, 4));
    }

    void moduleThreeDrawsOverStandardRowsRedAndRecallsTheMethod() {
        test::WindowFixture<module3::Module3Window> f;
        f.click("cbt_tongyi");
        f.click("cbt_YouHua");
        f.click("cbt_YHcompute");
        QTRY_COMPARE(status(f), QStringLiteral("计算完成，桩数：2880 根"));
        // Then with the methods A to D, so that "回转imin" rows are there to recall.
        f.template get<QTableWidget>("Grid1_Youhuaxuanxiang")->item(optimise::kRow3Method, 2)->setText(QStringLiteral("4"));
        f.click("cbt_YHcompute");
        QTRY_VERIFY(status(f).startsWith(QStringLiteral("计算完成")));
        auto* view = f.get<QTableView>("Grid2_Youhuajieguo");
        int overStandard = -1;
        for (int row = 0; row < view->model()->rowCount() && overStandard < 0; ++row)
            if (view->model()->index(row, 0).data(Qt::ForegroundRole).value<QColor>() == QColor(Qt::red))
                overStandard = row;
        QVERIFY(overStandard >= 0);
        QCOMPARE(cell(view, overStandard, 17), QStringLiteral("超规"));

        int gyrationMin = -1;
        for (int row = 0; row < view->model()->rowCount() && gyrationMin < 0; ++row)
            if (cell(view, row, 11) == QStringLiteral("回转imin"))
                gyrationMin = row;
        QVERIFY(gyrationMin >= 0);
        emit view->doubleClicked(view->model()->index(gyrationMin, 0));
        QCOMPARE(f.get<QComboBox>("cbb_deqcheck")->currentIndex(), 3);
        f.click("cbt_compute");
        QCOMPARE(f.box("edt_ra"), cell(view, gyrationMin, 4));
        QCOMPARE(f.window.verdict(), module3::ComplianceVerdict::OverStandard);
    }

    // The soft-rock box of the input layer applies to every candidate of a run: the 较软岩 one gets
    // C1 and C2 × 0.8 and so every resistance × 0.8; the 较硬岩 one keeps its figures.
    void moduleTwoCandidatesTakeTheSoftRockBoxOfTheInputLayer() {
        test::WindowFixture<module2::Module2Window> f;
        auto* softRock = f.get<QCheckBox>("ckb_ruanzhiyan");
        softRock->setChecked(true);
        f.click("cbt_YouHua");
        narrowToTwoSoftAndHardCandidates(f);
        f.click("cbt_YHcompute");
        QTRY_COMPARE(status(f), QStringLiteral("计算完成，桩数：2 根"));
        auto* view = f.get<QTableView>("Grid2_Youhuajieguo");
        QCOMPARE(view->model()->rowCount(), 2);
        // frk, weathering, class; Ra; C1; Qsrk, side share, Qpk, end share, Qrk
        const QList<int> columns = {6, 7, 9, 4, 10, 12, 13, 14, 15, 16};
        // C1 0.566667 × 0.8 = 0.453333, C2 0.073667 × 0.8 = 0.058933: Qsrk 4628.61, Qpk 8901.18,
        // Quk 13529.79, Ra 6764.90
        const QStringList softTicked = {"25.00", "中风化", "较完整", "6765", "0.453",
                                        "4629",  "34%",    "8901",   "66%",  "13530"};
        // C1 0.595, C2 0.0765: Qsrk 8411.61, Qpk 16355.92, Quk 24767.53, Ra 12383.77
        const QStringList hard = {"35.00", "中风化", "较完整", "12384", "0.595",
                                  "8412",  "34%",    "16356",  "66%",   "24768"};
        QCOMPARE(rowCells(view, 0, columns), softTicked);
        QCOMPARE(cell(view, 0, 11), QStringLiteral("0.059"));
        QCOMPARE(rowCells(view, 1, columns), hard);

        // The run leaves the box as it was; unticked, the next run computes in full.
        f.click("cbt_YHfanhui");
        QVERIFY(softRock->isChecked());
        softRock->setChecked(false);
        f.click("cbt_YouHua");
        f.get<QTableWidget>("Grid1_Youhuaxuanxiang")
            ->item(7, 3)
            ->setText(QStringLiteral("10")); // enables "计算"
        f.click("cbt_YHcompute");
        QTRY_COMPARE(status(f), QStringLiteral("计算完成，桩数：2 根"));
        // C1 0.566667, C2 0.073667: Qsrk 5785.77, Qpk 11126.47, Quk 16912.24, Ra 8456.12
        const QStringList softFull = {"25.00", "中风化", "较完整", "8456", "0.567",
                                      "5786",  "34%",    "11126",  "66%",  "16912"};
        QCOMPARE(rowCells(view, 0, columns), softFull);
        QCOMPARE(cell(view, 0, 11), QStringLiteral("0.074"));
        QCOMPARE(rowCells(view, 1, columns), hard);
    }
};

SOCKETPILE_QTEST_MAIN(OtherOptimisePagesTest)
#include "module2and3pagewidgets_test.moc"
