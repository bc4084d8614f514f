#pragma once
// The inputs of a one-layer pile as the engineer types them, for the tests that calculate, chart or
// hand in such a pile.

#include "core/geometry.h"
#include "module1/module1calc.h"

#include <string>

namespace sp::test {

inline module1::Inputs pile(core::SectionType section, std::string d, std::string c, std::string hr, std::string frk,
                            std::string integrity, int process = core::kDefaultProcess,
                            core::Precision precision = core::kDefaultPrecision) {
    module1::Inputs in;
    in.section = section;
    in.d = std::move(d);
    in.c = std::move(c);
    in.hr = std::move(hr);
    in.frk = std::move(frk);
    in.integrity = std::move(integrity);
    in.process = process;
    in.precision = precision;
    return in;
}

} // namespace sp::test
