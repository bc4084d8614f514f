// Whatever the bytes, the project reader answers with a project or a message, never a crash; and a
// project it reads, written again, reads back the same.

#include "project/project.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const sp::project::ReadResult read = sp::project::readProject(text, "fuzz.sppile");
    if (!read.project) {
        if (read.error.empty())
            std::abort(); // a refusal always says why
        return 0;
    }
    const sp::project::ReadResult again = sp::project::readProject(sp::project::writeProject(*read.project), "again");
    if (!again.project || !(*again.project == *read.project))
        std::abort();
    return 0;
}
