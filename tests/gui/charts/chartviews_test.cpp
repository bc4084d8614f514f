// The chart widgets built from real calculations: the series hold the data's points, gaps break the
// lines, the band and the cheapest candidate are where the data puts them, a click on a point emits
// its row, and the saved pictures read back.

#include "charts/capacitychartview.h"
#include "engine/module1/onelayerpile.h"
#include "charts/designspacechartview.h"
#include "charts/resistancechartview.h"
#include "charts/savechart.h"

#include "optimisetestsupport.h"

#include "core/text.h"
#include "module2/module2calc.h"
#include "optimise/optimisepage.h"

#include <QApplication>
#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QFile>
#include <QImage>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPainter>
#include <QScatterSeries>
#include <QSignalSpy>
#include <QStackedBarSeries>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QValueAxis>
#include <QXmlStreamReader>
#include <QtTest>

#include <cmath>
#include <functional>
#include <memory>

using namespace sp;
using core::SectionType;

namespace {

using test::pile;

module2::Inputs layers(std::initializer_list<std::array<const char*, 4>> rows) {
    module2::Inputs in;
    in.grid.setLayerCount(static_cast<int>(rows.size()));
    int i = 0;
    for (const auto& l : rows) {
        ++i;
        in.grid.setCell(i, module2::kColLr, l[0]);
        in.grid.setCell(i, module2::kColWeathering, l[1]);
        in.grid.setCell(i, module2::kColIntegrity, l[2]);
        in.grid.setCell(i, module2::kColFrk, l[3]);
        for (int c : {module2::kColKv, module2::kColC1, module2::kColC2, module2::kColQpk, module2::kColQsrk})
            in.grid.setCell(i, c, "");
    }
    return in;
}

charts::ResistanceBars threeLayers() {
    const module2::Outcome o = module2::calculate(layers({{"1.0", "中风化", "较破碎", "10"},
                                                         {"2.0", "微风化", "完整", "40"},
                                                         {"0.5", "中风化", "较完整", "20"}}));
    return charts::resistanceBars(o);
}

// The small chart table (optimisetestsupport.h): round piles in four sizes, two of each Ra, 16 rows.
void runSmallTable(optimise::OptimisePage& page, const char* raLow, const char* raHigh) {
    using namespace optimise;
    test::editSmallChartTable(page);
    QVERIFY(page.run(core::kDefaultPrecision).run);
    test::editRows(page, {{kRowFilterRa, {raLow, raHigh}}, {kRowFilterRc, {"", ""}}});
}

QList<QPointF> pointsOf(QXYSeries* s) { return s ? s->points() : QList<QPointF>{}; }

int visibleLegendEntries(QChart* chart, const QString& name) {
    int n = 0;
    for (QLegendMarker* m : chart->legend()->markers())
        if (m->isVisible() && m->label() == name)
            ++n;
    return n;
}

void sendMouse(QWidget* viewport, QEvent::Type type, QPointF pos) {
    QMouseEvent event(type, pos, viewport->mapToGlobal(pos),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &event);
}

// Every text of an SVG file, and whether it parsed to its end.
QString svgTexts(const QString& path, bool& wellFormed) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    QString texts;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isCharacters())
            texts += xml.text().toString() + QLatin1Char('|');
    }
    wellFormed = !xml.hasError();
    return texts;
}

} // namespace

class ChartViewsTest : public QObject {
    Q_OBJECT
private slots:
    void capacityLinesHoldTheCurveBrokenAtGaps_data();
    void capacityLinesHoldTheCurveBrokenAtGaps();
    void capacityLinesAreToldApartAndTheTitleNamesThePile();
    void capacityOfAPileThatDoesNotCalculateShowsWhy();
    void capacityPaintsIntoARectangle();
    void resistanceBarsPerLayerThenTheEnd();
    void designSpacePointsBandAndCheapest();
    void designSpaceClickAndHoverFindTheRow();
    void designSpaceWithoutBandOrPoints();
    void designSpaceKindsAndOverStandardMarks();
    void savedPicturesReadBack_data();
    void savedPicturesReadBack();
    void failedSaveNamesPathAndReason();
};

