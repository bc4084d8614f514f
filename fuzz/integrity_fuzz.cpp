// The integrity field takes a class name ("较完整") or the index Kv. Whatever its text (and
// whatever the socket depth beside it), the calculation of modules 1 and 3 answers with a result
// or a stop, never a crash; a text that is neither a name nor a number is a conversion failure of
// that field, and an index it accepts lies in (0, 1].
// The input is the integrity text, optionally followed by a line break and the socket depth text.

#include "fuzzcheck.h"
#include "core/numbers.h"
#include "core/tables.h"
#include "module1/module1calc.h"
#include "module3/module3calc.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using sp::fuzz::check;

template <class Outcome> void checkOutcome(const Outcome& out, const std::string& integrity) {
    sp::core::IntegrityClass named;
    const bool isName = sp::core::integrityFromName(integrity, named);
    const auto index = sp::core::readStrict(integrity);
    if (out.kind == sp::core::OutcomeKind::Conversion && out.field == sp::module1::kFieldIntegrity)
        check(!isName && !index);
    if (!out.ok())
        return;
    check(!out.boxes.empty());
    const auto& v = out.values;
    check(v.integrityGivenAsIndex == !isName);
    if (v.integrityGivenAsIndex)
        check(index && *index > 0.0 && *index <= 1.0 && v.kv == *index);
    check(std::isfinite(v.ra) && std::isfinite(v.rc));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto br = input.find('\n');
    const std::string integrity(input.substr(0, br));
    const std::string hr = br == std::string_view::npos ? "1.0d" : std::string(input.substr(br + 1));
    for (const auto section : {sp::core::SectionType::Round, sp::core::SectionType::Rectangular}) {
        sp::module1::Inputs in1;
        in1.section = section;
        in1.c = section == sp::core::SectionType::Round ? "0" : "800";
        in1.integrity = integrity;
        in1.hr = hr;
        checkOutcome(sp::module1::calculate(in1), integrity);

        sp::module3::Inputs in3;
        static_cast<sp::module1::Inputs&>(in3) = in1;
        checkOutcome(sp::module3::calculate(in3), integrity);
    }
    return 0;
}
