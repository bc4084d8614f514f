#include "charts/capacitycurve.h"

#include "charts/pilesummary.h"

#include "core/roundstep.h"

#include "core/numbers.h"
#include "core/text.h"
#include "core/zetar.h"

#include <algorithm>
#include <cmath>

namespace sp::charts {

namespace {

// Far past the end of any table row for any pile a window takes: the first run reads deq there
// whatever the integrity asks of a short socket.
constexpr const char* kFarDepth = "10000000";
// Multiples of deq: past the last row of every rock group (6.0), and the range's end after the
// plateau start.
constexpr double kBeyondTable = 20.0;
constexpr double kRangePastPlateau = 1.5;
constexpr double kRangePastDesign = 1.1;
// The millimetre depth the broken-rock rule asks for whatever the section.
constexpr double kBrokenRockDepth = 1000.0;

// The depth as its text reads back, so that a sample's hr is the one the calculation takes.
struct Depth {
    std::string text;
    double hr = 0.0;
};

Depth depthOf(double hr) {
    Depth d;
    d.text = core::GeneralText(hr);
    d.hr = core::readStrict(d.text).value_or(hr);
    return d;
}


class Sampler {
public:
    explicit Sampler(const DepthCalculation& calculate) : m_calculate(calculate) {}

    CurvePoint at(double hr) const {
        const Depth depth = depthOf(hr);
        const module1::Outcome out = m_calculate(depth.text);
        CurvePoint p;
        p.hr = depth.hr;
        if (!out.ok()) {
            p.refusal = out.message;
            return p;
        }
        const module1::Values& v = out.values;
        p.accepted = true;
        p.ra = v.ra;
        p.rc = v.rc;
        p.ratio = v.geometry.ratioToDeq;
        p.zetaR = v.zetaR;
        p.hinted = !v.hint.empty();
        return p;
    }

    // Between a refused and an accepted depth (either order), the accepted side of the boundary
    // to within the text's precision.
    CurvePoint boundary(const CurvePoint& refused, const CurvePoint& accepted) const {
        double out = refused.hr;
        double in = accepted.hr;
        CurvePoint best = accepted;
        for (int i = 0; i < 80 && std::abs(in - out) > 1e-9 * std::max(1.0, std::abs(in)); ++i) {
            const CurvePoint mid = at(0.5 * (out + in));
            if (mid.hr == out || mid.hr == in)
                break;
            if (mid.accepted) {
                in = mid.hr;
                best = mid;
            } else {
                out = mid.hr;
            }
        }
        return best;
    }

private:
    const DepthCalculation& m_calculate;
};

std::vector<CurveGap> gapsOf(const std::vector<CurvePoint>& points, double hrEnd) {
    std::vector<CurveGap> gaps;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const CurvePoint& p = points[i];
        if (p.accepted)
            continue;
        if (!gaps.empty() && gaps.back().message == p.refusal && !points[i - 1].accepted) {
            gaps.back().to = i + 1 < points.size() ? points[i + 1].hr : hrEnd;
            continue;
        }
        gaps.push_back({p.hr, i + 1 < points.size() ? points[i + 1].hr : hrEnd, p.refusal});
    }
    return gaps;
}

} // namespace

std::vector<CurveSegment> CapacityCurve::segments() const {
    std::vector<CurveSegment> out;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (!points[i].accepted)
            continue;
        if (!out.empty() && out.back().end == i)
            out.back().end = i + 1;
        else
            out.push_back({i, i + 1});
    }
    return out;
}

std::optional<double> CapacityCurve::firstAcceptedHr() const {
    for (const CurvePoint& p : points)
        if (p.accepted)
            return p.hr;
    return std::nullopt;
}

