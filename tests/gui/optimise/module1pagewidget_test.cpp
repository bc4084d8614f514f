#include "frame/widgetcolours.h"
#include "guitest.h"
#include "windows/module1window.h"
#include "optimise/optimisepagewidget.h"
#include "charts/chartwindow.h"
#include "charts/designspacechartview.h"

#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QTableView>
#include <QTableWidget>

using namespace sp;
using namespace std::chrono_literals;
using sp::module1::Module1Window;

namespace {

using Fixture = test::WindowFixture<Module1Window>;

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

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}
QString rule(char c, int width = 180) {
    return QString(width, QLatin1Char(c));
}

// Columns on paper: a character from U+1000 to U+9FA5 takes two.
int displayWidth(const QString& text) {
    int width = 0;
    for (QChar c : text)
        width += c.unicode() >= 0x1000 && c.unicode() <= 0x9FA5 ? 2 : 1;
    return width;
}

const char* const kRawFile = "嵌岩桩优化计算原始结果(依据DBJ52T088-2018)_表格.txt";
const char* const kFilteredFile = "嵌岩桩优化计算筛选结果(依据DBJ52T088-2018)_表格.txt";

// The lines of a result file around its rows.
QStringList resultFile(const char* title, const QStringList& rows) {
    const QStringList heading = {rule('=', 78) + u(" ") + u(title) + u(" ") + rule('=', 78), rule('-'),
                                 u(" 基    桩  桩身截面  桩身直径  椭圆直段  矩形长边  矩形短边  嵌岩深度  "
                                   "岩石强度  完整程度  成    桩  等效直径  "
                                   "等效直径  深 径 比  综合系数  桩承载力  桩混凝土  工艺系数  桩身强度 "),
                                 u(" 编    号  类    型    d(mm)     c(mm)     a(mm)     b(mm)     lr(m)   "
                                   "frk(MPa)  或 指 数  工    艺  算    法 "
                                   "  deq(mm)    hr/d      ζr      Ra(kN)   强度等级    ψc      Rc(kN)  "),
                                 rule('-')};
    const QStringList closing = {rule('-'),
                                 u(" 注: 采用《贵州省建筑桩基设计与施工技术规程》(DBJ 52/T088-2018)公式计算"),
                                 rule('='), u("计算时间：2026/12/10 9:30:00")};
    return heading + rows + closing;
}

// A round pile d 1000 as a result file's row begins: file number, kind, d and three placeholders.
QString roundPileCells(const char* fileNumber) {
    return u(" ") + u(fileNumber) + u("  ") + u(" 圆  桩   ") + u("  1000    ") + u("    -     ") +
           u("    -     ") + u("    -     ");
}

// Two candidates that differ only in the concrete: round d 1000, 1.0d, frk 25, 较完整, 泥浆护壁, C25 and
// C30. Both have deq 1000, hr/d 1.00, ζr 0.7867 and Ra 7723.08; Rc = 0.60 × fc × 785398.16 mm² is
// 5607.74 with C25 (fc 11.9) and 6738.72 with C30 (fc 14.3). ψc shows the one Rc was computed with: 0.60 for mud-protected work.
void runTwoConcreteCandidates(Fixture& f) {
    f.click("cbt_YouHua");
    const struct {
        int row;
        const char* min;
        const char* max;
        const char* step;
    } rows[] = {{0, "1", "1", "1"},         {1, "1000", "1000", "500"}, {6, "1.0d", "1.0d", "1.0d"},
                {7, "25.00", "25.00", "5"}, {8, "1", "1", "1"},         {9, "2", "2", "1"},
                {11, "C25", "C30", "5"},    {12, "2", "2", "1"}};
    for (const auto& r : rows) {
        setOption(f, r.row, 1, QString::fromLatin1(r.min));
        setOption(f, r.row, 2, QString::fromLatin1(r.max));
        setOption(f, r.row, 3, QString::fromLatin1(r.step));
    }
    f.click("cbt_YHcompute");
    QTRY_COMPARE(status(f), QStringLiteral("计算完成，桩数：2 根"));
}

QString concreteCandidateRow(const char* fileNumber, const char* grade, const char* rc) {
    return roundPileCells(fileNumber) + u("  1.0d    ") + u(" 25.00    ") + u(" 较完整   ") +
           u("泥浆护壁  ") + u("面积相等  ") + u("  1000    ") + u("  1.00    ") + u(" 0.7867   ") +
           u("   7723   ") + u(grade) + u("  0.60    ") + u(rc) + u("  ");
}

