#pragma once
// Whether a module 3 calculation stayed within the standard: only the equal-area equivalent
// diameter is the standard's, and a round section has no other. The verdict colours the result
// boxes and closes each pile's book and table row.

#include "core/geometry.h"
#include "core/outcome.h"
#include "module3/deqmethod.h"

namespace sp::module3 {

enum class ComplianceVerdict { Compliant, OverStandard };

const char* verdictText(ComplianceVerdict verdict); // "合规", "超规"

ComplianceVerdict verdictOf(core::SectionType section, DeqMethod method);

// Text colour of the result boxes that depend on the method: green, or red when over the standard.
core::Colour verdictColour(ComplianceVerdict verdict);

} // namespace sp::module3
