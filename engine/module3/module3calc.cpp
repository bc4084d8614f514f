#include "module3/module3calc.h"

namespace sp::module3 {

Outcome calculate(const Inputs& inputs) {
    Outcome out;
    out.method = inputs.method;
    // Module 1 asks for the equivalent diameter right after the section and the socket depth have
    // passed their checks, so being asked is the moment the verdict is decided.
    bool reached = false;
    const module1::DeqRule rule = [&](core::SectionType section, double first, double second, double area,
                                      double perimeter) {
        reached = true;
        return equivalentDiameter(section, inputs.method, first, second, area, perimeter);
    };
    static_cast<module1::Outcome&>(out) = module1::calculate(inputs, rule);
    if (reached)
        out.verdict = verdictOf(inputs.section, inputs.method);
    if (out.ok()) {
        const core::Colour colour = verdictColour(*out.verdict);
        for (const char* box : kMethodBoxes)
            out.boxColours.emplace_back(box, colour);
    }
    return out;
}

} // namespace sp::module3