void ChartViewsTest::capacityLinesHoldTheCurveBrokenAtGaps_data() {
    QTest::addColumn<int>("which");
    QTest::newRow("soft intact, Ra,req and N given") << 0;
    QTest::newRow("broken rock refused below 1.5 m") << 1;
    QTest::newRow("broken rectangle") << 2;
}

void ChartViewsTest::capacityLinesHoldTheCurveBrokenAtGaps() {
    QFETCH(int, which);
    const module1::Inputs inputs[] = {pile(SectionType::Round, "1150", "0", "2.0d", "10", "完整"),
                                      pile(SectionType::Round, "1500", "0", "2.0d", "40", "较破碎"),
                                      pile(SectionType::Rectangular, "2300", "1150", "1.0b", "50", "较破碎")};
    charts::CurveRequest request;
    if (which == 0) {
        request.raRequired = 4000.0;
        request.axialForce = 9000.0;
    }
    const charts::CapacityCurve curve = charts::capacityCurve(inputs[which], request);
    QVERIFY(curve.ok);
    QVERIFY(curve.design);

    gui::CapacityChartView view;
    view.resize(800, 500);
    view.setCurve(curve);
    const gui::CapacitySeries& s = view.series();

    // One line per run of accepted depths, holding exactly its points.
    const auto segments = curve.segments();
    QCOMPARE(s.ra.size(), static_cast<qsizetype>(segments.size()));
    QCOMPARE(s.rc.size(), s.ra.size());
    for (qsizetype k = 0; k < s.ra.size(); ++k) {
        const charts::CurveSegment seg = segments[static_cast<std::size_t>(k)];
        const QList<QPointF> ra = s.ra[k]->points(), rc = s.rc[k]->points();
        QCOMPARE(ra.size(), static_cast<qsizetype>(seg.end - seg.begin));
        for (std::size_t i = seg.begin; i < seg.end; ++i) {
            const charts::CurvePoint& p = curve.points[i];
            QCOMPARE(ra[static_cast<qsizetype>(i - seg.begin)], QPointF(p.hr, p.ra));
            QCOMPARE(rc[static_cast<qsizetype>(i - seg.begin)], QPointF(p.hr, p.rc));
        }
    }
    // A refused depth is a break: no line has a point in a gap, none joins across one.
    QCOMPARE(curve.gaps.empty(), which == 0);
    for (const charts::CurveGap& gap : curve.gaps)
        for (QLineSeries* line : s.ra + s.rc) {
            const QList<QPointF> pts = line->points();
            for (qsizetype i = 0; i < pts.size(); ++i) {
                QVERIFY2(pts[i].x() < gap.from || pts[i].x() >= gap.to, qPrintable(QString::number(pts[i].x())));
                if (i > 0)
                    QVERIFY(!(pts[i - 1].x() < gap.from && pts[i].x() >= gap.to));
            }
        }

    // The design at its own depth, the horizontals only when given, the plateau shaded to the end.
    QCOMPARE(pointsOf(s.design), (QList<QPointF>{{curve.design->hr, curve.design->ra},
                                                  {curve.design->hr, curve.design->rc}}));
    QCOMPARE(s.raRequired != nullptr, which == 0);
    QCOMPARE(s.axialForce != nullptr, which == 0);
    if (which == 0) {
        for (const QPointF& p : s.raRequired->points())
            QCOMPARE(p.y(), 4000.0);
        for (const QPointF& p : s.axialForce->points())
            QCOMPARE(p.y(), 9000.0);
        QCOMPARE(s.raRequired->name(), QStringLiteral("Ra,req"));
        QCOMPARE(s.axialForce->name(), QStringLiteral("N"));
    }
    QVERIFY(s.plateau);
    QCOMPARE(s.plateau->name(), QStringLiteral("超出表格范围"));
    QCOMPARE(s.plateau->upperSeries()->points().first().x(), curve.plateauStart);
    QCOMPARE(s.plateau->upperSeries()->points().last().x(), curve.hrEnd);
    QCOMPARE(s.plateau->lowerSeries()->points().first().y(), 0.0);
    QCOMPARE(s.plateau->upperSeries()->points().first().y(), s.y->max());
    QCOMPARE(s.x->titleText(), QStringLiteral("hr (mm)"));
    QCOMPARE(s.y->titleText(), QStringLiteral("kN"));
    QVERIFY(s.x->max() >= curve.hrEnd);
    // However many pieces, Ra and Rc appear once each in the legend.
    QCOMPARE(visibleLegendEntries(view.chart(), QStringLiteral("Ra")), 1);
    QCOMPARE(visibleLegendEntries(view.chart(), QStringLiteral("Rc")), 1);
}

