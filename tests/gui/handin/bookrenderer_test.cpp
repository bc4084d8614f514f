// The handed-in book's renderer on a book made by hand: the formula markup as sub- and
// superscripts, line breaking, pages and their orientation, header and footer, and the PDF read
// back by poppler as a reader's viewer would read it.

#include "guitest.h"
#include "pdfreading.h"
#include "samplebook.h"
#include "testsupport.h"

#include "handin/bookrenderer.h"
#include "handin/chartlayout.h"

#include <QPdfWriter>

#include <climits>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>

using namespace sp::handin;

namespace {

QString runsOf(const TextLine& line) {
    QString text;
    for (const LineRun& run : line.runs)
        text += run.text;
    return text;
}

// Every text run of the page, joined.
QString pageText(const PageContent& page) {
    QString text;
    for (const TextRun& run : page.texts)
        text += run.text + QLatin1Char('\n');
    return text;
}

// The text as pdftotext gives it: the markup dropped and the digit groups' thin spaces read as blanks.
std::string readable(const std::string& markup) {
    QString text = QString::fromStdString(plainText(markup));
    text.replace(QChar(0x2009), QLatin1Char(' '));
    return text.toStdString();
}

// A capacity chart made by hand: Ra in two pieces around a refused stretch, Rc, the plateau and
// the design.
LineChart sampleChart() {
    LineChart chart;
    chart.caption = "图 1  ZH1 承载力随嵌岩深度变化";
    chart.x = {"嵌岩深度 h_{r} (mm)", 0, 6000};
    chart.y = {"承载力 (kN)", 0, 12000};
    chart.series = {{"R_{a}", SeriesRole::Ra, {{{0, 4900}, {500, 6900}, {1000, 7700}}, {{2000, 8700}, {6000, 10300}}}},
                    {"R_{c}", SeriesRole::Rc, {{{0, 6739}, {1000, 6739}}, {{2000, 6739}, {6000, 6739}}}}};
    chart.band = ChartBand{4000, 6000, "超出表格范围"};
    chart.mark = ChartMark{"当前设计", {{1000, 7700}, {1000, 6739}}};
    chart.notes = {"注：h_{r} 为 1" + sp::test::kThin + "000 ~ 2" + sp::test::kThin + "000 mm 时不能计算"};
    return chart;
}

// Where a text run starting with `start` stands: its page and its baseline; page -1 when none does.
std::pair<int, double> placeOf(const LaidOutBook& book, const QString& start) {
    for (std::size_t p = 0; p < book.pages.size(); ++p)
        for (const TextRun& run : book.pages[p].texts)
            if (run.text.startsWith(start))
                return {static_cast<int>(p), run.origin.y()};
    return {-1, 0};
}

} // namespace

class BookRendererTest : public QObject {
    Q_OBJECT
private slots:
    void markupSetsScriptsSmallerAndOffTheBaseline_data();
    void markupSetsScriptsSmallerAndOffTheBaseline();
    void linesBreakBetweenWordsNeverInsideFiguresOrBeforeClosingMarks();
    void pilesStartTheirPagesAndThePileTableRunsOnLandscapePagesWithItsHeader();
    void everyPageCountsThePagesAndFromTheSecondCarriesTheRunningHeader();
    void aTableTooWideForThePageIsSetSmallerUntilItFits();
    void theWrittenPdfReadsBackWithItsFormulasAndEmbeddedFonts();
    void printersGetTheLandscapePagesTurnedOntoPortraitPaper();
    void aFailedWriteKeepsTheOldFileAndNamesPathAndReason();
    void ticksAreRoundAndCountedFromZero_data();
    void ticksAreRoundAndCountedFromZero();
    void aPileFigureStaysWholeOnOnePageAfterTheStepsWhereverItFalls();
    void theWrittenPdfShowsTheFigureWithItsLegendAndCaption();
};

