#pragma once
// What a press of "计算" changes in a module window besides the result boxes: the status line and
// the colours and texts of the input fields. The engine records the effects; a window (or the
// command line, which keeps the same state) applies them.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace sp::core {

using Colour = std::uint32_t; // ARGB
inline constexpr Colour kRed = 0xFFFF0000;
inline constexpr Colour kBlack = 0xFF000000;
inline constexpr Colour kMagenta = 0xFFFF00FF;
inline constexpr Colour kGreen = 0xFF008000;

std::string colourText(Colour colour); // "FFFF0000"

// The status line of a module window; hidden (the picture strip shown) until the first message.
struct StatusLine {
    std::string text;
    Colour colour = kBlack;
    bool visible = false;
};

// Changes to the status line, composed in the order they were made.
struct StatusEffect {
    std::optional<std::string> text;
    std::optional<Colour> colour;
    bool show = false;

    void showMessage(std::string message, Colour c) {
        text = std::move(message);
        colour = c;
        show = true;
    }
    // A field that passed its check clears the message; colour and visibility stay.
    void clearText() { text = std::string(); }
    void applyTo(StatusLine& line) const;
};

// Field colours and rewritten field texts, by the fields' control names.
struct FieldEffects {
    std::vector<std::pair<std::string, Colour>> colours;
    std::vector<std::pair<std::string, std::string>> texts;

    void setColour(const std::string& field, Colour c);
    void setText(const std::string& field, const std::string& text);
    std::optional<Colour> colourOf(const std::string& field) const;
    std::optional<std::string> textOf(const std::string& field) const;
};

enum class OutcomeKind {
    Ok,         // computed
    Check,      // stopped by a check of the calculation: message in the status line
    Conversion, // a text no check guards could not be read: the generic error report
};

} // namespace sp::core
