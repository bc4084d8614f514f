#include "jsoninput.h"

#include "usageerror.h"

namespace sp::cli {

using nlohmann::json;

std::string where(int pile, const std::string& key) {
    if (pile <= 0)
        return "key \"" + key + "\"";
    return "pile " + std::to_string(pile) + ", key \"" + key + "\"";
}

namespace {

std::string listed(const std::vector<std::string>& items) {
    std::string out;
    for (const auto& item : items)
        out += (out.empty() ? "" : ", ") + item;
    return out;
}

} // namespace

json parseDocument(const std::string& document) {
    json root;
    try {
        root = json::parse(document);
    } catch (const json::parse_error& e) {
        throw UsageError(std::string("the input is not JSON: ") + e.what());
    }
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

const std::string& textOf(const json& value, int pile, const std::string& key) {
    if (!value.is_string())
        throw UsageError(where(pile, key) + ": expected a JSON string, got " + value.type_name());
    return value.get_ref<const std::string&>();
}

int itemPosition(const json& value, int pile, const std::string& key, const std::vector<std::string>& items) {
    const std::string& text = textOf(value, pile, key);
    for (std::size_t k = 0; k < items.size(); ++k)
        if (items[k] == text)
            return static_cast<int>(k);
    throw UsageError(where(pile, key) + ": \"" + text + "\" is not an item of the list (" + listed(items) + ")");
}

core::Precision precisionOf(const json& value, int pile) {
    std::vector<std::string> items;
    for (int k = 0; k <= 4; ++k)
        items.push_back(core::precisionItem(static_cast<core::Precision>(k)));
    return static_cast<core::Precision>(itemPosition(value, pile, "precision", items));
}

} // namespace sp::cli
