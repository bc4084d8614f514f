#pragma once
// Reading the JSON documents of the commands: every failure is a UsageError whose text names the
// pile (0: the top level) and the key.

#include "core/text.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace sp::cli {

// The document as a JSON object.
nlohmann::json parseDocument(const std::string& document);
// The top-level "module": present, an integer, one of 1, 2, 3.
int moduleOf(const nlohmann::json& root);

const std::string& textOf(const nlohmann::json& value, int pile, const std::string& key);
// The position of the value's text in a drop-down list.
int itemPosition(const nlohmann::json& value, int pile, const std::string& key, const std::vector<std::string>& items);
// An item of the precision popup.
core::Precision precisionOf(const nlohmann::json& value, int pile);

} // namespace sp::cli