void BookRendererTest::markupSetsScriptsSmallerAndOffTheBaseline_data() {
    QTest::addColumn<QString>("markup");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<double>>("scales");
    QTest::addColumn<QList<int>>("shifts"); // -1 lowered, 0 on the baseline, 1 raised

    QTest::newRow("subscript") << "A_{p}" << QStringList{"A", "p"} << QList<double>{1, 0.7} << QList<int>{0, -1};
    QTest::newRow("superscript and back")
        << "π·d^{2}/4" << QStringList{"π·d", "2", "/4"} << QList<double>{1, 0.7, 1} << QList<int>{0, 1, 0};
    QTest::newRow("nested") << "x_{a^{2}}" << QStringList{"x", "a", "2"} << QList<double>{1, 0.7, 0.49}
                            << QList<int>{0, -1, 1};
    QTest::newRow("marks without a brace stay text")
        << "a_b {c} }" << QStringList{"a_b {c} }"} << QList<double>{1} << QList<int>{0};
}

void BookRendererTest::markupSetsScriptsSmallerAndOffTheBaseline() {
    QFETCH(QString, markup);
    QFETCH(QStringList, texts);
    QFETCH(QList<double>, scales);
    QFETCH(QList<int>, shifts);
    const std::vector<Fragment> fragments = parseMarkup(markup.toStdString());
    QCOMPARE(static_cast<qsizetype>(fragments.size()), texts.size());
    for (qsizetype k = 0; k < texts.size(); ++k) {
        const Fragment& f = fragments[static_cast<std::size_t>(k)];
        QCOMPARE(f.text, texts[k]);
        QVERIFY(qAbs(f.scale - scales[k]) < 1e-9);
        QCOMPARE(f.rise > 0 ? 1 : f.rise < 0 ? -1 : 0, shifts[k]);
    }

    // On the page: the script is drawn smaller, below (or above) the line's baseline.
    const Typesetter type;
    const TextStyle style;
    PageContent page;
    type.place(type.wrap(markup.toStdString(), style, mm(100)).front(), style, QPointF(0, 1000), Align::Left, page);
    QCOMPARE(static_cast<qsizetype>(page.texts.size()), texts.size());
    for (qsizetype k = 0; k < texts.size(); ++k) {
        const TextRun& run = page.texts[static_cast<std::size_t>(k)];
        QCOMPARE(run.font.pixelSize(), qRound(pt(style.points) * scales[k]));
        QCOMPARE(run.origin.y() < 1000 ? 1 : run.origin.y() > 1000 ? -1 : 0, shifts[k]);
        if (k > 0) // each piece after the one before it
            QVERIFY(run.origin.x() > page.texts[static_cast<std::size_t>(k - 1)].origin.x());
    }
}

void BookRendererTest::linesBreakBetweenWordsNeverInsideFiguresOrBeforeClosingMarks() {
    const Typesetter type;
    const TextStyle style;
    const std::string text = "泥浆护壁成桩，工艺系数 1.00，ζ_{r} = 0.786" + sp::test::kThin + "666" + sp::test::kThin +
                             "7 × 25 × 785" + sp::test::kThin + "398.16 / 1000 = 15" + sp::test::kThin +
                             "446.16 kN（取 0.7867）。";
    QString whole = QString::fromStdString(plainText(text));
    whole.remove(QLatin1Char(' '));
    const QString figure = QString::fromUtf8("785\u2009398.16");
    for (double width : {mm(15), mm(30), mm(45), mm(80), mm(200)}) {
        const std::vector<TextLine> lines = type.wrap(text, style, width);
        QString joined;
        bool figureWhole = false;
        for (const TextLine& line : lines) {
            const QString s = runsOf(line);
            joined += s;
            QVERIFY2(!s.startsWith(QLatin1Char(' ')) && !s.endsWith(QLatin1Char(' ')), qPrintable(s));
            for (const QChar mark : QStringLiteral("，。）"))
                QVERIFY2(!s.startsWith(mark), qPrintable(s));
            QVERIFY2(!s.endsWith(QStringLiteral("（")), qPrintable(s));
            figureWhole = figureWhole || s.contains(figure);
            if (line.width > width) // only a piece that cannot be broken stands wider than the line
                QVERIFY2(!s.contains(QLatin1Char(' ')) && s.size() <= figure.size() + 1, qPrintable(s));
        }
        QVERIFY2(figureWhole, qPrintable(QString::number(width)));
        joined.remove(QLatin1Char(' '));
        QCOMPARE(joined, whole);
        QCOMPARE(lines.size() == 1, width == mm(200));
    }
}

