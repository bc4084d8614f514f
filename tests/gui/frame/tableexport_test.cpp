// "导出Excel…" in the windows: the pile table of the documents layer and the result tables of the
// optimisation page, to a workbook or CSV by the chosen name; cancel and failures leave the window
// as it was.

#include "frame/filechooser.h"
#include "guitest.h"
#include "optimise/optimisepagewidget.h"
#include "optimise/results/resultsheet.h"
#include "windows/module1window.h"
#include "xlsxreader.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTableView>
#include <QTableWidget>

#include <optional>

using namespace sp;
using sp::module1::Module1Window;

namespace {

// Gives the path the test chose (or cancels) under the filter in `saveFilter`, and keeps the
// names the dialog suggested.
class FakeChooser : public test::FakeFiles {
public:
    std::optional<QString> saveFileName(QWidget*, const QString&, const QString& suggested,
                                        const QString& filters) override {
        asked << suggested;
        lastFilters = filters;
        return answer;
    }
    std::optional<QString> answer;
};

struct Fixture : test::WindowFixture<Module1Window> {
    Fixture() {
        window.setFileChooser(&chooser);
        QDir().mkpath(documents());
    }
    QString documents() { return folder.path() + QStringLiteral("/Documents"); }
    QString file(const QString& name) { return documents() + QLatin1Char('/') + name; }
    std::vector<std::string> lines(const QString& path) {
        return linesOf(test::readFile(path.toStdString()));
    }
    static std::vector<std::string> linesOf(const std::string& text) {
        std::vector<std::string> out;
        std::size_t from = 0;
        for (std::size_t end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2)
            out.push_back(text.substr(from, end - from));
        return out;
    }
    optimise::OptimisePageWidget* page() { return window.findChild<optimise::OptimisePageWidget*>(); }
    FakeChooser chooser;
};

// Two piles on the documents layer: the default and one of d 1200.
void twoPiles(Fixture& f) {
    f.click("cbt_compute");
    f.type("cbe_dd", QStringLiteral("1200"));
    f.click("cbt_compute");
    f.click("cbt_View");
}

QTableWidget* options(Fixture& f) { return f.get<QTableWidget>("Grid1_Youhuaxuanxiang"); }
QString status(Fixture& f) { return f.get<QLabel>("lb_YHxingxi")->text(); }

// Eight round piles of module 1 that differ in their concrete, C25 to C60.
void eightGrades(Fixture& f) {
    f.click("cbt_YouHua");
    const struct {
        int row;
        const char* min;
        const char* max;
        const char* step;
    } rows[] = {{0, "1", "1", "1"},         {1, "1000", "1000", "500"}, {6, "1.0d", "1.0d", "1.0d"},
                {7, "25.00", "25.00", "5"}, {8, "1", "1", "1"},         {9, "2", "2", "1"},
                {11, "C25", "C60", "5"},    {12, "2", "2", "1"}};
    for (const auto& r : rows) {
        options(f)->item(r.row, 1)->setText(QString::fromLatin1(r.min));
        options(f)->item(r.row, 2)->setText(QString::fromLatin1(r.max));
        options(f)->item(r.row, 3)->setText(QString::fromLatin1(r.step));
    }
    f.click("cbt_YHcompute");
    QTRY_COMPARE(status(f), QStringLiteral("计算完成，桩数：8 根"));
}

// The sheet's rows below its header hold what the view shows: figures as numbers, texts as texts.
void compareWithView(const nlohmann::json& sheet, QTableView* view) {
    const nlohmann::json& rows = sheet["rows"];
    QCOMPARE(int(rows.size()), view->model()->rowCount() + 1);
    for (int r = 0; r < view->model()->rowCount(); ++r) {
        for (int c = 0; c < view->model()->columnCount(); ++c) {
            const std::string text = view->model()->index(r, c).data().toString().toStdString();
            const nlohmann::json& cell = rows[std::size_t(r + 1)][std::size_t(c)];
            if (const auto number = optimise::cellNumber(text)) {
                QCOMPARE(cell["kind"].get<std::string>(), std::string("number"));
                QCOMPARE(cell["value"].get<double>(), *number);
            } else if (!text.empty()) {
                QCOMPARE(cell["value"].get<std::string>(), text);
            }
        }
    }
}

} // namespace

