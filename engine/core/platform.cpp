#include "core/platform.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <shellapi.h>

#include <cwctype>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace sp::core {

std::filesystem::path pathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string pathToUtf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::tm localTime(std::time_t t) {
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    return local;
}

std::vector<std::string> argumentsUtf8(int argc, char** argv) {
#ifdef _WIN32
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (wide) {
        std::vector<std::string> args;
        for (int k = 1; k < count; ++k)
            args.push_back(pathToUtf8(std::filesystem::path(wide[k])));
        ::LocalFree(wide);
        return args;
    }
#endif
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void binaryStandardStreams() {
#ifdef _WIN32
    ::_setmode(::_fileno(stdin), _O_BINARY);
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
#endif
}

unsigned long processId() {
#ifdef _WIN32
    return static_cast<unsigned long>(::_getpid());
#else
    return static_cast<unsigned long>(::getpid());
#endif
}

#ifdef _WIN32

bool namesStandardOutput(const std::string&) {
    // Windows gives no name to standard output that a file name could reach; "-" is its name.
    return false;
}

QuietStandardError::QuietStandardError() {
    std::fflush(stderr);
    m_saved = ::_dup(2);
    const int null = ::_open("NUL", _O_WRONLY);
    if (m_saved >= 0 && null >= 0)
        ::_dup2(null, 2);
    if (null >= 0)
        ::_close(null);
}

QuietStandardError::~QuietStandardError() {
    std::fflush(stderr);
    if (m_saved >= 0) {
        ::_dup2(m_saved, 2);
        ::_close(m_saved);
    }
}

// A folder cannot be locked on Windows; a file in it opened without sharing, which the system
// deletes when it is closed (or the process ends), stands for its lock.
FolderLocks::FolderLocks(const std::vector<std::string>& folders) {
    std::vector<std::wstring> names;
    for (const std::string& folder : folders) {
        std::error_code error;
        const std::filesystem::path real = std::filesystem::canonical(pathFromUtf8(folder), error);
        if (error)
            continue;
        std::wstring name = (real / L".socketpile-lock").wstring();
        for (wchar_t& c : name)
            c = static_cast<wchar_t>(::towlower(c));
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    for (const std::wstring& name : names) {
        // A minute at most for a run that holds it; a lock file kept longer is no run's.
        for (int attempt = 0; attempt < 1200; ++attempt) {
            HANDLE handle = ::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                          FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
            if (handle != INVALID_HANDLE_VALUE) {
                m_handles.push_back(handle);
                break;
            }
            const DWORD error = ::GetLastError();
            if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED)
                break;
            ::Sleep(50);
        }
    }
}

FolderLocks::~FolderLocks() {
    for (void* handle : m_handles)
        ::CloseHandle(static_cast<HANDLE>(handle));
}

#else

bool namesStandardOutput(const std::string& name) {
    struct stat out {};
    struct stat named {};
    return ::fstat(1, &out) == 0 && ::stat(name.c_str(), &named) == 0 && out.st_dev == named.st_dev &&
           out.st_ino == named.st_ino;
}

QuietStandardError::QuietStandardError() {
    std::fflush(stderr);
    m_saved = ::dup(2);
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (m_saved >= 0 && null >= 0)
        ::dup2(null, 2);
    if (null >= 0)
        ::close(null);
}

QuietStandardError::~QuietStandardError() {
    std::fflush(stderr);
    if (m_saved >= 0) {
        ::dup2(m_saved, 2);
        ::close(m_saved);
    }
}

// flock on the folders themselves: no file is left in them, and the locks go with the process.
// They are taken in the order of the folders' identities (device, inode), which every run shares
// whatever names it was given.
FolderLocks::FolderLocks(const std::vector<std::string>& folders) {
    struct Held {
        dev_t device;
        ino_t inode;
        int fd;
    };
    std::vector<Held> held;
    for (const std::string& folder : folders) {
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        struct stat st {};
        if (fd < 0)
            continue;
        if (::fstat(fd, &st) != 0) {
            ::close(fd);
            continue;
        }
        held.push_back({st.st_dev, st.st_ino, fd});
    }
    std::sort(held.begin(), held.end(), [](const Held& a, const Held& b) {
        return a.device != b.device ? a.device < b.device : a.inode < b.inode;
    });
    for (std::size_t k = 0; k < held.size(); ++k) {
        // Two locks on one folder from one process would wait for each other.
        if (k > 0 && held[k].device == held[k - 1].device && held[k].inode == held[k - 1].inode) {
            ::close(held[k].fd);
            continue;
        }
        file::lock(held[k].fd, true);
        m_fds.push_back(held[k].fd);
    }
}

FolderLocks::~FolderLocks() {
    for (const int fd : m_fds)
        ::close(fd);
}

#endif

namespace file {

namespace {
std::atomic<bool> unnamedAllowed{true};
}

void allowUnnamed(bool allowed) {
    unnamedAllowed = allowed;
}

#ifdef _WIN32

namespace {

std::wstring wide(const std::string& utf8) {
    return pathFromUtf8(utf8).wstring();
}

int errnoOf(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EACCES;
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
        return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_NOT_SAME_DEVICE:
        return EXDEV;
    default:
        return EIO;
    }
}

} // namespace

int createNew(const std::string& name) {
    return ::_wopen(wide(name).c_str(), _O_RDWR | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                    _S_IREAD | _S_IWRITE);
}

int createUnnamed(const std::string&) {
    errno = ENOSYS;
    return -1;
}

std::string reopenName(int) { return {}; }

bool link(int, const std::string&) {
    errno = ENOSYS;
    return false;
}

int openExisting(const std::string& name) {
    return ::_wopen(wide(name).c_str(), _O_WRONLY | _O_BINARY | _O_NOINHERIT);
}

Status status(const std::string& name) {
    Status s;
    struct _stat64 st {};
    if (::_wstat64(wide(name).c_str(), &st) != 0)
        return s;
    s.exists = true;
    s.regular = (st.st_mode & _S_IFMT) == _S_IFREG;
    s.directory = (st.st_mode & _S_IFMT) == _S_IFDIR;
    return s;
}

bool isLink(const std::string&) { return false; }

void keepOwnerAndMode(int, const Status&) {}

// A file another process has open cannot be deleted on Windows, which is all the guard needed.
bool lock(int, bool) { return true; }

int openToRead(const std::string& name) {
    return ::_wopen(wide(name).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

long readAt(int fd, char* data, std::size_t size, std::size_t offset) {
    if (::_lseeki64(fd, static_cast<long long>(offset), SEEK_SET) < 0)
        return -1;
    const unsigned int piece = size > 0x40000000u ? 0x40000000u : static_cast<unsigned int>(size);
    return ::_read(fd, data, piece);
}

long write(int fd, const char* data, std::size_t size) {
    // _write takes an unsigned int count; larger pieces go in several calls.
    const unsigned int piece = size > 0x40000000u ? 0x40000000u : static_cast<unsigned int>(size);
    return ::_write(fd, data, piece);
}

void startWriteBack(int, std::size_t, std::size_t) {}

int sync(int fd) {
    return ::_commit(fd);
}

int close(int fd) {
    return ::_close(fd);
}

bool replace(const std::string& from, const std::string& to) {
    if (::MoveFileExW(wide(from).c_str(), wide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    errno = errnoOf(::GetLastError());
    return false;
}

bool remove(const std::string& name) {
    return ::_wunlink(wide(name).c_str()) == 0;
}

#else

int createNew(const std::string& name) {
    return ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

int createUnnamed(const std::string& folder) {
#if defined(__linux__) && defined(O_TMPFILE)
    if (!unnamedAllowed) {
        errno = EOPNOTSUPP;
        return -1;
    }
    // The mode, less the umask, is that of any new document of the user; a file that replaces
    // another takes that one's mode before it is named.
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    if (fd < 0)
        return -1;
    // Without /proc it could be written but never named.
    if (reopenName(fd).empty()) {
        ::close(fd);
        errno = EOPNOTSUPP;
        return -1;
    }
    return fd;
#else
    (void)folder;
    errno = EOPNOTSUPP;
    return -1;
#endif
}

std::string reopenName(int fd) {
#ifdef __linux__
    std::string name = "/proc/self/fd/" + std::to_string(fd);
    struct stat st {};
    if (::stat(name.c_str(), &st) == 0)
        return name;
#else
    (void)fd;
#endif
    return {};
}

bool link(int fd, const std::string& name) {
    const std::string from = reopenName(fd);
    if (from.empty()) {
        errno = EOPNOTSUPP;
        return false;
    }
    return ::linkat(AT_FDCWD, from.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

int openExisting(const std::string& name) {
    return ::open(name.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
}

Status status(const std::string& name) {
    Status s;
    struct stat st {};
    if (::stat(name.c_str(), &st) != 0)
        return s;
    s.exists = true;
    s.regular = S_ISREG(st.st_mode);
    s.directory = S_ISDIR(st.st_mode);
    s.mode = st.st_mode & 07777;
    s.owner = st.st_uid;
    s.group = st.st_gid;
    return s;
}

bool isLink(const std::string& name) {
    struct stat st {};
    return ::lstat(name.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

void keepOwnerAndMode(int fd, const Status& like) {
    if (like.owner >= 0 && ::fchown(fd, static_cast<uid_t>(like.owner), static_cast<gid_t>(like.group)) != 0 &&
        ::fchown(fd, static_cast<uid_t>(-1), static_cast<gid_t>(like.group)) != 0) {
        // Neither is allowed: the file stays the writer's, as any new file of the user is.
    }
    // After the owner: a change of owner clears the set-user-ID bits.
    if (::fchmod(fd, static_cast<mode_t>(like.mode)) != 0) {
        // A file system without modes (FAT) keeps its own.
    }
}

bool lock(int fd, bool wait) {
    for (;;) {
        if (::flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB)) == 0)
            return true;
        if (errno == EINTR)
            continue;
        // A file system without locks: there is no lock to hold, and none held elsewhere.
        return errno != EWOULDBLOCK;
    }
}

int openToRead(const std::string& name) {
    // Not blocking on a pipe that happens to carry the name.
    return ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
}

long readAt(int fd, char* data, std::size_t size, std::size_t offset) {
    for (;;) {
        const ssize_t n = ::pread(fd, data, size, static_cast<off_t>(offset));
        if (n >= 0 || errno != EINTR)
            return static_cast<long>(n);
    }
}

long write(int fd, const char* data, std::size_t size) {
    for (;;) {
        const ssize_t n = ::write(fd, data, size);
        if (n >= 0 || errno != EINTR)
            return static_cast<long>(n);
    }
}

void startWriteBack(int fd, std::size_t offset, std::size_t size) {
#ifdef __linux__
    // So that the final sync of a large file finds little left to do.
    ::sync_file_range(fd, static_cast<off_t>(offset), static_cast<off_t>(size), SYNC_FILE_RANGE_WRITE);
#else
    (void)fd;
    (void)offset;
    (void)size;
#endif
}

int sync(int fd) {
    return ::fsync(fd);
}

int close(int fd) {
    return ::close(fd);
}

bool replace(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool remove(const std::string& name) {
    return ::unlink(name.c_str()) == 0;
}

#endif

} // namespace file

} // namespace sp::core
