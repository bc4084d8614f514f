#include "charts/capacityfigure.h"

#include "module1/module1session.h"
#include "module2/module2session.h"
#include "module3/module3session.h"
#include "project/pileinputs.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

using namespace sp;
using namespace sp::charts;
using handin::ChartPoint;
using handin::SeriesRole;

namespace {

using Piece = std::vector<std::pair<double, double>>;

Piece pieceOf(const std::vector<ChartPoint>& points) {
    Piece piece;
    for (const ChartPoint& p : points)
        piece.emplace_back(p.x, p.y);
    return piece;
}

std::vector<Piece> piecesOf(const handin::ChartSeries& series) {
    std::vector<Piece> pieces;
    for (const auto& points : series.pieces)
        pieces.push_back(pieceOf(points));
    return pieces;
}

CurvePoint accepted(double hr, double ra, double rc) {
    CurvePoint p;
    p.hr = hr;
    p.accepted = true;
    p.ra = ra;
    p.rc = rc;
    return p;
}

CurvePoint refused(double hr, const std::string& why) {
    CurvePoint p;
    p.hr = hr;
    p.refusal = why;
    return p;
}

// Refused from 0 to 1000 and again from 2000 to 2500; the plateau from 2500 on.
CapacityCurve brokenCurve() {
    CapacityCurve curve;
    curve.ok = true;
    curve.deq = 625.0;
    curve.hrEnd = 3000.0;
    curve.plateauStart = 2500.0;
    curve.plateauRow = 8;
    curve.points = {refused(0, "浅"),           refused(500, "浅"),           accepted(1000, 1000, 5000),
                    accepted(1500, 1200, 5000), refused(2000, "中间"),         accepted(2500, 1500, 5000),
                    accepted(3000, 1500, 5000)};
    curve.gaps = {{0, 1000, "浅"}, {2000, 2500, "中间"}};
    curve.design = DesignMark{1500, 1200, 5000};
    return curve;
}

// The figure a pile's inputs give, as the book should hold it.
void expectSameFigure(const handin::LineChart& got, const handin::LineChart& want) {
    EXPECT_EQ(got.caption, want.caption);
    EXPECT_EQ(got.x.to, want.x.to);
    EXPECT_EQ(got.y.to, want.y.to);
    ASSERT_EQ(got.series.size(), want.series.size());
    for (std::size_t k = 0; k < got.series.size(); ++k)
        EXPECT_EQ(piecesOf(got.series[k]), piecesOf(want.series[k])) << got.series[k].name;
    ASSERT_EQ(got.band.has_value(), want.band.has_value());
    if (got.band) {
        EXPECT_EQ(got.band->from, want.band->from);
    }
    ASSERT_TRUE(got.mark && want.mark);
    EXPECT_EQ(pieceOf(got.mark->points), pieceOf(want.mark->points));
    EXPECT_EQ(got.notes, want.notes);
}

core::Moment momentOf(int pile) { return {2026, 12, 10, 9, 30 + pile, 0}; }

} // namespace