void BookRendererTest::pilesStartTheirPagesAndThePileTableRunsOnLandscapePagesWithItsHeader() {
    const int piles = 60;
    const Typesetter type;
    const LaidOutBook book = layOutBook(sp::test::sampleBook(piles), type);

    // Pile k's heading opens the body of a page of its own, after pile k-1's.
    int lastPage = -1;
    for (int k = 2; k <= piles; ++k) {
        const QString name = QStringLiteral("ZH%1  ").arg(k);
        int found = -1;
        for (std::size_t p = 0; p < book.pages.size() && found < 0; ++p)
            for (const TextRun& run : book.pages[p].texts)
                if (!book.pages[p].landscape && run.text.startsWith(name)) {
                    found = static_cast<int>(p);
                    QVERIFY(run.origin.y() < portraitFrame().body.top() + pt(13) * 1.6);
                }
        QVERIFY2(found > lastPage, qPrintable(name));
        lastPage = found;
    }

    // Then landscape pages only, each starting with the header row, every pile in one row.
    std::size_t first = 0;
    while (first < book.pages.size() && !book.pages[first].landscape)
        ++first;
    QVERIFY(book.pages.size() - first >= 2);
    std::map<QString, int> rows;
    for (std::size_t p = first; p < book.pages.size(); ++p) {
        QVERIFY(book.pages[p].landscape);
        int headers = 0;
        for (const TextRun& run : book.pages[p].texts) {
            headers += run.text == QStringLiteral("桩号");
            if (run.text.startsWith(QStringLiteral("ZH")))
                ++rows[run.text];
        }
        QCOMPARE(headers, 1);
    }
    QCOMPARE(static_cast<int>(rows.size()), piles);
    for (const auto& [name, count] : rows)
        QVERIFY2(count == 1, qPrintable(name));
}

void BookRendererTest::everyPageCountsThePagesAndFromTheSecondCarriesTheRunningHeader() {
    const Typesetter type;
    const LaidOutBook book = layOutBook(sp::test::sampleBook(4), type);
    const int count = static_cast<int>(book.pages.size());
    QCOMPARE(count, 6); // the first pile under the title block and over a page, three more, the table
    for (int k = 0; k < count; ++k) {
        const PageContent& page = book.pages[static_cast<std::size_t>(k)];
        const PageFrame frame = frameOf(page.landscape);
        QVERIFY(pageText(page).contains(QStringLiteral("第 %1 页 共 %2 页\n").arg(k + 1).arg(count)));
        bool header = false;
        for (const TextRun& run : page.texts) {
            if (qAbs(run.origin.y() - frame.headerBaseline) < 1 && run.text == QString::fromUtf8(kBookTitle))
                header = true;
            // Nothing of the body runs into the margins' header and footer.
            if (run.origin.y() > frame.headerBaseline + 1 && run.origin.y() < frame.footerBaseline - 1)
                QVERIFY2(run.origin.y() <= frame.body.bottom() && run.origin.y() >= frame.body.top(),
                         qPrintable(run.text));
        }
        QCOMPARE(header, k > 0);
    }
}

