#include "core/safefilewriter.h"

#include "core/platform.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <utility>

namespace sp::core {

namespace {

constexpr std::size_t kLetterCount = 6;

// Not mkstemp: it makes the file private (0600), and changing the mode afterwards needs the
// umask, which can only be read by setting it, under the feet of every other thread.
std::string temporaryName(const std::string& target) {
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::atomic<std::uint64_t> calls{0};
    std::mt19937_64 random(
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
        (static_cast<std::uint64_t>(processId()) << 40) ^ (calls++ << 20));
    std::uniform_int_distribution<std::size_t> letter(0, sizeof kLetters - 2);
    std::string name = target;
    name += kTemporaryMark;
    for (std::size_t k = 0; k < kLetterCount; ++k)
        name += kLetters[letter(random)];
    name += kTemporarySuffix;
    return name;
}

// A new file under a name of its own beside `target`, or -1 with errno set.
int createNamed(const std::string& target, std::string& name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = temporaryName(target);
        const int fd = file::createNew(name);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

// A temporary file is stale when no writer holds its lock and it has not been written for an
// hour. The lock alone would do where locks are kept; the hour covers the moment between a
// writer creating its file and locking it, and file systems that keep no locks between machines,
// where a writer elsewhere still at work has written to its file within the hour.
constexpr auto kStaleAfter = std::chrono::hours(1);

void removeStaleTemporaries(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::directory_iterator entry(folder, error);
    const auto now = std::filesystem::file_time_type::clock::now();
    for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        if (!isTemporaryName(pathToUtf8(entry->path().filename())))
            continue;
        std::error_code ignored;
        if (!entry->is_regular_file(ignored) || entry->is_symlink(ignored))
            continue;
        const auto written = entry->last_write_time(ignored);
        if (ignored || now - written < kStaleAfter)
            continue;
        const std::string name = pathToUtf8(entry->path());
        const int fd = file::openToRead(name);
        if (fd < 0)
            continue;
        const bool held = !file::lock(fd, false);
        // Closed first: Windows deletes no file that is open.
        file::close(fd);
        if (!held)
            file::remove(name);
    }
}

} // namespace

bool isTemporaryName(std::string_view fileName) {
    const std::size_t tail = kTemporaryMark.size() + kLetterCount + kTemporarySuffix.size();
    if (fileName.size() <= tail || fileName.substr(fileName.size() - kTemporarySuffix.size()) != kTemporarySuffix)
        return false;
    const std::string_view mark = fileName.substr(fileName.size() - tail, kTemporaryMark.size());
    if (mark != kTemporaryMark)
        return false;
    for (const char c : fileName.substr(fileName.size() - tail + kTemporaryMark.size(), kLetterCount))
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')))
            return false;
    return true;
}

SafeFileWriter::SafeFileWriter(const std::filesystem::path& target) {
    m_result.path = pathToUtf8(target);
    m_target = m_result.path;
    if (file::isLink(m_target)) {
        std::error_code error;
        const std::filesystem::path real = std::filesystem::canonical(target, error);
        if (!error)
            m_target = pathToUtf8(real);
    }
    const file::Status old = file::status(m_target);
    if (old.directory) {
        fail(EISDIR);
        return;
    }
    if (old.exists && !old.regular) {
        // A pipe or a device cannot be replaced, and renaming a file over one would put a plain
        // file where the reader expects the pipe.
        m_direct = true;
        m_fd = file::openExisting(m_target);
        if (m_fd < 0)
            fail(errno);
        return;
    }

    std::filesystem::path folder = pathFromUtf8(m_target).parent_path();
    if (folder.empty())
        folder = ".";
    removeStaleTemporaries(folder);
    m_fd = file::createUnnamed(pathToUtf8(folder));
    if (m_fd >= 0) {
        m_libraryName = file::reopenName(m_fd);
        return;
    }
    m_fd = createNamed(m_target, m_temporary);
    if (m_fd < 0) {
        // Nothing was created, so there is nothing to remove.
        m_temporary.clear();
        fail(errno);
        return;
    }
    // Nobody else can hold it yet; the lock tells a later writer that this file is not stale.
    file::lock(m_fd, false);
    m_libraryName = m_temporary;
}

SafeFileWriter::SafeFileWriter(StandardOutput) {
    m_result.path = "standard output";
    m_direct = true;
    m_standardOutput = true;
    m_fd = 1;
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
    if (!m_direct)
        file::startWriteBack(m_fd, m_offset, bytes.size());
    m_offset += bytes.size();
    return true;
}

bool SafeFileWriter::commit() {
    if (m_fd < 0)
        return false;
    if (m_direct) {
        // Nothing to sync on a pipe or a terminal; a device's own errors showed while writing.
        const int fd = m_fd;
        m_fd = -1;
        if (!m_standardOutput && file::close(fd) != 0)
            return fail(errno);
        return true;
    }
    if (file::sync(m_fd) != 0)
        return fail(errno);
    if (!putInPlace())
        return fail(errno);
    return true;
}

bool SafeFileWriter::putInPlace() {
    const file::Status old = file::status(m_target);
    if (old.exists && old.regular)
        file::keepOwnerAndMode(m_fd, old);
    if (m_temporary.empty()) {
        // The unnamed file takes the target's name at once where it is free; otherwise it is
        // named beside it first and renamed over the old file, which is then replaced in one step.
        if (file::link(m_fd, m_target)) {
            file::close(m_fd);
            m_fd = -1;
            return true;
        }
        if (errno != EEXIST)
            return false;
        std::string name;
        for (int attempt = 0; attempt < 100 && name.empty(); ++attempt) {
            const std::string candidate = temporaryName(m_target);
            if (file::link(m_fd, candidate))
                name = candidate;
            else if (errno != EEXIST)
                return false;
        }
        if (name.empty()) {
            errno = EEXIST;
            return false;
        }
        m_temporary = name;
        if (!file::replace(m_temporary, m_target))
            return false;
        m_temporary.clear(); // it is the target now
        const int fd = m_fd;
        m_fd = -1;
        return file::close(fd) == 0;
    }
    // Closed before the rename: Windows renames no file that is open.
    const int fd = m_fd;
    m_fd = -1;
    if (file::close(fd) != 0)
        return false;
    if (!file::replace(m_temporary, m_target))
        return false;
    m_temporary.clear();
    return true;
}

bool SafeFileWriter::passOn(SafeFileWriter& to) {
    if (m_fd < 0 || m_direct)
        return false;
    std::string buffer(std::size_t{1} << 20, '\0');
    std::size_t offset = 0;
    for (;;) {
        const long n = file::readAt(m_fd, buffer.data(), buffer.size(), offset);
        if (n < 0) {
            const int error = errno;
            abandon();
            return to.fail(error);
        }
        if (n == 0)
            break;
        if (!to.append(std::string_view(buffer.data(), static_cast<std::size_t>(n)))) {
            abandon();
            return false;
        }
        offset += static_cast<std::size_t>(n);
    }
    abandon();
    return true;
}

void SafeFileWriter::abandon() {
    if (m_fd >= 0) {
        if (!m_standardOutput)
            file::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.empty()) {
        file::remove(m_temporary);
        m_temporary.clear();
    }
}

bool SafeFileWriter::failWith(std::string reason) {
    if (m_result.ok) {
        m_result.ok = false;
        m_result.reason = std::move(reason);
    }
    abandon();
    return false;
}

bool SafeFileWriter::fail(int error) {
    m_result.ok = false;
    m_result.reason = std::strerror(error);
    abandon();
    return false;
}

} // namespace sp::core
