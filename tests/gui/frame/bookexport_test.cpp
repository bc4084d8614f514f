// The documents layer's "导出PDF…" and "打印…" in the windows of all three modules: the names asked
// for and remembered, the file dialog's start, the book written and read back, cancelling, a
// failed write, the buttons offered only while piles stand, and the print preview of the same book.

#include "guitest.h"
#include "pdfreading.h"

#include "frame/booknames.h"
#include "frame/documentexport.h"
#include "frame/bookprint.h"
#include "frame/filechooser.h"
#include "charts/capacityfigure.h"
#include "handin/bookrenderer.h"
#include "report/handinassembly.h"
#include "frame/modulewindows.h"

#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <functional>

using namespace sp;

namespace {

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

class FakeChooser : public frame::FileChooser {
public:
    std::optional<QString> saveFileName(QWidget*, const QString&, const QString& suggested,
                                        const QString& filters) override {
        offered << suggested;
        this->filters = filters;
        return answer;
    }
    std::optional<QString> openFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return std::nullopt; // nothing here opens a file
    }
    std::optional<QString> answer;
    QStringList offered;
    QString filters;
};

class FakeNames : public frame::BookNames {
public:
    std::optional<handin::TitleBlock> askNames(QWidget*, const handin::TitleBlock& remembered) override {
        offered.push_back(remembered);
        return answer;
    }
    std::optional<handin::TitleBlock> answer;
    std::vector<handin::TitleBlock> offered;
};

const handin::TitleBlock kNames{"贵阳某商业综合体", "1#楼桩基", "张三", "李四", "王五", ""};

// A fresh window of the module, its default pile calculated, the result layer on view, and the
// export's dialogs answered by the test.
struct Fixture : test::AnyWindowFixture {
    explicit Fixture(int module, bool calculate = true) : AnyWindowFixture(test::makeModuleWindow(module)) {
        if (module == 3)
            click("cbt_tongyi");
        window.setFileChooser(&files);
        window.setBookNames(&names);
        names.answer = kNames;
        if (calculate) {
            click("cbt_compute");
            click("cbt_View");
        }
    }
    QString documents() { return folder.path() + QStringLiteral("/Documents"); }
    QString target() { return documents() + QStringLiteral("/计算书.pdf"); }
    // What the window shows and holds, to see that a failed or cancelled export changed nothing.
    QString state() {
        return get<QPlainTextEdit>("meo_jisuanjieguo_Doc")->toPlainText() + QString::number(window.documents().saveState().value()) +
               QString::number(window.documents().pileRegister().count());
    }

    FakeChooser files;
    FakeNames names;
};

void addModuleRows() {
    QTest::addColumn<int>("module");
    QTest::newRow("module 1") << 1;
    QTest::newRow("module 2") << 2;
    QTest::newRow("module 3") << 3;
}

// While it lives, runs `act` on the next modal dialog that opens (which `act` then closes); once
// it is gone, it stops looking, so that a dialog of a later test is left alone.
class ModalWatch {
public:
    explicit ModalWatch(std::function<void(QWidget*)> act) : m_live(std::make_shared<bool>(true)) {
        auto poll = std::make_shared<std::function<void()>>();
        std::weak_ptr<std::function<void()>> again = poll;
        *poll = [act, live = m_live, again] {
            if (!*live)
                return;
            if (QWidget* modal = QApplication::activeModalWidget()) {
                *live = false;
                act(modal);
            } else if (auto next = again.lock()) {
                QTimer::singleShot(10, [next] { (*next)(); });
            }
        };
        m_poll = poll;
        QTimer::singleShot(0, [poll] { (*poll)(); });
    }
    ~ModalWatch() { *m_live = false; }
    bool seen() const { return !*m_live; }

private:
    std::shared_ptr<bool> m_live;
    std::shared_ptr<std::function<void()>> m_poll;
};

} // namespace

class BookExportTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // The remembered names go to a settings folder of the test's own.
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        frame::rememberNames(handin::TitleBlock{});
    }

    void exportWritesTheBookWhereTheEngineerChose_data() {
        QTest::addColumn<int>("module");
        QTest::addColumn<QString>("worked"); // a line of the pile's worked steps
        const QString qrk = u("Qrk = ζr·frk·Ap = 0.786 666 7 × 25 × 785 398.16 / 1000 = 15 446.16 kN");
        QTest::newRow("module 1") << 1 << qrk;
        QTest::newRow("module 2") << 2 << u("Quk = Qsk + Qsrk + Qpk = 0 + 5 785.77 + 11 126.47 = 16 912.24 kN");
        QTest::newRow("module 3") << 3 << qrk;
    }
    void exportWritesTheBookWhereTheEngineerChose() {
        QFETCH(int, module);
        QFETCH(QString, worked);
        Fixture f(module);
        const QString before = f.state();
        f.files.answer = f.documents() + QStringLiteral("/计算书"); // without its ".pdf"
        f.click("cbt_ExportPdf");

        QCOMPARE(f.files.offered, QStringList{f.documents() + u("/嵌岩桩计算书_贵阳某商业综合体.pdf")});
        QVERIFY(f.files.filters.contains(QStringLiteral("*.pdf")));
        QCOMPARE(f.messages.messages, QStringList{u("计算书已导出：") + f.target()});
        QCOMPARE(f.state(), before);

        const std::string path = QFile::encodeName(f.target()).toStdString();
        const std::string text = test::pdfText(path);
        for (const char* expected : {"嵌岩桩竖向承载力计算书", "贵阳某商业综合体", "1#楼桩基", "张三", "李四", "王五",
                                     "2026年12月10日", "ZH1"})
            QVERIFY2(text.find(expected) != std::string::npos, expected);
        QVERIFY(sp::test::withoutBlanks(text).find("第1页共") != std::string::npos);
        QVERIFY2(text.find(worked.toStdString()) != std::string::npos, qPrintable(worked));
        for (const test::PdfFont& font : test::pdfFonts(path))
            QVERIFY2(font.embedded, font.name.c_str());

        // The names given are offered again the next time, in this window or another.
        f.click("cbt_ExportPdf");
        QCOMPARE(static_cast<int>(f.names.offered.size()), 2);
        QCOMPARE(f.names.offered[1].project, kNames.project);
        QCOMPARE(f.names.offered[1].calculatedBy, kNames.calculatedBy);
        QCOMPARE(f.names.offered[1].approvedBy, kNames.approvedBy);
    }

    void noProjectSuggestsThePlainNameAndLeavesLinesToSign() {
        Fixture f(1);
        f.names.answer = handin::TitleBlock{};
        f.files.answer = f.target();
        f.click("cbt_ExportPdf");
        QCOMPARE(f.files.offered, QStringList{f.documents() + u("/嵌岩桩计算书.pdf")});
        const std::string text = test::pdfText(QFile::encodeName(f.target()).toStdString());
        QVERIFY(text.find("工程名称") != std::string::npos);
        QVERIFY(text.find("张三") == std::string::npos);
    }

    void cancellingTheNamesOrTheFileWritesNothing() {
        Fixture f(1);
        const QString before = f.state();
        f.names.answer.reset();
        f.files.answer = f.target();
        f.click("cbt_ExportPdf");
        QVERIFY(f.files.offered.isEmpty());

        f.names.answer = kNames;
        f.files.answer.reset();
        f.click("cbt_ExportPdf");
        QCOMPARE(f.files.offered.size(), 1);

        QVERIFY(QDir(f.documents()).entryList(QDir::Files).isEmpty());
        QVERIFY(f.messages.messages.isEmpty());
        QCOMPARE(f.state(), before);
    }

    void exportAndPrintAreOfferedOnlyWhilePilesStand() {
        Fixture f(2, false);
        const char* buttons[] = {"cbt_ExportPdf", "cbt_Print"};
        for (const char* name : buttons)
            QVERIFY(!f.button(name)->isEnabled());
        f.click("cbt_compute");
        f.click("cbt_View");
        for (const char* name : buttons)
            QVERIFY(f.button(name)->isEnabled());
        f.click("cbt_sanchu");
        for (const char* name : buttons)
            QVERIFY(!f.button(name)->isEnabled());
        // Even when pressed regardless, nothing is asked.
        frame::ExportContext context;
        context.documents = &f.window.documents();
        context.names = &f.names;
        context.files = &f.files;
        frame::exportBookPdf(context);
        frame::printBook(context);
        QVERIFY(f.names.offered.empty());
    }

    void aFailedWriteWarnsWithPathAndReasonAndKeepsTheOldFile() {
        Fixture f(3);
        const QString before = f.state();
        QDir().mkpath(f.documents());
        QFile old(f.target());
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("the book handed in yesterday");
        old.close();
        f.files.answer = f.target();
        {
            // A disk that fills up part-way through the new book.
            const test::FileSizeLimit limit(4096);
            f.click("cbt_ExportPdf");
        }
        QCOMPARE(f.messages.messages, QStringList{u("无法导出PDF：") + f.target() + QLatin1Char('\n') +
                                                  QString::fromLocal8Bit(std::strerror(EFBIG))});
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("the book handed in yesterday"));
        QCOMPARE(QDir(f.documents()).entryList(QDir::Files), QStringList{u("计算书.pdf")});
        QCOMPARE(f.state(), before);
    }

    void printShowsThePreviewOfTheSameBook_data() { addModuleRows(); }
    void printShowsThePreviewOfTheSameBook() {
        QFETCH(int, module);
        Fixture f(module);
        f.click("cbt_compute"); // a second pile
        handin::TitleBlock title = kNames;
        title.date = report::bookDate(test::kFixedMoment);
        const handin::Typesetter typesetter;
        const int pages = static_cast<int>(
            handin::layOutBook(charts::bookWithFigures(f.window.documents(), title, "SocketPile"), typesetter).pages.size());

        int previewed = -1;
        {
            const ModalWatch watch([&previewed](QWidget* modal) {
                auto* preview = modal->findChild<QPrintPreviewWidget*>();
                if (qobject_cast<QPrintPreviewDialog*>(modal) && preview)
                    previewed = preview->pageCount();
                modal->close();
            });
            f.click("cbt_Print");
        }
        QCOMPARE(previewed, pages);
        QCOMPARE(static_cast<int>(f.names.offered.size()), 1);

        f.names.answer.reset(); // cancelled names: no preview
        const ModalWatch watch([](QWidget* modal) { modal->close(); });
        f.click("cbt_Print");
        QVERIFY(!watch.seen());
        QVERIFY(f.messages.messages.isEmpty());
    }

    void thePreviewTurnsLandscapePagesOntoPortraitPaper() {
        handin::HandInBook book;
        book.piles.resize(1);
        book.pileTable.sheetColumns = {{"桩号", ""}, {"R_{a}", "kN"}};
        for (int k = 1; k <= 80; ++k)
            book.pileTable.rows.push_back({{"ZH" + std::to_string(k), std::nullopt}, {"7723", 7723.0}});
        const handin::Typesetter typesetter;
        const handin::LaidOutBook laidOut = handin::layOutBook(book, typesetter);
        QVERIFY(laidOut.pages.back().landscape);

        QPrinter printer;
        frame::prepareBookPrinter(printer);
        QPrintPreviewWidget preview(&printer);
        connect(&preview, &QPrintPreviewWidget::paintRequested, &preview,
                [&laidOut](QPrinter* target) { frame::paintBookOn(*target, laidOut); });
        preview.updatePreview();
        QCOMPARE(preview.pageCount(), static_cast<int>(laidOut.pages.size()));
        QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Portrait);
        QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::A4);
    }

    void theNamesDialogStartsFromTheRememberedNames() {
        const handin::TitleBlock remembered{"贵阳某商业综合体", "1#楼桩基", "张三", "", "", ""};
        frame::DialogBookNames dialog;
        QString project;
        std::optional<handin::TitleBlock> given;
        {
            const ModalWatch watch([&project](QWidget* modal) {
                project = modal->findChild<QLineEdit*>(QStringLiteral("edt_project"))->text();
                modal->findChild<QLineEdit*>(QStringLiteral("edt_checkedBy"))->setText(u(" 李四 "));
                qobject_cast<QDialog*>(modal)->accept();
            });
            given = dialog.askNames(nullptr, remembered);
        }
        QCOMPARE(project, u("贵阳某商业综合体"));
        QVERIFY(given.has_value());
        QCOMPARE(given->part, remembered.part);
        QCOMPARE(given->calculatedBy, remembered.calculatedBy);
        QCOMPARE(given->checkedBy, std::string("李四"));

        const ModalWatch watch([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
        QVERIFY(!dialog.askNames(nullptr, remembered).has_value());
    }

private:
    QTemporaryDir m_config;
};

SOCKETPILE_QTEST_MAIN(BookExportTest)
#include "bookexport_test.moc"
