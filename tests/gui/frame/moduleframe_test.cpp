// The frame every module window shares, driven in the windows of all three modules: saving the two
// pages, the precision popup, delete-last, a refused storage permission, the question on closing
// over unsaved piles and the keyboard. Each module brings its
// own default pile, worked out by hand: its result boxes, its book and its table lines.

#include "guitest.h"
#include "frame/modulewindows.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>

using namespace sp;

namespace {

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}
QString rule(char c, int width) {
    return QString(width, QLatin1Char(c));
}

const char* const kBookFile = "嵌岩桩计算书(依据DBJ52T088-2018)_文本.txt";
const char* const kTableFile = "嵌岩桩计算书(依据DBJ52T088-2018)_表格.txt";
const char* const kTimeLine = "计算时间：2026/12/10 9:30:00";

struct ResultBox {
    const char* name;
    const char* byDefault;   // "个位取整"
    const char* twoDecimals; // "两位小数"
    const char* tens;        // "十位取整"
};

// One module's default pile: a round pile d 1000 in a fresh window.
struct ModuleCase {
    int module;
    int width;                    // of the pile table
    QStringList tableHeading;     // the five lines above the rows
    QString firstRow;             // ZH1 under "个位取整"
    QString secondRowTwoDecimals; // the same pile again as ZH2 under "两位小数"
    QString note;                 // the closing block's second line
    int bookLines;                // lines of the book of one pile, its time line included
    QStringList bookHolds;        // lines the book holds somewhere
    QList<ResultBox> boxes;
};

const QString kPlaceholder = u("    -     "); // "-" centred in 8, two blanks

