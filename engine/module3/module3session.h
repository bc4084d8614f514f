#pragma once
// A module 3 window without widgets: module 1's session with the method choice, the verdict the
// window keeps between calculations and the result-box colours it shows. Driven as the engineer
// drives the window, so the window and the command line answer alike.

#include "core/moment.h"
#include "module1/module1session.h"
#include "module3/module3calc.h"
#include "module3/module3form.h"

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace sp::module3 {

class Session : public module1::Session {
public:
    Session();

    void chooseMethod(DeqMethod method);

    // "计算" (see module1::Session::compute). A calculation that got as far as the equivalent
    // diameter leaves its verdict even when a later check stops it.
    Outcome compute(const core::Moment& moment, bool intoPages = true);

    // What an optimisation run leaves besides module 1's layer: the method list's position,
    // written before the layer, and the last candidate's verdict and box colours, after it.
    void writeMethod(DeqMethod method) { m_method = method; }
    void writeVerdict(std::optional<ComplianceVerdict> verdict,
                      const std::vector<std::pair<std::string, core::Colour>>& boxColours);

    Inputs inputs() const;
    ComplianceVerdict verdict() const { return m_verdict; }
    bool methodEnabled() const { return m_methodEnabled; }
    core::Colour boxColour(const std::string& name) const;
    // Text colour of an input field or of the method label (lb_deqcheck); black until changed.
    core::Colour fieldColour(const std::string& field) const;

protected:
    module1::ChangeEffect changeEffect(const std::string& field, const std::string& text) const override;
    void sectionKindChanged() override;

private:
    DeqMethod m_method = kDefaultDeqMethod;
    std::map<std::string, core::Colour> m_boxColours;
    ComplianceVerdict m_verdict = ComplianceVerdict::Compliant;
    bool m_methodEnabled = false;
};

} // namespace sp::module3
