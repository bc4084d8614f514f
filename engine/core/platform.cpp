#include "core/platform.h"

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
#else
#include <fcntl.h>
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

namespace file {

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
    return ::_wopen(wide(name).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                    _S_IREAD | _S_IWRITE);
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
    return ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
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