QList<ModuleCase> cases() {
    const QString roundCells =
        u("   ZH1     ") + u(" 圆  桩   ") + u("  1000    ") + kPlaceholder + kPlaceholder + kPlaceholder;
    const QString roundCells2 =
        u("   ZH2     ") + u(" 圆  桩   ") + u("  1000    ") + kPlaceholder + kPlaceholder + kPlaceholder;
    const QString note = u("注: 采用《贵州省建筑桩基设计与施工技术规程》(DBJ 52/T088-2018)公式计算");
    // deq, hr, frk, integrity, process, hr/deq, ζr of the one-layer modules' default pile
    const QString oneLayerMiddle = u("  1000    ") + u("  1.0d    ") + u(" 25.00    ") + u(" 较完整   ") +
                                   u("泥浆护壁  ") + u("  1.00    ") + u(" 0.7867   ");
    const QString oneLayerBook = u("  4.1 桩身直径d:                         1000 mm");

    ModuleCase m1{
        1,
        180,
        {rule('=', 83) + u(" 嵌岩桩计算书 ") + rule('=', 83), rule('-', 180),
         u(" 基    桩  桩身截面  桩身直径  椭圆直段  矩形长边  矩形短边  等效直径  嵌岩深度  岩石强度  "
           "完整程度  成    桩  深 径 比  综合系数  嵌岩阻力  桩承载力  桩混凝土  工艺系数  桩身强度 "),
         u(" 编    号  类    型    d(mm)     c(mm)     a(mm)     b(mm)    deq(mm)   hr(mm)   frk(MPa)  "
           "(或指数)  工    艺   hr/deq     ζr      Qrk(kN)   Ra(kN)   强度等级    ψc      Rc(kN)  "),
         rule('-', 180)},
        // Qrk 15446.16, Ra 7723.08, C30, ψc 0.60, Rc 6738.72
        roundCells + oneLayerMiddle + u("  15446   ") + u("   7723   ") + u("   C30    ") + u("  0.60    ") +
            u("   6739  "),
        roundCells2 + oneLayerMiddle + u("15446.16  ") + u(" 7723.08  ") + u("   C30    ") + u("  0.60    ") +
            u(" 6738.72 "),
        note,
        55,
        {u("      桩身直径d:                         1000 mm"),
         u("      岩石完整程度：                   较完整"), oneLayerBook,
         u("      单桩竖向承载力特征值Ra:         7723.08 kN"),
         u("      桩身正截面受压承载力设计值Rc:   6738.72 kN"),
         u("      ") + u(" 0.7867 ") + u("  ") + u("  7723  ") + u("  ") + u("   C30  ") + u("  ") +
             u("  6739  ") + u(" ")},
        {{"edt_ra", "7723", "7723.08", "7720"}, {"edt_rc", "6739", "6738.72", "6730"}}};

    // Ap 0.79 m², μ 3.14 m, lr 1.00 m; Qsrk 5785.77, Qpk 11126.47, shares 34.21 % and 65.79 %, Ra 8456.12
    const QString twoLayerMiddle = u("  0.79    ") + u("  3.14    ") + u("  1.00    ");
    ModuleCase m2{2,
                  150,
                  {rule('=', 58) + u(" 嵌岩桩计算书 ") + rule('=', 78), rule('-', 150),
                   u(" 基    桩  桩身截面  桩身直径  椭圆直段  矩形长边  矩形短边  桩身面积  桩身周长  "
                     "嵌岩深度  桩侧阻力  桩侧阻力  桩端阻力  桩端阻力  桩承载力  计算结果 "),
                   u(" 编    号  类    型    d(mm)     c(mm)     a(mm)     b(mm)    Ap(m^2)   μr(m)     "
                     "lr(m)   Qsrk(kN)  占百分比   Qpk(kN)  占百分比   Ra(kN)   合规判定 "),
                   rule('-', 150)},
                  roundCells + twoLayerMiddle + u("   5786   ") + u("   34%    ") + u("  11126   ") +
                      u("   66%    ") + u("   8456   ") + u("  合规   "),
                  roundCells2 + twoLayerMiddle + u(" 5785.77  ") + u(" 34.21%   ") + u("11126.47  ") +
                      u(" 65.79%   ") + u(" 8456.12  ") + u("  合规   "),
                  u(" ") + note,
                  80,
                  {u("      桩身截面类型:                      圆桩"),
                   u("      基桩为地下水位以下和采用泥浆"),
                   u("      护壁钻、冲孔桩：                     是"),
                   u("  4.4 嵌岩段桩端端阻力标准值Qpk：    11126.47 kN"),
                   u("      嵌岩段极限侧阻力标准值Qsrk:     5785.77 kN"),
                   u("  4.5 单桩总极限承载力标准值Quk：    16912.24 kN"),
                   u("      单桩竖向承载力特征值Ra:         8456.12 kN"),
                   u("      嵌岩段桩端端阻力占百分比:        65.79%"),
                   u("      ") + u("  8456  ") + u("  ") + u("   66%  ") + u("  ") + u("   34%  ") + u("  ") +
                       u("  合规  ") + u(" ")},
                  {{"edt_Quk", "16912", "16912.24", "16910"},
                   {"edt_ra", "8456", "8456.12", "8450"},
                   {"edt_percent", "66%", "65.79%", "66%"}}};

    ModuleCase m3{3,
                  200,
                  {rule('=', 93) + u(" 嵌岩桩计算书 ") + rule('=', 93), rule('-', 200),
                   u(" 基    桩  桩身截面  桩身直径  椭圆直段  矩形长边  矩形短边  等效直径  等效直径  "
                     "嵌岩深度  岩石强度  完整程度  成    桩  深 径 比  综合系数  嵌岩阻力  桩承载力  "
                     "桩混凝土  工艺系数  桩身强度  计算结果 "),
                   u(" 编    号  类    型    d(mm)     c(mm)     a(mm)     b(mm)   算    法   deq(mm)   "
                     "hr(mm)   frk(MPa)  (或指数)  工    艺   hr/deq     ζr      Qrk(kN)   Ra(kN)   强度等级 "
                     "   ψc      Rc(kN)   合规判定 "),
                   rule('-', 200)},
                  // module 1's row with the method ("-" for a round pile) and the verdict
                  roundCells + kPlaceholder + oneLayerMiddle + u("  15446   ") + u("   7723   ") +
                      u("   C30    ") + u("  0.60    ") + u("   6739   ") + u("  合规   "),
                  roundCells2 + kPlaceholder + oneLayerMiddle + u("15446.16  ") + u(" 7723.08  ") +
                      u("   C30    ") + u("  0.60    ") + u(" 6738.72  ") + u("  合规   "),
                  note,
                  60,
                  {oneLayerBook, u("      嵌岩段侧阻和端阻综合系数ζr:     0.7867"),
                   u("      ") + u("    -   ") + u("  ") + u("  1000  ") + u("  ") + u("  1.0d  ") + u("  ") +
                       u("  25.00 ") + u(" "),
                   u("      ") + u("  7723  ") + u("  ") + u("   C30  ") + u("  ") + u("  6739  ") + u("  ") +
                       u("  合规  ") + u(" ")},
                  {{"edt_ra", "7723", "7723.08", "7720"}, {"edt_rc", "6739", "6738.72", "6730"}}};
    return {m1, m2, m3};
}

