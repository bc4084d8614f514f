#include "jsoninput.h"

#include "usageerror.h"

#include "project/jsontext.h"
#include "project/pileinputs.h"

namespace sp::cli {

using nlohmann::json;

std::string where(int pile, const std::string& key) {
    if (pile <= 0)
        return "key \"" + core::excerpt(key) + "\"";
    return "pile " + std::to_string(pile) + ", key \"" + core::excerpt(key) + "\"";
}


json parseDocument(const std::string& document) {
    project::JsonText read = project::readJson(document);
    if (const auto& fault = read.fault) {
        switch (fault->kind) {
        case project::JsonFault::Kind::Syntax:
            throw UsageError("the input is not JSON: " + fault->what);
        case project::JsonFault::Kind::OutOfRange: // a number too large for a double ("1e999")
            throw UsageError("the input holds a number out of range: " + fault->what);
        default: // a NUL byte, a nesting too deep, a key given twice
            throw UsageError(fault->place() + ": " + fault->what);
        }
    }
    json root = std::move(read.value);
    if (!root.is_object())
        throw UsageError(std::string("the input must be a JSON object, got ") + root.type_name());
    return root;
}

int moduleOf(const json& root) {
    if (!root.contains("module"))
        throw UsageError("key \"module\" is missing");
    const json& module = root["module"];
    if (!module.is_number_integer())
        throw UsageError(where(0, "module") + ": expected a JSON integer, got " + module.type_name());
    const auto number = module.get<long long>();
    if (number < 1 || number > 3)
        throw UsageError(where(0, "module") + ": unknown module " + std::to_string(number) + " (modules are 1, 2, 3)");
    return static_cast<int>(number);
}

// The shared readers, their errors as the command line words them.
template <class Read> auto readOrFail(int pile, Read&& read) -> decltype(read()) {
    try {
        return read();
    } catch (const project::InputError& e) {
        throw UsageError(where(pile, e.key()) + ": " + e.what());
    }
}

const std::string& textOf(const json& value, int pile, const std::string& key) {
    return readOrFail(pile, [&]() -> const std::string& { return project::textOf(value, key); });
}

int itemPosition(const json& value, int pile, const std::string& key, const std::vector<std::string>& items) {
    return readOrFail(pile, [&] { return project::itemPosition(value, key, items); });
}

core::Precision precisionOf(const json& value, int pile) {
    return readOrFail(pile, [&] { return project::precisionOf(value); });
}

} // namespace sp::cli