void BookRendererTest::aTableTooWideForThePageIsSetSmallerUntilItFits() {
    const Typesetter type;
    for (int columns : {8, 30}) {
        HandInBook book;
        for (int c = 1; c <= columns; ++c)
            book.pileTable.sheetColumns.push_back({"嵌岩深度 h_{r" + std::to_string(c) + "}", "mm"});
        for (int r = 0; r < 3; ++r) {
            SheetRow row;
            for (int c = 0; c < columns; ++c)
                row.push_back({"12" + sp::test::kThin + "345.67", 12345.67});
            book.pileTable.rows.push_back(row);
        }
        const LaidOutBook laidOut = layOutBook(book, type);
        const PageContent& page = laidOut.pages.back();
        QVERIFY(page.landscape);
        const QRectF body = frameOf(true).body;
        int smallest = INT_MAX;
        for (const TextRun& run : page.texts) {
            if (!run.text.contains(QStringLiteral("345.67")))
                continue;
            smallest = std::min(smallest, run.font.pixelSize());
            const double width = QFontMetricsF(run.font).horizontalAdvance(run.text);
            QVERIFY2(run.origin.x() >= body.left() && run.origin.x() + width <= body.right() + 1, qPrintable(run.text));
        }
        for (const Rule& rule : page.rules)
            QVERIFY(rule.line.x1() <= body.right() + 1 && rule.line.x2() <= body.right() + 1);
        // A table that fits keeps the table size, 9 pt; a wider one is set smaller.
        QCOMPARE(smallest == qRound(pt(9)), columns == 8);
    }
}

void BookRendererTest::theWrittenPdfReadsBackWithItsFormulasAndEmbeddedFonts() {
    sp::test::TemporaryFolder folder;
    const std::filesystem::path path = folder / "计算书.pdf";
    const HandInBook book = sp::test::sampleBook(4);
    const sp::core::WriteResult written = writePdf(book, path);
    QVERIFY2(written.ok, written.reason.c_str());

    const std::string text = sp::test::pdfText(path.string());
    QVERIFY2(!text.empty(), "pdftotext (poppler-utils) read nothing");
    for (const Step& step : book.piles[0].steps)
        for (const FormulaLine& line : step.lines)
            QVERIFY2(text.find(readable(line.text)) != std::string::npos, readable(line.text).c_str());
    for (const std::string& expected :
         {std::string("Qrk = ζr·frk·Ap = 0.786 666 7 × 25 × 785 398.16 / 1000 = 15 446.16 kN"),
          std::string("(5.3.3-3)"), std::string("嵌岩桩竖向承载力计算书"),
          std::string("《贵州省建筑桩基设计与施工技术规程》DBJ 52/T088-2018"), std::string("贵阳某商业综合体"),
          std::string("1#楼桩基"), std::string("张三"), std::string("2026年12月10日"),
          readable(*book.piles[2].warning).substr(0, 30)})
        QVERIFY2(text.find(expected) != std::string::npos, expected.c_str());
    for (const char* expected : {"附表桩表", "第1页共6页", "第6页共6页"})
        QVERIFY2(sp::test::withoutBlanks(text).find(expected) != std::string::npos, expected);

    const std::vector<sp::test::PdfFont> fonts = sp::test::pdfFonts(path.string());
    QVERIFY(!fonts.empty());
    for (const sp::test::PdfFont& font : fonts)
        QVERIFY2(font.embedded, font.name.c_str());
    QVERIFY(fonts.front().name.find("WenQuanYi") != std::string::npos);

    const std::vector<std::pair<int, int>> sizes = sp::test::pdfPageSizes(path.string());
    const std::vector<std::pair<int, int>> expected{{595, 842}, {595, 842}, {595, 842}, {595, 842}, {595, 842},
                                                    {842, 595}};
    QCOMPARE(sizes, expected);
}

