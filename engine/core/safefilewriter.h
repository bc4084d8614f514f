#pragma once
// Replacing a file whole. The bytes go to a new file beside the target, which is synced and put
// in place of the target only once all of them are written, so that a failed write leaves the old
// file as it was and no truncated file behind. The new file takes the old one's mode and, where
// the system allows it, its owner. Saved pages, result files and exported tables all go this way.
//
// Where the system allows it (Linux, on most file systems) the new file has no name until it is
// whole, so that a process killed while writing leaves nothing behind. Elsewhere it is named
// "<target>.socketpile-XXXXXX.tmp"; a writer holds a lock on it while it writes, and the next
// write into the same folder removes those that no writer holds and that are an hour old.
//
// A target that is not a plain file (a pipe, a device such as /dev/null, or standard output) is
// written where it is, as the bytes come: there is nothing to replace, and a failure cannot take
// back what was written. A symbolic link stays: the file it leads to is replaced.

#include <filesystem>
#include <string>
#include <string_view>

namespace sp::core {

struct WriteResult {
    bool ok = true;
    std::string path;   // the file that was to be written
    std::string reason; // the system's reason when it failed
};

// How the temporary files that a write left behind are named: "<target>" kTemporaryMark
// "XXXXXX" kTemporarySuffix.
inline constexpr std::string_view kTemporaryMark = ".socketpile-";
inline constexpr std::string_view kTemporarySuffix = ".tmp";
// Whether `fileName` (without its folder) is such a temporary file.
bool isTemporaryName(std::string_view fileName);

// The writer creates its new file on construction; bytes are appended in as many pieces as the
// caller likes. The first failure gives up the new file and is kept in `result()`; later calls
// then do nothing and return false. A writer destroyed before `commit` abandons its file.
class SafeFileWriter {
public:
    explicit SafeFileWriter(const std::filesystem::path& target);
    // Standard output, written as the bytes come (its messages name it "standard output").
    struct StandardOutput {};
    explicit SafeFileWriter(StandardOutput);
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    bool append(std::string_view bytes);
    // Sync, then put the new file in place of the target (a target written directly is closed).
    bool commit();
    // Give up the new file; the target stays as it was.
    void abandon();
    // Gives up the new file for a reason of the caller's (what a library reported); false.
    bool failWith(std::string reason);

    // The target is written where it is (a pipe, a device, standard output).
    bool direct() const { return m_direct; }
    // A name under which a library that writes by name (libxlsxwriter) can open the new file and
    // write it in the writer's stead, before `commit`. Empty when the target is written directly:
    // such a library needs a file it can seek in (see `passOn`).
    const std::string& libraryName() const { return m_libraryName; }
    // Appends the bytes of this writer's new file, as a library wrote them under `libraryName`,
    // to `to`, and gives this file up. For a library's file that goes to a direct target.
    bool passOn(SafeFileWriter& to);

    const WriteResult& result() const { return m_result; }
    // The file that is replaced (the one a link leads to) or written directly.
    const std::string& target() const { return m_target; }

private:
    bool fail(int error);
    bool putInPlace();

    std::string m_target;    // the file replaced: the target, or the file its link leads to
    std::string m_temporary; // the named new file, when it has a name
    std::string m_libraryName;
    int m_fd = -1;
    bool m_direct = false;
    bool m_standardOutput = false;
    std::size_t m_offset = 0; // bytes written so far
    WriteResult m_result;
};

} // namespace sp::core