// A fresh window of the module with its inputs on view (module 3's warning accepted).
struct Fixture : test::AnyWindowFixture {
    explicit Fixture(int module) : AnyWindowFixture(test::makeModuleWindow(module)) {
        if (module == 3)
            click("cbt_tongyi");
    }
    QString page(const char* view) { return get<QPlainTextEdit>(view)->toPlainText(); }
    QStringList pageLines(const char* view) { return page(view).split(QLatin1Char('\n')); }
    int saveState() { return window.documents().saveState().value(); }
    int piles() { return window.documents().pileRegister().count(); }
};

QStringList tableOf(const ModuleCase& c, const QStringList& rows) {
    return c.tableHeading + rows + QStringList{rule('-', c.width), c.note, rule('=', c.width), u(kTimeLine)};
}

void addModuleRows() {
    QTest::addColumn<int>("module");
    QTest::newRow("module 1") << 0;
    QTest::newRow("module 2") << 1;
    QTest::newRow("module 3") << 2;
}

} // namespace

class ModuleFrameTest : public QObject {
    Q_OBJECT
private slots:
    void savingWritesThePageOnViewAndClearsItsFlag_data() { addModuleRows(); }
    void savingWritesThePageOnViewAndClearsItsFlag() {
        QFETCH(int, module);
        const ModuleCase c = cases()[module];
        Fixture f(c.module);
        f.click("cbt_compute");
        for (const ResultBox& box : c.boxes)
            QCOMPARE(f.box(QString::fromLatin1(box.name)), u(box.byDefault));
        f.click("cbt_View");
        QCOMPARE(f.saveState(), 3);
        QVERIFY(f.button("cbt_Save")->isEnabled());

        f.click("cbt_Save"); // page "1": the book
        QCOMPARE(f.saveState(), 2);
        QVERIFY(!f.button("cbt_Save")->isEnabled());
        QVERIFY(!QFile::exists(f.savedPath(kTableFile)));
        const QStringList book = test::savedLines(f.savedPath(kBookFile));
        QCOMPARE(book.size(), c.bookLines);
        QCOMPARE(book[0], u("================== 嵌岩桩计算书 =================="));
        QCOMPARE(book[1], u("1.基桩编号: ZH1"));
        for (const QString& line : c.bookHolds)
            QVERIFY2(book.contains(line), qPrintable(line));
        QCOMPARE(book[book.size() - 2], rule('=', 50));
        QCOMPARE(book.last(), u(kTimeLine));
        QCOMPARE(book, f.pageLines("meo_jisuanjieguo_Doc"));

        f.click("cbt_PageBook");
        QVERIFY(f.button("cbt_Save")->isEnabled());
        f.click("cbt_Save"); // page "2": the table
        QCOMPARE(f.saveState(), 0);
        QVERIFY(!f.button("cbt_Save")->isEnabled());
        QCOMPARE(test::savedLines(f.savedPath(kTableFile)), tableOf(c, {c.firstRow}));
        f.click("cbt_PageBook");
        QVERIFY(!f.button("cbt_Save")->isEnabled());

        // A second pile: saving the book again replaces the file with both books and one time line.
        f.click("cbt_Exit");
        f.type("cbe_dd", QStringLiteral("1100"));
        f.type("cbe_dd", QStringLiteral("1000"));
        f.click("cbt_compute");
        f.click("cbt_View");
        QCOMPARE(f.saveState(), 3);
        f.click("cbt_Save");
        QCOMPARE(f.saveState(), 2);
        const QStringList twoBooks = test::savedLines(f.savedPath(kBookFile));
        QCOMPARE(twoBooks.size(), 2 * c.bookLines - 1);
        QCOMPARE(twoBooks.mid(0, c.bookLines - 1), book.mid(0, c.bookLines - 1));
        QCOMPARE(twoBooks[c.bookLines - 1], book[0]);
        QCOMPARE(twoBooks[c.bookLines], u("1.基桩编号: ZH2"));
        QCOMPARE(twoBooks.count(u(kTimeLine)), 1);
        QVERIFY(f.messages.messages.isEmpty());
    }