class TableExportTest : public QObject {
    Q_OBJECT
private slots:
    void pileTableGoesToTheFileTypeOfTheChosenName_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("csv");
        const QString csvFilter = QStringLiteral("CSV UTF-8 (*.csv)");
        QTest::newRow("xlsx") << QStringLiteral("桩表.xlsx") << QString() << QStringLiteral("桩表.xlsx")
                              << false;
        QTest::newRow("CSV in capitals")
            << QStringLiteral("桩表.CSV") << QString() << QStringLiteral("桩表.CSV") << true;
        QTest::newRow("no suffix") << QStringLiteral("桩表") << QString() << QStringLiteral("桩表.xlsx")
                                   << false;
        QTest::newRow("no suffix, CSV chosen")
            << QStringLiteral("桩表") << csvFilter << QStringLiteral("桩表.csv") << true;
        QTest::newRow("xlsx named, CSV chosen")
            << QStringLiteral("桩表.xlsx") << csvFilter << QStringLiteral("桩表.xlsx") << false;
    }
    void pileTableGoesToTheFileTypeOfTheChosenName() {
        QFETCH(QString, chosen);
        QFETCH(QString, filter);
        QFETCH(QString, written);
        QFETCH(bool, csv);
        Fixture f;
        QVERIFY(!f.button("cbt_ExportExcel")->isEnabled()); // no pile yet
        twoPiles(f);
        QVERIFY(f.button("cbt_ExportExcel")->isEnabled());
        const int saveState = f.window.documents().saveState().value();
        f.chooser.answer = f.file(chosen);
        f.chooser.saveFilter = filter;
        f.click("cbt_ExportExcel");
        QCOMPARE(f.chooser.asked, QStringList{f.file(QStringLiteral("嵌岩桩桩表.xlsx"))});
        QCOMPARE(f.chooser.lastFilters, QStringLiteral("Excel 工作簿 (*.xlsx);;CSV UTF-8 (*.csv)"));
        // Where it wrote, as "导出PDF…" says.
        QCOMPARE(f.messages.messages, QStringList{QStringLiteral("桩表已导出：") + f.file(written)});
        QCOMPARE(f.window.documents().saveState().value(), saveState); // exporting is not saving
        QVERIFY(QFile::exists(f.file(written)));
        if (csv) {
            const auto lines = f.lines(f.file(written));
            QCOMPARE(int(lines.size()), 3);
            QVERIFY(lines[0].starts_with("\xEF\xBB\xBF基桩编号,"));
            QVERIFY(lines[1].starts_with("ZH1,圆  桩,1000,"));
            QVERIFY(lines[2].starts_with("ZH2,圆  桩,1200,"));
            return;
        }
        SP_QREAD_XLSX_OR_SKIP(book, f.file(written).toStdString());
        QCOMPARE(int(book.size()), 1);
        QCOMPARE(book[0]["name"].get<std::string>(), std::string("桩表"));
        QCOMPARE(int(book[0]["rows"].size()), 3);
        QCOMPARE(book[0]["rows"][2][2]["value"].get<double>(), 1200.0);
    }

    void pileTableCancelledOrFailedChangesNothing() {
        Fixture f;
        twoPiles(f);
        f.chooser.answer = std::nullopt;
        f.click("cbt_ExportExcel");
        QCOMPARE(f.messages.messages, QStringList{});
        QCOMPARE(QDir(f.documents()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{});

        QDir().mkpath(f.file(QStringLiteral("桩表.xlsx"))); // a folder in the way
        const QString missing = f.file(QStringLiteral("无此目录/桩表.csv"));
        for (const auto& [target, reason] : {std::pair{f.file(QStringLiteral("桩表.xlsx")), "Is a directory"},
                                             std::pair{missing, "No such file or directory"}}) {
            f.messages.messages.clear();
            f.chooser.answer = target;
            f.click("cbt_ExportExcel");
            QCOMPARE(f.messages.messages,
                     QStringList{QStringLiteral("无法保存文件：%1\n%2").arg(target, QString::fromUtf8(reason))});
        }
        QVERIFY(QFileInfo(f.file(QStringLiteral("桩表.xlsx"))).isDir());
        QCOMPARE(QDir(f.documents()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList{QStringLiteral("桩表.xlsx")});
        QCOMPARE(f.window.documents().pileRegister().count(), 2);
    }

    void optimisationPageExportsBothTablesOrTheVisibleOne() {
        Fixture f;
        f.click("cbt_YouHua");
        QVERIFY(!f.button("cbt_YHexportExcel")->isEnabled()); // nothing to export before a run
        eightGrades(f);
        QVERIFY(f.button("cbt_YHexportExcel")->isEnabled());

        // The candidates alone, written off the window's thread: the page waits meanwhile.
        f.chooser.answer = f.file(QStringLiteral("方案.xlsx"));
        f.click("cbt_YHexportExcel");
        QCOMPARE(f.chooser.asked.last(), f.file(QStringLiteral("嵌岩桩优化方案.xlsx")));
        QVERIFY(f.page()->exporting());
        QVERIFY(!f.button("cbt_YHfanhui")->isEnabled());
        QVERIFY(!f.button("cbt_YHexportExcel")->isEnabled());
        QTRY_VERIFY(!f.page()->exporting());
        QVERIFY(f.button("cbt_YHfanhui")->isEnabled());
        QVERIFY(f.button("cbt_YHexportExcel")->isEnabled());
        QCOMPARE(f.messages.messages,
                 QStringList{QStringLiteral("优化方案已导出：") + f.file(QStringLiteral("方案.xlsx"))});
        {
            SP_QREAD_XLSX_OR_SKIP(book, f.file(QStringLiteral("方案.xlsx")).toStdString());
            QCOMPARE(int(book.size()), 1);
            QCOMPARE(book[0]["name"].get<std::string>(), std::string("候选方案"));
            compareWithView(book[0], f.get<QTableView>("Grid2_Youhuajieguo"));
        }

        // Filtered by Rc: both tables, each on its sheet, to the workbook; the filtered one on
        // view to CSV.
        options(f)->item(14, 1)->setText(QStringLiteral("5000"));
        options(f)->item(14, 2)->setText(QStringLiteral("10000"));
        options(f)->item(15, 1)->setText(QStringLiteral("6000"));
        options(f)->item(15, 2)->setText(QStringLiteral("9000"));
        f.click("cbt_YHsaixuan");
        QTableView* filtered = f.get<QTableView>("Grid3_Youhuasaixuan");
        QVERIFY(filtered->isVisible());
        const int rows = filtered->model()->rowCount();
        QVERIFY(rows > 0 && rows < 8);
        f.messages.messages.clear();
        f.click("cbt_YHexportExcel");
        QTRY_VERIFY(!f.page()->exporting());
        f.chooser.answer = f.file(QStringLiteral("方案.csv"));
        f.click("cbt_YHexportExcel");
        QTRY_VERIFY(!f.page()->exporting());
        QCOMPARE(f.messages.messages,
                 QStringList({QStringLiteral("优化方案已导出：") + f.file(QStringLiteral("方案.xlsx")),
                              QStringLiteral("优化方案已导出：") + f.file(QStringLiteral("方案.csv"))}));
        QCOMPARE(int(f.lines(f.file(QStringLiteral("方案.csv"))).size()), rows + 1);
        SP_QREAD_XLSX_OR_SKIP(book, f.file(QStringLiteral("方案.xlsx")).toStdString());
        QCOMPARE(int(book.size()), 2);
        QCOMPARE(book[0]["name"].get<std::string>(), std::string("候选方案"));
        QCOMPARE(int(book[0]["rows"].size()), 9);
        QCOMPARE(book[1]["name"].get<std::string>(), std::string("筛选结果"));
        compareWithView(book[1], filtered);
    }

    void optimisationPageFailureWarnsAndLeavesThePageAlone() {
        Fixture f;
        eightGrades(f);
        const QString before = status(f);
        f.chooser.answer = std::nullopt; // cancelled
        f.click("cbt_YHexportExcel");
        QVERIFY(!f.page()->exporting());
        const QString target = f.file(QStringLiteral("无此目录/方案.xlsx"));
        f.chooser.answer = target;
        f.click("cbt_YHexportExcel");
        QTRY_VERIFY(!f.page()->exporting());
        QCOMPARE(f.messages.messages,
                 QStringList{QStringLiteral("无法保存文件：%1\nNo such file or directory").arg(target)});
        QCOMPARE(status(f), before);
        QVERIFY(f.button("cbt_YHexportExcel")->isEnabled());
        QCOMPARE(QDir(f.documents()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{});
    }
};

SOCKETPILE_QTEST_MAIN(TableExportTest)
#include "tableexport_test.moc"
