#include "solve/applysolution.h"

#include "module2/rocklayergrid.h"
#include "project/pileinputs.h"

#include <stdexcept>

namespace sp::solve {

namespace {

template <class Solution> void requireFound(const Solution& solution) {
    if (solution.kind != SolveKind::Found)
        throw std::invalid_argument("only a solution that was found can be applied");
}

template <class Session>
auto applyOneLayerDepth(Session& session, const DepthSolution& solution, const core::Moment& moment,
                        bool intoPages) {
    requireFound(solution);
    session.setFieldText(module1::kFieldHr, solution.depthText);
    return project::computePile(session, moment, intoPages);
}

template <class Session>
auto applyOneLayerDiameter(Session& session, const DiameterSolution& solution, const core::Moment& moment,
                           bool intoPages) {
    requireFound(solution);
    session.setFieldText(module1::kFieldD, solution.dText);
    session.setFieldText(module1::kFieldHr, solution.hrText);
    return project::computePile(session, moment, intoPages);
}

} // namespace

module1::Outcome applyDepth(module1::Session& session, const DepthSolution& solution,
                            const core::Moment& moment, bool intoPages) {
    return applyOneLayerDepth(session, solution, moment, intoPages);
}

module3::Outcome applyDepth(module3::Session& session, const DepthSolution& solution,
                            const core::Moment& moment, bool intoPages) {
    return applyOneLayerDepth(session, solution, moment, intoPages);
}

module2::Outcome applyDepth(module2::Session& session, const DepthSolution& solution,
                            const core::Moment& moment, bool intoPages) {
    requireFound(solution);
    session.editCell(session.grid().layerCount(), module2::kColLr, solution.depthText);
    return project::computePile(session, moment, intoPages);
}

module1::Outcome applyDiameter(module1::Session& session, const DiameterSolution& solution,
                               const core::Moment& moment, bool intoPages) {
    return applyOneLayerDiameter(session, solution, moment, intoPages);
}

module3::Outcome applyDiameter(module3::Session& session, const DiameterSolution& solution,
                               const core::Moment& moment, bool intoPages) {
    return applyOneLayerDiameter(session, solution, moment, intoPages);
}

} // namespace sp::solve
