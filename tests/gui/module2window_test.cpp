#include "frame/widgetcolours.h"
#include "guitest.h"
#include "module2/tpelm_frm_durk2.h"

#include <QCheckBox>
#include <QLabel>
#include <QTableWidget>

using namespace sp;
using sp::module2::TPELM_FRM_DURK2;

namespace {

using Fixture = test::WindowFixture<TPELM_FRM_DURK2>;

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
        QCOMPARE(f.window.size(), QSize(370, 800));
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
};

SOCKETPILE_QTEST_MAIN(Module2WindowTest)
#include "module2window_test.moc"
