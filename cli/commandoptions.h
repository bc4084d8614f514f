#pragma once
// The options every command takes: where "保存" / "存盘" writes, and the moment of the time lines.

#include "core/moment.h"

#include <optional>
#include <string>

namespace sp::cli {

struct CommandOptions {
    std::string outDir;                 // empty: write nothing
    std::optional<core::Moment> now;    // empty: the local clock when a time line is made
};

} // namespace sp::cli