TEST(CapacityFigure, LinesBreakAtTheGapsAndTheRequiredValuesRunAcross) {
    CapacityCurve curve = brokenCurve();
    curve.raRequired = 1300.0;
    curve.axialForce = 5200.0;
    const handin::LineChart chart = capacityFigure(curve, "图 2  ZH4 承载力随嵌岩深度变化");

    EXPECT_EQ(chart.caption, "图 2  ZH4 承载力随嵌岩深度变化");
    EXPECT_EQ(chart.x.title, kFigureXTitle);
    EXPECT_EQ(chart.y.title, kFigureYTitle);
    EXPECT_EQ(chart.x.from, 0.0);
    EXPECT_EQ(chart.x.to, 3000.0);
    EXPECT_EQ(chart.y.from, 0.0);
    EXPECT_EQ(chart.y.to, 6000.0) << "5200 with its headroom, up to the next round tick";

    ASSERT_EQ(chart.series.size(), 4u);
    const std::pair<const char*, SeriesRole> order[] = {{"R_{a}", SeriesRole::Ra},
                                                         {"R_{c}", SeriesRole::Rc},
                                                         {"R_{a,req}", SeriesRole::RaRequired},
                                                         {"N", SeriesRole::AxialForce}};
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(chart.series[k].name, order[k].first);
        EXPECT_EQ(chart.series[k].role, order[k].second);
    }
    EXPECT_EQ(piecesOf(chart.series[0]), (std::vector<Piece>{{{1000, 1000}, {1500, 1200}}, {{2500, 1500}, {3000, 1500}}}));
    EXPECT_EQ(piecesOf(chart.series[1]), (std::vector<Piece>{{{1000, 5000}, {1500, 5000}}, {{2500, 5000}, {3000, 5000}}}));
    EXPECT_EQ(piecesOf(chart.series[2]), (std::vector<Piece>{{{0, 1300}, {3000, 1300}}}));
    EXPECT_EQ(piecesOf(chart.series[3]), (std::vector<Piece>{{{0, 5200}, {3000, 5200}}}));

    ASSERT_TRUE(chart.band);
    EXPECT_EQ(chart.band->from, 2500.0);
    EXPECT_EQ(chart.band->to, 3000.0);
    EXPECT_EQ(chart.band->name, "超出表格范围");
    ASSERT_TRUE(chart.mark);
    EXPECT_EQ(chart.mark->name, "当前设计");
    EXPECT_EQ(pieceOf(chart.mark->points), (Piece{{1500, 1200}, {1500, 5000}}));

    ASSERT_EQ(chart.notes.size(), 2u);
    EXPECT_EQ(handin::plainText(chart.notes[0]), "注：hr 为 0 ~ 1\u2009000 mm 时不能计算，曲线在此断开：浅");
    EXPECT_EQ(handin::plainText(chart.notes[1]), "注：hr 为 2\u2009000 ~ 2\u2009500 mm 时不能计算，曲线在此断开：中间");
}