// Compares a saved result file with the expected lines, the heading and closing blocks and each row.
void compareResultFile(const QStringList& actual, const QStringList& expected) {
    QCOMPARE(actual.size(), expected.size());
    for (int k = 0; k < int(expected.size()); ++k)
        QCOMPARE(actual[k], expected[k]);
}

optimise::OptimisePageWidget* pageWidget(Fixture& f) {
    return f.window.findChild<optimise::OptimisePageWidget*>();
}

} // namespace

class OptimisePageTest : public QObject {
    Q_OBJECT
private slots:
    void rowsOfCodesNameTheWindowsWordsInTooltips() {
        Fixture f;
        f.click("cbt_YouHua");
        QTableWidget* table = options(f);
        QCOMPARE(table->item(0, 1)->text(), QStringLiteral("1"));
        QCOMPARE(table->item(0, 1)->toolTip(), QStringLiteral("1：圆桩"));
        QCOMPARE(table->item(0, 2)->toolTip(), QStringLiteral("4：方桩"));
        QCOMPARE(table->item(0, 4)->text(), QStringLiteral("圆桩1/椭圆桩2/矩形桩3/方桩4"));
        QCOMPARE(table->item(0, 4)->toolTip(), QStringLiteral("1：圆桩\n2：椭圆桩\n3：矩形桩\n4：方桩"));
        QCOMPARE(table->item(12, 4)->text(), QStringLiteral("人工挖孔1/泥浆护壁2/后注浆3/水下浇筑4"));
        QVERIFY(table->item(12, 0)->toolTip().startsWith(QStringLiteral("1：干作业成桩(清底干净)\n")));
        QCOMPARE(table->item(12, 2)->toolTip(), QStringLiteral("2：泥浆护壁成桩"));
        QVERIFY(table->item(1, 1)->toolTip().isEmpty());

        // An edited code names its word at once, and the edit is taken as one.
        table->setCurrentCell(0, 2);
        setOption(f, 0, 2, QStringLiteral("3"));
        QCOMPARE(table->item(0, 2)->toolTip(), QStringLiteral("3：矩形桩"));
        QCOMPARE(static_cast<Module1Window&>(f.window)
                     .findChild<optimise::OptimisePageWidget*>()
                     ->page()
                     .optionTable()
                     .cell(0, 2),
                 std::string("3"));
    }

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

    // "图表" shows the visible table's candidates; it follows a filter and a sort, and a click on a
    // point recalls its row as a double click does.
    void chartFollowsTheVisibleTableAndRecallsAClickedPoint() {
        Fixture f;
        runDefault(f);
        f.click("cbt_YHchart");
        auto* window = f.window.findChild<gui::ChartWindow*>();
        QVERIFY(window && window->isVisible());
        auto* chart = window->findChild<gui::DesignSpaceChartView*>(QStringLiteral("DesignSpaceChart"));
        QVERIFY(chart);
        QCOMPARE(chart->space().points.size(), std::size_t{3456});
        QVERIFY(chart->space().cheapest); // the default filter rows make a band with rows in it

        // Sorted by Ra ascending: point k is row k of the table as it now reads.
        auto* view = f.get<QTableView>("Grid2_Youhuajieguo");
        emit view->horizontalHeader()->sectionClicked(4);
        QCOMPARE(chart->space().points[0].ra, cell(view, 0, 4).toDouble());
        QVERIFY(chart->space().points[0].ra <= chart->space().points[3455].ra);

        // A filter narrows the chart to the filtered table.
        f.click("cbt_YHsaixuan");
        auto* filtered = f.get<QTableView>("Grid3_Youhuasaixuan");
        const int rows = filtered->model()->rowCount();
        QVERIFY(rows > 0 && rows < 3456);
        QCOMPARE(chart->space().points.size(), std::size_t(rows));
        QCOMPARE(f.window.findChildren<gui::ChartWindow*>().size(), 1); // pressed again: the same window
        f.click("cbt_YHchart");
        QCOMPARE(f.window.findChildren<gui::ChartWindow*>().size(), 1);

        // A click on the cheapest point: its row is selected and recalled into the input layer.
        const int row = static_cast<int>(*chart->space().cheapest);
        emit chart->rowClicked(static_cast<qulonglong>(row));
        QVERIFY(f.get<QWidget>("MainFormLayer")->isVisible());
        QCOMPARE(filtered->currentIndex().row(), row);
        QCOMPARE(f.get<QComboBox>("cbe_dd")->currentText(), cell(filtered, row, 2));
        f.click("cbt_compute");
        QCOMPARE(f.box("edt_ra"), cell(filtered, row, 4));
    }

