#include "project/project.h"

#include "module1/module1session.h"
#include "module3/module3session.h"
#include "optimise/optimisepage.h"

namespace sp::project {

std::string writeProject(const Project&) { return {}; }
ReadResult readProject(std::string_view, const std::string& fileName) { return {{}, fileName + ": not yet"}; }
ReadResult loadProject(const std::filesystem::path& path) { return {{}, path.string() + ": not yet"}; }
core::WriteResult saveProject(const Project&, const std::filesystem::path& path) { return {false, path.string(), "not yet"}; }
ModuleState capture(const module1::Session&) { return {}; }
ModuleState capture(const module3::Session&) { return {}; }
ModuleState capture(const module2::Session&) { return {}; }
std::map<int, std::vector<std::string>> optionRows(const optimise::OptionTable&) { return {}; }
void restore(module1::Session&, const ModuleState&) {}
void restore(module3::Session&, const ModuleState&) {}
void restore(module2::Session&, const ModuleState&) {}
void restoreOptions(optimise::OptimisePage&, const std::map<int, std::vector<std::string>>&) {}

} // namespace sp::project