TEST(CapacityFigure, WhatTheCurveLacksTheFigureLeavesOut) {
    struct Case {
        const char* name;
        double plateauStart;
        bool design;
        double yTop; // the round tick above the highest value with its headroom
    };
    const Case cases[] = {
        {"plateau at the end of the range, no design", 3000.0, false, 6000.0},
        {"plateau past the range", 3500.0, true, 6000.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CapacityCurve curve = brokenCurve();
        curve.plateauStart = c.plateauStart;
        if (!c.design)
            curve.design.reset();
        const handin::LineChart chart = capacityFigure(curve, "图 1");
        EXPECT_EQ(chart.series.size(), 2u) << "no required value, no horizontal line";
        EXPECT_FALSE(chart.band);
        EXPECT_EQ(chart.mark.has_value(), c.design);
        EXPECT_EQ(chart.y.to, c.yTop);
    }
    // A small pile's axis ends on a round tick close above it, not on the next power of ten.
    CapacityCurve small = brokenCurve();
    for (CurvePoint& p : small.points)
        if (p.accepted)
            p.rc = 900.0, p.ra = std::min(p.ra / 2, 800.0);
    small.design.reset();
    EXPECT_EQ(capacityFigure(small, "").y.to, 1000.0);
}

TEST(CapacityFigure, ACalculatedCurveStartsItsLinesWhereTheCalculationAcceptsTheDepth) {
    module1::Inputs in;
    in.d = "1500";
    in.hr = "2.0d";
    in.frk = "40";
    in.integrity = "较破碎";
    const CapacityCurve curve = capacityCurve(in);
    ASSERT_TRUE(curve.ok);
    const handin::LineChart chart = capacityFigure(curve, "图 1");
    ASSERT_EQ(chart.series[0].pieces.size(), 1u);
    EXPECT_EQ(chart.series[0].pieces[0].front().x, 1500.0);
    EXPECT_EQ(chart.series[0].pieces[0].back().x, curve.hrEnd);
    ASSERT_EQ(chart.notes.size(), 2u);
    EXPECT_NE(chart.notes[0].find("较破碎岩体上嵌入深度小于1m"), std::string::npos);
    EXPECT_NE(chart.notes[1].find("较破碎岩体上嵌入深度小于1倍桩径"), std::string::npos);
    ASSERT_TRUE(chart.band);
    EXPECT_EQ(chart.band->from, curve.plateauStart);
    ASSERT_TRUE(chart.mark);
    EXPECT_EQ(chart.mark->points[0].x, 3000.0);
}

// Each pile of a module 1 or module 3 window gets the figure of the inputs it was calculated from,
// numbered in the book's order; the module's own calculation draws it (module 3 by its method).
template <class Session> void expectFigurePerPile(int module, const std::vector<std::string>& piles) {
    Session session;
    std::vector<handin::LineChart> expected;
    for (std::size_t k = 0; k < piles.size(); ++k) {
        project::enter(session, project::readPileInputs(nlohmann::json::parse(piles[k]), module),
                       core::Precision::TwoDecimals);
        const auto inputs = session.inputs();
        ASSERT_TRUE(project::computePile(session, momentOf(static_cast<int>(k))).ok());
        expected.push_back(capacityFigure(capacityCurve(inputs), capacityCaption(static_cast<int>(k) + 1,
                                                                                "ZH" + std::to_string(k + 1))));
    }
    const handin::HandInBook book = bookWithFigures(session.documents(), {}, "SocketPile");
    ASSERT_EQ(book.piles.size(), piles.size());
    for (std::size_t k = 0; k < piles.size(); ++k) {
        SCOPED_TRACE(book.piles[k].pileName);
        ASSERT_TRUE(book.piles[k].figure);
        expectSameFigure(*book.piles[k].figure, expected[k]);
    }
}

TEST(CapacityFigure, EveryPileOfModulesOneAndThreeHasItsFigure) {
    expectFigurePerPile<module1::Session>(
        1, {R"({"section": "圆桩", "d": "1000", "hr": "1.0d", "frk": "25", "integrity": "较完整"})",
            R"({"section": "椭圆桩", "d": "1000", "c": "500", "hr": "2.0d", "frk": "10", "integrity": "完整"})",
            R"({"section": "矩形桩", "d": "1000", "c": "1200", "hr": "1.5b", "frk": "40", "integrity": "0.45"})"});
    expectFigurePerPile<module3::Session>(
        3, {R"({"section": "椭圆桩", "d": "1000", "c": "500", "hr": "2.0d", "frk": "40", "integrity": "完整",
                "method": "C-最大回转半径折算"})",
            R"({"section": "矩形桩", "d": "1200", "c": "800", "hr": "2.0b", "frk": "35", "integrity": "0.60",
                "method": "A-面积相等折算"})"});
}

TEST(CapacityFigure, ModuleTwoAndPilesWithoutAReadableRecordGetNone) {
    module2::Session layered;
    ASSERT_TRUE(project::computePile(layered, momentOf(0)).ok());
    ASSERT_TRUE(project::computePile(layered, momentOf(1)).ok());
    for (const handin::PileSection& pile : bookWithFigures(layered.documents(), {}, "").piles)
        EXPECT_FALSE(pile.figure) << pile.pileName;

    module1::Session session;
    auto calculate = [&](const char* record, bool recorded) {
        const int k = session.documents().pileRegister().next();
        ASSERT_TRUE((recorded ? project::computePile(session, momentOf(k)) : session.compute(momentOf(k))).ok());
        if (record)
            session.documents().recordLast(record);
    };
    calculate(nullptr, true);                            // ZH1
    calculate(nullptr, false);                           // ZH2: calculated without its inputs kept
    calculate(R"({"hr": "1.0d", "grade": "C99"})", true); // ZH3: a grade the list does not hold
    calculate("{\"hr\": ", true);                         // ZH4: not JSON
    calculate(nullptr, true);                            // ZH5
    const handin::HandInBook book = bookWithFigures(session.documents(), {}, "");
    ASSERT_EQ(book.piles.size(), 5u);
    const bool has[] = {true, false, false, false, true};
    for (std::size_t k = 0; k < 5; ++k)
        EXPECT_EQ(book.piles[k].figure.has_value(), has[k]) << book.piles[k].pileName;
    EXPECT_EQ(book.piles[0].figure->caption, "图 1  ZH1 承载力随嵌岩深度变化");
    EXPECT_EQ(book.piles[4].figure->caption, "图 2  ZH5 承载力随嵌岩深度变化") << "numbered among the figures";
}