// Between two rows of the table ζ is linear in hr/deq, and so Ra in hr; it bends only where the
// reading moves to the next row (hr = 0.5·row·deq) and stays flat past the last row read. The
// calculation refuses a depth only by the checks on a socket in broken rock, which compare hr with
// 1 m, with d and with deq. So the samples are the even grid of `request.samples` steps over the
// range and, besides, every row depth up to the plateau start, 1000 mm, d, deq and the design's
// own depth: a line through them is Ra exactly, every bend and every edge of a refused stretch on
// a sample. Each change between refused and accepted is then narrowed by bisection with the
// calculation itself, so that an edge no rule above names still lands on its first accepted depth.
CapacityCurve capacityCurve(const DepthCalculation& calculate, const std::string& currentHrText,
                            const CurveRequest& request) {
    CapacityCurve curve;
    curve.raRequired = request.raRequired;
    curve.axialForce = request.axialForce;

    const module1::Outcome far = calculate(kFarDepth);
    if (!far.ok()) {
        curve.message = far.message;
        curve.field = far.field;
        return curve;
    }
    curve.deq = far.values.geometry.deq;
    const module1::Outcome beyond = calculate(depthOf(kBeyondTable * curve.deq).text);
    if (!beyond.ok()) {
        curve.message = beyond.message;
        curve.field = beyond.field;
        return curve;
    }
    curve.ok = true;
    curve.plateauRow = beyond.values.zetaWorking.row;
    // As the depth field reads it back, so that the sample there is the plateau's first.
    curve.plateauStart = depthOf(curve.plateauRow * core::kZetaRowStep * curve.deq).hr;

    const module1::Outcome design = calculate(currentHrText);
    if (design.ok())
        curve.design = DesignMark{design.values.geometry.hr, design.values.ra, design.values.rc};
    else
        curve.designMessage = design.message;

    double rawEnd = kRangePastPlateau * curve.plateauStart;
    if (curve.design && kRangePastDesign * curve.design->hr > rawEnd)
        rawEnd = kRangePastDesign * curve.design->hr;
    const int samples = std::max(10, request.samples);
    curve.step = core::roundStep(rawEnd / samples, {1.0, 2.0, 2.5, 5.0});
    curve.hrEnd = std::ceil(rawEnd / curve.step - 1e-9) * curve.step;

    std::vector<double> depths;
    const int evenCount = static_cast<int>(std::llround(curve.hrEnd / curve.step));
    for (int i = 0; i <= evenCount; ++i)
        depths.push_back(i * curve.step);
    for (int row = 0; row < curve.plateauRow; ++row)
        depths.push_back(row * core::kZetaRowStep * curve.deq);
    depths.push_back(curve.plateauStart);
    depths.push_back(kBrokenRockDepth);
    depths.push_back(far.values.first);
    depths.push_back(curve.deq);
    if (curve.design)
        depths.push_back(curve.design->hr);

    const Sampler sampler(calculate);
    for (double hr : depths)
        if (hr >= 0.0 && hr <= curve.hrEnd)
            curve.points.push_back(sampler.at(hr));
    auto byDepth = [](const CurvePoint& a, const CurvePoint& b) { return a.hr < b.hr; };
    std::sort(curve.points.begin(), curve.points.end(), byDepth);
    curve.points.erase(std::unique(curve.points.begin(), curve.points.end(),
                                   [](const CurvePoint& a, const CurvePoint& b) { return a.hr == b.hr; }),
                       curve.points.end());

    std::vector<CurvePoint> edges;
    for (std::size_t i = 0; i + 1 < curve.points.size(); ++i) {
        const CurvePoint& a = curve.points[i];
        const CurvePoint& b = curve.points[i + 1];
        if (a.accepted == b.accepted)
            continue;
        const CurvePoint edge = a.accepted ? sampler.boundary(b, a) : sampler.boundary(a, b);
        if (edge.hr != a.hr && edge.hr != b.hr)
            edges.push_back(edge);
    }
    if (!edges.empty()) {
        curve.points.insert(curve.points.end(), edges.begin(), edges.end());
        std::sort(curve.points.begin(), curve.points.end(), byDepth);
    }
    curve.gaps = gapsOf(curve.points, curve.hrEnd);
    return curve;
}

CapacityCurve capacityCurve(const module1::Inputs& inputs, const CurveRequest& request) {
    const DepthCalculation calculate = [&inputs](const std::string& hr) {
        module1::Inputs in = inputs;
        in.hr = hr;
        return module1::calculate(in);
    };
    CapacityCurve curve = capacityCurve(calculate, inputs.hr, request);
    curve.pile = pileSummary(inputs);
    return curve;
}

CapacityCurve capacityCurve(const module3::Inputs& inputs, const CurveRequest& request) {
    const DepthCalculation calculate = [&inputs](const std::string& hr) {
        module3::Inputs in = inputs;
        in.hr = hr;
        return static_cast<module1::Outcome>(module3::calculate(in));
    };
    CapacityCurve curve = capacityCurve(calculate, inputs.hr, request);
    curve.pile = pileSummary(inputs);
    return curve;
}

} // namespace sp::charts
