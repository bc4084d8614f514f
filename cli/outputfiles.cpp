#include "outputfiles.h"

#include "core/platform.h"

#include <filesystem>
#include <ostream>

namespace sp::cli {

std::string targetName(const std::string& path) {
    return path == kStandardOutput ? "standard output" : path;
}

std::unique_ptr<core::SafeFileWriter> openTarget(const std::string& path) {
    if (path == kStandardOutput)
        return std::make_unique<core::SafeFileWriter>(core::SafeFileWriter::StandardOutput{});
    return std::make_unique<core::SafeFileWriter>(core::pathFromUtf8(path));
}

int reported(const core::WriteResult& written, std::ostream& err) {
    if (written.ok)
        return 0;
    err << "socketpile-cli: cannot write " << written.path << ": " << written.reason << "\n";
    return 1;
}

int makeFolder(const std::string& folder, std::ostream& err) {
    std::error_code error;
    std::filesystem::create_directories(core::pathFromUtf8(folder), error);
    if (!error)
        return 0;
    err << "socketpile-cli: cannot write " << folder << ": " << error.message() << "\n";
    return 1;
}

std::vector<std::string> outputFolders(const CommandOptions& options) {
    std::vector<std::string> folders;
    if (!options.outDir.empty())
        folders.push_back(options.outDir);
    for (const std::string* file : {&options.pdfPath, &options.xlsxPath, &options.csvPath}) {
        if (file->empty() || *file == kStandardOutput)
            continue;
        const std::filesystem::path folder = core::pathFromUtf8(*file).parent_path();
        folders.push_back(folder.empty() ? std::string(".") : core::pathToUtf8(folder));
    }
    return folders;
}

} // namespace sp::cli
