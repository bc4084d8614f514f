#pragma once
// A solution taken into a module window's input layer as the engineer would type it (the socket
// depth into cbe_hr, module 2's into the bottom layer's lri cell; a diameter into cbe_dd with the
// socket multiple into cbe_hr), then "计算": the result boxes, the status line and the pages are
// those of an ordinary calculation, and the pile's inputs are recorded with it.

#include "core/moment.h"
#include "module1/module1session.h"
#include "module2/module2session.h"
#include "module3/module3session.h"
#include "solve/depthsolver.h"

namespace sp::solve {

// The solution must have been found (SolveKind::Found); anything else is refused with
// std::invalid_argument and changes no input.
module1::Outcome applyDepth(module1::Session& session, const DepthSolution& solution,
                            const core::Moment& moment, bool intoPages = true);
module3::Outcome applyDepth(module3::Session& session, const DepthSolution& solution,
                            const core::Moment& moment, bool intoPages = true);
module2::Outcome applyDepth(module2::Session& session, const DepthSolution& solution,
                            const core::Moment& moment, bool intoPages = true);

module1::Outcome applyDiameter(module1::Session& session, const DiameterSolution& solution,
                               const core::Moment& moment, bool intoPages = true);
module3::Outcome applyDiameter(module3::Session& session, const DiameterSolution& solution,
                               const core::Moment& moment, bool intoPages = true);

} // namespace sp::solve
