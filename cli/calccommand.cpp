#include "calccommand.h"

#include "core/outcome.h"
#include "core/platform.h"
#include "core/tables.h"
#include "core/textfile.h"
#include "module1/module1form.h"
#include "module1/module1reports.h"
#include "module1/module1session.h"
#include "module2/module2form.h"
#include "module2/module2session.h"
#include "module3/module3form.h"
#include "module3/module3session.h"
#include "project/pileinputs.h"
#include "project/project.h"
#include "report/handinassembly.h"
#include "bookoutput.h"
#include "jsoninput.h"
#include "outputfiles.h"
#include "pagefiles.h"
#include "tableoutput.h"
#include "usageerror.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <utility>

namespace sp::cli {

using nlohmann::json;
using ojson = nlohmann::ordered_json;

namespace {

using PileRequest = project::PileInputs;

// The optional "book" object: the names in the title block of the PDF book.
handin::TitleBlock bookOf(const json& value) {
    if (!value.is_object())
        throw UsageError(where(0, "book") + ": expected a JSON object, got " + value.type_name());
    handin::TitleBlock title;
    const std::pair<const char*, std::string*> keys[] = {{"project", &title.project},
                                                         {"part", &title.part},
                                                         {"calculatedBy", &title.calculatedBy},
                                                         {"checkedBy", &title.checkedBy},
                                                         {"approvedBy", &title.approvedBy}};
    for (const auto& [key, item] : value.items()) {
        std::string* slot = nullptr;
        for (const auto& [name, target] : keys)
            if (key == name)
                slot = target;
        if (!slot)
            throw UsageError(where(0, "book." + key) + ": unknown key for the book");
        *slot = textOf(item, 0, "book." + key);
    }
    return title;
}

PileRequest readPile(const json& pile, int number, int module) {
    if (!pile.is_object())
        throw UsageError("pile " + std::to_string(number) + ": expected a JSON object, got " + pile.type_name());
    try {
        return project::readPileInputs(pile, module);
    } catch (const project::InputError& e) {
        throw UsageError(where(number, e.key()) + ": " + e.what());
    }
}

} // namespace

CalcRequest readCalcRequest(const json& root, const PileExtras& extras) {
    CalcRequest request;
    request.module = moduleOf(root);
    for (const auto& [key, value] : root.items()) {
        if (key == "module")
            continue;
        if (key == "precision") {
            request.precision = precisionOf(value, 0);
        } else if (key == "book") {
            request.book = bookOf(value);
        } else if (key == "piles") {
            if (!value.is_array())
                throw UsageError(where(0, key) + ": expected a JSON array, got " + value.type_name());
            int pile = 0;
            for (const auto& item : value) {
                json inputs = item;
                if (extras && inputs.is_object())
                    extras(inputs, pile + 1);
                request.piles.push_back(readPile(inputs, ++pile, request.module));
            }
        } else {
            throw UsageError(where(0, key) + ": unknown key");
        }
    }
    return request;
}

ojson statusJson(const core::StatusLine& line) {
    ojson status;
    status["text"] = line.text;
    status["color"] = core::colourText(line.colour);
    return status;
}

ojson boxesJson(const std::vector<std::pair<std::string, std::string>>& boxes) {
    ojson object = ojson::object();
    for (const auto& [name, text] : boxes)
        object[name] = text;
    return object;
}

namespace {

// What a module adds to a successful pile's line.
void addModuleKeys(ojson&, const module1::Session&) {}
void addModuleKeys(ojson& line, const module2::Session& session) {
    line["verdict"] = session.verdict();
    ojson layers = ojson::array();
    for (int layer = 1; layer <= session.grid().layerCount(); ++layer) {
        ojson row;
        for (int column = module2::kColC1Used; column < module2::kColumnCount; ++column)
            row[module2::columnName(column)] = session.grid().cell(layer, column);
        layers.push_back(row);
    }
    line["layers"] = layers;
}
void addModuleKeys(ojson& line, const module3::Session& session) {
    line["verdict"] = module3::verdictText(session.verdict());
}

template <class Session, class Outcome> ojson pileJson(int pile, const Outcome& outcome, const Session& session) {
    ojson line;
    line["pile"] = pile;
    line["ok"] = outcome.ok();
    if (outcome.ok()) {
        line["zh"] = report::PileRegister::pileName(session.documents().pileRegister().count());
        line["boxes"] = boxesJson(outcome.boxes);
        line["status"] = statusJson(session.status());
        ojson fields;
        fields["d"] = session.fieldText(module1::kFieldD);
        fields["c"] = session.fieldText(module1::kFieldC);
        line["fields"] = fields;
        addModuleKeys(line, session);
        return line;
    }
    line["kind"] = outcome.kind == core::OutcomeKind::Conversion ? "conversion" : "check";
    line["message"] = outcome.message;
    line["field"] = outcome.field.empty() ? ojson(nullptr) : ojson(outcome.field);
    line["status"] = statusJson(session.status());
    return line;
}

// The documents beside the text pages: the PDF book and the spreadsheet of the pile table. Each
// is tried whatever became of the others, so that one failed file costs only itself.
int writeHandIn(const report::ReportDocuments& documents, const CalcRequest& request, const CalcOptions& options,
                std::ostream& err) {
    int status = 0;
    if (!options.pdfPath.empty()) {
        handin::TitleBlock title = request.book;
        title.date = report::bookDate(options.now.value_or(core::nowLocal()));
        status = std::max(status, writeBookPdf(documents, title, options.pdfPath, err));
    }
    return std::max(status, writePileTable(documents, options, err));
}

} // namespace

int writePages(const report::ReportDocuments& documents, const CommandOptions& options, std::ostream& err) {
    if (options.outDir.empty() || documents.pileRegister().count() == 0)
        return 0;
    if (makeFolder(options.outDir, err) != 0)
        return 1;
    const std::filesystem::path dir = core::pathFromUtf8(options.outDir);
    const core::FolderLocks locks({options.outDir});
    // Both pages or neither: a book without its table (or beside an older one) is no save.
    core::SafeFileWriter book(dir / core::pathFromUtf8(report::kBookFileName));
    core::SafeFileWriter table(dir / core::pathFromUtf8(report::kTableFileName));
    if (book.append(core::encodePage(documents.page(report::Page::Book))) &&
        table.append(core::encodePage(documents.page(report::Page::Table))) && book.commit())
        table.commit();
    return std::max(reported(book.result(), err), book.result().ok ? reported(table.result(), err) : 0);
}

namespace {

// The piles one after another in one window. The documents take only what the files asked for
// need, and the pages go to their files as the piles come, so that a run of many piles needs
// little memory; the files are put in place at the end, under the locks of their folders.
template <class Session>
int runPiles(const CalcRequest& request, const CalcOptions& options, std::ostream& out, std::ostream& err) {
    Session session;
    std::optional<PageFiles> pages;
    if (!options.outDir.empty())
        pages.emplace(options.outDir);
    report::PileParts parts;
    parts.pages = false;
    parts.handIn = !options.pdfPath.empty();
    parts.sheet = !options.xlsxPath.empty() || !options.csvPath.empty();
    session.documents().take(parts, pages ? &*pages : nullptr);
    int pile = 0;
    for (const PileRequest& item : request.piles) {
        project::enter(session, item, request.precision);
        const auto outcome = project::computePile(session, options.now.value_or(core::nowLocal()));
        out << pileJson(++pile, outcome, session).dump(-1, ' ', false) << "\n";
    }
    out.flush();

    const core::FolderLocks locks(outputFolders(options));
    const int written = pages ? pages->finish(err) : 0;
    return std::max(written, writeHandIn(session.documents(), request, options, err));
}

// A project's module: its piles calculated again at their recorded times, one line each with the
// module's number first. Returns what writes its pages, with an output folder, into a folder of
// its own ("module1", …), so that the modules do not overwrite each other's files; nothing when
// there is nothing to write.
template <class Session>
std::function<int()> runProjectModule(const project::ModuleState& state, int module, const CalcOptions& options,
                                      std::ostream& out, std::ostream& err) {
    auto session = std::make_shared<Session>();
    int pile = 0;
    project::restore(*session, state, [&](const auto& outcome) {
        ojson line;
        line["module"] = module;
        const ojson result = pileJson(++pile, outcome, *session);
        for (const auto& [key, value] : result.items())
            line[key] = value;
        out << line.dump(-1, ' ', false, ojson::error_handler_t::replace) << "\n";
    });
    out.flush();
    if (options.outDir.empty() || session->documents().pileRegister().count() == 0)
        return {};
    return [session, module, &options, &err]() {
        CalcOptions moduleOptions = options;
        const std::filesystem::path folder = core::pathFromUtf8(options.outDir) / ("module" + std::to_string(module));
        moduleOptions.outDir = core::pathToUtf8(folder);
        return writePages(session->documents(), moduleOptions, err);
    };
}

int runProject(const std::string& document, const CalcOptions& options, std::ostream& out, std::ostream& err) {
    if (!options.pdfPath.empty() || !options.xlsxPath.empty() || !options.csvPath.empty())
        throw UsageError("--pdf, --xlsx and --csv take the piles of one module; a project's pages are written with --out");
    const project::ReadResult read = project::readProject(document, options.inputName);
    if (!read.project)
        throw UsageError(read.error);
    std::vector<std::function<int()>> writes;
    for (int module = 1; module <= 3; ++module) {
        const auto& state = read.project->module(module);
        if (!state)
            continue;
        std::function<int()> write;
        if (module == 1)
            write = runProjectModule<module1::Session>(*state, 1, options, out, err);
        else if (module == 2)
            write = runProjectModule<module2::Session>(*state, 2, options, out, err);
        else
            write = runProjectModule<module3::Session>(*state, 3, options, out, err);
        if (write)
            writes.push_back(std::move(write));
    }
    if (writes.empty())
        return 0;
    // The modules' pages are one set: written while the run holds the output folder's lock.
    if (makeFolder(options.outDir, err) != 0)
        return 1;
    const core::FolderLocks locks(outputFolders(options));
    int status = 0;
    for (const auto& write : writes)
        status = std::max(status, write());
    return status;
}

// A project file by its name (one by another name is known by its "format" key).
bool hasProjectName(const CalcOptions& options) {
    const std::string& name = options.inputName;
    const std::string extension = project::kExtension;
    return name.size() >= extension.size() &&
           name.compare(name.size() - extension.size(), extension.size(), extension) == 0;
}

} // namespace

int runCalc(const std::string& document, const CalcOptions& options, std::ostream& out, std::ostream& err) {
    if (hasProjectName(options))
        return runProject(document, options, out, err);
    const json root = parseDocument(document); // read once: a document may be large
    if (root.contains("format"))
        return runProject(document, options, out, err);
    const CalcRequest request = readCalcRequest(root);
    if (request.module == 2)
        return runPiles<module2::Session>(request, options, out, err);
    if (request.module == 3)
        return runPiles<module3::Session>(request, options, out, err);
    return runPiles<module1::Session>(request, options, out, err);
}

} // namespace sp::cli
