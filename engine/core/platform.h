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

// Thin wrappers over the system's file calls. Names are UTF-8. Each returns -1 (or false) with errno
// set on failure, as the POSIX calls do.
namespace file {

// A new file, failing with EEXIST when the name is taken; open for writing only, not inherited by
// child processes. On POSIX its mode is 0666 less the umask, like any new document of the user.
int createNew(const std::string& name);
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