    void precisionPopupAddsAPileAndWaitsWhileHidden_data() { addModuleRows(); }
    void precisionPopupAddsAPileAndWaitsWhileHidden() {
        QFETCH(int, module);
        const ModuleCase c = cases()[module];
        Fixture f(c.module);
        f.click("cbt_compute");
        auto* popup = f.get<QListWidget>("popbox_jingdu");
        QVERIFY(!popup->isVisible());
        f.click("cbt_JingDu");
        QVERIFY(popup->isVisible());
        popup->setCurrentRow(0); // "两位小数"
        QVERIFY(!popup->isVisible());
        QCOMPARE(f.piles(), 2);
        for (const ResultBox& box : c.boxes)
            QCOMPARE(f.box(QString::fromLatin1(box.name)), u(box.twoDecimals));
        QCOMPARE(f.pageLines("meo_jisuanjieguo_Xls"), tableOf(c, {c.firstRow, c.secondRowTwoDecimals}));

        // Hidden, the popup's choice waits for the next calculation.
        popup->setCurrentRow(3); // "十位取整"
        QCOMPARE(f.piles(), 2);
        for (const ResultBox& box : c.boxes)
            QCOMPARE(f.box(QString::fromLatin1(box.name)), u(box.twoDecimals));
        f.type("cbe_dd", QStringLiteral("1100"));
        f.type("cbe_dd", QStringLiteral("1000"));
        f.click("cbt_compute");
        QCOMPARE(f.piles(), 3);
        for (const ResultBox& box : c.boxes)
            QCOMPARE(f.box(QString::fromLatin1(box.name)), u(box.tens));
    }

    void deleteLastCutsBackToTheFirstPileAndThenEmpties_data() { addModuleRows(); }
    void deleteLastCutsBackToTheFirstPileAndThenEmpties() {
        QFETCH(int, module);
        const ModuleCase c = cases()[module];
        Fixture f(c.module);
        QVERIFY(!f.button("cbt_sanchu")->isEnabled());
        f.click("cbt_compute");
        const QString firstBook = f.page("meo_jisuanjieguo_Doc");
        QCOMPARE(f.pageLines("meo_jisuanjieguo_Xls"), tableOf(c, {c.firstRow}));
        for (const char* d : {"1100", "1200"}) {
            f.type("cbe_dd", QString::fromLatin1(d));
            f.click("cbt_compute");
        }
        QCOMPARE(f.piles(), 3);
        QCOMPARE(f.pageLines("meo_jisuanjieguo_Xls").size(), 5 + 3 + 4);
        f.click("cbt_View");
        f.click("cbt_Save"); // the book saved: state 2, until a pile is deleted
        f.click("cbt_sanchu");
        f.click("cbt_sanchu");
        QCOMPARE(f.piles(), 1);
        QCOMPARE(f.page("meo_jisuanjieguo_Doc"), firstBook);
        QCOMPARE(f.pageLines("meo_jisuanjieguo_Xls"), tableOf(c, {c.firstRow}));
        // The shortened documents are unsaved on both pages, so "保存" may write them again.
        QCOMPARE(f.saveState(), 3);
        QVERIFY(f.button("cbt_Save")->isEnabled());
        QVERIFY(f.button("cbt_sanchu")->isEnabled());

        f.click("cbt_sanchu");
        QCOMPARE(f.piles(), 0);
        QVERIFY(f.page("meo_jisuanjieguo_Doc").isEmpty());
        QVERIFY(f.page("meo_jisuanjieguo_Xls").isEmpty());
        QCOMPARE(f.saveState(), 0);
        QVERIFY(!f.button("cbt_Save")->isEnabled());
        QVERIFY(!f.button("cbt_sanchu")->isEnabled());

        // The numbering starts again at 1.
        f.click("cbt_Exit");
        f.type("cbe_dd", QStringLiteral("1000"));
        f.click("cbt_compute");
        QCOMPARE(f.page("meo_jisuanjieguo_Doc"), firstBook);
    }

    void refusedPermissionAndFailedWriteLeaveTheSaveStateAlone_data() { addModuleRows(); }
    void refusedPermissionAndFailedWriteLeaveTheSaveStateAlone() {
        QFETCH(int, module);
        const ModuleCase c = cases()[module];
        Fixture f(c.module);
        test::RefusingPermission refusing;
        f.window.setStoragePermission(&refusing);
        f.click("cbt_compute");
        f.click("cbt_View");
        f.click("cbt_PageBook"); // the table
        f.click("cbt_Save");
        QCOMPARE(f.messages.messages, QStringList({u("需要存贮权限，否则计算结果不能存盘"), u("无权存盘")}));
        QCOMPARE(f.saveState(), 3);
        QVERIFY(f.button("cbt_Save")->isEnabled());
        QVERIFY(!QFile::exists(f.savedPath(kTableFile)));

        frame::DesktopStoragePermission granting;
        f.window.setStoragePermission(&granting);
        QDir().mkpath(f.savedPath(kTableFile) + QStringLiteral("/blocked"));
        f.messages.messages.clear();
        f.click("cbt_Save");
        QCOMPARE(f.messages.messages.size(), 1);
        QVERIFY(f.messages.messages.front().contains(f.savedPath(kTableFile)));
        QCOMPARE(f.saveState(), 3);
        QVERIFY(f.button("cbt_Save")->isEnabled());

        // Once the way is clear the same button saves the table.
        QDir(f.savedPath(kTableFile)).removeRecursively();
        f.messages.messages.clear();
        f.click("cbt_Save");
        QVERIFY(f.messages.messages.isEmpty());
        QCOMPARE(f.saveState(), 1);
        QCOMPARE(test::savedLines(f.savedPath(kTableFile)), tableOf(c, {c.firstRow}));
    }

