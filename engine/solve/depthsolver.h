#pragma once
// The calculation run backwards: for a pile's inputs and the capacity it has to carry, the least
// socket depth, a whole multiple of a step, at which the calculation passes every check and gives
// Ra ≥ Ra,req (and Rc ≥ N). Modules 1 and 3 answer with the socket depth hr in whole millimetres;
// module 2 with the length lri of the bottom rock layer, in metres as the grid's cell takes it.
// For round piles, also the least diameter, a multiple of 50 mm, for the socket multiple as it
// stands. Every comparison is made on the calculation's own unrounded values, and an answer is
// always the one a calculation of every step in turn would give.

#include "core/outcome.h"
#include "module1/module1calc.h"
#include "module2/module2calc.h"
#include "module3/module3calc.h"

#include <optional>
#include <string>

namespace sp::solve {

inline constexpr long long kDefaultStep = 50;  // mm
inline constexpr long long kDiameterStep = 50; // mm
// The deepest socket, longest bottom layer and largest diameter the solver tries, mm. Far beyond
// any pile; it only bounds the search where capacity would go on growing.
inline constexpr long long kLengthLimit = 1'000'000;

// What the pile has to carry.
struct Target {
    double ra = 0.0;         // Ra,req, kN
    std::optional<double> n; // the design axial force N (kN) that Rc must reach; modules 1 and 3
};

enum class SolveKind {
    Found,       // the least depth (or diameter) that carries the target
    Unreachable, // no depth carries Ra,req: Ra stops growing (or the length limit is reached)
    RcShort,     // Rc, which no depth changes, stays below N
    Failed,      // the other inputs fail a check of the calculation, or cannot be read
};

struct DepthSolution {
    SolveKind kind = SolveKind::Failed;
    // Found: the text to write into the input (hr in whole mm: "2350"; module 2's bottom lri in m:
    // "2.35"). Unreachable: the text of the least depth where the largest Ra is reached.
    std::string depthText;
    long long depthMm = 0;
    // Found: Ra at the depth; Unreachable: the largest Ra any depth gives. Unrounded, kN.
    double ra = 0.0;
    // Modules 1 and 3: Rc, the same at every depth (kN, unrounded). Module 2 has none.
    std::optional<double> rc;
    // Unreachable and RcShort: what to tell the engineer. Failed: the calculation's own message.
    std::string message;
    // Failed: the field the calculation marked (or could not read); empty for a rock layer.
    std::string field;
    core::OutcomeKind failure = core::OutcomeKind::Check; // Failed: a check or a conversion
};

// `step` in mm, at least 1. The inputs' own socket depth (module 2: the bottom layer's lri) is
// not read: every depth tried replaces it. Module 2 reads no N.
DepthSolution solveDepth(const module1::Inputs& inputs, const Target& target, long long step = kDefaultStep);
DepthSolution solveDepth(const module3::Inputs& inputs, const Target& target, long long step = kDefaultStep);
DepthSolution solveDepth(const module2::Inputs& inputs, const Target& target, long long step = kDefaultStep);

struct DiameterSolution {
    SolveKind kind = SolveKind::Failed; // never RcShort: Rc grows with the diameter
    std::string dText;                  // Found: the diameter to write into cbe_dd, whole mm
    std::string hrText;                 // the socket depth to write with it: the multiple of d as it stands
    long long diameterMm = 0;
    double ra = 0.0;     // Found: Ra with that diameter, kN, unrounded
    double rc = 0.0;     // Found: Rc with it
    std::string message; // Unreachable: what to tell the engineer; Failed: the calculation's
    std::string field;   // Failed: the field marked
    core::OutcomeKind failure = core::OutcomeKind::Check;
};

// For a round pile (nothing for another section): the least diameter, a multiple of 50 mm, with
// the socket kept at its multiple of d. A socket given in millimetres is taken as the multiple it
// makes of the present diameter and written as that multiple ("1.6d").
std::optional<DiameterSolution> leastDiameter(const module1::Inputs& inputs, const Target& target);
std::optional<DiameterSolution> leastDiameter(const module3::Inputs& inputs, const Target& target);

// The text written for a depth: the hr field in whole mm, module 2's lri cell in m with at least
// two decimals ("2.35", "3.00", "2.351").
std::string depthFieldText(long long mm);
std::string layerLengthText(long long mm);

} // namespace sp::solve
