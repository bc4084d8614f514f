#include "frame/widgetcolours.h"
#include "guitest.h"
#include "module1/onelayerwindow.h"

#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QTableView>
#include <QTableWidget>

using namespace sp;
using sp::module1::TPELM_FRM_DURK1;

namespace {

using Fixture = test::WindowFixture<TPELM_FRM_DURK1>;

QTableWidget* options(Fixture& f) { return f.get<QTableWidget>("Grid1_Youhuaxuanxiang"); }

void setOption(Fixture& f, int row, int column, const QString& text) { options(f)->item(row, column)->setText(text); }

QString cell(QTableView* view, int row, int column) {
    return view->model()->index(row, column).data().toString();
}

QString status(Fixture& f) { return f.get<QLabel>("lb_YHxingxi")->text(); }

void runDefault(Fixture& f) {
    f.click("cbt_YouHua");
    f.click("cbt_YHcompute");
    QTRY_COMPARE(status(f), QStringLiteral("计算完成，桩数：3456 根"));
}

} // namespace

class OptimisePageTest : public QObject {
    Q_OBJECT
private slots:
    void defaultRunFillsTheCandidateTable() {
        Fixture f;
        runDefault(f);
        auto* view = f.get<QTableView>("Grid2_Youhuajieguo");
        QVERIFY(view->isVisible());
        QCOMPARE(view->model()->rowCount(), 3456);
        QCOMPARE(cell(view, 0, 0), QStringLiteral("ZH-0001"));
        QCOMPARE(cell(view, 0, 1), QStringLiteral("圆  桩"));
        QCOMPARE(cell(view, 1, 10), QStringLiteral("泥浆护壁"));
        QVERIFY(!f.button("cbt_YHcompute")->isEnabled());
        QVERIFY(f.button("cbt_YHsaixuan")->isEnabled());
        QVERIFY(f.button("cbt_YHsave")->isEnabled());
        QVERIFY(f.window.optimisationMode());
        QCOMPARE(f.window.documents().pileRegister().count(), 0);

        // The input layer shows the last candidate, computed; the pages stay untouched.
        f.click("cbt_YHfanhui");
        QVERIFY(!f.window.optimisationMode());
        QCOMPARE(f.get<QComboBox>("cbb_jmlx")->currentText(), QStringLiteral("矩形桩"));
        QVERIFY(!f.box("edt_ra").isEmpty());
        QCOMPARE(f.get<QComboBox>("cbe_hr")->itemText(0), QStringLiteral("1.0b"));
    }

    void headerClicksSortByTheDesignedColumn() {
        Fixture f;
        runDefault(f);
        auto* view = f.get<QTableView>("Grid2_Youhuajieguo");
        QHeaderView* header = view->horizontalHeader();
        header->moveSection(4, 0); // the engineer drags Ra to the front: it is still column 4
        const QStringList expected = {QStringLiteral("Ra升序排列完成"), QStringLiteral("Ra降序排列完成"),
                                      QStringLiteral("Ra升序排列完成")};
        for (const QString& text : expected) {
            emit header->sectionClicked(4);
            QCOMPARE(status(f), text);
        }
        QCOMPARE(view->model()->headerData(4, Qt::Horizontal).toString(), QStringLiteral("Ra(kN)▲"));
        QCOMPARE(view->model()->headerData(5, Qt::Horizontal).toString(), QStringLiteral("  Rc(kN)"));
        QVERIFY(cell(view, 0, 4).toDouble() <= cell(view, 1, 4).toDouble());
        emit header->sectionClicked(3);
        QCOMPARE(status(f), QStringLiteral("仅支持d、Ra、Rc排序"));
    }

    void filterShowsTheFilteredTable() {
        Fixture f;
        runDefault(f);
        setOption(f, 14, 1, QStringLiteral("0"));
        setOption(f, 14, 2, QStringLiteral("0"));
        setOption(f, 15, 1, QStringLiteral("0"));
        setOption(f, 15, 2, QStringLiteral("0"));
        f.click("cbt_YHsaixuan");
        auto* filtered = f.get<QTableView>("Grid3_Youhuasaixuan");
        QVERIFY(filtered->isVisible());
        QVERIFY(!f.get<QTableView>("Grid2_Youhuajieguo")->isVisible());
        QCOMPARE(filtered->model()->rowCount(), 3456);
        QCOMPARE(status(f), QStringLiteral("筛选完成，桩数：3456 根"));
        QVERIFY(!f.button("cbt_YHsaixuan")->isEnabled());
    }