    // Closing ("退出" or the system's close) over piles never saved asks what to do with them.
    void closingOverUnsavedPilesAsksFirst_data() {
        QTest::addColumn<int>("module");
        // What the engineer did first: "", "computed", "book saved", "all saved", "deleted".
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("answer");      // SaveAnswer
        QTest::addColumn<QString>("saving");  // "", "refused", "blocked"
        QTest::addColumn<bool>("exitButton"); // "退出" rather than the system's close
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<int>("stateAfter"); // -1: not looked at
        QTest::addColumn<bool>("bookOnDisk");
        QTest::addColumn<bool>("tableOnDisk");
        const int save = int(frame::SaveAnswer::Save), discard = int(frame::SaveAnswer::Discard),
                  cancel = int(frame::SaveAnswer::Cancel);
        const QString none, computed = QStringLiteral("computed");
        QTest::newRow("nothing computed")
            << 1 << none << cancel << none << true << false << true << 0 << false << false;
        QTest::newRow("all saved") << 2 << QStringLiteral("all saved") << cancel << none << false << false
                                   << true << 0 << true << true;
        QTest::newRow("deleted back to none") << 3 << QStringLiteral("deleted") << cancel << none << true
                                              << false << true << -1 << false << false;
        QTest::newRow("保存") << 1 << computed << save << none << true << true << true << 0 << true << true;
        QTest::newRow("保存 the table left") << 2 << QStringLiteral("book saved") << save << none << false
                                             << true << true << 0 << true << true;
        QTest::newRow("保存 refused") << 3 << computed << save << QStringLiteral("refused") << false << true
                                      << false << 3 << false << false;
        QTest::newRow("保存 cannot write") << 1 << computed << save << QStringLiteral("blocked") << true
                                           << true << false << 3 << false << false;
        QTest::newRow("不保存") << 2 << computed << discard << none << true << true << true << 3 << false
                                << false;
        QTest::newRow("取消") << 3 << computed << cancel << none << false << true << false << 3 << false
                              << false;
    }
    void closingOverUnsavedPilesAsksFirst() {
        QFETCH(int, module);
        QFETCH(QString, before);
        QFETCH(int, answer);
        QFETCH(QString, saving);
        QFETCH(bool, exitButton);
        Fixture f(module);
        if (!before.isEmpty())
            f.click("cbt_compute");
        if (before == QLatin1String("deleted")) {
            f.click("cbt_View");
            f.click("cbt_sanchu");
        }
        if (before.endsWith(QLatin1String("saved"))) {
            f.click("cbt_View");
            f.click("cbt_Save");
        }
        if (before == QLatin1String("all saved")) {
            f.click("cbt_PageBook");
            f.click("cbt_Save");
        }
        QVERIFY(f.messages.messages.isEmpty());
        test::RefusingPermission refusing;
        if (saving == QLatin1String("refused"))
            f.window.setStoragePermission(&refusing);
        if (saving == QLatin1String("blocked"))
            QDir().mkpath(f.savedPath(kBookFile) + QStringLiteral("/blocked"));
        f.messages.answer = static_cast<frame::SaveAnswer>(answer);

        if (exitButton) {
            if (f.button("cbt_Exit")->isVisible())
                f.click("cbt_Exit"); // back to the inputs, where "退出" is
            f.click("cbt_tuichu");
        } else {
            f.window.close();
        }

        QFETCH(bool, asked);
        QFETCH(bool, closed);
        QFETCH(int, stateAfter);
        QFETCH(bool, bookOnDisk);
        QFETCH(bool, tableOnDisk);
        const QStringList question = {u("未保存的计算结果|计算结果尚未保存，是否保存后关闭？")};
        QCOMPARE(f.messages.questions, asked ? question : QStringList());
        QCOMPARE(f.window.isVisible(), !closed);
        if (stateAfter >= 0)
            QCOMPARE(f.saveState(), stateAfter);
        QCOMPARE(QFileInfo(f.savedPath(kBookFile)).isFile(), bookOnDisk);
        QCOMPARE(QFile::exists(f.savedPath(kTableFile)), tableOnDisk);
        if (tableOnDisk)
            QCOMPARE(test::savedLines(f.savedPath(kTableFile)),
                     tableOf(cases()[module - 1], {cases()[module - 1].firstRow}));
        if (saving == QLatin1String("refused"))
            QCOMPARE(f.messages.messages,
                     QStringList({u("需要存贮权限，否则计算结果不能存盘"), u("无权存盘")}));
        if (saving == QLatin1String("blocked")) {
            QCOMPARE(f.messages.messages.size(), 1);
            QVERIFY(f.messages.messages.front().contains(f.savedPath(kBookFile)));
        }
        if (!closed) // what was kept is still there
            QCOMPARE(f.piles(), 1);
    }

