#include "guitest.h"
#include "module2/tpelm_frm_durk2.h"
#include "module3/tpelm_frm_durk3.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QTableWidget>

#include "optimise/optiontable.h"

using namespace sp;

namespace {

template <class Window> QString status(test::WindowFixture<Window>& f) { return f.template get<QLabel>("lb_YHxingxi")->text(); }

QString cell(QTableView* view, int row, int column) { return view->model()->index(row, column).data().toString(); }

} // namespace

class OtherOptimisePagesTest : public QObject {
    Q_OBJECT
private slots:
    void moduleTwoRunsSortsAndRecallsIntoTheGrid() {
        test::WindowFixture<module2::TPELM_FRM_DURK2> f;
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
        test::WindowFixture<module3::TPELM_FRM_DURK3> f;
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
};

SOCKETPILE_QTEST_MAIN(OtherOptimisePagesTest)
#include "optimisepages23_test.moc"
