#include "project/jsontext.h"

#include "core/text.h"

#include <unordered_set>
#include <utility>
#include <vector>

namespace sp::project {

using nlohmann::json;

namespace {

// The parser's message with the token it quotes at its end ("… last read: '<token>'", "number
// overflow parsing '<token>'") cut short: the token may be a whole string of the file.
std::string shortened(const std::string& what) {
    for (const char* marker : {"last read: '", "parsing '"}) {
        const std::size_t at = what.find(marker);
        if (at == std::string::npos || what.empty() || what.back() != '\'')
            continue;
        const std::size_t from = at + std::string(marker).size();
        if (from > what.size() - 1)
            continue;
        return what.substr(0, from) +
               core::excerpt(std::string_view(what).substr(from, what.size() - 1 - from)) + "'";
    }
    return core::excerpt(what, 400);
}

// Walks the text as the parser reads it, keeping the place of the value at hand, and stops at the
// first thing refused. Builds nothing.
class Checker : public nlohmann::json_sax<json> {
public:
    explicit Checker(std::string_view text) : m_text(text) {}

    std::optional<JsonFault> fault;

    bool null() override { return done(); }
    bool boolean(bool) override { return done(); }
    bool number_integer(number_integer_t) override { return done(); }
    bool number_unsigned(number_unsigned_t) override { return done(); }
    bool number_float(number_float_t, const string_t&) override { return done(); }
    bool string(string_t&) override { return done(); }
    bool binary(binary_t&) override { return done(); }

    bool start_object(std::size_t) override { return open(true); }
    bool key(string_t& name) override {
        Frame& frame = m_frames.back();
        const auto [at, added] = frame.keys.insert(std::move(name));
        frame.key = &*at;
        if (!added) {
            const JsonPath path = here();
            fail(JsonFault::Kind::RepeatedKey, path,
                 "the key is given twice; the second would replace the first",
                 lineOfRepeat(m_text, path).value_or(1));
        }
        return added;
    }
    bool end_object() override { return close(); }
    bool start_array(std::size_t) override { return open(false); }
    bool end_array() override { return close(); }

    bool parse_error(std::size_t position, const std::string&, const json::exception& e) override {
        JsonFault f;
        f.kind = dynamic_cast<const json::out_of_range*>(&e) ? JsonFault::Kind::OutOfRange
                                                             : JsonFault::Kind::Syntax;
        f.offset = position > 0 ? position - 1 : 0;
        std::tie(f.line, f.column) = lineAndColumn(m_text, f.offset);
        f.what = shortened(e.what());
        fault = std::move(f);
        return false;
    }

private:
    struct Frame {
        bool object = false;
        std::size_t index = 0;            // an array's element at hand
        const std::string* key = nullptr; // an object's key at hand
        std::unordered_set<std::string> keys;
    };

    // A value is complete: an array goes on to its next element.
    bool done() {
        if (!m_frames.empty() && !m_frames.back().object)
            ++m_frames.back().index;
        return true;
    }

    bool open(bool object) {
        if (m_frames.size() >= static_cast<std::size_t>(kMaxNesting)) {
            const JsonPath path = here();
            fail(JsonFault::Kind::TooDeep, path,
                 "values nested more than " + std::to_string(kMaxNesting) +
                     " deep; no input of this program nests so",
                 lineOf(m_text, path).value_or(1));
            return false;
        }
        m_frames.push_back(Frame{object, 0, nullptr, {}});
        return true;
    }

    bool close() {
        m_frames.pop_back();
        return done();
    }

    JsonPath here() const {
        JsonPath path;
        for (const Frame& frame : m_frames) {
            if (frame.object)
                path.emplace_back(frame.key ? *frame.key : std::string());
            else
                path.emplace_back(frame.index);
        }
        return path;
    }

    void fail(JsonFault::Kind kind, JsonPath path, std::string what, int line) {
        JsonFault f;
        f.kind = kind;
        f.path = std::move(path);
        f.what = std::move(what);
        f.line = line;
        fault = std::move(f);
    }

    std::string_view m_text;
    std::vector<Frame> m_frames;
};

} // namespace

std::string JsonFault::place() const {
    std::string out = "line " + std::to_string(line);
    if (column > 0)
        out += ", column " + std::to_string(column);
    if (!path.empty())
        out += ", key \"" + core::excerpt(pathText(path)) + "\"";
    return out;
}

JsonText readJson(std::string_view text) {
    JsonText read;
    if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos) {
        JsonFault f;
        f.kind = JsonFault::Kind::Nul;
        f.offset = nul;
        std::tie(f.line, f.column) = lineAndColumn(text, nul);
        f.what = "a NUL byte; JSON is text, and the parser would ignore everything after it";
        read.fault = std::move(f);
        return read;
    }
    Checker checker(text);
    if (!json::sax_parse(text.begin(), text.end(), &checker) || checker.fault) {
        read.fault = std::move(checker.fault);
        if (!read.fault) // the checker stops only with a fault; this is never reached
            read.fault = JsonFault{JsonFault::Kind::Syntax, 0, 1, 1, {}, "not JSON"};
        return read;
    }
    try {
        read.value = json::parse(text.begin(), text.end());
    } catch (const json::exception& e) { // the check above has seen everything the parser refuses
        read.fault = JsonFault{JsonFault::Kind::Syntax, 0, 1, 1, {}, shortened(e.what())};
    }
    return read;
}

} // namespace sp::project