    void doubleClickRecallsASquareCandidate() {
        Fixture f;
        runDefault(f);
        auto* view = f.get<QTableView>("Grid2_Youhuajieguo");
        const int last = view->model()->rowCount() - 1;
        QCOMPARE(cell(view, last, 1), QStringLiteral("方  桩"));
        emit view->doubleClicked(view->model()->index(last, 0));
        QVERIFY(f.get<QWidget>("MainFormLayer")->isVisible());
        QVERIFY(!f.window.optimisationMode());
        QCOMPARE(f.get<QComboBox>("cbb_jmlx")->currentText(), QStringLiteral("矩形桩"));
        QCOMPARE(f.get<QComboBox>("cbe_dd")->currentText(), cell(view, last, 2));
        QCOMPARE(f.get<QComboBox>("cbe_tyzd")->currentText(), cell(view, last, 3));
        QVERIFY(f.box("edt_ra").isEmpty());
        QVERIFY(f.button("cbt_compute")->isVisible());
        f.click("cbt_compute");
        QCOMPARE(f.box("edt_ra"), cell(view, last, 4));
        QCOMPARE(f.window.documents().pileRegister().count(), 1);
    }

    void storedTablesGoThroughTheSaveRoutine() {
        Fixture f;
        runDefault(f);
        f.click("cbt_YHsave");
        QVERIFY(QFile::exists(f.savedPath("嵌岩桩优化计算原始结果(依据DBJ52T088-2018)_表格.txt")));
        QVERIFY(!f.button("cbt_YHsave")->isEnabled());
        QVERIFY(f.messages.messages.isEmpty());
    }

    void aRejectedCandidateStopsTheRun() {
        Fixture f;
        f.click("cbt_YouHua");
        for (int column : {1, 2})
            setOption(f, 6, column, QStringLiteral("500"));
        setOption(f, 6, 3, QStringLiteral("0"));
        setOption(f, 8, 2, QStringLiteral("1"));
        setOption(f, 9, 1, QStringLiteral("3"));
        f.click("cbt_YHcompute");
        QTRY_COMPARE(status(f), QStringLiteral("运行中止，主界面可查看中止位置、原因"));
        QCOMPARE(frame::textColour(f.get<QLabel>("lb_YHxingxi")), core::kRed);
        QVERIFY(f.button("cbt_YHcompute")->isEnabled());
        f.click("cbt_YHfanhui");
        QCOMPARE(f.get<QLabel>("lb_shuoming")->text(), QStringLiteral("较破碎岩体上嵌入深度小于1m"));
        QCOMPARE(f.get<QComboBox>("cbe_yswzcd")->currentText(), QStringLiteral("较破碎"));
        QCOMPARE(f.get<QComboBox>("cbe_hr")->currentText(), QStringLiteral("500"));
    }

    void optionCellsOutsideTheValuesCannotBeEdited() {
        Fixture f;
        f.click("cbt_YouHua");
        QTableWidget* table = options(f);
        table->setCurrentCell(14, 3);
        QCOMPARE(table->editTriggers(), QAbstractItemView::NoEditTriggers);
        table->setCurrentCell(13, 1);
        QCOMPARE(table->editTriggers(), QAbstractItemView::NoEditTriggers);
        table->setCurrentCell(7, 2);
        QVERIFY(table->editTriggers() != QAbstractItemView::NoEditTriggers);
        setOption(f, 14, 1, QStringLiteral("9000"));
        QVERIFY(f.button("cbt_YHsaixuan")->isEnabled());
    }

    void aLongRunShowsProgressAndCanBeCancelled() {
        Fixture f;
        f.click("cbt_YouHua");
        setOption(f, 0, 2, QStringLiteral("1")); // round piles only
        setOption(f, 1, 3, QStringLiteral("0.015")); // about 9.6 million candidates
        f.click("cbt_YHcompute");
        QTRY_VERIFY_WITH_TIMEOUT(f.get<QProgressBar>("pb_youhua")->isVisible(), 10000);
        QVERIFY(!f.button("cbt_YHfanhui")->isEnabled());
        f.click("cbt_YHcancel");
        QTRY_VERIFY_WITH_TIMEOUT(status(f).startsWith(QStringLiteral("运行已取消")), 10000);
        QVERIFY(!f.get<QProgressBar>("pb_youhua")->isVisible());
        QVERIFY(f.button("cbt_YHfanhui")->isEnabled());
        QVERIFY(f.get<QTableView>("Grid2_Youhuajieguo")->model()->rowCount() > 0);
    }
};

SOCKETPILE_QTEST_MAIN(OptimisePageTest)
#include "optimisepage_test.moc"