// Ra and Ra,req share a colour, as Rc and N do: each line has a pattern of its own, and the legend
// draws each entry as its line is drawn, not as a square of its colour.
void ChartViewsTest::capacityLinesAreToldApartAndTheTitleNamesThePile() {
    charts::CurveRequest request;
    request.raRequired = 4000.0;
    request.axialForce = 9000.0;
    const charts::CapacityCurve curve =
        charts::capacityCurve(pile(SectionType::Round, "1150", "0", "2.0d", "10", "完整"), request);
    gui::CapacityChartView view;
    view.setCurve(curve);
    const gui::CapacitySeries& s = view.series();
    QVERIFY(s.raRequired && s.axialForce && s.design);
    const QList<QLineSeries*> lines = {s.ra.first(), s.rc.first(), s.raRequired, s.axialForce};
    for (qsizetype i = 0; i < lines.size(); ++i)
        for (qsizetype k = i + 1; k < lines.size(); ++k)
            QVERIFY2(lines[i]->pen().style() != lines[k]->pen().style(),
                     qPrintable(lines[i]->name() + QLatin1Char('/') + lines[k]->name()));
    QCOMPARE(s.raRequired->pen().color(), s.ra.first()->pen().color());
    QCOMPARE(s.axialForce->pen().color(), s.rc.first()->pen().color());
    QCOMPARE(view.chart()->legend()->markerShape(), QLegend::MarkerShapeFromSeries);
    QCOMPARE(s.design->markerShape(), QScatterSeries::MarkerShapeRectangle);

    QCOMPARE(
        view.chart()->title(),
        QStringLiteral("<center>承载力随嵌岩深度变化<br>圆桩 d = 1150 mm，C30，frk = 10 MPa，完整</center>"));
    gui::ResistanceChartView bars;
    bars.setBars(threeLayers());
    QVERIFY2(bars.chart()->title().startsWith(QStringLiteral(
                 "<center>各层侧阻与端阻<br>圆桩 d = 1000 mm，3 层嵌岩，lr = 3.50 m<br>Quk = ")),
             qPrintable(bars.chart()->title()));
}

void ChartViewsTest::capacityOfAPileThatDoesNotCalculateShowsWhy() {
    const charts::CapacityCurve curve =
        charts::capacityCurve(pile(SectionType::Round, "abc", "0", "2.0d", "10", "完整"));
    QVERIFY(!curve.ok);
    gui::CapacityChartView view;
    view.setCurve(curve);
    QCOMPARE(view.chart()->title(), QString::fromStdString(curve.message));
    QVERIFY(view.chart()->series().isEmpty());
    QVERIFY(view.series().ra.isEmpty());
}

void ChartViewsTest::capacityPaintsIntoARectangle() {
    const charts::CapacityCurve curve =
        charts::capacityCurve(pile(SectionType::Round, "1150", "0", "2.0d", "10", "完整"));
    QImage image(900, 700, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QRect target(100, 150, 600, 400);
    {
        QPainter painter(&image);
        gui::paintCapacityChart(painter, target, curve);
    }
    // Drawn inside the rectangle only, with the Ra line's blue among it.
    int inside = 0, outside = 0, blue = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c == Qt::white)
                continue;
            (target.contains(x, y) ? inside : outside)++;
            if (c.blue() > 150 && c.red() < 80 && c.green() < 130)
                ++blue;
        }
    QCOMPARE(outside, 0);
    QVERIFY(inside > 5000);
    QVERIFY(blue > 100);
}

