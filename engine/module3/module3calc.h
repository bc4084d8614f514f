#pragma once
// The module 3 calculation: module 1's calculation with the equivalent diameter taken by the chosen
// method wherever a deq enters (the ratios, the broken-rock checks, the ζr lookup), and the
// compliance verdict that method gives. Ap and μ stay those of the real section.

#include "module3/complianceverdict.h"
#include "module3/deqmethod.h"
#include "module1/module1calc.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace sp::module3 {

using module1::kBoxDeq;
using module1::kBoxRa;
using module1::kBoxRatio;
using module1::kBoxRc;
using module1::kBoxZetaR;
using module1::kFieldC;
using module1::kFieldD;
using module1::kFieldFrk;
using module1::kFieldHr;
using module1::kFieldIntegrity;

inline constexpr const char* kFieldMethod = "cbb_deqcheck";
inline constexpr const char* kLabelMethod = "lb_deqcheck";

// The boxes whose figures depend on the method, and so carry the verdict's colour; Rc does not.
inline constexpr const char* kMethodBoxes[] = {kBoxDeq, kBoxRatio, kBoxZetaR, kBoxRa};

struct Inputs : module1::Inputs {
    DeqMethod method = kDefaultDeqMethod;
};

struct Outcome : module1::Outcome {
    DeqMethod method = kDefaultDeqMethod;
    // Set once the calculation has reached the equivalent diameter, which happens before the
    // integrity, broken-rock and frk checks: a stop there still leaves this verdict in the window.
    std::optional<ComplianceVerdict> verdict;
    // Text colours of kMethodBoxes; set only when the calculation completes.
    std::vector<std::pair<std::string, core::Colour>> boxColours;
};

Outcome calculate(const Inputs& inputs);

} // namespace sp::module3
