#include "project/project.h"

#include "core/inputfile.h"
#include "core/moment.h"
#include "core/platform.h"
#include "core/text.h"
#include "module1/module1reports.h"
#include "module1/module1session.h"
#include "module3/module3session.h"
#include "optimise/optimisepage.h"
#include "project/jsonplaces.h"
#include "project/jsontext.h"

#include <nlohmann/json.hpp>


namespace sp::project {

using nlohmann::json;
using ojson = nlohmann::ordered_json;

namespace {

const char* const kModuleKeys[] = {"module1", "module2", "module3"};

// A value of the file that cannot be used, at a place of the file.
struct ProjectError {
    JsonPath path;
    std::string what;
};

[[noreturn]] void fail(JsonPath path, std::string what) { throw ProjectError{std::move(path), std::move(what)}; }

JsonPath at(const JsonPath& base, PathStep step) {
    JsonPath path = base;
    path.push_back(std::move(step));
    return path;
}

// Runs a reader of pile inputs, turning its errors into places of the file.
template <class Read> auto readAt(const JsonPath& base, Read&& read) {
    try {
        return read();
    } catch (const InputError& e) {
        JsonPath path = base;
        appendRelative(path, e.key());
        fail(std::move(path), e.what());
    }
}

// The cells of a row the engineer can type into, in order: min, max, step of a parameter row,
// lower and upper of a filter row.
std::vector<int> editableColumns(optimise::ModuleKind module, int row) {
    std::vector<int> columns;
    for (int column = optimise::kColMin; column <= optimise::kColStep; ++column)
        if (optimise::OptionTable::makesEditable(module, row, column))
            columns.push_back(column);
    return columns;
}

const json& objectAt(const json& value, const JsonPath& path) {
    if (!value.is_object())
        fail(path, std::string("expected a JSON object, got ") + value.type_name());
    return value;
}

std::map<int, std::vector<std::string>> readOptionRows(const json& value, int module, const JsonPath& base) {
    objectAt(value, base);
    const auto kind = static_cast<optimise::ModuleKind>(module);
    const int rows = optimise::OptionTable(kind).rowCount();
    std::map<int, std::vector<std::string>> out;
    for (const auto& entry : value.items()) {
        const std::string& key = entry.key();
        const json& cells = entry.value(); // named, not bound: lambdas below capture it
        const JsonPath path = at(base, key);
        int row = -1;
        for (int r = 0; r < rows; ++r)
            if (key == std::to_string(r) && !editableColumns(kind, r).empty())
                row = r;
        if (row < 0)
            fail(path, "not a row of the option table that can be edited");
        if (!cells.is_array())
            fail(path, std::string("expected a JSON array of cell texts, got ") + cells.type_name());
        const std::size_t expected = editableColumns(kind, row).size();
        if (cells.size() != expected)
            fail(path, "expected " + std::to_string(expected) + " cell texts (" +
                           (expected == 3 ? "min, max, step" : "lower, upper") + "), got " +
                           std::to_string(cells.size()));
        std::vector<std::string> texts;
        for (std::size_t k = 0; k < cells.size(); ++k)
            texts.push_back(readAt(at(path, k), [&] { return textOf(cells[k], ""); }));
        out[row] = std::move(texts);
    }
    return out;
}

PileInputs readInputsAt(const json& value, int module, const JsonPath& path) {
    objectAt(value, path);
    return readAt(path, [&] { return readPileInputs(value, module); });
}

std::vector<PileRecord> readPiles(const json& value, int module, const JsonPath& base) {
    if (!value.is_array())
        fail(base, std::string("expected a JSON array, got ") + value.type_name());
    std::vector<PileRecord> piles;
    for (std::size_t k = 0; k < value.size(); ++k) {
        const JsonPath path = at(base, k);
        const json& pile = objectAt(value[k], path);
        PileRecord record;
        bool timed = false;
        bool given = false;
        for (const auto& entry : pile.items()) {
            const std::string& key = entry.key();
            const json& item = entry.value();
            if (key == "calculatedAt") {
                const std::string& text = readAt(at(path, key), [&]() -> const std::string& { return textOf(item, ""); });
                if (!core::parseMoment(text))
                    fail(at(path, key), "\"" + core::excerpt(text) + "\" is not a moment \"yyyy-MM-dd HH:mm:ss\"");
                record.calculatedAt = text;
                timed = true;
            } else if (key == "inputs") {
                record.inputs = readInputsAt(item, module, at(path, key));
                given = true;
            } else {
                fail(at(path, key), "unknown key for a pile");
            }
        }
        if (!timed)
            fail(path, "key \"calculatedAt\" is missing");
        if (!given)
            fail(path, "key \"inputs\" is missing");
        piles.push_back(std::move(record));
    }
    return piles;
}

ModuleState readModule(const json& value, int module, const JsonPath& base) {
    objectAt(value, base);
    ModuleState state;
    for (const auto& entry : value.items()) {
        const std::string& key = entry.key();
        const json& item = entry.value();
        const JsonPath path = at(base, key);
        if (key == "window") {
            state.window = readInputsAt(item, module, path);
        } else if (key == "keptLayers" && module == 2) {
            // The same cells as a pile's layers, read through a pile of layers alone.
            if (!item.is_array())
                fail(path, std::string("expected a JSON array, got ") + item.type_name());
            if (!item.empty()) {
                const json pile = {{"layers", item}};
                const PileInputs kept = readAt(base, [&] {
                    try {
                        return readPileInputs(pile, 2);
                    } catch (const InputError& e) {
                        throw InputError("keptLayers" + e.key().substr(std::string("layers").size()), e.what());
                    }
                });
                state.keptLayers = *kept.layers;
            }
        } else if (key == "options") {
            state.optionRows = readOptionRows(item, module, path);
        } else if (key == "piles") {
            state.piles = readPiles(item, module, path);
        } else if (key == "timeLineAt") {
            const std::string& text = readAt(path, [&]() -> const std::string& { return textOf(item, ""); });
            if (!core::parseMoment(text))
                fail(path, "\"" + core::excerpt(text) + "\" is not a moment \"yyyy-MM-dd HH:mm:ss\"");
            state.timeLineAt = text;
        } else if (key == "bookSaved" || key == "tableSaved") {
            (key == "bookSaved" ? state.bookSaved : state.tableSaved) = readAt(path, [&] { return flagOf(item, ""); });
        } else {
            fail(path, "unknown key for a module window");
        }
    }
    if (state.window.layers && state.window.layers->size() + state.keptLayers.size() > module2::kMaxLayers)
        fail(at(base, "keptLayers"), "the grid has 9 rows; the window's layers and the kept ones are more");
    return state;
}

Project readDocument(const json& root) {
    if (!root.is_object())
        fail({}, std::string("expected a JSON object, got ") + root.type_name());
    const auto format = root.find("format");
    if (format == root.end())
        fail({}, "not a SocketPile project: key \"format\" is missing");
    if (!format->is_string() || format->get_ref<const std::string&>() != kFormat) {
        const std::string given = format->is_string() ? "\"" + core::excerpt(format->get_ref<const std::string&>()) + "\""
                                  : format->is_primitive() ? format->dump()
                                                           : std::string("a JSON ") + format->type_name();
        fail({"format"}, "not a SocketPile project: the format is " + given + ", not \"" + kFormat + "\"");
    }
    const auto version = root.find("version");
    if (version == root.end())
        fail({}, "key \"version\" is missing");
    if (!version->is_number_integer())
        fail({"version"}, std::string("expected a JSON integer, got ") + version->type_name());
    const auto number = version->get<long long>();
    if (number > kVersion)
        fail({"version"}, "written by a newer SocketPile (project version " + std::to_string(number) +
                              "); this program reads version " + std::to_string(kVersion) + " and older");
    if (number < 1)
        fail({"version"}, "version " + std::to_string(number) + " does not exist");

    Project project;
    for (const auto& [key, value] : root.items()) {
        if (key == "format" || key == "version")
            continue;
        int module = 0;
        for (int k = 0; k < 3; ++k)
            if (key == kModuleKeys[k])
                module = k + 1;
        if (module == 0)
            fail({key}, "unknown section (a project has \"module1\", \"module2\" and \"module3\")");
        project.module(module) = readModule(value, module, {key});
    }
    return project;
}

ojson layersJson(const std::vector<module2::LayerTexts>& layers) {
    PileInputs holder;
    holder.layers = layers;
    return pileInputsJson(holder, 2)["layers"];
}

ojson moduleJson(const ModuleState& state, int module) {
    ojson out = ojson::object();
    out["window"] = pileInputsJson(state.window, module);
    if (module == 2 && !state.keptLayers.empty())
        out["keptLayers"] = layersJson(state.keptLayers);
    ojson options = ojson::object();
    for (const auto& [row, cells] : state.optionRows)
        options[std::to_string(row)] = cells;
    out["options"] = std::move(options);
    if (!state.timeLineAt.empty())
        out["timeLineAt"] = state.timeLineAt;
    out["bookSaved"] = state.bookSaved;
    out["tableSaved"] = state.tableSaved;
    ojson piles = ojson::array();
    for (const PileRecord& pile : state.piles) {
        ojson item = ojson::object();
        item["calculatedAt"] = pile.calculatedAt;
        item["inputs"] = pileInputsJson(pile.inputs, module);
        piles.push_back(std::move(item));
    }
    out["piles"] = std::move(piles);
    return out;
}

template <class Session> ModuleState captureSession(const Session& session) {
    const int module = moduleOf(session);
    ModuleState state;
    state.window = currentInputs(session);
    const report::ReportDocuments& documents = session.documents();
    const auto& records = documents.records();
    const auto& times = documents.calculatedAt();
    for (std::size_t k = 0; k < records.size() && k < times.size(); ++k) {
        PileRecord pile;
        pile.calculatedAt = times[k];
        // Every pile of a window is calculated through computePile, which records its inputs.
        const json record = json::parse(records[k], nullptr, false);
        if (record.is_object()) {
            try {
                pile.inputs = readPileInputs(record, module);
            } catch (const InputError&) {
            }
        }
        state.piles.push_back(std::move(pile));
    }
    if (!times.empty() && documents.timeLineAt() != times.back())
        state.timeLineAt = documents.timeLineAt();
    state.bookSaved = !documents.saveState().unsaved(report::Page::Book);
    state.tableSaved = !documents.saveState().unsaved(report::Page::Table);
    if constexpr (std::is_same_v<Session, module2::Session>) {
        const module2::RockLayerGrid& grid = session.grid();
        int last = grid.layerCount();
        for (int layer = grid.layerCount() + 1; layer <= module2::kMaxLayers; ++layer)
            for (int column : {module2::kColLr, module2::kColWeathering, module2::kColIntegrity, module2::kColKv,
                               module2::kColFrk, module2::kColC1, module2::kColC2, module2::kColQpk,
                               module2::kColQsrk})
                if (!grid.cell(layer, column).empty())
                    last = layer;
        for (int layer = grid.layerCount() + 1; layer <= last; ++layer)
            state.keptLayers.push_back({grid.cell(layer, module2::kColLr), grid.cell(layer, module2::kColWeathering),
                                        grid.cell(layer, module2::kColIntegrity), grid.cell(layer, module2::kColKv),
                                        grid.cell(layer, module2::kColFrk), grid.cell(layer, module2::kColC1),
                                        grid.cell(layer, module2::kColC2), grid.cell(layer, module2::kColQpk),
                                        grid.cell(layer, module2::kColQsrk)});
    }
    return state;
}

// The message of a pile that did not calculate, or nothing.
struct RebuildFailure {
    std::size_t pile = 0;
    std::string message;
};

template <class Session, class Each = std::nullptr_t>
std::optional<RebuildFailure> rebuild(Session& session, const ModuleState& state, const Each& each = nullptr) {
    for (std::size_t k = 0; k < state.piles.size(); ++k) {
        const PileRecord& pile = state.piles[k];
        enter(session, pile.inputs, core::kDefaultPrecision);
        const auto moment = core::parseMoment(pile.calculatedAt);
        const auto outcome = computePile(session, moment.value_or(core::Moment{}), true);
        if constexpr (!std::is_same_v<Each, std::nullptr_t>)
            if (each)
                each(outcome);
        if (!outcome.ok() || !moment)
            return RebuildFailure{k, outcome.ok() ? "not a moment" : outcome.message};
    }
    if (!state.timeLineAt.empty())
        if (const auto moment = core::parseMoment(state.timeLineAt))
            session.documents().replaceTimeLine(module1::timeLine(*moment), state.timeLineAt);
    // The input layer as it was left: where it still holds the last pile's inputs, that pile's
    // results stay in the boxes, as in the window that was saved.
    enter(session, state.window, core::kDefaultPrecision);
    if constexpr (std::is_same_v<Session, module2::Session>)
        session.keepRows(state.keptLayers);
    report::SaveState& saved = session.documents().saveState();
    if (session.documents().pileRegister().count() == 0) {
        saved.clear();
    } else {
        saved.markAllUnsaved();
        if (state.bookSaved)
            saved.markSaved(report::Page::Book);
        if (state.tableSaved)
            saved.markSaved(report::Page::Table);
    }
    return std::nullopt;
}

template <class Session> void checkRebuild(const ModuleState& state, int module) {
    Session scratch;
    if (const auto failure = rebuild(scratch, state))
        fail({std::string(kModuleKeys[module - 1]), std::string("piles"), failure->pile},
             "the pile does not calculate: " + failure->message);
}

std::string readError(std::string_view text, const std::string& fileName, const ProjectError& e) {
    std::string place = fileName;
    if (const auto line = lineOf(text, e.path))
        place += ", line " + std::to_string(*line);
    if (!e.path.empty())
        place += ", key \"" + core::excerpt(pathText(e.path)) + "\"";
    return place + ": " + e.what;
}

} // namespace

std::string writeProject(const Project& project) {
    ojson root = ojson::object();
    root["format"] = kFormat;
    root["version"] = kVersion;
    for (int module = 1; module <= 3; ++module)
        if (const auto& state = project.module(module))
            root[kModuleKeys[module - 1]] = moduleJson(*state, module);
    return root.dump(2, ' ', false, ojson::error_handler_t::replace) + "\n";
}

ReadResult readProject(std::string_view text, const std::string& fileName) {
    JsonText read = readJson(text);
    if (const auto& fault = read.fault) {
        if (fault->kind != JsonFault::Kind::Syntax)
            return {std::nullopt, fileName + ", " + fault->place() + ": " + fault->what};
        const std::size_t offset = fault->offset;
        const bool cut = offset >= text.size() || text.find_first_not_of(" \t\r\n", offset) == std::string_view::npos;
        return {std::nullopt, fileName + ", " + fault->place() + ": " +
                                  (cut ? "the file ends too early (cut off?)" : "not JSON") + " (" + fault->what + ")"};
    }
    const json root = std::move(read.value);
    try {
        Project project = readDocument(root);
        for (int module = 1; module <= 3; ++module) {
            const auto& state = project.module(module);
            if (!state)
                continue;
            if (module == 1)
                checkRebuild<module1::Session>(*state, 1);
            else if (module == 2)
                checkRebuild<module2::Session>(*state, 2);
            else
                checkRebuild<module3::Session>(*state, 3);
        }
        return {std::move(project), {}};
    } catch (const ProjectError& e) {
        return {std::nullopt, readError(text, fileName, e)};
    } catch (const std::exception& e) {
        return {std::nullopt, fileName + ": " + e.what()};
    }
}

ReadResult loadProject(const std::filesystem::path& path) {
    const core::InputText input = core::readInputFile(path);
    if (!input.ok())
        return {std::nullopt, core::pathToUtf8(path) + ": cannot be read (" + input.problem + ")"};
    return readProject(input.text, core::pathToUtf8(path.filename()));
}

core::WriteResult saveProject(const Project& project, const std::filesystem::path& path) {
    const std::string text = writeProject(project);
    core::SafeFileWriter writer(path);
    if (writer.append(text))
        writer.commit();
    return writer.result();
}

ModuleState capture(const module1::Session& session) { return captureSession(session); }
ModuleState capture(const module3::Session& session) { return captureSession(session); }
ModuleState capture(const module2::Session& session) { return captureSession(session); }

std::map<int, std::vector<std::string>> optionRows(const optimise::OptionTable& table) {
    const optimise::OptionTable fresh(table.module());
    std::map<int, std::vector<std::string>> rows;
    for (int row = 0; row < table.rowCount(); ++row) {
        const std::vector<int> columns = editableColumns(table.module(), row);
        bool changed = false;
        std::vector<std::string> cells;
        for (int column : columns) {
            cells.push_back(table.cell(row, column));
            changed = changed || table.cell(row, column) != fresh.cell(row, column);
        }
        if (changed)
            rows[row] = std::move(cells);
    }
    return rows;
}

void restore(module1::Session& session, const ModuleState& state,
             const std::function<void(const module1::Outcome&)>& each) {
    rebuild(session, state, each);
}
void restore(module3::Session& session, const ModuleState& state,
             const std::function<void(const module3::Outcome&)>& each) {
    rebuild(session, state, each);
}
void restore(module2::Session& session, const ModuleState& state,
             const std::function<void(const module2::Outcome&)>& each) {
    rebuild(session, state, each);
}

void restoreOptions(optimise::OptimisePage& page, const std::map<int, std::vector<std::string>>& rows) {
    for (const auto& [row, cells] : rows) {
        const std::vector<int> columns = editableColumns(page.module(), row);
        for (std::size_t k = 0; k < cells.size() && k < columns.size(); ++k)
            page.editCell(row, columns[k], cells[k]);
    }
}

} // namespace sp::project