    // Every save says, in full, where it wrote: under the documents for "保存", in the page's
    // status line for "存盘".
    void savesShowTheFullPathWritten_data() { addModuleRows(); }
    void savesShowTheFullPathWritten() {
        QFETCH(int, module);
        Fixture f(cases()[module].module);
        auto* where = f.get<QLabel>("lb_baocunweizhi");
        f.click("cbt_compute");
        f.click("cbt_View");
        QVERIFY(where->text().isEmpty());
        f.click("cbt_Save");
        QCOMPARE(where->text(), u("已保存：") + QDir::toNativeSeparators(f.savedPath(kBookFile)));
        QVERIFY(where->isVisible());
        f.click("cbt_PageBook");
        f.click("cbt_Save");
        QCOMPARE(where->text(), u("已保存：") + QDir::toNativeSeparators(f.savedPath(kTableFile)));
        QVERIFY(f.messages.messages.isEmpty());
    }

    // "另存为…" writes the page on view where the engineer chooses, in GBK exactly as "保存" does,
    // and marks that page saved; the dialog opens in the documents folder at the page's usual
    // name. A cancelled dialog or a failed write leave the page unsaved.
    void saveAsWritesThePageOnViewWhereChosen_data() { addModuleRows(); }
    void saveAsWritesThePageOnViewWhereChosen() {
        QFETCH(int, module);
        const ModuleCase c = cases()[module];
        Fixture f(c.module);
        test::FakeFiles files;
        f.window.setFileChooser(&files);
        auto* saveAs = f.button("cbt_SaveAs");
        QCOMPARE(saveAs->text(), u("另存为…"));
        QVERIFY(!saveAs->isEnabled()); // no pile yet
        f.click("cbt_compute");
        f.click("cbt_View");
        QVERIFY(saveAs->isEnabled());

        f.click("cbt_SaveAs"); // cancelled
        QCOMPARE(files.asked, QStringList({u("另存为|") + f.savedPath(kBookFile)}));
        QCOMPARE(f.saveState(), 3);

        const QString chosen = f.folder.path() + u("/elsewhere/桩基计算书 A.txt");
        QDir().mkpath(f.folder.path() + u("/elsewhere"));
        files.saveAnswer = chosen;
        f.click("cbt_SaveAs");
        QCOMPARE(test::savedLines(chosen), f.pageLines("meo_jisuanjieguo_Doc"));
        QCOMPARE(f.saveState(), 2);
        QVERIFY(!f.button("cbt_Save")->isEnabled());
        QVERIFY(!QFile::exists(f.savedPath(kBookFile))); // the usual file is not touched
        QCOMPARE(f.get<QLabel>("lb_baocunweizhi")->text(), u("已保存：") + QDir::toNativeSeparators(chosen));

        // The table: a write that fails says where and why and leaves the page unsaved.
        f.click("cbt_PageBook");
        const QString blocked = f.folder.path() + u("/no/such/folder/table.txt");
        files.saveAnswer = blocked;
        f.click("cbt_SaveAs");
        QCOMPARE(files.asked.last(), u("另存为|") + f.savedPath(kTableFile));
        QCOMPARE(f.messages.messages.size(), 1);
        QVERIFY(f.messages.messages.front().startsWith(u("无法保存文件：") + blocked + u("\n")));
        QCOMPARE(f.saveState(), 2);
        QVERIFY(f.button("cbt_Save")->isEnabled());

        files.saveAnswer = f.folder.path() + u("/elsewhere/table.txt");
        f.click("cbt_SaveAs");
        QCOMPARE(test::savedLines(*files.saveAnswer), tableOf(c, {c.firstRow}));
        QCOMPARE(f.saveState(), 0);
        QVERIFY(!f.button("cbt_Save")->isEnabled());
    }

