#include "core/outcome.h"

#include <cstdio>

namespace sp::core {

std::string colourText(Colour colour) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%08X", static_cast<unsigned>(colour));
    return buf;
}

void StatusEffect::applyTo(StatusLine& line) const {
    if (text)
        line.text = *text;
    if (colour)
        line.colour = *colour;
    if (show)
        line.visible = true;
}

void FieldEffects::setColour(const std::string& field, Colour c) {
    for (auto& [name, colour] : colours) {
        if (name == field) {
            colour = c;
            return;
        }
    }
    colours.emplace_back(field, c);
}

void FieldEffects::setText(const std::string& field, const std::string& text) {
    for (auto& [name, value] : texts) {
        if (name == field) {
            value = text;
            return;
        }
    }
    texts.emplace_back(field, text);
}

std::optional<Colour> FieldEffects::colourOf(const std::string& field) const {
    for (const auto& [name, colour] : colours)
        if (name == field)
            return colour;
    return std::nullopt;
}

std::optional<std::string> FieldEffects::textOf(const std::string& field) const {
    for (const auto& [name, value] : texts)
        if (name == field)
            return value;
    return std::nullopt;
}

} // namespace sp::core