void ChartViewsTest::resistanceBarsPerLayerThenTheEnd() {
    const charts::ResistanceBars bars = threeLayers();
    QVERIFY(bars.ok);
    gui::ResistanceChartView view;
    view.setBars(bars);
    const gui::ResistanceSeries& s = view.series();
    QVERIFY(s.side && s.end);
    QCOMPARE(s.side->count(), 4);
    QCOMPARE(s.end->count(), 4);
    const QStringList categories = s.x->categories();
    QCOMPARE(categories.size(), 4);
    for (int i = 0; i < 4; ++i) {
        const charts::ResistanceBar& bar = bars.bars[static_cast<std::size_t>(i)];
        const bool end = bar.kind == charts::ResistanceBar::Kind::End;
        QCOMPARE(end, i == 3);
        // A stacked pair per category: the bar's value on its own set, nothing on the other.
        QCOMPARE(s.side->at(i), end ? 0.0 : bar.value);
        QCOMPARE(s.end->at(i), end ? bar.value : 0.0);
        QVERIFY(categories[i].endsWith(QString::fromStdString(bar.shareText)));
        QVERIFY(categories[i].startsWith(end ? QStringLiteral("端阻") : QStringLiteral("第%1层").arg(i + 1)));
    }
    QVERIFY(s.y->max() >= bars.bars[1].value);
    QCOMPARE(s.y->titleText(), QStringLiteral("kN"));

    gui::ResistanceChartView empty;
    empty.setBars(charts::ResistanceBars{});
    QVERIFY(empty.chart()->series().isEmpty());
}

void ChartViewsTest::designSpacePointsBandAndCheapest() {
    optimise::OptimisePage page;
    runSmallTable(page, "12000", "16000");
    const charts::DesignSpace space = charts::designSpace(page);
    QVERIFY(space.band && space.cheapest);

    gui::DesignSpaceChartView view;
    view.resize(800, 500);
    view.setSpace(space, &page.visibleTable());
    const gui::DesignSpaceSeries& s = view.series();

    // Every point of the data drawn once: the rows come in pairs on the same spot, and the first of
    // each pair stands for both.
    std::vector<std::uint32_t> firsts;
    for (std::uint32_t row = 0; row < space.points.size(); ++row)
        if (row % 2 == 0)
            firsts.push_back(row);
    QCOMPARE(view.drawnRows(), firsts);
    QList<QPointF> drawn;
    for (QScatterSeries* series : s.points)
        drawn += series->points();
    QCOMPARE(drawn.size(), static_cast<qsizetype>(firsts.size()));
    for (const charts::CandidatePoint& p : space.points)
        QVERIFY(drawn.contains(QPointF(p.volume, p.ra)));
    for (QScatterSeries* series : s.points) {
        QVERIFY(series->name().startsWith(QStringLiteral("圆桩")));
        QCOMPARE(series->markerShape(), QScatterSeries::MarkerShapeCircle);
    }

    // The band at the filter's bounds, across the plot.
    QVERIFY(s.band);
    for (const QPointF& p : s.band->lowerSeries()->points())
        QCOMPARE(p.y(), 12000.0);
    for (const QPointF& p : s.band->upperSeries()->points())
        QCOMPARE(p.y(), 16000.0);
    QCOMPARE(s.band->upperSeries()->points().first().x(), s.x->min());
    QCOMPARE(s.band->upperSeries()->points().last().x(), s.x->max());

    // The highlighted point is the cheapest row's.
    const charts::CandidatePoint& best = space.points[*space.cheapest];
    QCOMPARE(pointsOf(s.cheapest), QList<QPointF>{QPointF(best.volume, best.ra)});
    QCOMPARE(s.cheapest->name(), QStringLiteral("带内最省"));
}

