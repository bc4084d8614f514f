#pragma once
// The module 1 calculation: one rock layer, side and end resistance of the socket together through
// ζr. From the texts of the input fields it checks, in order, computes Ra = Quk / K and
// Rc = ψc·fc·Ap, and returns everything a press of "计算" changes in the window as one value.

#include "core/geometry.h"
#include "core/outcome.h"
#include "core/tables.h"
#include "core/text.h"
#include "core/zetar.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace sp::module1 {

// Control names of the input fields and result boxes.
inline constexpr const char* kFieldD = "cbe_dd";
inline constexpr const char* kFieldC = "cbe_tyzd";
inline constexpr const char* kFieldHr = "cbe_hr";
inline constexpr const char* kFieldFrk = "edt_frk";
inline constexpr const char* kFieldIntegrity = "cbe_yswzcd";
inline constexpr const char* kBoxDeq = "edt_ddeq";
inline constexpr const char* kBoxRatio = "edt_sjbeq";
inline constexpr const char* kBoxZetaR = "edt_kesair";
inline constexpr const char* kBoxRa = "edt_ra";
inline constexpr const char* kBoxRc = "edt_rc";

// The fields as the engineer left them; the defaults are those of a new window.
struct Inputs {
    core::SectionType section = core::SectionType::Round; // round, oblong or rectangular
    std::string d = "1000";                               // d, or the long side a
    std::string c = "0";                                  // c, or the short side b
    std::string hr = "1.0d";
    int grade = core::kDefaultGrade;
    int process = core::kDefaultProcess;
    std::string frk = "25";
    std::string integrity = "较完整";
    core::Precision precision = core::kDefaultPrecision;
};

// The text of an edit field by its control name, or null for a name that is no edit field; const
// or not with the inputs.
template <class In> auto inputField(In& inputs, const std::string& field) -> decltype(&inputs.d) {
    if (field == kFieldD)
        return &inputs.d;
    if (field == kFieldC)
        return &inputs.c;
    if (field == kFieldHr)
        return &inputs.hr;
    if (field == kFieldFrk)
        return &inputs.frk;
    if (field == kFieldIntegrity)
        return &inputs.integrity;
    return nullptr;
}

// Every value of a successful calculation, kept for the reports.
struct Values {
    core::SectionType section = core::SectionType::Round;
    bool square = false; // a rectangle with equal sides
    // The field texts as they stand after the calculation (a rectangle's sides exchanged).
    std::string dText, cText, hrText, integrityText;
    int grade = core::kDefaultGrade;
    int process = core::kDefaultProcess;
    core::Precision precision = core::kDefaultPrecision;

    double first = 0.0;  // d or a, mm
    double second = 0.0; // c or b, mm
    core::SectionGeometry geometry;
    double frk = 0.0; // MPa
    std::string hardness;
    core::IntegrityClass integrity = core::IntegrityClass::FairlyIntact;
    bool integrityGivenAsIndex = false;
    double kv = 0.0;
    double zeta = 0.0;
    core::ZetaWorking zetaWorking; // how ζ was read from the table, for the handed-in book
    double processFactor = 1.0;
    double zetaR = 0.0;
    double qrk = 0.0; // kN
    double quk = 0.0; // kN
    double ra = 0.0;  // kN
    double fc = 0.0;  // MPa
    double psiC = 0.0;
    double rc = 0.0; // kN
    std::string hint; // the magenta hint the calculation went on with, or empty
};

struct Outcome {
    core::OutcomeKind kind = core::OutcomeKind::Ok;
    std::string message; // the check's message, or the conversion-error report
    std::string field;   // the field marked red (check) or that could not be read (conversion); may be empty
    std::string unreadText;
    core::StatusEffect status;
    core::FieldEffects fields;
    std::vector<std::pair<std::string, std::string>> boxes; // result boxes, set only on success
    Values values;                                          // meaningful only on success
    bool ok() const { return kind == core::OutcomeKind::Ok; }
};

// How the calculation turns a section into the equivalent diameter that the ratios, the
// broken-rock checks and the ζr lookup use. Module 1 takes the equal-area diameter.
using DeqRule = std::function<double(core::SectionType, double first, double second, double area,
                                     double perimeter)>;

Outcome calculate(const Inputs& inputs, const DeqRule& deqRule = {});

// The arithmetic of the calculation once its fields are read and checked. `calculate` goes
// through these steps, and so does the optimisation, which computes its candidates from numbers
// read once per option value instead of from the field texts of every candidate.

// Area, perimeter, deq, hr and the two ratios; `first` ≥ `second` for rectangles.
core::SectionGeometry sectionGeometry(core::SectionType section, double first, double second,
                                      const core::SocketDepth& depth, const DeqRule& deqRule = {});

// From ζ to Rc: the coefficients and the forces (kN) of one pile.
struct Capacity {
    double zeta = 0.0;
    double processFactor = 1.0;
    double zetaR = 0.0;
    double qrk = 0.0;
    double quk = 0.0;
    double ra = 0.0;
    double fc = 0.0;
    double psiC = 0.0;
    double rc = 0.0;
};
// `frk` > 0 (MPa); `kv` matters for the interpolated class only.
Capacity capacityOf(const core::SectionGeometry& geometry, double frk, core::IntegrityClass integrity, double kv,
                    int process, int grade);

// Ra or Rc (kN) as the result boxes write it, by the precision.
std::string forceBoxText(double kn, core::Precision precision);

// The message of the generic conversion-error report.
std::string conversionMessage(const std::string& fieldLabel, const std::string& text);

} // namespace sp::module1
