#include "solve/depthsolver.h"

#include "core/geometry.h"
#include "core/numbers.h"
#include "core/sectioncheck.h"
#include "core/text.h"
#include "core/zetar.h"
#include "module2/rocklayergrid.h"
#include "module3/deqmethod.h"
#include "solve/gridsearch.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace sp::solve {

using namespace sp::core;

namespace {

// How far, relative, Ra computed in floating point may lie off the growing function it stands
// for. The ζ table is read by a few interpolations of values of the order of 1, so the true error
// is some 1e-15; the margin only decides when the search reads steps one by one (gridsearch.h).
constexpr double kSlack = 1e-9;

// Past 6·deq every rock group reads ζ at the end of its table (soft rock at 6·deq, the others
// already at 4·deq), so Ra grows no more beyond it.
constexpr double kPlateauRatio = 6.0;
// Broken rock wants at least this much socket (and one diameter).
constexpr double kBrokenRockSocket = 1000.0; // mm

// The first step of the search: the least multiple of the step that is no shorter than the least
// socket, and at least one step.
long long firstStep(long long step, long long minDepth) {
    if (step < 1 || step > kLengthLimit)
        throw std::invalid_argument("the step of the socket depth must be 1 to " +
                                    std::to_string(kLengthLimit) + " mm, got " + std::to_string(step));
    if (minDepth < 0 || minDepth > kLengthLimit)
        throw std::invalid_argument("the least socket depth must be 0 to " + std::to_string(kLengthLimit) +
                                    " mm, got " + std::to_string(minDepth));
    return std::max(1LL, (minDepth + step - 1) / step);
}

// The figures in the messages are written as the result boxes write them (the same precision and
// rounding), so that the Rc a message names is the one the window shows.
std::string unreachableMessage(const std::string& maxRa, const std::string& where) {
    return "无解：该截面最大可达 Ra = " + maxRa + " kN（" + where + "），请加大桩径";
}

std::string rcMessage(const std::string& rc, double n) {
    return "无解：该截面 Rc = " + rc + " kN，达不到 N = " + GeneralText(n) +
           " kN（Rc 与嵌岩深度无关），请加大截面或提高混凝土强度等级";
}

template <class Solution, class Outcome> Solution failedWith(const Outcome& outcome) {
    Solution s;
    s.kind = SolveKind::Failed;
    s.message = outcome.message;
    s.field = outcome.field;
    s.failure = outcome.kind;
    return s;
}

// The one-layer modules differ in their calculation and in the equivalent diameter it takes.
module1::Outcome calculateWith(const module1::Inputs& in) {
    return module1::calculate(in);
}
module1::Outcome calculateWith(const module3::Inputs& in) {
    return module3::calculate(in);
}

module1::DeqRule deqRuleOf(const module1::Inputs&) {
    return {};
}
module1::DeqRule deqRuleOf(const module3::Inputs& in) {
    const module3::DeqMethod method = in.method;
    return [method](SectionType section, double first, double second, double area, double perimeter) {
        return module3::equivalentDiameter(section, method, first, second, area, perimeter);
    };
}

// Modules 1 and 3. The calculation is run in full where it decides: once with a socket long
// enough for every depth rule, which shows whether the other inputs pass their checks and gives
// the numbers read from them, and once for the answer. In between, the search takes the
// calculation's own steps (geometry, broken-rock rules, capacity) from those numbers, without the
// texts, so that every step it reads costs little and gives the calculation's very Ra.
template <class In> DepthSolution solveOneLayer(const In& inputs, const Target& target, long long step) {
    const long long lowest = firstStep(step, target.minDepth);
    const module1::DeqRule rule = deqRuleOf(inputs);
    In at = inputs;
    const auto calculateAt = [&](long long k) {
        at.hr = depthFieldText(k * step);
        return calculateWith(at);
    };

    // The section first: its equivalent diameter bounds the search.
    StatusEffect status;
    FieldEffects fields;
    const SectionCheck section = checkSection(inputs.section, inputs.d, inputs.c, status, fields);
    if (section.stopped())
        return failedWith<DepthSolution>(calculateAt(0));
    const double deq =
        module1::sectionGeometry(inputs.section, section.first, section.second, SocketDepth{}, rule).deq;
    // The first step past the end of the ζ table, which is also past the broken-rock rules.
    const double plateau = std::max({kPlateauRatio * deq, kBrokenRockSocket, section.first});
    const long long limit = kLengthLimit / step;
    // A least socket past the plateau (or, within a step, past the length limit) moves the end up.
    const long long top =
        std::max(lowest, plateau / static_cast<double>(step) < static_cast<double>(limit)
                             ? static_cast<long long>(plateau / static_cast<double>(step)) + 1
                             : limit);

    const module1::Outcome probe = calculateAt(top);
    if (!probe.ok())
        return failedWith<DepthSolution>(probe);
    const module1::Values& v = probe.values;
    DepthSolution s;
    s.rc = v.rc;
    if (target.n && !(v.rc >= *target.n)) {
        s.kind = SolveKind::RcShort;
        s.message = rcMessage(module1::forceBoxText(v.rc, inputs.precision), *target.n);
        return s;
    }

    const auto geometryAt = [&](long long k) {
        SocketDepth depth;
        depth.hr = static_cast<double>(k * step);
        return module1::sectionGeometry(inputs.section, v.first, v.second, depth, rule);
    };
    const bool broken = isBroken(v.integrity);
    const auto passes = [&](long long k) {
        if (!broken)
            return true;
        const BrokenRockCheck check = checkBrokenRock(inputs.section, geometryAt(k));
        return check != BrokenRockCheck::ShorterThan1m && check != BrokenRockCheck::ShorterThanOneDiameter;
    };
    const auto raAt = [&](long long k) {
        return module1::capacityOf(geometryAt(k), v.frk, v.integrity, v.kv, v.process, v.grade).ra;
    };

    // The broken-rock rules stop every socket shorter than some length and none longer.
    const long long first = firstHolding(lowest, top, passes);
    long long k = 0;
    if (const auto reaching = firstReaching(first, top, target.ra, kSlack, raAt)) {
        k = *reaching;
        s.kind = SolveKind::Found;
    } else {
        // The largest Ra is reached at `top` or, within the slack, before it: first the least step
        // that reaches Ra at `top`, then the largest value from there on.
        k = *firstReaching(first, top, raAt(top), kSlack, raAt);
        double best = raAt(k);
        for (long long j = k + 1; j <= top; ++j)
            if (const double ra = raAt(j); ra > best) {
                best = ra;
                k = j;
            }
        s.kind = SolveKind::Unreachable;
    }
    const module1::Outcome answer = calculateAt(k);
    if (!answer.ok() || (s.kind == SolveKind::Found && !(answer.values.ra >= target.ra)))
        throw std::logic_error("the socket depth found does not pass the calculation");
    s.depthMm = k * step;
    s.depthText = depthFieldText(s.depthMm);
    s.ra = answer.values.ra;
    if (s.kind == SolveKind::Unreachable)
        s.message =
            unreachableMessage(module1::forceBoxText(s.ra, inputs.precision), "hr = " + s.depthText + " mm");
    return s;
}

template <class In> std::optional<DiameterSolution> leastDiameterOf(const In& inputs, const Target& target) {
    if (inputs.section != SectionType::Round)
        return std::nullopt;
    // The socket as it stands; a socket the calculation cannot read stops it.
    const double d = readLenient(inputs.d);
    const SocketDepth depth = readSocketDepth(inputs.hr, multipleLetter(SectionType::Round), d);
    if (depth.status != SocketDepth::Status::Ok || !(d > 0.0)) {
        const module1::Outcome stop = calculateWith(inputs);
        if (stop.ok())
            throw std::logic_error("a socket depth the solver cannot read passed the calculation");
        return failedWith<DiameterSolution>(stop);
    }
    In at = inputs; // the socket text is kept, whichever way it was given
    const auto calculateAt = [&](long long j) {
        at.d = std::to_string(j * kDiameterStep);
        return calculateWith(at);
    };
    const auto carries = [&](const module1::Outcome& o) {
        return o.ok() && o.values.ra >= target.ra && (!target.n || o.values.rc >= *target.n);
    };
    DiameterSolution s;
    s.hrText = inputs.hr;

    // With the socket a fixed multiple of d the ratio stays, and Ra and Rc grow with the area; only
    // the 1 m rule of broken rock depends on the diameter, and it stops the small ones. With the
    // socket fixed in millimetres the ratio r falls as d grows, but along every column of the table
    // ζ grows more slowly than r² (r·dζ/dr < 2ζ), so Ra ∝ ζ·d² = ζ·hr²/r² still grows with d;
    // broken rock then stops every diameter above the socket, and the search ends below them.
    long long top = kLengthLimit / kDiameterStep;
    const module1::Outcome probe = calculateAt(depth.givenAsMultiple ? top : 1);
    if (!probe.ok())
        return failedWith<DiameterSolution>(probe);
    std::string above; // why no larger diameter is tried, when something stops it
    if (!depth.givenAsMultiple) {
        if (const module1::Outcome largest = calculateAt(top); !largest.ok()) {
            const long long stopped = firstHolding(1, top, [&](long long j) { return !calculateAt(j).ok(); });
            above = calculateAt(stopped).message;
            top = stopped - 1;
        }
    }
    const module1::Outcome most = calculateAt(top);
    if (!carries(most)) {
        s.kind = SolveKind::Unreachable;
        s.message = "无解：桩径加大到 " + std::to_string(top * kDiameterStep) + " mm 仍达不到所需承载力" +
                    (above.empty() ? std::string() : "（再大则" + above + "）");
        return s;
    }
    const long long j = firstHolding(1, top, [&](long long step) { return carries(calculateAt(step)); });
    const module1::Outcome answer = calculateAt(j);
    s.kind = SolveKind::Found;
    s.diameterMm = j * kDiameterStep;
    s.dText = at.d;
    s.ra = answer.values.ra;
    s.rc = answer.values.rc;
    return s;
}

} // namespace

