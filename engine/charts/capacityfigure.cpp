#include "charts/capacityfigure.h"

#include "core/roundstep.h"

#include "module1/module1session.h"
#include "module3/module3session.h"
#include "project/pileinputs.h"
#include "report/handinassembly.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <exception>
#include <utility>

namespace sp::charts {

namespace {

// About this many intervals between the round ticks of the capacity axis.
constexpr int kTickCount = 6;
// Room above the highest line, so that it does not run along the frame.
constexpr double kHeadroom = 1.08;


// The axis's end: the next round tick at or above `top`.
double roundTop(double top) {
    if (!(top > 0.0))
        return 1.0;
    const double step = core::roundStep(top / kTickCount);
    return std::ceil(top / step - 1e-9) * step;
}

handin::ChartSeries horizontal(const char* name, handin::SeriesRole role, double value, double xEnd) {
    handin::ChartSeries line;
    line.name = name;
    line.role = role;
    line.pieces.push_back({{0.0, value}, {xEnd, value}});
    return line;
}

std::string depthText(double hr) { return handin::grouped(hr, 0); }

} // namespace

std::string capacityCaption(int number, const std::string& pileName) {
    return "图 " + std::to_string(number) + "  " + pileName + " 承载力随嵌岩深度变化";
}

handin::LineChart capacityFigure(const CapacityCurve& curve, const std::string& caption) {
    handin::LineChart chart;
    chart.caption = caption;
    chart.x = {kFigureXTitle, 0.0, curve.hrEnd > 0.0 ? curve.hrEnd : 1.0};

    handin::ChartSeries ra{kFigureRaName, handin::SeriesRole::Ra, {}};
    handin::ChartSeries rc{kFigureRcName, handin::SeriesRole::Rc, {}};
    double top = 0.0;
    for (const CurveSegment& s : curve.segments()) {
        std::vector<handin::ChartPoint> raPiece;
        std::vector<handin::ChartPoint> rcPiece;
        for (std::size_t i = s.begin; i < s.end; ++i) {
            const CurvePoint& p = curve.points[i];
            raPiece.push_back({p.hr, p.ra});
            rcPiece.push_back({p.hr, p.rc});
            top = std::max({top, p.ra, p.rc});
        }
        ra.pieces.push_back(std::move(raPiece));
        rc.pieces.push_back(std::move(rcPiece));
    }
    chart.series.push_back(std::move(ra));
    chart.series.push_back(std::move(rc));
    if (curve.raRequired) {
        chart.series.push_back(
            horizontal(kFigureRaRequiredName, handin::SeriesRole::RaRequired, *curve.raRequired, chart.x.to));
        top = std::max(top, *curve.raRequired);
    }
    if (curve.axialForce) {
        chart.series.push_back(
            horizontal(kFigureAxialForceName, handin::SeriesRole::AxialForce, *curve.axialForce, chart.x.to));
        top = std::max(top, *curve.axialForce);
    }
    if (curve.design) {
        chart.mark = handin::ChartMark{kFigureDesignName,
                                       {{curve.design->hr, curve.design->ra}, {curve.design->hr, curve.design->rc}}};
        top = std::max({top, curve.design->ra, curve.design->rc});
    }
    chart.y = {kFigureYTitle, 0.0, roundTop(top * kHeadroom)};

    if (curve.plateauStart < curve.hrEnd)
        chart.band = handin::ChartBand{curve.plateauStart, curve.hrEnd, kFigurePlateauName};
    for (const CurveGap& gap : curve.gaps)
        chart.notes.push_back("注：h_{r} 为 " + depthText(gap.from) + " ~ " + depthText(gap.to) +
                              " mm 时不能计算，曲线在此断开：" + gap.message);
    return chart;
}

std::optional<CapacityCurve> recordedCurve(const std::string& record) {
    if (record.empty())
        return std::nullopt;
    const nlohmann::json pile = nlohmann::json::parse(record, nullptr, false);
    // Module 2's socket runs through its layers: its record has no single depth.
    if (!pile.is_object() || !pile.contains("hr"))
        return std::nullopt;
    CapacityCurve curve;
    try {
        if (pile.contains("method")) {
            module3::Session session;
            project::enter(session, project::readPileInputs(pile, 3), core::kDefaultPrecision);
            curve = capacityCurve(session.inputs());
        } else {
            module1::Session session;
            project::enter(session, project::readPileInputs(pile, 1), core::kDefaultPrecision);
            curve = capacityCurve(session.inputs());
        }
    } catch (const std::exception&) { // a value the lists do not hold, a key of another module
        return std::nullopt;
    }
    if (!curve.ok)
        return std::nullopt;
    return curve;
}

void addCapacityFigures(handin::HandInBook& book, const report::ReportDocuments& documents) {
    const std::vector<std::string>& records = documents.records();
    int number = 0;
    for (std::size_t k = 0; k < book.piles.size() && k < records.size(); ++k) {
        const std::optional<CapacityCurve> curve = recordedCurve(records[k]);
        if (!curve)
            continue;
        handin::PileSection& pile = book.piles[k];
        pile.figure = capacityFigure(*curve, capacityCaption(++number, pile.pileName));
    }
}

handin::HandInBook bookWithFigures(const report::ReportDocuments& documents, handin::TitleBlock title,
                                   std::string programLine) {
    handin::HandInBook book = report::bookOf(documents, std::move(title), std::move(programLine));
    addCapacityFigures(book, documents);
    return book;
}

} // namespace sp::charts
