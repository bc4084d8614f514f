#include "core/textfile.h"

#include <cerrno>
#include <iconv.h>

namespace sp::core {

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
            std::size_t step = 1;
            if (utf8Input) {
                const auto b = static_cast<unsigned char>(*src);
                step = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
            } else if (static_cast<unsigned char>(*src) >= 0x81 && srcLeft >= 2) {
                step = 2;
            }
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
