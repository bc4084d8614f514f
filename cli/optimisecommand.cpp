#include "optimisecommand.h"

#include "outputfiles.h"
#include "tableoutput.h"

#include "core/outcome.h"
#include "core/platform.h"
#include "jsoninput.h"
#include "optimise/optimisepage.h"
#include "usageerror.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <ostream>
#include <utility>
#include <vector>

namespace sp::cli {

using nlohmann::json;
using ojson = nlohmann::ordered_json;

namespace {

enum class Action { SortD, SortRa, SortRc, Filter };

struct ActionName {
    const char* name;
    Action action;
};
constexpr ActionName kActions[] = {
    {"sort:d", Action::SortD}, {"sort:ra", Action::SortRa}, {"sort:rc", Action::SortRc}, {"filter", Action::Filter}};

const char* nameOf(Action action) {
    for (const auto& a : kActions)
        if (a.action == action)
            return a.name;
    return "";
}

struct RowEdit {
    int row = 0;
    std::vector<std::string> cells; // from the minimum (the lower bound) on
};

struct OptimiseRequest {
    int module = 1;
    optimise::RunContext context; // the input layer's check boxes (module 2)
    core::Precision precision = core::kDefaultPrecision;
    std::vector<RowEdit> rows;
    std::vector<Action> actions;
};

// The cells of a row the engineer can type into: min, max, step of rows 0-12, lower and upper of
// the filter rows, none of the blank row 13.
int editableCells(optimise::ModuleKind module, int row) {
    int cells = 0;
    for (int column = optimise::kColMin; column <= optimise::kColStep; ++column)
        if (optimise::OptionTable::makesEditable(module, row, column))
            ++cells;
    return cells;
}

RowEdit rowOf(optimise::ModuleKind module, const std::string& key, const json& value) {
    const std::string at = "rows." + key;
    const int rows = optimise::OptionTable(module).rowCount();
    int row = -1;
    std::string editableRows;
    for (int r = 0; r < rows; ++r) {
        if (editableCells(module, r) == 0)
            continue;
        editableRows += (editableRows.empty() ? "\"" : ", \"") + std::to_string(r) + "\"";
        if (key == std::to_string(r))
            row = r;
    }
    if (row < 0)
        throw UsageError(where(0, at) + ": not a row of the option table that can be edited (" + editableRows + ")");
    if (!value.is_array())
        throw UsageError(where(0, at) + ": expected a JSON array of cell texts, got " + value.type_name());
    const auto expected = static_cast<std::size_t>(editableCells(module, row));
    if (value.size() != expected)
        throw UsageError(where(0, at) + ": expected " + std::to_string(expected) + " cell texts (" +
                         (expected == 3 ? "min, max, step" : "lower, upper") + "), got " + std::to_string(value.size()));
    RowEdit edit;
    edit.row = row;
    for (std::size_t k = 0; k < value.size(); ++k)
        edit.cells.push_back(textOf(value[k], 0, at + "[" + std::to_string(k + 1) + "]"));
    return edit;
}

// Module 2's two check boxes apply to every candidate; modules 1 and 3 have none a run would use.
void readInputs(const json& value, int module, optimise::RunContext& context) {
    if (!value.is_object())
        throw UsageError(where(0, "inputs") + ": expected a JSON object, got " + value.type_name());
    for (const auto& [key, flag] : value.items()) {
        if (module != 2 || (key != "groundwater" && key != "softRock"))
            throw UsageError(where(0, "inputs." + key) + ": unknown key for module " + std::to_string(module));
        if (!flag.is_boolean())
            throw UsageError(where(0, "inputs." + key) + ": expected true or false, got " + flag.type_name());
        (key == "groundwater" ? context.groundwater : context.softRock) = flag.get<bool>();
    }
}

Action actionOf(const json& value, std::size_t number) {
    const std::string at = "actions[" + std::to_string(number) + "]";
    const std::string& text = textOf(value, 0, at);
    for (const auto& a : kActions)
        if (text == a.name)
            return a.action;
    throw UsageError(where(0, at) + ": \"" + core::excerpt(text) + "\" is not an action (sort:d, sort:ra, sort:rc, filter)");
}

OptimiseRequest readRequest(const std::string& document) {
    const json root = parseDocument(document);
    OptimiseRequest request;
    request.module = moduleOf(root);
    const auto module = static_cast<optimise::ModuleKind>(request.module);
    for (const auto& [key, value] : root.items()) {
        if (key == "module")
            continue;
        if (key == "precision") {
            request.precision = precisionOf(value, 0);
        } else if (key == "rows") {
            if (!value.is_object())
                throw UsageError(where(0, key) + ": expected a JSON object, got " + value.type_name());
            for (const auto& [row, cells] : value.items())
                request.rows.push_back(rowOf(module, row, cells));
        } else if (key == "inputs") {
            readInputs(value, request.module, request.context);
        } else if (key == "actions") {
            if (!value.is_array())
                throw UsageError(where(0, key) + ": expected a JSON array, got " + value.type_name());
            for (std::size_t k = 0; k < value.size(); ++k)
                request.actions.push_back(actionOf(value[k], k + 1));
        } else {
            throw UsageError(where(0, key) + ": unknown key");
        }
    }
    return request;
}

// What every line shows of the page after a step.
ojson pageLine(const char* action, const optimise::OptimisePage& page) {
    ojson line;
    line["action"] = action;
    line["status"] = page.status().text;
    line["color"] = core::colourText(page.status().colour);
    line["visible"] = page.visible() == optimise::VisibleTable::Candidates ? "candidates" : "filtered";
    line["rows"] = page.visibleTable().rowCount();
    return line;
}

// The module's key columns (module 2 has no Rc).
ojson keyHeaders(const optimise::ResultTable& table) {
    ojson headers = ojson::array();
    for (const auto key : {optimise::SortKey::D, optimise::SortKey::Ra, optimise::SortKey::Rc})
        if (optimise::hasSortKey(table.module(), key))
            headers.push_back(table.header(optimise::columnOfSortKey(key)));
    return headers;
}

// The message line of the input layer of a fresh window once the run has written into it.
std::string inputMessage(const optimise::Enumeration& run) {
    core::StatusLine line;
    run.inputLayer().status.applyTo(line);
    return line.text;
}

void print(const ojson& line, const optimise::OptimisePage& page, bool rows, std::ostream& out) {
    out << line.dump(-1, ' ', false) << "\n";
    if (!rows)
        return;
    const optimise::ResultTable& table = page.visibleTable();
    for (std::size_t row = 0; row < table.rowCount(); ++row)
        out << ojson(table.cells(row)).dump(-1, ' ', false) << "\n";
}

} // namespace

int runOptimise(const std::string& document, const OptimiseOptions& options, bool rows, std::ostream& out,
                std::ostream& err) {
    const OptimiseRequest request = readRequest(document);

    optimise::OptimisePage page(static_cast<optimise::ModuleKind>(request.module));
    page.setRunContext(request.context);
    for (const RowEdit& edit : request.rows)
        for (std::size_t k = 0; k < edit.cells.size(); ++k)
            page.editCell(edit.row, optimise::kColMin + static_cast<int>(k), edit.cells[k]);

    // A cell that is not a number ends the run with the conversion-error message box. Once it is
    // closed the page is usable as before, so the actions that follow are still done, as they are
    // after a run that a check or a candidate stopped.
    const optimise::OptimisePage::RunStart start = page.run(request.precision);
    ojson line = pageLine("run", page);
    if (start.error && start.error->kind == optimise::OptionError::Kind::Conversion) {
        line["kind"] = "conversion";
        line["message"] = start.error->message;
    } else if (start.run && start.run->end() == optimise::RunEnd::Stopped) {
        line["inputMessage"] = inputMessage(*start.run);
    }
    print(line, page, rows, out);

    for (const Action action : request.actions) {
        std::optional<std::string> problem;
        switch (action) {
        case Action::Filter:
            // "筛选" can only be pressed while it is enabled; pressing it otherwise does nothing,
            // and the line shows the page as it stands. The headers take clicks at any time.
            if (page.filterEnabled())
                problem = page.filter();
            break;
        case Action::SortD:
            problem = page.headerClick(optimise::columnOfSortKey(optimise::SortKey::D));
            break;
        case Action::SortRa:
            problem = page.headerClick(optimise::columnOfSortKey(optimise::SortKey::Ra));
            break;
        case Action::SortRc:
            problem = page.headerClick(optimise::columnOfSortKey(optimise::SortKey::Rc));
            break;
        }
        line = pageLine(nameOf(action), page);
        line["headers"] = keyHeaders(std::as_const(page).visibleTable());
        if (problem) {
            line["kind"] = "conversion";
            line["message"] = *problem;
        }
        print(line, page, rows, out);
    }
    out.flush();

    // "存盘" as it stands after the last action: nothing when it is disabled or the table is empty.
    const bool saves = !options.outDir.empty() && page.saveEnabled() && page.saveChoice();
    if (saves && makeFolder(options.outDir, err) != 0)
        return 1;
    // The run's files are one set: written while the run holds the locks of their folders.
    const core::FolderLocks locks(outputFolders(options));
    if (const int status = writeResultTable(page, options, err); status != 0)
        return status;
    if (!saves)
        return 0;
    const std::optional<core::WriteResult> written =
        page.save(core::pathFromUtf8(options.outDir), options.now.value_or(core::nowLocal()));
    return written ? reported(*written, err) : 0;
}

} // namespace sp::cli
