#pragma once
// An input the command line cannot use: exit status 2 with one line that names the pile and key.

#include <stdexcept>
#include <string>

namespace sp::cli {

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "pile 2, key \"grade\": …"; pile 0 means the top level of the document.
std::string where(int pile, const std::string& key);

} // namespace sp::cli