std::string depthFieldText(long long mm) {
    return std::to_string(mm);
}

std::string layerLengthText(long long mm) {
    std::string millimetres = std::to_string(mm % 1000);
    millimetres.insert(0, 3 - millimetres.size(), '0');
    while (millimetres.size() > 2 && millimetres.back() == '0')
        millimetres.pop_back();
    return std::to_string(mm / 1000) + "." + millimetres;
}

DepthSolution solveDepth(const module1::Inputs& inputs, const Target& target, long long step) {
    return solveOneLayer(inputs, target, step);
}

DepthSolution solveDepth(const module3::Inputs& inputs, const Target& target, long long step) {
    return solveOneLayer(inputs, target, step);
}

// Module 2: the bottom layer's length adds to the side resistance and nothing else, and the whole
// socket reaching 0.5 m lets every layer carry side resistance; so Ra grows with it, exactly, also
// in floating point (each operation on it is a sum or a product with numbers that stay), and the
// search bisects on whole calculations. Ra grows no more when the bottom layer has no side
// resistance; otherwise the length limit bounds it.
DepthSolution solveDepth(const module2::Inputs& inputs, const Target& target, long long step) {
    const long long lowest = firstStep(step, target.minDepth);
    module2::Inputs at = inputs;
    const int bottom = inputs.grid.layerCount();
    const auto calculateAt = [&](long long k) {
        at.grid.setCell(bottom, module2::kColLr, layerLengthText(k * step));
        return module2::calculate(at);
    };
    const long long top = std::max(lowest, kLengthLimit / step);
    // The checks that a short socket can fail (Quk = 0 when no layer carries anything) pass at the
    // longest one; any other stops at every length.
    const module2::Outcome probe = calculateAt(top);
    if (!probe.ok())
        return failedWith<DepthSolution>(probe);

    DepthSolution s;
    const double goal = probe.values.ra >= target.ra ? target.ra : probe.values.ra;
    s.kind = probe.values.ra >= target.ra ? SolveKind::Found : SolveKind::Unreachable;
    const long long k = firstHolding(lowest, top, [&](long long j) {
        const module2::Outcome o = calculateAt(j);
        return o.ok() && o.values.ra >= goal;
    });
    const module2::Outcome answer = calculateAt(k);
    s.depthMm = k * step;
    s.depthText = layerLengthText(s.depthMm);
    s.ra = answer.values.ra;
    if (s.kind == SolveKind::Unreachable)
        s.message =
            unreachableMessage(module2::forceBoxText(s.ra, inputs.precision), "lri = " + s.depthText + " m");
    return s;
}

std::optional<DiameterSolution> leastDiameter(const module1::Inputs& inputs, const Target& target) {
    return leastDiameterOf(inputs, target);
}

std::optional<DiameterSolution> leastDiameter(const module3::Inputs& inputs, const Target& target) {
    return leastDiameterOf(inputs, target);
}

} // namespace sp::solve
