#include "core/safefilewriter.h"

#include "core/platform.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>

namespace sp::core {

int createBeside(const std::filesystem::path& target, std::string& name) {
    // Not mkstemp: it makes the file private (0600), and changing the mode afterwards needs the
    // umask, which can only be read by setting it, under the feet of every other thread.
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::atomic<std::uint64_t> calls{0};
    std::mt19937_64 random(
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
        (static_cast<std::uint64_t>(processId()) << 40) ^ (calls++ << 20));
    std::uniform_int_distribution<std::size_t> letter(0, sizeof kLetters - 2);
    const std::string stem = pathToUtf8(target) + ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = stem;
        for (int k = 0; k < 6; ++k)
            name += kLetters[letter(random)];
        const int fd = file::createNew(name);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

SafeFileWriter::SafeFileWriter(const std::filesystem::path& target) {
    m_result.path = pathToUtf8(target);
    m_fd = createBeside(target, m_temporary);
    if (m_fd < 0) {
        // Nothing was created, so there is nothing to remove.
        m_temporary.clear();
        fail(errno);
    }
}

SafeFileWriter::~SafeFileWriter() {
    abandon();
}

bool SafeFileWriter::append(std::string_view bytes) {
    if (m_fd < 0)
        return false;
    std::size_t written = 0;
    while (written < bytes.size()) {
        const long n = file::write(m_fd, bytes.data() + written, bytes.size() - written);
        if (n < 0)
            return fail(errno);
        written += static_cast<std::size_t>(n);
    }
    // Start writing this piece to disk now, so that the final sync of a large file finds little
    // left to do.
    file::startWriteBack(m_fd, m_offset, bytes.size());
    m_offset += bytes.size();
    return true;
}

bool SafeFileWriter::commit() {
    if (m_fd < 0)
        return false;
    if (file::sync(m_fd) != 0)
        return fail(errno);
    const int fd = m_fd;
    m_fd = -1;
    if (file::close(fd) != 0)
        return fail(errno);
    if (!file::replace(m_temporary, m_result.path))
        return fail(errno);
    m_temporary.clear(); // it is the target now
    return true;
}

void SafeFileWriter::abandon() {
    if (m_fd >= 0) {
        file::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.empty()) {
        file::remove(m_temporary);
        m_temporary.clear();
    }
}

bool SafeFileWriter::fail(int error) {
    m_result.ok = false;
    m_result.reason = std::strerror(error);
    abandon();
    return false;
}

} // namespace sp::core
