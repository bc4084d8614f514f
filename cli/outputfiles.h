#pragma once
// Where the command line's files go. "-" stands for standard output; any other name is a file
// replaced whole (or a pipe or device written where it is, see core::SafeFileWriter). A run puts
// its files in place while it holds the locks of their folders, so that two runs writing into
// one folder at once leave the files of one of them, never a mix.

#include "commandoptions.h"
#include "core/safefilewriter.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace sp::cli {

inline constexpr const char* kStandardOutput = "-";

// How messages name a target: "standard output" for "-".
std::string targetName(const std::string& path);

// A writer for `path`: standard output for "-", else the file.
std::unique_ptr<core::SafeFileWriter> openTarget(const std::string& path);

// 0 for a file written, else 1 with "cannot write PATH: REASON" on `err`.
int reported(const core::WriteResult& written, std::ostream& err);

// Makes the output folder, and those above it, where they are missing; 1 with the reason on `err`.
int makeFolder(const std::string& folder, std::ostream& err);

// The folders a run writes into: --out and those of its other files (not standard output).
std::vector<std::string> outputFolders(const CommandOptions& options);

} // namespace sp::cli
