#pragma once
// Replacing a file whole. The bytes go to a temporary file beside the target, which is synced and
// renamed over the target only once all of them are written, so that a failed write leaves the
// old file as it was and no truncated file behind. Saved pages and result files both go this way.

#include <filesystem>
#include <string>
#include <string_view>

namespace sp::core {

struct WriteResult {
    bool ok = true;
    std::string path;   // the file that was to be written
    std::string reason; // the system's reason when it failed
};

// A new, empty file beside `target` under a name of its own ("<target>.XXXXXX"), open for writing.
// It is created as any new document of the user is (on Linux: mode 0666 less the umask, applied by
// the system). The name is UTF-8. Returns the descriptor and puts the name into `name`; -1 with errno set on failure.
int createBeside(const std::filesystem::path& target, std::string& name);

// Creates the temporary file on construction; bytes are appended in as many pieces as the caller
// likes. The first failure closes and removes the temporary file and is kept in `result()`; later
// calls then do nothing and return false. A writer destroyed before `commit` abandons its file.
class SafeFileWriter {
public:
    explicit SafeFileWriter(const std::filesystem::path& target);
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    bool append(std::string_view bytes);
    // Sync, close and rename over the target.
    bool commit();
    // Close and remove the temporary file; the target stays as it was.
    void abandon();

    const WriteResult& result() const { return m_result; }

private:
    bool fail(int error);

    std::string m_temporary;
    int m_fd = -1;
    std::size_t m_offset = 0; // bytes written so far
    WriteResult m_result;
};

} // namespace sp::core