    void storedTablesGoThroughTheSaveRoutine() {
        Fixture f;
        runDefault(f);
        f.click("cbt_YHsave");
        QVERIFY(QFile::exists(f.savedPath(kRawFile)));
        QVERIFY(!f.button("cbt_YHsave")->isEnabled());
        QVERIFY(f.messages.messages.isEmpty());

        // 3456 rows, numbered to four digits. The first: round d 1000, 1.0d, frk 35 (hard rock),
        // 完整, C25, dry work: ζ 0.81 × 1.15 = 0.9315, Ra = 0.9315 × 35 × 785.398 / 2 = 12802.97,
        // Rc = 0.80 × 11.9 × 785.398 = 7476.99 with ψc 0.80 for dry work. The second is mud
        // protected: ζr 0.8100, Ra 11133.02, Rc 0.60 × 11.9 × 785.398 = 5607.74 with ψc 0.60.
        // The ψc column shows the ψc that Rc was computed with.
        const QStringList lines = test::savedLines(f.savedPath(kRawFile));
        QCOMPARE(lines.size(), 5 + 3456 + 4);
        const QStringList expected = resultFile("嵌岩桩优化计算原始结果", {});
        QCOMPARE(lines.mid(0, 5), expected.mid(0, 5));
        QCOMPARE(lines.mid(5 + 3456), expected.mid(5));
        const QString first = roundPileCells(" ZH-0001") + u("  1.0d    ") + u(" 35.00    ") +
                              u("  完整    ") + u("干 作 业  ") + u("面积相等  ") + u("  1000    ") +
                              u("  1.00    ") + u(" 0.9315   ") + u("  12803   ") + u("   C25    ") +
                              u("  0.80    ") + u("   7477  ");
        const QString second = roundPileCells(" ZH-0002") + u("  1.0d    ") + u(" 35.00    ") +
                               u("  完整    ") + u("泥浆护壁  ") + u("面积相等  ") + u("  1000    ") +
                               u("  1.00    ") + u(" 0.8100   ") + u("  11133   ") + u("   C25    ") +
                               u("  0.60    ") + u("   5608  ");
        QCOMPARE(lines[5], first);
        QCOMPARE(lines[6], second);
        auto* view = f.get<QTableView>("Grid2_Youhuajieguo");
        QCOMPARE(QStringList({cell(view, 0, 16), cell(view, 1, 16)}), QStringList({"0.80", "0.60"}));
        // The last: a square of side 2000 (a and b), 3.0b, frk 40, index 0.66 (较完整), C30, mud
        // protected: deq = √(4 × 2000² / π) = 2256.76, hr/deq = 6000 / 2256.76 = 2.66, ζ = 0.83 +
        // 0.04 × 0.3174 = 0.8427, Ra = 0.8427 × 40 × 4000 / 2 = 67415.56, Rc = 0.60 × 14.3 × 4000 = 34320.
        const QString last = u(" ") + u(" ZH-3456") + u("  ") + u(" 方  桩   ") + u("    -     ") +
                             u("    -     ") + u("  2000    ") + u("  2000    ") + u("  3.0b    ") +
                             u(" 40.00    ") + u("  0.66    ") + u("泥浆护壁  ") + u("面积相等  ") +
                             u("  2257    ") + u("  2.66    ") + u(" 0.8427   ") + u("  67416   ") +
                             u("   C30    ") + u("  0.60    ") + u("  34320  ");
        QCOMPARE(lines[5 + 3455], last);
        for (const QString& line : lines.mid(5, 3456))
            QCOMPARE(displayWidth(line), 180);
    }

