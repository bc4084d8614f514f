#include "export/cellformat.h"

#include <algorithm>
#include <cstdint>

namespace sp::sheets {

namespace {

// Decodes the code point at `i` and moves past it; a broken sequence reads as one byte.
std::uint32_t nextCodePoint(std::string_view s, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(s[i]);
    int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 1;
    if (i + static_cast<std::size_t>(length) > s.size())
        length = 1;
    std::uint32_t code = length == 1 ? lead : lead & (0x7Fu >> length);
    for (int k = 1; k < length; ++k)
        code = (code << 6) | (static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) & 0x3Fu);
    i += static_cast<std::size_t>(length);
    return code;
}

bool wide(std::uint32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || c >= 0x20000;
}

} // namespace

std::string headerText(const handin::SheetColumn& column) {
    if (column.unit.empty())
        return column.title;
    return column.title + " (" + column.unit + ")";
}

int cellWidth(std::string_view utf8) {
    int width = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        if (static_cast<unsigned char>(utf8[i]) < 0x80) {
            ++width;
            ++i;
            continue;
        }
        width += wide(nextCodePoint(utf8, i)) ? 2 : 1;
    }
    return width;
}

NumberShape numberShape(std::string_view text) {
    NumberShape shape;
    shape.percent = !text.empty() && text.back() == '%';
    const std::size_t point = text.find('.');
    if (point != std::string_view::npos) {
        std::size_t end = point + 1;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9')
            ++end;
        shape.decimals = std::min(static_cast<int>(end - point - 1), kMaxDecimals);
    }
    return shape;
}

std::string numberFormat(const NumberShape& shape) {
    std::string format = "0";
    if (shape.decimals > 0)
        format += "." + std::string(static_cast<std::size_t>(shape.decimals), '0');
    if (shape.percent)
        format += "\"%\"";
    return format;
}

std::string sheetName(std::string_view name, std::string_view suffix) {
    static constexpr std::size_t kMaxLength = 31;
    std::size_t suffixLength = 0;
    for (std::size_t i = 0; i < suffix.size(); ++suffixLength)
        nextCodePoint(suffix, i);
    const std::size_t room = kMaxLength - std::min(kMaxLength - 1, suffixLength);
    std::string out;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < name.size() && characters < room; ++characters) {
        const std::size_t start = i;
        nextCodePoint(name, i);
        const std::string_view character = name.substr(start, i - start);
        // An apostrophe may not open or close a name either; inside it is allowed.
        const bool apostropheAtEnd = character == "'" && (start == 0 || i == name.size() || characters + 1 == room);
        if (apostropheAtEnd ||
            (character.size() == 1 && std::string_view("[]:*?/\\").find(character[0]) != std::string_view::npos))
            out += '_';
        else
            out += character;
    }
    if (out.empty())
        out = "Sheet";
    return out + std::string(suffix);
}

} // namespace sp::sheets
