#include "core/textfile.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <iconv.h>
#include <random>
#include <unistd.h>

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

int createBeside(const std::filesystem::path& target, std::string& name) {
    // Not mkstemp: it makes the file private (0600), and changing the mode afterwards needs the
    // umask, which can only be read by setting it, under the feet of every other thread.
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::atomic<std::uint64_t> calls{0};
    std::mt19937_64 random(static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                           (static_cast<std::uint64_t>(::getpid()) << 40) ^ (calls++ << 20));
    std::uniform_int_distribution<std::size_t> letter(0, sizeof kLetters - 2);
    const std::string stem = (target.parent_path() / (target.filename().string() + ".")).string();
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = stem;
        for (int k = 0; k < 6; ++k)
            name += kLetters[letter(random)];
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

WriteResult writePage(const std::filesystem::path& file, const std::vector<std::string>& lines) {
    WriteResult result;
    result.path = file.string();
    const std::string bytes = encodePage(lines);

    std::string tmpName;
    const int fd = createBeside(file, tmpName);
    if (fd < 0) {
        result.ok = false;
        result.reason = std::strerror(errno);
        return result;
    }
    auto fail = [&](int error) {
        result.ok = false;
        result.reason = std::strerror(error);
        ::unlink(tmpName.c_str());
        return result;
    };
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            ::close(fd);
            return fail(error);
        }
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        return fail(error);
    }
    if (::close(fd) != 0)
        return fail(errno);
    if (std::rename(tmpName.c_str(), result.path.c_str()) != 0)
        return fail(errno);
    return result;
}

} // namespace sp::core