    // A name without a suffix is given ".txt"; a file that name then finds is replaced only when
    // the engineer agrees, since the dialog asked about the name as typed.
    void saveAsAddsTheTextSuffix() {
        Fixture f(1);
        test::FakeFiles files;
        f.window.setFileChooser(&files);
        f.click("cbt_compute");
        f.click("cbt_View");
        QDir().mkpath(f.folder.path() + u("/elsewhere"));
        const QString named = f.folder.path() + u("/elsewhere/桩基计算书 B");
        files.saveAnswer = named;
        f.click("cbt_SaveAs");
        QCOMPARE(test::savedLines(named + u(".txt")), f.pageLines("meo_jisuanjieguo_Doc"));
        QVERIFY(!QFile::exists(named));
        QVERIFY(f.messages.questions.isEmpty());

        // Once more onto the file now there: asked, and "取消" leaves it and the page as they were.
        f.click("cbt_compute");
        f.click("cbt_View");
        QCOMPARE(f.saveState(), 3);
        f.messages.replace = false;
        f.click("cbt_SaveAs");
        QCOMPARE(f.messages.questions,
                 QStringList{
                     u("替换|%1 已存在。\n要替换它吗？").arg(QDir::toNativeSeparators(named + u(".txt")))});
        QCOMPARE(f.saveState(), 3);
        f.messages.replace = true;
        f.click("cbt_SaveAs");
        QCOMPARE(test::savedLines(named + u(".txt")), f.pageLines("meo_jisuanjieguo_Doc"));
        QCOMPARE(f.saveState(), 2);
    }

    // The documents layer's buttons fit the window at its design width.
    void theDocumentButtonsFitTheDesignWidth() {
        Fixture f(2);
        f.click("cbt_compute");
        f.click("cbt_View");
        f.window.resize(370, f.window.height());
        QCoreApplication::processEvents();
        for (const char* name : {"cbt_Exit", "cbt_Save", "cbt_SaveAs", "cbt_sanchu", "cbt_ExportPdf", "cbt_Print",
                                 "cbt_ExportExcel"}) {
            QPushButton* b = f.button(name);
            const QRect place(b->mapTo(&f.window, QPoint(0, 0)), b->size());
            QVERIFY2(f.window.rect().contains(place), name);
            QVERIFY2(b->width() >= b->sizeHint().width() || b->text() == u("x"), name);
        }
        const QRect save(f.button("cbt_Save")->mapTo(&f.window, QPoint(0, 0)), f.button("cbt_Save")->size());
        const QRect saveAs(f.button("cbt_SaveAs")->mapTo(&f.window, QPoint(0, 0)), f.button("cbt_SaveAs")->size());
        QVERIFY(!save.intersects(saveAs));
    }

    void storingTheOptimisationTableShowsItsPath() {
        Fixture f(1);
        f.click("cbt_YouHua");
        f.click("cbt_YHcompute");
        auto* status = f.get<QLabel>("lb_YHxingxi");
        QTRY_COMPARE(status->text(), u("计算完成，桩数：3456 根"));
        f.click("cbt_YHsave");
        QCOMPARE(status->text(), u("已保存：") + QDir::toNativeSeparators(f.savedPath(
                                                     "嵌岩桩优化计算原始结果(依据DBJ52T088-2018)_表格.txt")));
        QVERIFY(f.messages.messages.isEmpty());
    }

