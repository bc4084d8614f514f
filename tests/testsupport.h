#pragma once
// Small helpers shared by the tests: fixture files are UTF-8 with one report line per line.

#include <fstream>
#include <sstream>
#include <string>
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

} // namespace sp::test
