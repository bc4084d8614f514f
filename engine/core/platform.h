#pragma once
// What differs between Linux and Windows, in one place, so that the rest of the engine stays plain
// C++: file names as UTF-8 text, the local time, and the few file operations that replacing a
// file whole needs. Every text of the program is UTF-8; a file name made from it must say so, since
// on Windows a std::filesystem::path made from a std::string would read it in the ANSI code page.

#include <cstddef>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace sp::core {

// The path a UTF-8 text names, and the UTF-8 text of a path (what messages and callers print).
std::filesystem::path pathFromUtf8(std::string_view utf8);
std::string pathToUtf8(const std::filesystem::path& path);

// The broken-down local time of `t`.
std::tm localTime(std::time_t t);

// The program's arguments (without its name) as UTF-8. On Windows they are read again from the
// wide command line, since `argv` holds them in the ANSI code page, which cannot hold every name.
std::vector<std::string> argumentsUtf8(int argc, char** argv);

// Standard input, output and error pass bytes as they are: Windows would otherwise turn each "\n"
// written into "\r\n" (and back on reading), and a program's output would differ by system.
void binaryStandardStreams();

// The identity of this process, to seed names that other processes must not pick too.
unsigned long processId();

// Whether `name` names the file or device standard output goes to (/dev/stdout, or the file it
// was redirected to), so that what is written there is not written a second time by name.
bool namesStandardOutput(const std::string& name);

// While one lives, what is written to standard error goes nowhere: a library that prints its own
// error lines (libxlsxwriter) is quietened so that only the program's message reaches the user.
// It acts on the whole process, so it is for a command line program's one thread of output.
class QuietStandardError {
public:
    QuietStandardError();
    ~QuietStandardError();
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int m_saved = -1;
};

// Holds locks on folders while it lives, waiting for those another process holds: the command
// line puts one run's files in place while it holds the locks of their folders, so that two runs
// at once never leave a mix of their files. Every holder takes them in one order, so that two
// never wait for each other; a folder named twice is locked once. A folder that cannot be opened
// or locked (missing, a file system without locks) is passed over.
class FolderLocks {
public:
    explicit FolderLocks(const std::vector<std::string>& folders);
    ~FolderLocks();
    FolderLocks(const FolderLocks&) = delete;
    FolderLocks& operator=(const FolderLocks&) = delete;

private:
#ifdef _WIN32
    std::vector<void*> m_handles;
#else
    std::vector<int> m_fds;
#endif
};

// Thin wrappers over the system's file calls. Names are UTF-8. Each returns -1 (or false) with errno
// set on failure, as the POSIX calls do.
namespace file {

// A new file, failing with EEXIST when the name is taken; open for reading and writing, not
// inherited by child processes. On POSIX its mode is 0666 less the umask, like any new document
// of the user.
int createNew(const std::string& name);
// A new file without a name in `folder`, open for reading and writing, that vanishes with the
// process unless `link` gives it one (Linux: O_TMPFILE). -1 where the system or the folder's file
// system cannot make one, or cannot name it later.
int createUnnamed(const std::string& folder);
// Lets createUnnamed make unnamed files (the default) or not, as on a system without them: for
// tests of what such a system does.
void allowUnnamed(bool allowed);
// A name under which the unnamed file of `fd` can be opened again by a library that writes by
// name ("/proc/self/fd/N"); empty where there is none.
std::string reopenName(int fd);
// Gives the unnamed file of `fd` the name `name`, failing with EEXIST when it is taken.
bool link(int fd, const std::string& name);
// An existing file opened for writing where it is, without truncating or replacing it: a pipe or
// a device.
int openExisting(const std::string& name);

// What a name stands for on disk, following symbolic links.
struct Status {
    bool exists = false;
    bool regular = false;   // a plain file (not a folder, pipe or device)
    bool directory = false;
    unsigned mode = 0;      // the permission bits (POSIX)
    long long owner = -1;   // user and group (POSIX)
    long long group = -1;
};
Status status(const std::string& name);
// Whether `name` is a symbolic link (not followed).
bool isLink(const std::string& name);
// Gives the file of `fd` the mode bits of `like` and, where the system allows it, its owner and
// group (the group alone when only that is allowed). Nothing on Windows.
void keepOwnerAndMode(int fd, const Status& like);
// An advisory lock on the whole file of `fd`, held until it is closed; `wait` blocks for one held
// elsewhere, else false is returned at once. True where the system has no such locks.
bool lock(int fd, bool wait);
// Opens `name` to see whether a writer still holds its lock; -1 when it cannot be opened.
int openToRead(const std::string& name);
// Reads up to `size` bytes at `offset`; the number read, 0 at the end, or -1.
long readAt(int fd, char* data, std::size_t size, std::size_t offset);
// Writes up to `size` bytes; the number written, or -1 (EINTR is retried inside).
long write(int fd, const char* data, std::size_t size);
// Starts writing `size` bytes from `offset` to disk without waiting, where the system can.
void startWriteBack(int fd, std::size_t offset, std::size_t size);
int sync(int fd);
int close(int fd);
// Renames `from` over `to`, replacing a file already there in one step.
bool replace(const std::string& from, const std::string& to);
bool remove(const std::string& name);

} // namespace file

} // namespace sp::core