    // Enter in an input field calculates while "计算" is on view; never from a result box.
    void enterInAnInputFieldCalculates_data() {
        QTest::addColumn<int>("module");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("pilesAfterTwoPresses");
        // the first press computes; the second finds "结果" in place of "计算"
        QTest::newRow("module 1 diameter") << 1 << QStringLiteral("cbe_dd") << int(Qt::Key_Return) << 1;
        QTest::newRow("module 1 frk, keypad") << 1 << QStringLiteral("edt_frk") << int(Qt::Key_Enter) << 1;
        QTest::newRow("module 1 process list") << 1 << QStringLiteral("cbb_czgy") << int(Qt::Key_Return) << 1;
        QTest::newRow("module 1 result box") << 1 << QStringLiteral("edt_ra") << int(Qt::Key_Return) << 0;
        QTest::newRow("module 2 diameter") << 2 << QStringLiteral("cbe_dd") << int(Qt::Key_Return) << 1;
        QTest::newRow("module 3 frk") << 3 << QStringLiteral("edt_frk") << int(Qt::Key_Return) << 1;
    }
    void enterInAnInputFieldCalculates() {
        QFETCH(int, module);
        QFETCH(QString, field);
        QFETCH(int, key);
        QFETCH(int, pilesAfterTwoPresses);
        Fixture f(module);
        auto* target = f.window.findChild<QWidget*>(field);
        QVERIFY(target);
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key));
        QCOMPARE(f.piles(), pilesAfterTwoPresses);
        QTest::keyClick(target, Qt::Key(key));
        QCOMPARE(f.piles(), pilesAfterTwoPresses);
        QCOMPARE(f.button("cbt_View")->isVisible(), pilesAfterTwoPresses == 1);
    }

    // Ctrl+Shift+S on the documents layer saves the page on view; Ctrl+S belongs to the project
    // (the launcher's 保存项目) and saves no page.
    void ctrlShiftSSavesThePageOnView() {
        const auto ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
        Fixture f(1);
        f.click("cbt_compute");
        QTest::keyClick(&f.window, Qt::Key_S, ctrlShift); // on the input layer: nothing
        QVERIFY(!QFile::exists(f.savedPath(kBookFile)));
        f.click("cbt_View");
        auto* view = f.get<QPlainTextEdit>("meo_jisuanjieguo_Doc");
        view->setFocus();
        QTest::keyClick(view, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(f.saveState(), 3);
        QVERIFY(!QFile::exists(f.savedPath(kBookFile)));
        QTest::keyClick(view, Qt::Key_S, ctrlShift);
        QCOMPARE(f.saveState(), 2);
        QVERIFY(QFile::exists(f.savedPath(kBookFile)));
        QVERIFY(!QFile::exists(f.savedPath(kTableFile)));
        QVERIFY(f.button("cbt_Save")->toolTip().contains(QStringLiteral("Ctrl+Shift+S")));
        f.click("cbt_PageBook");
        QTest::keyClick(&f.window, Qt::Key_S, ctrlShift);
        QCOMPARE(f.saveState(), 0);
        QCOMPARE(test::savedLines(f.savedPath(kTableFile)), tableOf(cases()[0], {cases()[0].firstRow}));
        QVERIFY(f.messages.messages.isEmpty());
    }

    // The precision popup goes with Escape or a click elsewhere in the window, choosing nothing.
    void thePrecisionPopupClosesWithEscapeOrAClickElsewhere_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Escape in the popup") << QStringLiteral("escape popup");
        QTest::newRow("Escape on the window") << QStringLiteral("escape window");
        QTest::newRow("click on a field") << QStringLiteral("edt_frk");
        QTest::newRow("click on the title") << QStringLiteral("lb_cxm");
        QTest::newRow("click on the result group") << QStringLiteral("gpb_jisuanjieguo");
    }
    void thePrecisionPopupClosesWithEscapeOrAClickElsewhere() {
        QFETCH(QString, how);
        Fixture f(1);
        f.click("cbt_compute");
        auto* popup = f.get<QListWidget>("popbox_jingdu");
        f.click("cbt_JingDu");
        QVERIFY(popup->isVisible());
        if (how == QLatin1String("escape popup")) {
            popup->setFocus();
            QTest::keyClick(popup, Qt::Key_Escape);
        } else if (how == QLatin1String("escape window")) {
            QTest::keyClick(&f.window, Qt::Key_Escape);
        } else {
            QTest::mouseClick(f.window.findChild<QWidget*>(how), Qt::LeftButton, {}, QPoint(2, 2));
        }
        QVERIFY(!popup->isVisible());
        QCOMPARE(f.piles(), 1);
        // Its button opens it again, and a click inside it still chooses.
        f.click("cbt_JingDu");
        QVERIFY(popup->isVisible());
        QTest::mouseClick(popup->viewport(), Qt::LeftButton, {},
                          popup->visualItemRect(popup->item(0)).center());
        QCOMPARE(f.piles(), 2);
        QCOMPARE(f.box(QStringLiteral("edt_ra")), u("7723.08"));
    }
};

SOCKETPILE_QTEST_MAIN(ModuleFrameTest)
#include "moduleframe_test.moc"
