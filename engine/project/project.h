#pragma once
// A project: what the three module windows hold, kept in one file (".sppile", UTF-8 JSON) so that
// an engineer can close the program and carry on later. For each module window: its input layer,
// the optimisation page's option rows, and every pile of its documents with the inputs it was
// calculated from and its calculation time, so that reopening rebuilds the calculation book and
// the pile table byte for byte. docs/project-format.md describes the file.

#include "core/safefilewriter.h"
#include "module2/module2session.h"
#include "optimise/options/optiontable.h"
#include "project/pileinputs.h"

#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sp::optimise {
class OptimisePage;
}

namespace sp::project {

inline constexpr const char* kFormat = "socketpile-project";
inline constexpr int kVersion = 1;
inline constexpr const char* kExtension = ".sppile";

// A pile of a window's documents: the inputs it was calculated from and when.
struct PileRecord {
    std::string calculatedAt; // "yyyy-MM-dd HH:mm:ss"
    PileInputs inputs;        // every input set
    bool operator==(const PileRecord&) const = default;
};

// One module window.
struct ModuleState {
    PileInputs window; // the input layer as it stands, every input set
    // Module 2: grid rows below the layer count that still hold what the engineer typed, so that
    // raising the count brings them back (row layerCount+1 first).
    std::vector<module2::LayerTexts> keptLayers;
    // The cells of the option table the engineer can type into, by row: min, max, step of a
    // parameter row, lower and upper of a filter row. Rows left out keep the page's defaults.
    std::map<int, std::vector<std::string>> optionRows;
    std::vector<PileRecord> piles;
    // When the pages' time line was written, where that is not the last pile's calculation time
    // (piles calculated after it were deleted); empty otherwise.
    std::string timeLineAt;
    // Whether the two text pages were saved since their last change ("保存").
    bool bookSaved = false;
    bool tableSaved = false;
    bool operator==(const ModuleState&) const = default;
};

struct Project {
    // Module 1, 2 and 3 at positions 0, 1 and 2; empty for a window the project does not hold.
    std::array<std::optional<ModuleState>, 3> modules;
    std::optional<ModuleState>& module(int number) { return modules.at(static_cast<std::size_t>(number - 1)); }
    const std::optional<ModuleState>& module(int number) const {
        return modules.at(static_cast<std::size_t>(number - 1));
    }
    bool operator==(const Project&) const = default;
};

// The file's text: UTF-8 JSON, two-space indents, a newline at the end.
std::string writeProject(const Project& project);

struct ReadResult {
    std::optional<Project> project; // set when the file can be opened
    // Otherwise why not, naming the file, the line and the key:
    // "demo.sppile, line 12, key \"module1.piles[3].inputs.grade\": \"C99\" is not an item …".
    std::string error;
};
// Reads a project file's text and checks everything a window would refuse: that it is JSON of
// this format and a version this program reads, every key and type, every value against the
// windows' lists, and that every pile calculates again (the piles are rebuilt in sessions of their
// own and then thrown away), so that a project that reads restores without fail. `fileName` is
// how the messages name the file. Never throws.
ReadResult readProject(std::string_view text, const std::string& fileName);
// The file at `path` read and checked; a file that cannot be read says why.
ReadResult loadProject(const std::filesystem::path& path);
// Writes the file whole or not at all (a temporary file beside it, renamed over it).
core::WriteResult saveProject(const Project& project, const std::filesystem::path& path);

// A window's session as the project keeps it; the option rows and page flags are the caller's.
ModuleState capture(const module1::Session& session);
ModuleState capture(const module3::Session& session);
ModuleState capture(const module2::Session& session);
// The option table's editable cells, by row.
std::map<int, std::vector<std::string>> optionRows(const optimise::OptionTable& table);

// Rebuilds a new window's session from the state: every pile calculated again at its recorded
// time, into the pages, then the input layer and the save state of the pages. The state must come
// from readProject or capture; a pile that no longer calculates is skipped (readProject refuses
// such a file first). `each`, when given, sees every pile's outcome as it is calculated again.
void restore(module1::Session& session, const ModuleState& state,
             const std::function<void(const module1::Outcome&)>& each = {});
void restore(module3::Session& session, const ModuleState& state,
             const std::function<void(const module3::Outcome&)>& each = {});
void restore(module2::Session& session, const ModuleState& state,
             const std::function<void(const module2::Outcome&)>& each = {});
// The option rows typed into the page, as the engineer would.
void restoreOptions(optimise::OptimisePage& page, const std::map<int, std::vector<std::string>>& rows);

} // namespace sp::project