    void savedFilesNumberTheirRowsInTheTablesOrder() {
        Fixture f;
        runTwoConcreteCandidates(f);
        f.click("cbt_YHsave");
        compareResultFile(test::savedLines(f.savedPath(kRawFile)),
                          resultFile("嵌岩桩优化计算原始结果",
                                     {concreteCandidateRow("  ZH-1  ", "   C25    ", "   5608"),
                                      concreteCandidateRow("  ZH-2  ", "   C30    ", "   6739")}));
        QVERIFY(!f.button("cbt_YHsave")->isEnabled());

        // Sorted by Rc descending the same file is written again, rows numbered in their new order.
        auto* header = f.get<QTableView>("Grid2_Youhuajieguo")->horizontalHeader();
        emit header->sectionClicked(5);
        emit header->sectionClicked(5);
        QCOMPARE(status(f), QStringLiteral("Rc降序排列完成"));
        QVERIFY(f.button("cbt_YHsave")->isEnabled());
        f.click("cbt_YHsave");
        compareResultFile(test::savedLines(f.savedPath(kRawFile)),
                          resultFile("嵌岩桩优化计算原始结果",
                                     {concreteCandidateRow("  ZH-1  ", "   C30    ", "   6739"),
                                      concreteCandidateRow("  ZH-2  ", "   C25    ", "   5608")}));

        // Filtered to Rc 6000 to 7000 only the C30 candidate is left: the filtered file, row ZH-1.
        setOption(f, 14, 1, QStringLiteral("0"));
        setOption(f, 14, 2, QStringLiteral("0"));
        setOption(f, 15, 1, QStringLiteral("6000"));
        setOption(f, 15, 2, QStringLiteral("7000"));
        f.click("cbt_YHsaixuan");
        QCOMPARE(status(f), QStringLiteral("筛选完成，桩数：1 根"));
        f.click("cbt_YHsave");
        compareResultFile(test::savedLines(f.savedPath(kFilteredFile)),
                          resultFile("嵌岩桩优化计算筛选结果",
                                     {concreteCandidateRow("  ZH-1  ", "   C30    ", "   6739")}));
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

    // With no delay the bar and the cancel button show as the run starts, whatever the machine's
    // speed; a cancel keeps the rows computed so far and says how many.
    void aLongRunShowsProgressAndCanBeCancelled() {
        Fixture f;
        pageWidget(f)->setProgressDelay(0ms);
        f.click("cbt_YouHua");
        setOption(f, 0, 2, QStringLiteral("1")); // round piles only
        setOption(f, 1, 3, QStringLiteral("0.015")); // about 9.6 million candidates
        auto* bar = f.get<QProgressBar>("pb_youhua");
        f.click("cbt_YHcompute");
        QVERIFY(bar->isVisible());
        QVERIFY(f.button("cbt_YHcancel")->isVisible());
        QVERIFY(!f.get<QLabel>("lb_huzhu")->isVisible());
        for (const char* name : {"cbt_YHcompute", "cbt_YHsaixuan", "cbt_YHsave", "cbt_YHfanhui"})
            QVERIFY2(!f.button(name)->isEnabled(), name);
        QVERIFY(!options(f)->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(bar->value() > 0, 10000); // the bar moves as rows come in

        f.click("cbt_YHcancel");
        QTRY_VERIFY_WITH_TIMEOUT(status(f).startsWith(QStringLiteral("运行已取消")), 10000);
        const int rows = f.get<QTableView>("Grid2_Youhuajieguo")->model()->rowCount();
        QCOMPARE(status(f), QStringLiteral("运行已取消，桩数：%1 根").arg(rows));
        QVERIFY(rows > 0);
        QVERIFY(rows < 9000000);
        QVERIFY(!bar->isVisible());
        QVERIFY(!f.button("cbt_YHcancel")->isVisible());
        QVERIFY(f.get<QLabel>("lb_huzhu")->isVisible());
        QVERIFY(f.button("cbt_YHfanhui")->isEnabled());
        QVERIFY(f.button("cbt_YHcompute")->isEnabled());
        QVERIFY(options(f)->isEnabled());
    }

    void aRunThatEndsHidesItsProgressAgain() {
        Fixture f;
        pageWidget(f)->setProgressDelay(0ms);
        runTwoConcreteCandidates(f);
        QVERIFY(!f.get<QProgressBar>("pb_youhua")->isVisible());
        QVERIFY(!f.button("cbt_YHcancel")->isVisible());
        QVERIFY(f.get<QLabel>("lb_huzhu")->isVisible());
        QVERIFY(f.button("cbt_YHfanhui")->isEnabled());
        QCOMPARE(f.get<QTableView>("Grid2_Youhuajieguo")->model()->rowCount(), 2);
    }

    // Under the default half second the bar waits: a run starts without it.
    void withTheDefaultDelayTheBarWaits() {
        Fixture f;
        f.click("cbt_YouHua");
        setOption(f, 0, 2, QStringLiteral("1"));
        f.click("cbt_YHcompute");
        QVERIFY(!f.get<QProgressBar>("pb_youhua")->isVisible());
        QVERIFY(!f.button("cbt_YHcancel")->isVisible());
        QVERIFY(f.get<QLabel>("lb_huzhu")->isVisible());
        QTRY_VERIFY(status(f).startsWith(QStringLiteral("计算完成")));
        QVERIFY(!f.get<QProgressBar>("pb_youhua")->isVisible());
    }
};

SOCKETPILE_QTEST_MAIN(OptimisePageTest)
#include "module1pagewidget_test.moc"
