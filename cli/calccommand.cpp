#include "calccommand.h"

#include "core/outcome.h"
#include "core/tables.h"
#include "core/textfile.h"
#include "module1/module1form.h"
#include "module1/module1reports.h"
#include "module1/module1session.h"
#include "module2/module2form.h"
#include "module2/module2session.h"
#include "module3/module3form.h"
#include "module3/module3session.h"
#include "report/handinassembly.h"
#include "bookoutput.h"
#include "jsoninput.h"
#include "tableoutput.h"
#include "usageerror.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>

namespace sp::cli {

using nlohmann::json;
using ojson = nlohmann::ordered_json;

namespace {

// One pile as the document gives it; what is left out takes the field's default.
struct PileRequest {
    core::SectionType section = core::SectionType::Round;
    std::map<std::string, std::string> texts; // by control name
    std::optional<int> grade;
    std::optional<int> process;
    std::optional<core::Precision> precision;
    std::optional<int> method; // module 3
    // Module 2's rock group box.
    std::optional<int> strengthBasis;
    std::optional<int> coefficientMode;
    std::optional<int> interpolationBasis;
    std::optional<bool> groundwater;
    std::optional<bool> softRock;
    std::optional<std::vector<module2::LayerTexts>> layers;
};

struct CalcRequest {
    int module = 1;
    core::Precision precision = core::kDefaultPrecision;
    std::vector<PileRequest> piles;
    handin::TitleBlock book; // the title block of the PDF book
};

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

const std::map<std::string, std::string>& textKeys() {
    static const std::map<std::string, std::string> keys = {
        {"d", module1::kFieldD},       {"c", module1::kFieldC},   {"hr", module1::kFieldHr},
        {"frk", module1::kFieldFrk}, {"integrity", module1::kFieldIntegrity}};
    return keys;
}

bool flagOf(const json& value, int pile, const std::string& key) {
    if (!value.is_boolean())
        throw UsageError(where(pile, key) + ": expected true or false, got " + value.type_name());
    return value.get<bool>();
}

std::vector<module2::LayerTexts> layersOf(const json& value, int pile) {
    if (!value.is_array())
        throw UsageError(where(pile, "layers") + ": expected a JSON array, got " + value.type_name());
    if (value.empty() || value.size() > static_cast<std::size_t>(module2::kMaxLayers))
        throw UsageError(where(pile, "layers") + ": a pile has 1 to 9 layers, got " + std::to_string(value.size()));
    std::vector<module2::LayerTexts> layers;
    int number = 0;
    for (const json& layer : value) {
        ++number;
        const std::string at = "layers[" + std::to_string(number) + "]";
        if (!layer.is_object())
            throw UsageError(where(pile, at) + ": expected a JSON object, got " + layer.type_name());
        module2::LayerTexts texts; // a key left out is an empty cell
        const std::pair<const char*, std::string*> cells[] = {
            {"lr", &texts.lr}, {"weathering", &texts.weathering}, {"integrity", &texts.integrity},
            {"kv", &texts.kv}, {"frk", &texts.frk},               {"c1", &texts.c1},
            {"c2", &texts.c2}, {"qpk", &texts.qpk},               {"qsrk", &texts.qsrk}};
        for (const auto& [key, cell] : layer.items()) {
            std::string* slot = nullptr;
            for (const auto& [name, target] : cells)
                if (key == name)
                    slot = target;
            if (!slot)
                throw UsageError(where(pile, at + "." + key) + ": unknown key for a layer");
            *slot = textOf(cell, pile, at + "." + key);
        }
        layers.push_back(texts);
    }
    return layers;
}

PileRequest readPile(const json& pile, int number, int module) {
    if (!pile.is_object())
        throw UsageError("pile " + std::to_string(number) + ": expected a JSON object, got " + pile.type_name());
    PileRequest request;
    for (const auto& [key, value] : pile.items()) {
        if (module == 2) {
            if (key == "strengthBasis") {
                request.strengthBasis = itemPosition(value, number, key, module2::strengthBasisItems());
                continue;
            }
            if (key == "coefficientMode") {
                request.coefficientMode = itemPosition(value, number, key, module2::coefficientModeItems());
                continue;
            }
            if (key == "interpolationBasis") {
                request.interpolationBasis = itemPosition(value, number, key, module2::integrityBasisItems());
                continue;
            }
            if (key == "groundwater" || key == "softRock") {
                (key == "groundwater" ? request.groundwater : request.softRock) = flagOf(value, number, key);
                continue;
            }
            if (key == "layers") {
                request.layers = layersOf(value, number);
                continue;
            }
            if (key != "section" && key != "d" && key != "c" && key != "precision")
                throw UsageError(where(number, key) + ": unknown key for module 2");
        }
        if (key == "section") {
            request.section = static_cast<core::SectionType>(itemPosition(value, number, key, module1::sectionItems()) + 1);
        } else if (key == "grade") {
            request.grade = itemPosition(value, number, key, module1::gradeItems());
        } else if (key == "process") {
            request.process = itemPosition(value, number, key, module1::processItems());
        } else if (key == "precision") {
            request.precision = precisionOf(value, number);
        } else if (key == "method" && module == 3) {
            request.method = itemPosition(value, number, key, module3::methodItems());
        } else if (const auto field = textKeys().find(key); field != textKeys().end()) {
            request.texts[field->second] = textOf(value, number, key);
        } else {
            throw UsageError(where(number, key) + ": unknown key for module " + std::to_string(module));
        }
    }
    return request;
}

CalcRequest readRequest(const std::string& document) {
    const json root = parseDocument(document);
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
            for (const auto& item : value)
                request.piles.push_back(readPile(item, ++pile, request.module));
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
        ojson boxes = ojson::object();
        for (const auto& [name, text] : outcome.boxes)
            boxes[name] = text;
        line["boxes"] = boxes;
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

void enterPile(module2::Session& session, const PileRequest& pile, core::Precision precision) {
    using namespace module2;
    session.chooseSection(pile.section);
    session.setFieldText(kFieldD, pile.texts.count(kFieldD) ? pile.texts.at(kFieldD) : "1000");
    session.setFieldText(kFieldC, pile.texts.count(kFieldC) ? pile.texts.at(kFieldC) : sectionSetup(pile.section).secondText);
    session.chooseStrengthBasis(static_cast<StrengthBasis>(pile.strengthBasis.value_or(1)));
    session.chooseCoefficientMode(static_cast<CoefficientMode>(pile.coefficientMode.value_or(1)));
    session.chooseIntegrityBasis(static_cast<IntegrityBasis>(pile.interpolationBasis.value_or(0) + 1));
    session.setGroundwater(pile.groundwater.value_or(true));
    session.setSoftRock(pile.softRock.value_or(false));
    session.enterLayers(pile.layers.value_or(std::vector<LayerTexts>{defaultLayer()}));
    session.choosePrecision(pile.precision.value_or(precision));
}

void chooseMethod(module1::Session&, const PileRequest&) {}
void chooseMethod(module3::Session& session, const PileRequest& pile) {
    session.chooseMethod(static_cast<module3::DeqMethod>(pile.method.value_or(0)));
}

template <class Session> void enterPile(Session& session, const PileRequest& pile, core::Precision precision) {
    session.chooseSection(pile.section);
    const module1::SectionSetup setup = module1::sectionSetup(pile.section);
    const std::pair<const char*, std::string> defaults[] = {
        {module1::kFieldD, "1000"},
        {module1::kFieldC, setup.secondText},
        {module1::kFieldHr, setup.depthText},
        {module1::kFieldFrk, "25"},
        {module1::kFieldIntegrity, "较完整"},
    };
    for (const auto& [field, fallback] : defaults) {
        const auto given = pile.texts.find(field);
        session.setFieldText(field, given != pile.texts.end() ? given->second : fallback);
        if (std::string(field) == module1::kFieldHr) {
            session.chooseGrade(pile.grade.value_or(core::kDefaultGrade));
            session.chooseProcess(pile.process.value_or(core::kDefaultProcess));
            chooseMethod(session, pile);
        }
    }
    session.choosePrecision(pile.precision.value_or(precision));
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

// What "保存" writes from both pages, when a pile succeeded.
int writePages(const report::ReportDocuments& documents, const CalcOptions& options, std::ostream& err) {
    if (options.outDir.empty() || documents.pileRegister().count() == 0)
        return 0;
    const std::filesystem::path dir(options.outDir);
    const std::pair<const char*, report::Page> files[] = {{report::kBookFileName, report::Page::Book},
                                                         {report::kTableFileName, report::Page::Table}};
    for (const auto& [name, page] : files) {
        const core::WriteResult written = core::writePage(dir / name, documents.page(page));
        if (!written.ok) {
            err << "socketpile-cli: cannot write " << written.path << ": " << written.reason << "\n";
            return 1;
        }
    }
    return 0;
}

template <class Session>
int runPiles(const CalcRequest& request, const CalcOptions& options, std::ostream& out, std::ostream& err) {
    Session session;
    int pile = 0;
    for (const PileRequest& item : request.piles) {
        enterPile(session, item, request.precision);
        const auto outcome = session.compute(options.now.value_or(core::nowLocal()));
        out << pileJson(++pile, outcome, session).dump(-1, ' ', false) << "\n";
    }
    out.flush();

    const int pages = writePages(session.documents(), options, err);
    return std::max(pages, writeHandIn(session.documents(), request, options, err));
}

} // namespace

int runCalc(const std::string& document, const CalcOptions& options, std::ostream& out, std::ostream& err) {
    const CalcRequest request = readRequest(document);
    if (request.module == 2)
        return runPiles<module2::Session>(request, options, out, err);
    if (request.module == 3)
        return runPiles<module3::Session>(request, options, out, err);
    return runPiles<module1::Session>(request, options, out, err);
}

} // namespace sp::cli