void ChartViewsTest::designSpaceClickAndHoverFindTheRow() {
    optimise::OptimisePage page;
    runSmallTable(page, "12000", "16000");
    gui::DesignSpaceChartView view;
    view.resize(800, 500);
    view.setSpace(charts::designSpace(page), &page.visibleTable());
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const charts::DesignSpace& space = view.space();

    QSignalSpy clicked(&view, &gui::DesignSpaceChartView::rowClicked);
    QSignalSpy hovered(&view, &gui::DesignSpaceChartView::rowHovered);
    for (std::size_t row = 0; row < space.points.size(); ++row) {
        // Rows in pairs share their point; the lookup gives the first of them.
        std::size_t first = row;
        while (first > 0 && space.points[first - 1].volume == space.points[row].volume &&
               space.points[first - 1].ra == space.points[row].ra)
            --first;
        const QPointF at = view.positionOfRow(row) + QPointF(2, -2); // a little off the centre
        sendMouse(view.viewport(), QEvent::MouseButtonPress, at);
        sendMouse(view.viewport(), QEvent::MouseButtonRelease, at);
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(clicked.takeFirst().at(0).toULongLong(), static_cast<qulonglong>(first));

        sendMouse(view.viewport(), QEvent::MouseMove, at);
        QCOMPARE(hovered.size(), 1);
        QCOMPARE(hovered.takeFirst().at(0).toULongLong(), static_cast<qulonglong>(first));
    }

    // The tooltip is the row as the table shows it.
    const QString text = view.rowText(3);
    const QString raLine = QString::fromStdString(page.visibleTable().header(optimise::kColRa)).trimmed() +
                           QStringLiteral("：") + QString::fromStdString(page.visibleTable().cell(3, optimise::kColRa));
    QVERIFY2(text.split(QLatin1Char('\n')).contains(raLine), qPrintable(text));
    QVERIFY(text.startsWith(QStringLiteral("第 4 行")));

    // Away from every point nothing is found and nothing emitted.
    const QRectF plot = view.chart()->plotArea();
    const QPointF corner = view.mapFromScene(plot.topLeft() + QPointF(3, 3));
    QVERIFY(!view.rowAtPosition(corner));
    sendMouse(view.viewport(), QEvent::MouseButtonPress, corner);
    QCOMPARE(clicked.size(), 0);
}

void ChartViewsTest::designSpaceWithoutBandOrPoints() {
    optimise::OptimisePage page;
    runSmallTable(page, "", "");
    const charts::DesignSpace space = charts::designSpace(page);
    gui::DesignSpaceChartView view;
    view.setSpace(space);
    // Both sides open: every row is inside, no band is drawn, the cheapest of all stands out.
    QVERIFY(!view.series().band);
    QVERIFY(space.cheapest);
    const charts::CandidatePoint& best = space.points[*space.cheapest];
    QCOMPARE(pointsOf(view.series().cheapest), QList<QPointF>{QPointF(best.volume, best.ra)});

    gui::DesignSpaceChartView empty;
    empty.setSpace({});
    QVERIFY(empty.series().points.isEmpty());
    QVERIFY(!empty.rowAtPosition(QPointF(100, 100)));
}

void ChartViewsTest::designSpaceKindsAndOverStandardMarks() {
    optimise::OptimisePage page(optimise::ModuleKind::Module3);
    QVERIFY(page.run(core::kDefaultPrecision).run);
    const charts::DesignSpace space = charts::designSpace(page);
    gui::DesignSpaceChartView view;
    view.resize(800, 500);
    view.setSpace(space, &page.visibleTable());

    // Each drawn row sits in the series of its kind and mark; 超规 rows in another marker and a
    // series of their own, each kind in its own colour.
    QHash<QString, QScatterSeries*> byName;
    for (QScatterSeries* s : view.series().points) {
        QVERIFY(!byName.contains(s->name()));
        byName.insert(s->name(), s);
        QCOMPARE(s->markerShape(), s->name().contains(QStringLiteral("超规")) ? QScatterSeries::MarkerShapeTriangle
                                                                             : QScatterSeries::MarkerShapeCircle);
    }
    QVERIFY(!view.drawnRows().empty());
    QSet<core::SectionType> kinds, overKinds;
    for (std::uint32_t row : view.drawnRows()) {
        const charts::CandidatePoint& p = space.points[row];
        QScatterSeries* s = byName.value(gui::pointSeriesName(p));
        QVERIFY2(s, qPrintable(gui::pointSeriesName(p)));
        QVERIFY(s->points().contains(QPointF(p.volume, p.ra)));
        kinds.insert(p.section);
        if (p.overStandard)
            overKinds.insert(p.section);
    }
    QCOMPARE(overKinds, (QSet<core::SectionType>{SectionType::Oblong, SectionType::Rectangular, SectionType::Square}));
    QVERIFY(kinds.contains(SectionType::Round));
    // One colour a kind, whatever the mark or the band.
    QHash<QString, QRgb> colourOfKind;
    for (QScatterSeries* s : view.series().points) {
        const QString kind = s->name().section(QLatin1Char(' '), 0, 0).section(QStringLiteral("（"), 0, 0);
        if (colourOfKind.contains(kind))
            QCOMPARE(colourOfKind.value(kind), s->color().rgb());
        colourOfKind.insert(kind, s->color().rgb());
    }
    QCOMPARE(colourOfKind.size(), kinds.size());
    const QList<QRgb> colours = colourOfKind.values();
    QCOMPARE(QSet<QRgb>(colours.begin(), colours.end()).size(), kinds.size());
}

