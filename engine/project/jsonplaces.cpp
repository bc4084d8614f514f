#include "project/jsonplaces.h"

#include <cstdint>

namespace sp::project {

std::string pathText(const JsonPath& path) {
    std::string out;
    for (const PathStep& step : path) {
        if (const auto* key = std::get_if<std::string>(&step))
            out += (out.empty() ? "" : ".") + *key;
        else
            out += "[" + std::to_string(std::get<std::size_t>(step) + 1) + "]";
    }
    return out;
}

void appendRelative(JsonPath& path, const std::string& relative) {
    std::size_t k = 0;
    std::string key;
    auto flush = [&] {
        if (!key.empty())
            path.emplace_back(key);
        key.clear();
    };
    while (k < relative.size()) {
        const char c = relative[k];
        if (c == '.') {
            flush();
            ++k;
        } else if (c == '[') {
            const std::size_t close = relative.find(']', k);
            const std::string number = close == std::string::npos ? "" : relative.substr(k + 1, close - k - 1);
            if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos || number.size() > 9) {
                key += c; // not a position: part of a key
                ++k;
                continue;
            }
            flush();
            const std::size_t position = std::stoul(number);
            path.emplace_back(position > 0 ? position - 1 : 0);
            k = close + 1;
        } else {
            key += c;
            ++k;
        }
    }
    flush();
}

std::pair<int, int> lineAndColumn(std::string_view text, std::size_t offset) {
    int line = 1;
    int column = 1;
    for (std::size_t k = 0; k < offset && k < text.size(); ++k) {
        if (text[k] == '\n') {
            ++line;
            column = 1;
        } else if ((static_cast<unsigned char>(text[k]) & 0xC0) != 0x80) {
            ++column; // a character, not a continuation byte
        }
    }
    return {line, column};
}

namespace {

// A walk over JSON text that keeps the line; it trusts the text to be JSON and stops at the end
// of it whatever it finds.
class Walker {
public:
    explicit Walker(std::string_view text) : m_text(text) {}

    // The line of the deepest value along `path`; `repeat` passes over as many appearances of the
    // last key first.
    int find(const JsonPath& path, int repeat = 0) {
        skipSpace();
        int found = m_line;
        for (std::size_t k = 0; k < path.size(); ++k) {
            if (!enter(path[k], k + 1 == path.size() ? repeat : 0))
                break;
            skipSpace();
            found = m_line;
        }
        return found;
    }

private:
    bool atEnd() const { return m_at >= m_text.size(); }
    char peek() const { return atEnd() ? '\0' : m_text[m_at]; }

    void skipSpace() {
        while (!atEnd() && (peek() == ' ' || peek() == '\t' || peek() == '\r' || peek() == '\n')) {
            if (peek() == '\n')
                ++m_line;
            ++m_at;
        }
    }

    // A string at the cursor, decoded; the cursor after its closing quote.
    std::string readString() {
        std::string out;
        ++m_at; // the opening quote
        while (!atEnd() && peek() != '"') {
            char c = m_text[m_at++];
            if (c != '\\') {
                out += c;
                continue;
            }
            if (atEnd())
                break;
            c = m_text[m_at++];
            switch (c) {
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'u': appendCodePoint(out); break;
            default: out += c; break;
            }
        }
        ++m_at; // the closing quote
        return out;
    }

    std::uint32_t hex4() {
        std::uint32_t value = 0;
        for (int k = 0; k < 4 && !atEnd(); ++k) {
            const char c = m_text[m_at++];
            value <<= 4;
            if (c >= '0' && c <= '9')
                value |= static_cast<std::uint32_t>(c - '0');
            else if (c >= 'a' && c <= 'f')
                value |= static_cast<std::uint32_t>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                value |= static_cast<std::uint32_t>(c - 'A' + 10);
        }
        return value;
    }

    void appendCodePoint(std::string& out) {
        std::uint32_t cp = hex4();
        if (cp >= 0xD800 && cp <= 0xDBFF && m_at + 1 < m_text.size() && m_text[m_at] == '\\' &&
            m_text[m_at + 1] == 'u') {
            m_at += 2;
            const std::uint32_t low = hex4();
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
        }
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }

    // Skips the value at the cursor, nested ones by counting brackets outside strings.
    void skipValue() {
        skipSpace();
        if (peek() == '"') {
            readString();
            return;
        }
        if (peek() != '{' && peek() != '[') {
            while (!atEnd() && peek() != ',' && peek() != '}' && peek() != ']' && peek() != '\n')
                ++m_at;
            return;
        }
        int depth = 0;
        while (!atEnd()) {
            const char c = peek();
            if (c == '"') {
                readString();
                continue;
            }
            if (c == '\n')
                ++m_line;
            ++m_at;
            if (c == '{' || c == '[')
                ++depth;
            else if ((c == '}' || c == ']') && --depth == 0)
                return;
        }
    }

    // Past the value at the cursor and the comma after it; false at the end of its object or array.
    bool skipToNext() {
        skipValue();
        skipSpace();
        if (peek() != ',')
            return false;
        ++m_at;
        return true;
    }

    // Moves the cursor to the value the step names inside the value at the cursor; to a later
    // appearance of a key with `repeat` above 0.
    bool enter(const PathStep& step, int repeat) {
        skipSpace();
        if (const auto* key = std::get_if<std::string>(&step)) {
            if (peek() != '{')
                return false;
            ++m_at;
            for (;;) {
                skipSpace();
                if (peek() != '"')
                    return false;
                const std::string name = readString();
                skipSpace();
                if (peek() != ':')
                    return false;
                ++m_at;
                skipSpace();
                if (name == *key && repeat-- == 0)
                    return true;
                if (!skipToNext())
                    return false;
            }
        }
        if (peek() != '[')
            return false;
        ++m_at;
        const std::size_t position = std::get<std::size_t>(step);
        for (std::size_t k = 0;; ++k) {
            skipSpace();
            if (peek() == ']' || atEnd())
                return false;
            if (k == position)
                return true;
            if (!skipToNext())
                return false;
        }
    }

    std::string_view m_text;
    std::size_t m_at = 0;
    int m_line = 1;
};

} // namespace

std::optional<int> lineOf(std::string_view text, const JsonPath& path) {
    if (text.empty())
        return std::nullopt;
    return Walker(text).find(path);
}

std::optional<int> lineOfRepeat(std::string_view text, const JsonPath& path) {
    if (text.empty())
        return std::nullopt;
    return Walker(text).find(path, 1);
}

} // namespace sp::project
