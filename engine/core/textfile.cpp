#include "core/textfile.h"

#include <algorithm>
#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <cerrno>
#include <iconv.h>
#endif

namespace sp::core {

namespace {

// How many bytes the character that starts with `lead` takes: the step past a character that
// cannot be converted.
std::size_t utf8Length(unsigned char lead) {
    return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

std::size_t gbkLength(unsigned char lead, std::size_t left) {
    return lead >= 0x81 && left >= 2 ? 2 : 1;
}

} // namespace

#ifdef _WIN32

// Windows has code page 936 itself; the conversion goes character by character so that a character
// it cannot hold, or a broken one, is replaced alone, as iconv does it on the other systems.
namespace {

constexpr UINT kGbk = 936;

// The code point of the well-formed UTF-8 character at `s[i]` that is `length` bytes long, or -1.
long decodeUtf8(const std::string& s, std::size_t i, std::size_t length) {
    if (length < 2 || i + length > s.size())
        return -1;
    const auto lead = static_cast<unsigned char>(s[i]);
    long code = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80)
            return -1;
        code = (code << 6) | (b & 0x3F);
    }
    static constexpr long kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kLeast[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return -1;
    return code;
}

void appendUtf8(std::string& out, unsigned long code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

} // namespace

std::string toGbk(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            out += static_cast<char>(lead);
            ++i;
            continue;
        }
        const std::size_t length = utf8Length(lead);
        const long code = decodeUtf8(utf8, i, length);
        i += std::min(length, utf8.size() - i);
        if (code < 0) {
            out += '?';
            continue;
        }
        wchar_t units[2];
        int count = 1;
        if (code >= 0x10000) {
            units[0] = static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10));
            units[1] = static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
            count = 2;
        } else {
            units[0] = static_cast<wchar_t>(code);
        }
        char bytes[8];
        BOOL replaced = FALSE;
        const int n = ::WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, units, count, bytes, sizeof bytes, "?", &replaced);
        if (n <= 0 || replaced)
            out += '?';
        else
            out.append(bytes, static_cast<std::size_t>(n));
    }
    return out;
}

std::string fromGbk(const std::string& gbk) {
    static constexpr char kReplacement[] = "\xEF\xBF\xBD";
    std::string out;
    out.reserve(gbk.size() * 3 / 2);
    std::size_t i = 0;
    while (i < gbk.size()) {
        const auto lead = static_cast<unsigned char>(gbk[i]);
        if (lead < 0x80) {
            out += static_cast<char>(lead);
            ++i;
            continue;
        }
        const std::size_t length = gbkLength(lead, gbk.size() - i);
        wchar_t unit = 0;
        const int n = ::MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, gbk.data() + i, static_cast<int>(length), &unit, 1);
        // Windows gives GBK's user-defined areas private-use characters; iconv counts them as
        // no character, and so does this.
        const bool privateUse = unit >= 0xE000 && unit <= 0xF8FF;
        if (n == 1 && unit != 0xFFFD && !privateUse)
            appendUtf8(out, unit);
        else
            out += kReplacement;
        i += length;
    }
    return out;
}

#else

namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter() {
        if (m_cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts the whole input; an unconvertible or malformed character is replaced by
    // `replacement` and the conversion goes on after it.
    std::string run(const std::string& in, const std::string& replacement, bool utf8Input) {
        std::string out;
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            return in;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char buffer[4096];
        while (srcLeft > 0) {
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            const std::size_t rc = iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            if (rc != static_cast<std::size_t>(-1))
                continue;
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL: replace one character and go on.
            out += replacement;
            std::size_t step = utf8Input ? utf8Length(static_cast<unsigned char>(*src))
                                         : gbkLength(static_cast<unsigned char>(*src), srcLeft);
            if (step > srcLeft)
                step = srcLeft;
            src += step;
            srcLeft -= step;
        }
        return out;
    }

private:
    iconv_t m_cd;
};

} // namespace

std::string toGbk(const std::string& utf8) {
    Converter converter("GBK", "UTF-8");
    return converter.run(utf8, "?", true);
}

std::string fromGbk(const std::string& gbk) {
    Converter converter("UTF-8", "GBK");
    return converter.run(gbk, "\xEF\xBF\xBD", false);
}

#endif

std::string encodePage(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return toGbk(text);
}

WriteResult writePage(const std::filesystem::path& file, const std::vector<std::string>& lines) {
    const std::string bytes = encodePage(lines);
    SafeFileWriter writer(file);
    if (writer.append(bytes))
        writer.commit();
    return writer.result();
}

} // namespace sp::core