void ChartViewsTest::savedPicturesReadBack_data() {
    QTest::addColumn<int>("chart");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QStringList>("texts");
    const QStringList capacity{QStringLiteral("hr (mm)"), QStringLiteral("超出表格范围"), QStringLiteral("Ra,req")};
    const QStringList bars{QStringLiteral("端阻"), QStringLiteral("kN")};
    const QStringList space{QStringLiteral("Ra (kN)"), QStringLiteral("带内最省")};
    QTest::newRow("capacity png") << 0 << "png" << capacity;
    QTest::newRow("capacity svg") << 0 << "SVG" << capacity;
    QTest::newRow("resistance png") << 1 << "png" << bars;
    QTest::newRow("resistance svg") << 1 << "svg" << bars;
    QTest::newRow("design space png") << 2 << "png" << space;
    QTest::newRow("design space svg") << 2 << "svg" << space;
}

void ChartViewsTest::savedPicturesReadBack() {
    QFETCH(int, chart);
    QFETCH(QString, suffix);
    QFETCH(QStringList, texts);

    optimise::OptimisePage page;
    std::unique_ptr<QWidget> view;
    if (chart == 0) {
        charts::CurveRequest request;
        request.raRequired = 4000.0;
        auto v = std::make_unique<gui::CapacityChartView>();
        v->setCurve(charts::capacityCurve(pile(SectionType::Round, "1150", "0", "2.0d", "10", "完整"), request));
        view = std::move(v);
    } else if (chart == 1) {
        auto v = std::make_unique<gui::ResistanceChartView>();
        v->setBars(threeLayers());
        view = std::move(v);
    } else {
        runSmallTable(page, "12000", "16000");
        auto v = std::make_unique<gui::DesignSpaceChartView>();
        v->setSpace(charts::designSpace(page), &page.visibleTable());
        view = std::move(v);
    }
    view->resize(700, 450);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chart.") + suffix);
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();

    const gui::ChartSaveResult result = gui::saveChart(view.get(), path);
    QVERIFY2(result.ok, qPrintable(result.error));
    // Nothing left beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("chart.") + suffix});

    if (suffix == QLatin1String("png")) {
        QImage image;
        QVERIFY(image.load(path, "PNG"));
        // Drawn again at three times the screen's pixels, marked 300 dpi: sharp on paper.
        QCOMPARE(image.size(), view->size() * gui::kPngScale);
        QCOMPARE(image.dotsPerMeterX(), qRound(300 / 0.0254));
    } else {
        QVERIFY(QSvgRenderer(path).isValid());
        bool wellFormed = false;
        const QString all = svgTexts(path, wellFormed);
        QVERIFY(wellFormed);
        for (const QString& t : texts)
            QVERIFY2(all.contains(t), qPrintable(t));
    }
}

void ChartViewsTest::failedSaveNamesPathAndReason() {
    gui::CapacityChartView view;
    view.resize(300, 200);
    QTemporaryDir dir;
    const struct {
        QString path;
        QString reason; // a part of the message
    } cases[] = {
        {dir.filePath(QStringLiteral("missing/chart.png")), QString()},
        {dir.filePath(QStringLiteral("chart.jpg")), QStringLiteral(".png 或 .svg")},
    };
    for (const auto& c : cases) {
        const gui::ChartSaveResult result = gui::saveChart(&view, c.path);
        QVERIFY(!result.ok);
        QVERIFY2(result.error.contains(QDir::toNativeSeparators(c.path)), qPrintable(result.error));
        // The reason follows the path, and is not empty.
        const QString reason = result.error.section(QStringLiteral("："), -1);
        QVERIFY2(!reason.trimmed().isEmpty(), qPrintable(result.error));
        if (!c.reason.isEmpty())
            QVERIFY2(reason.contains(c.reason), qPrintable(result.error));
        QVERIFY(!QFile::exists(c.path));
    }
}

QTEST_MAIN(ChartViewsTest)
#include "chartviews_test.moc"