void BookRendererTest::printersGetTheLandscapePagesTurnedOntoPortraitPaper() {
    sp::test::TemporaryFolder folder;
    const std::string path = (folder / "printed.pdf").string();
    const Typesetter type;
    const LaidOutBook book = layOutBook(sp::test::sampleBook(2), type);
    {
        QPdfWriter writer(QString::fromStdString(path));
        writer.setResolution(300); // a printer's resolution: the pages scale, not only the PDF's
        QCOMPARE(paintBook(book, writer, LandscapePages::Rotated), static_cast<int>(book.pages.size()));
    }
    const std::vector<std::pair<int, int>> sizes = sp::test::pdfPageSizes(path);
    QCOMPARE(sizes.size(), book.pages.size());
    for (const auto& size : sizes)
        QCOMPARE(size, std::make_pair(595, 842));
    const std::string text = sp::test::pdfText(path);
    QVERIFY(text.find("附表") != std::string::npos);
    QVERIFY(sp::test::withoutBlanks(text).find("第4页共4页") != std::string::npos);
}

void BookRendererTest::aFailedWriteKeepsTheOldFileAndNamesPathAndReason() {
    sp::test::TemporaryFolder folder;
    const HandInBook book = sp::test::sampleBook(1);
    const std::string old = "the book handed in yesterday";

    // A folder that is not there.
    const std::filesystem::path missing = folder / "no such folder" / "book.pdf";
    sp::core::WriteResult written = writePdf(book, missing);
    QVERIFY(!written.ok);
    QCOMPARE(written.path, missing.string());
    QCOMPARE(written.reason, std::string(std::strerror(ENOENT)));

    // A disk that fills up part-way through the file: the old book stays, and nothing else is left.
    const std::filesystem::path target = folder / "book.pdf";
    {
        std::FILE* f = std::fopen(target.c_str(), "wb");
        std::fwrite(old.data(), 1, old.size(), f);
        std::fclose(f);
    }
    {
        const sp::test::FileSizeLimit limit(4096);
        written = writePdf(book, target);
    }
    QVERIFY(!written.ok);
    QCOMPARE(written.path, target.string());
    QCOMPARE(written.reason, std::string(std::strerror(EFBIG)));
    QCOMPARE(sp::test::readFile(target.string()), old);
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path()))
        ++files;
    QCOMPARE(files, 1);
}

void BookRendererTest::ticksAreRoundAndCountedFromZero_data() {
    QTest::addColumn<double>("to");
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<int>("decimals");
    QTest::newRow("a round end") << 6000.0 << QList<double>{0, 1000, 2000, 3000, 4000, 5000, 6000} << 0;
    QTest::newRow("the samples' own end") << 11500.0 << QList<double>{0, 2000, 4000, 6000, 8000, 10000} << 0;
    QTest::newRow("fractions") << 1.0 << QList<double>{0, 0.2, 0.4, 0.6, 0.8, 1.0} << 1;
    QTest::newRow("nothing to span") << 0.0 << QList<double>{} << 0;
}

void BookRendererTest::ticksAreRoundAndCountedFromZero() {
    QFETCH(double, to);
    QFETCH(QList<double>, values);
    QFETCH(int, decimals);
    const Ticks ticks = roundTicks(0, to);
    QCOMPARE(static_cast<int>(ticks.values.size()), static_cast<int>(values.size()));
    for (int k = 0; k < values.size(); ++k)
        QVERIFY2(qAbs(ticks.values[static_cast<std::size_t>(k)] - values[k]) < 1e-9, qPrintable(QString::number(k)));
    QCOMPARE(ticks.decimals, decimals);
}

