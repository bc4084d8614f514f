#pragma once
// The calculation run backwards: for a pile's inputs and the capacity it has to carry, the least
// socket depth, a whole multiple of a step and no shorter than a least socket, at which the
// calculation passes every check and gives Ra ≥ Ra,req (and Rc ≥ N). Modules 1 and 3 answer with
// the socket depth hr in whole millimetres; module 2 with the length lri of the bottom rock layer,
// in metres as the grid's cell takes it. For round piles, also the least diameter, a multiple of
// 50 mm, with the socket depth kept as it was typed. Every comparison is made on the
// calculation's own unrounded values, and an answer is always the one a calculation of every step
// in turn would give.

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
// The least socket (module 2: bottom layer) an answer has unless told otherwise, mm: half a metre,
// the socket module 2 wants before the rock's side resistance counts. A socket of a few
// centimetres may carry on paper, but no one builds it.
inline constexpr long long kDefaultMinDepth = 500;

// What the pile has to carry, and the shortest socket the answer may have.
struct Target {
    double ra = 0.0;         // Ra,req, kN
    std::optional<double> n; // the design axial force N (kN) that Rc must reach; modules 1 and 3
    // The least socket depth hr (module 2: the least length lri of the bottom layer), 0 to
    // kLengthLimit mm; 0 for none. The depth search alone reads it, not the least diameter.
    long long minDepth = kDefaultMinDepth;
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
    // "2.35"). Unreachable: the text of the least depth (from the least socket on) where the
    // largest Ra is reached.
    std::string depthText;
    long long depthMm = 0;
    // Found: Ra at the depth; Unreachable: the largest Ra any depth gives. Unrounded, kN.
    double ra = 0.0;
    // Modules 1 and 3: Rc, the same at every depth (kN, unrounded). Module 2 has none.
    std::optional<double> rc;
    // Unreachable and RcShort: what to tell the engineer, its figures written as the result boxes
    // write them by the inputs' precision. Failed: the calculation's own message.
    std::string message;
    // Failed: the field the calculation marked (or could not read); empty for a rock layer.
    std::string field;
    core::OutcomeKind failure = core::OutcomeKind::Check; // Failed: a check or a conversion
};

// `step` in mm, 1 to kLengthLimit; the depths tried are the multiples of the step from the target's
// least socket on (std::invalid_argument for a step or least socket out of range). The inputs' own
// socket depth (module 2: the bottom layer's lri) is not read: every depth tried replaces it.
// Module 2 reads no N.
DepthSolution solveDepth(const module1::Inputs& inputs, const Target& target, long long step = kDefaultStep);
DepthSolution solveDepth(const module3::Inputs& inputs, const Target& target, long long step = kDefaultStep);
DepthSolution solveDepth(const module2::Inputs& inputs, const Target& target, long long step = kDefaultStep);

struct DiameterSolution {
    SolveKind kind = SolveKind::Failed; // never RcShort: Rc grows with the diameter
    std::string dText;                  // Found: the diameter to write into cbe_dd, whole mm
    std::string hrText;                 // the socket depth to write with it: as the inputs hold it
    long long diameterMm = 0;
    double ra = 0.0;     // Found: Ra with that diameter, kN, unrounded
    double rc = 0.0;     // Found: Rc with it
    std::string message; // Unreachable: what to tell the engineer; Failed: the calculation's
    std::string field;   // Failed: the field marked
    core::OutcomeKind failure = core::OutcomeKind::Check;
};

// For a round pile (nothing for another section): the least diameter, a multiple of 50 mm, with
// the socket depth kept as the engineer typed it: a multiple of d stays that multiple ("1.5d"), a
// depth in millimetres stays that depth ("2000"), so that the field never takes a long fraction.
std::optional<DiameterSolution> leastDiameter(const module1::Inputs& inputs, const Target& target);
std::optional<DiameterSolution> leastDiameter(const module3::Inputs& inputs, const Target& target);

// The text written for a depth: the hr field in whole mm, module 2's lri cell in m with at least
// two decimals ("2.35", "3.00", "2.351").
std::string depthFieldText(long long mm);
std::string layerLengthText(long long mm);

} // namespace sp::solve
