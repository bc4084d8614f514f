#pragma once
// Small helpers shared by the tests: fixture files are UTF-8 with one report line per line.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <vector>

namespace sp::test {

inline std::string fixturePath(const std::string& name) { return std::string(SOCKETPILE_FIXTURES) + "/" + name; }

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline std::vector<std::string> fixtureLines(const std::string& name) {
    std::vector<std::string> lines;
    std::istringstream in(readFile(fixturePath(name)));
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

// A folder of the test's own under the system's temporary folder, made with a fresh name and
// removed with everything in it at the end of its scope, so that runs at the same time never meet.
class TemporaryFolder {
public:
    explicit TemporaryFolder(const std::string& prefix = "socketpile-test") {
        const std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (mkdtemp(name.data()) == nullptr)
            throw std::runtime_error("cannot make a temporary folder from " + pattern);
        m_path = name.data();
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     ignored);
        std::filesystem::remove_all(m_path, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

// The process's file-creation mask, set for one scope.
class UmaskScope {
public:
    explicit UmaskScope(mode_t mask) : m_saved(::umask(mask)) {}
    ~UmaskScope() { ::umask(m_saved); }
    UmaskScope(const UmaskScope&) = delete;
    UmaskScope& operator=(const UmaskScope&) = delete;

private:
    mode_t m_saved;
};

// The permission bits of a file, or 0 when it cannot be found.
inline mode_t modeOf(const std::filesystem::path& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0)
        return 0;
    return st.st_mode & 07777;
}

} // namespace sp::test