// However far down the steps end, the chart and its caption share a page, inside the text area,
// between the last step and the conclusions; Ra and Rc are told apart by their dash patterns.
void BookRendererTest::aPileFigureStaysWholeOnOnePageAfterTheStepsWhereverItFalls() {
    const Typesetter type;
    bool moved = false;
    for (int extra = 0; extra <= 24; extra += 3) {
        HandInBook book = sp::test::sampleBook(1);
        PileSection& pile = book.piles[0];
        for (int k = 0; k < extra; ++k)
            pile.steps.push_back({"补充步骤 " + std::to_string(k), {{"x = " + std::to_string(k), ""}}, std::nullopt, {}});
        pile.figure = sampleChart();
        const LaidOutBook laidOut = layOutBook(book, type);
        const QString context = QStringLiteral("%1 extra steps").arg(extra);

        const auto caption = placeOf(laidOut, QStringLiteral("图 1"));
        QVERIFY2(caption.first >= 0, qPrintable(context));
        const auto lastStep = placeOf(laidOut, QString::fromStdString(pile.steps.back().title));
        const auto conclusions = placeOf(laidOut, QStringLiteral("四、计算结论"));
        QVERIFY2(lastStep < caption && caption < conclusions, qPrintable(context));

        const PageContent& page = laidOut.pages[static_cast<std::size_t>(caption.first)];
        const QRectF body = frameOf(false).body;
        QVERIFY2(page.strokes.size() > 20, qPrintable(context));
        double top = body.bottom();
        for (const Stroke& stroke : page.strokes) {
            const QRectF bounds = stroke.points.boundingRect();
            const QRectF area = body.adjusted(-1, -1, 1, 1);
            QVERIFY2(area.contains(bounds.topLeft()) && area.contains(bounds.bottomRight()), qPrintable(context));
            QVERIFY2(bounds.bottom() < caption.second, qPrintable(context));
            top = std::min(top, bounds.top());
        }
        for (std::size_t p = 0; p < laidOut.pages.size(); ++p)
            QVERIFY2(p == static_cast<std::size_t>(caption.first) || laidOut.pages[p].strokes.empty(), qPrintable(context));
        if (caption.first > lastStep.first) {
            moved = true;
            QVERIFY2(top < body.top() + mm(15), qPrintable(context)); // at the head of its page
        }

        QString texts;
        for (const TextRun& run : page.texts)
            texts += run.text + QLatin1Char('|');
        for (const char* expected : {"超出表格范围|", "当前设计|", "承载力 (kN)|", "嵌岩深度 h|", "12\u2009000|", "6\u2009000|"})
            QVERIFY2(texts.contains(QString::fromUtf8(expected)), expected);
        int ra = 0;
        int rc = 0;
        for (const Stroke& stroke : page.strokes) {
            ra += stroke.colour == QColor(0x1f, 0x5f, 0xbf) && stroke.style == Qt::SolidLine;
            rc += stroke.colour == QColor(0xc0, 0x50, 0x20) && stroke.style == Qt::DashLine;
        }
        QCOMPARE(ra, 3); // two pieces and the legend's sample
        QCOMPARE(rc, 3);
    }
    QVERIFY2(moved, "some number of steps pushes the figure onto the next page");
}

void BookRendererTest::theWrittenPdfShowsTheFigureWithItsLegendAndCaption() {
    sp::test::TemporaryFolder folder;
    const std::filesystem::path path = folder / "figure.pdf";
    HandInBook book = sp::test::sampleBook(1);
    book.piles[0].figure = sampleChart();
    QVERIFY(writePdf(book, path).ok);
    const std::string text = sp::test::withoutBlanks(sp::test::pdfText(path.string()));
    for (const char* expected : {"图1ZH1承载力随嵌岩深度变化", "超出表格范围", "当前设计", "承载力(kN)", "嵌岩深度hr(mm)",
                                 "12000", "注：hr为1000~2000mm时不能计算"})
        QVERIFY2(text.find(expected) != std::string::npos, expected);
    for (const sp::test::PdfFont& font : sp::test::pdfFonts(path.string()))
        QVERIFY2(font.embedded, font.name.c_str());
}

SOCKETPILE_QTEST_MAIN(BookRendererTest)
#include "bookrenderer_test.moc"
