#pragma once
// The capacity of a one-layer pile (modules 1 and 3) against its socket depth: Ra and Rc as the
// calculation gives them when only hr changes and everything else the engineer entered stays, so
// that a chart shows where a deeper socket stops paying. Every figure comes from a run of the
// module's own calculation with the depth field set to the sampled depth in millimetres.

#include "module1/module1calc.h"
#include "module3/module3calc.h"

#include <cstddef>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace sp::charts {

inline constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

// One sampled depth.
struct CurvePoint {
    double hr = 0.0;         // mm
    bool accepted = false;   // the calculation went through at this depth
    double ra = kNoValue;    // kN, unrounded; NaN where the calculation refused the depth
    double rc = kNoValue;    // kN, unrounded
    double ratio = kNoValue; // hr/deq as the calculation took it
    double zetaR = kNoValue;
    bool hinted = false; // went on with the calculation's hint (a socket shorter than deq in broken rock)
    std::string refusal; // the calculation's message where it refused the depth
};

// Depths the calculation refuses, all for the same reason: from `from` up to, not including, `to`
// (the next accepted sample, or the end of the range). Drawn as a gap, never as zeros.
struct CurveGap {
    double from = 0.0;
    double to = 0.0;
    std::string message;
};

// A run of consecutive accepted points, [begin, end) into `points`, drawn as one line.
struct CurveSegment {
    std::size_t begin = 0;
    std::size_t end = 0;
};

// The current design, at its own depth.
struct DesignMark {
    double hr = 0.0; // mm
    double ra = 0.0; // kN
    double rc = 0.0; // kN
};

struct CurveRequest {
    // Drawn as horizontal lines when given: the required characteristic value and the design
    // axial force that Rc must reach, kN.
    std::optional<double> raRequired;
    std::optional<double> axialForce;
    // Evenly spaced steps over the range, at most this many (at least 10): the step is the
    // plain length (1, 2, 2.5 or 5 times a power of ten, mm) that gives no more. The depths where
    // the reading changes come besides (see capacityCurve).
    int samples = 400;
};

struct CapacityCurve {
    // False when the pile fails a check whatever its depth (a bad diameter, frk, integrity): then
    // `message` and `field` are the calculation's, and there is nothing to draw.
    bool ok = false;
    std::string message;
    std::string field;

    double deq = 0.0;   // mm, the diameter the ratios use (module 3: the chosen method's)
    double hrEnd = 0.0; // mm, the end of the sampled range, which starts at 0
    double step = 0.0;  // mm, the spacing of the even samples
    // Where hr/deq passes the last row of the table read for this rock: from here on ζr, and so
    // Ra, stays flat. The region beyond it is shaded.
    double plateauStart = 0.0;
    int plateauRow = 0; // that table row (hr/deq = 0.5 · row)

    std::vector<CurvePoint> points; // ascending hr
    std::vector<CurveGap> gaps;
    std::optional<DesignMark> design; // the inputs as they are, when their own depth calculates
    std::string designMessage;        // else why not
    std::optional<double> raRequired;
    std::optional<double> axialForce;
    // The pile the curve is of, for the chart's title (pileSummary); empty from the overload that
    // takes a bare calculation.
    std::string pile;

    std::vector<CurveSegment> segments() const;
    // The smallest sampled depth the calculation accepts.
    std::optional<double> firstAcceptedHr() const;
};

// Module 1 and module 3 (with its method) piles. The range runs from 0 to half as far again past
// the plateau start (and past the design's own depth).
CapacityCurve capacityCurve(const module1::Inputs& inputs, const CurveRequest& request = {});
CapacityCurve capacityCurve(const module3::Inputs& inputs, const CurveRequest& request = {});

// The same over any one-layer calculation: `calculate` runs it with the depth field set to the
// given text.
using DepthCalculation = std::function<module1::Outcome(const std::string& hrText)>;
CapacityCurve capacityCurve(const DepthCalculation& calculate, const std::string& currentHrText,
                            const CurveRequest& request);

} // namespace sp::charts
