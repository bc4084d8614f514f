// socketpile-cli calc over any document: a pile file (or a project) is read and its piles
// calculated, or it is refused with a usage error that names where; nothing else may escape, and
// nothing may crash. Nothing is written: there is no output folder.

#include "calccommand.h"
#include "usageerror.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string document(reinterpret_cast<const char*>(data), size);
    sp::cli::CalcOptions options;
    options.inputName = "fuzz.json";
    options.now = sp::core::Moment{2024, 5, 6, 7, 8, 9};
    std::ostringstream out, err;
    try {
        const int status = sp::cli::runCalc(document, options, out, err);
        if (status != 0 && status != 1)
            std::abort();
    } catch (const sp::cli::UsageError& e) {
        if (std::string(e.what()).empty())
            std::abort(); // a refusal always says why
    }
    return 0;
}
