#include "core/inputfile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <vector>

namespace sp::core {

namespace {

InputText failed(InputText::Failure failure, std::string problem) {
    InputText input;
    input.failure = failure;
    input.problem = std::move(problem);
    return input;
}

InputText tooLarge(std::size_t limit) {
    const std::string size = limit >= (std::size_t{1} << 20) ? std::to_string(limit >> 20) + " MB"
                                                             : std::to_string(limit) + " bytes";
    return failed(InputText::Failure::TooLarge,
                  "it is larger than " + size + ", far more than any input of this program");
}

InputText unreadable() {
    return failed(InputText::Failure::Unreadable,
                  errno != 0 ? std::strerror(errno) : "the system gives no reason");
}

} // namespace

InputText readInput(std::istream& in, std::size_t limit) {
    InputText input;
    std::vector<char> chunk(std::size_t{1} << 20);
    errno = 0;
    while (in) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        const auto got = static_cast<std::size_t>(in.gcount());
        if (got > limit - input.text.size())
            return tooLarge(limit); // read no further: the rest may never end
        input.text.append(chunk.data(), got);
    }
    if (in.bad())
        return unreadable();
    return input;
}

InputText readInputFile(const std::filesystem::path& path, std::size_t limit) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return failed(InputText::Failure::Folder, "it is a folder");
    if (std::filesystem::is_regular_file(path, error)) {
        const auto size = std::filesystem::file_size(path, error);
        if (!error && size > limit)
            return tooLarge(limit);
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return unreadable();
    return readInput(in, limit);
}

} // namespace sp::core
