#include "solvecommand.h"

#include "calccommand.h"
#include "jsoninput.h"
#include "usageerror.h"

#include "module1/module1session.h"
#include "module2/module2session.h"
#include "module3/module3session.h"
#include "project/pileinputs.h"
#include "solve/applysolution.h"
#include "solve/depthsolver.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <vector>

namespace sp::cli {

using nlohmann::json;
using ojson = nlohmann::ordered_json;

namespace {

struct PileTarget {
    solve::Target target;
    long long step = solve::kDefaultStep; // mm
};

// A force of the target: a JSON number above 0, kN.
double forceOf(const json& value, int pile, const std::string& key) {
    if (!value.is_number())
        throw UsageError(where(pile, key) + ": expected a JSON number (kN), got " + value.type_name());
    const double kn = value.get<double>();
    if (!std::isfinite(kn) || kn <= 0.0)
        throw UsageError(where(pile, key) + ": expected a force above 0 kN, got " + value.dump());
    return kn;
}

// A length of the target in whole mm, from `least` to the length limit.
long long millimetresOf(const json& value, int pile, const std::string& key, long long least,
                        const char* what) {
    if (!value.is_number_integer())
        throw UsageError(where(pile, key) + ": expected a whole number of mm, got " +
                         (value.is_number() ? value.dump() : std::string(value.type_name())));
    // Above the limit is refused as it stands, however large.
    const long long mm = value.is_number_unsigned()
                             ? static_cast<long long>(std::min<unsigned long long>(
                                   value.get<unsigned long long>(), solve::kLengthLimit + 1))
                             : value.get<long long>();
    if (mm < least || mm > solve::kLengthLimit)
        throw UsageError(where(pile, key) + ": " + what + " is " + std::to_string(least) + " to " +
                         std::to_string(solve::kLengthLimit) + " mm, got " + value.dump());
    return mm;
}

// "target": {"ra": 9000, "n": 6000, "step": 50, "minDepth": 500}; ra is needed, the others are not.
PileTarget targetOf(const json& value, int pile) {
    if (!value.is_object())
        throw UsageError(where(pile, "target") + ": expected a JSON object, got " + value.type_name());
    PileTarget target;
    bool ra = false;
    for (const auto& [key, item] : value.items()) {
        if (key == "ra") {
            target.target.ra = forceOf(item, pile, "target.ra");
            ra = true;
        } else if (key == "n") {
            target.target.n = forceOf(item, pile, "target.n");
        } else if (key == "step") {
            target.step = millimetresOf(item, pile, "target.step", 1, "the step");
        } else if (key == "minDepth") {
            target.target.minDepth =
                millimetresOf(item, pile, "target.minDepth", 0, "the least socket depth");
        } else {
            throw UsageError(where(pile, "target." + key) +
                             ": unknown key for the target (ra, n, step, minDepth)");
        }
    }
    if (!ra)
        throw UsageError(where(pile, "target.ra") + ": missing: the Ra the pile has to reach (kN)");
    return target;
}

// The unrounded capacities of the calculation with the depth found; module 2 has no Rc.
void addCapacities(ojson& line, const module1::Outcome& outcome) {
    line["ra"] = outcome.values.ra;
    line["rc"] = outcome.values.rc;
}
void addCapacities(ojson& line, const module2::Outcome& outcome) {
    line["ra"] = outcome.values.ra;
}

template <class Session>
ojson solvedLine(int pile, const PileTarget& target, Session& session, const CommandOptions& options) {
    const solve::DepthSolution s = solve::solveDepth(session.inputs(), target.target, target.step);
    ojson line;
    line["pile"] = pile;
    line["ok"] = s.kind == solve::SolveKind::Found;
    switch (s.kind) {
    case solve::SolveKind::Found: {
        const auto outcome = solve::applyDepth(session, s, options.now.value_or(core::nowLocal()));
        line["depth"] = s.depthText;
        addCapacities(line, outcome);
        line["boxes"] = boxesJson(outcome.boxes);
        line["status"] = statusJson(session.status());
        break;
    }
    case solve::SolveKind::Unreachable:
        line["reason"] = "unreachable";
        line["message"] = s.message;
        line["maxRa"] = s.ra;
        line["maxDepth"] = s.depthText;
        break;
    case solve::SolveKind::RcShort:
        line["reason"] = "rc";
        line["message"] = s.message;
        line["rc"] = *s.rc;
        break;
    case solve::SolveKind::Failed:
        line["reason"] = s.failure == core::OutcomeKind::Conversion ? "conversion" : "check";
        line["message"] = s.message;
        line["field"] = s.field.empty() ? ojson(nullptr) : ojson(s.field);
        break;
    }
    return line;
}

// The piles one after another in one window, as calc computes them: a depth found is typed into
// the input and calculated, so that the pile enters the pages; a pile without one changes nothing.
template <class Session>
int solvePiles(const CalcRequest& request, const std::vector<PileTarget>& targets,
               const CommandOptions& options, std::ostream& out, std::ostream& err) {
    Session session;
    for (std::size_t k = 0; k < request.piles.size(); ++k) {
        project::enter(session, request.piles[k], request.precision);
        out << solvedLine(static_cast<int>(k + 1), targets[k], session, options).dump(-1, ' ', false) << "\n";
    }
    out.flush();
    return writePages(session.documents(), options, err);
}

} // namespace

int runSolve(const std::string& document, const CommandOptions& options, std::ostream& out,
             std::ostream& err) {
    const json root = parseDocument(document);
    if (root.contains("format"))
        throw UsageError("solve takes the piles of one module; a project file goes to calc");
    std::vector<PileTarget> targets;
    const CalcRequest request = readCalcRequest(root, [&](json& pile, int number) {
        const auto target = pile.find("target");
        if (target == pile.end())
            throw UsageError(where(number, "target") + ": missing: solve needs the Ra the pile has to reach");
        targets.push_back(targetOf(*target, number));
        pile.erase(target);
    });
    if (request.module == 2)
        for (std::size_t k = 0; k < targets.size(); ++k)
            if (targets[k].target.n)
                throw UsageError(where(static_cast<int>(k + 1), "target.n") + ": module 2 computes no Rc");
    if (request.module == 2)
        return solvePiles<module2::Session>(request, targets, options, out, err);
    if (request.module == 3)
        return solvePiles<module3::Session>(request, targets, options, out, err);
    return solvePiles<module1::Session>(request, targets, options, out, err);
}

} // namespace sp::cli
