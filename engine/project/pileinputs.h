#pragma once
// The inputs of one pile as the input files and the project files give them, with the keys of the
// command line's input ("section", "d", "c", "hr", "frk", "integrity", "grade", "process",
// "precision", module 3's "method", module 2's rock settings and "layers"). Read from JSON, written
// back as JSON, entered into a module's session as the engineer would type them, and taken from a
// session's input layer. The window, the command line and the project files share them.

#include "core/geometry.h"
#include "core/moment.h"
#include "core/text.h"
#include "module1/module1session.h"
#include "module2/module2session.h"
#include "module3/module3session.h"

#include <nlohmann/json.hpp>

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace sp::project {

// A value that cannot be used: `key` is its place inside the object read ("grade",
// "layers[2].frk"); what() says why ("expected a JSON string, got number").
class InputError : public std::runtime_error {
public:
    InputError(std::string key, const std::string& what) : std::runtime_error(what), m_key(std::move(key)) {}
    const std::string& key() const { return m_key; }

private:
    std::string m_key;
};

// What is left out takes the field's default when entered.
struct PileInputs {
    core::SectionType section = core::SectionType::Round;
    std::map<std::string, std::string> texts; // by control name (cbe_dd, cbe_tyzd, cbe_hr, edt_frk, cbe_yswzcd)
    std::optional<int> grade;
    std::optional<int> process;
    std::optional<core::Precision> precision;
    std::optional<int> method; // module 3
    // Module 2's rock group box.
    std::optional<int> strengthBasis;
    std::optional<int> coefficientMode;
    std::optional<int> interpolationBasis;
    std::optional<bool> groundwater;
    std::optional<bool> softRock;
    std::optional<std::vector<module2::LayerTexts>> layers;
    bool operator==(const PileInputs&) const = default;
};

// The module a session belongs to: 1, 2 or 3.
constexpr int moduleOf(const module1::Session&) { return 1; }
constexpr int moduleOf(const module2::Session&) { return 2; }
constexpr int moduleOf(const module3::Session&) { return 3; }

// The value readers every input shares; each throws InputError naming `key`.
const std::string& textOf(const nlohmann::json& value, const std::string& key);
int itemPosition(const nlohmann::json& value, const std::string& key, const std::vector<std::string>& items);
core::Precision precisionOf(const nlohmann::json& value, const std::string& key = "precision");
bool flagOf(const nlohmann::json& value, const std::string& key);

// A pile object of module 1, 2 or 3; throws InputError for an unknown key or a value the window's
// lists do not hold. The caller checks that `pile` is an object.
PileInputs readPileInputs(const nlohmann::json& pile, int module);
// Every input of the pile, in the keys readPileInputs reads; what is unset is left out.
nlohmann::ordered_json pileInputsJson(const PileInputs& inputs, int module);

// Enters the pile into the session's input layer as the engineer would: the section first, then
// every field, list and (module 2) the rock settings and layers; what is unset takes the default
// of a new window, the precision `fallback`.
void enter(module1::Session& session, const PileInputs& inputs, core::Precision fallback);
void enter(module3::Session& session, const PileInputs& inputs, core::Precision fallback);
void enter(module2::Session& session, const PileInputs& inputs, core::Precision fallback);

// The session's input layer as it stands, every input set.
PileInputs currentInputs(const module1::Session& session);
PileInputs currentInputs(const module3::Session& session);
PileInputs currentInputs(const module2::Session& session);

// "计算" that keeps the pile's inputs with it: the inputs as they stood before the calculation are
// recorded with a pile that enters the pages, so that a project can rebuild the pile later.
// Every caller that can put a pile into the pages computes through these.
module1::Outcome computePile(module1::Session& session, const core::Moment& moment, bool intoPages = true);
module3::Outcome computePile(module3::Session& session, const core::Moment& moment, bool intoPages = true);
module2::Outcome computePile(module2::Session& session, const core::Moment& moment, bool intoPages = true);

} // namespace sp::project
