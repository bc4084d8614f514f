#include "project/pileinputs.h"

#include "module1/module1form.h"
#include "module1/module1session.h"
#include "module2/module2form.h"
#include "module3/module3form.h"
#include "module3/module3session.h"

#include <utility>

namespace sp::project {

using nlohmann::json;
using ojson = nlohmann::ordered_json;

namespace {

std::string listed(const std::vector<std::string>& items) {
    std::string out;
    for (const auto& item : items)
        out += (out.empty() ? "" : ", ") + item;
    return out;
}

const std::vector<std::string>& precisionItems() {
    static const std::vector<std::string> items = [] {
        std::vector<std::string> list;
        for (int k = 0; k <= 4; ++k)
            list.push_back(core::precisionItem(static_cast<core::Precision>(k)));
        return list;
    }();
    return items;
}

// Keys of the edit fields, by control name, in the order a pile is written.
const std::pair<const char*, const char*> kTextKeys[] = {{"d", module1::kFieldD},
                                                         {"c", module1::kFieldC},
                                                         {"hr", module1::kFieldHr},
                                                         {"frk", module1::kFieldFrk},
                                                         {"integrity", module1::kFieldIntegrity}};

const char* textField(const std::string& key) {
    for (const auto& [name, field] : kTextKeys)
        if (key == name)
            return field;
    return nullptr;
}

// The layer cells by key, in grid order.
template <class Layer> auto layerCells(Layer& t) {
    return std::array<std::pair<const char*, decltype(&t.lr)>, 9>{{{"lr", &t.lr},
                                                                    {"weathering", &t.weathering},
                                                                    {"integrity", &t.integrity},
                                                                    {"kv", &t.kv},
                                                                    {"frk", &t.frk},
                                                                    {"c1", &t.c1},
                                                                    {"c2", &t.c2},
                                                                    {"qpk", &t.qpk},
                                                                    {"qsrk", &t.qsrk}}};
}

std::vector<module2::LayerTexts> layersOf(const json& value) {
    if (!value.is_array())
        throw InputError("layers", std::string("expected a JSON array, got ") + value.type_name());
    if (value.empty() || value.size() > static_cast<std::size_t>(module2::kMaxLayers))
        throw InputError("layers", "a pile has 1 to 9 layers, got " + std::to_string(value.size()));
    std::vector<module2::LayerTexts> layers;
    int number = 0;
    for (const json& layer : value) {
        ++number;
        const std::string at = "layers[" + std::to_string(number) + "]";
        if (!layer.is_object())
            throw InputError(at, std::string("expected a JSON object, got ") + layer.type_name());
        module2::LayerTexts texts; // a key left out is an empty cell
        auto cells = layerCells(texts);
        for (const auto& [key, cell] : layer.items()) {
            std::string* slot = nullptr;
            for (const auto& [name, target] : cells)
                if (key == name)
                    slot = target;
            if (!slot)
                throw InputError(at + "." + key, "unknown key for a layer");
            *slot = textOf(cell, at + "." + key);
        }
        layers.push_back(texts);
    }
    return layers;
}

const std::string& itemText(const std::vector<std::string>& items, int position) {
    static const std::string none;
    return position >= 0 && position < static_cast<int>(items.size()) ? items[static_cast<std::size_t>(position)] : none;
}

} // namespace

const std::string& textOf(const json& value, const std::string& key) {
    if (!value.is_string())
        throw InputError(key, std::string("expected a JSON string, got ") + value.type_name());
    return value.get_ref<const std::string&>();
}

int itemPosition(const json& value, const std::string& key, const std::vector<std::string>& items) {
    const std::string& text = textOf(value, key);
    for (std::size_t k = 0; k < items.size(); ++k)
        if (items[k] == text)
            return static_cast<int>(k);
    throw InputError(key, "\"" + core::excerpt(text) + "\" is not an item of the list (" + listed(items) + ")");
}

core::Precision precisionOf(const json& value, const std::string& key) {
    return static_cast<core::Precision>(itemPosition(value, key, precisionItems()));
}

bool flagOf(const json& value, const std::string& key) {
    if (!value.is_boolean())
        throw InputError(key, std::string("expected true or false, got ") + value.type_name());
    return value.get<bool>();
}

PileInputs readPileInputs(const json& pile, int module) {
    PileInputs inputs;
    for (const auto& [key, value] : pile.items()) {
        if (module == 2) {
            if (key == "strengthBasis") {
                inputs.strengthBasis = itemPosition(value, key, module2::strengthBasisItems());
                continue;
            }
            if (key == "coefficientMode") {
                inputs.coefficientMode = itemPosition(value, key, module2::coefficientModeItems());
                continue;
            }
            if (key == "interpolationBasis") {
                inputs.interpolationBasis = itemPosition(value, key, module2::integrityBasisItems());
                continue;
            }
            if (key == "groundwater" || key == "softRock") {
                (key == "groundwater" ? inputs.groundwater : inputs.softRock) = flagOf(value, key);
                continue;
            }
            if (key == "layers") {
                inputs.layers = layersOf(value);
                continue;
            }
            if (key != "section" && key != "d" && key != "c" && key != "precision")
                throw InputError(key, "unknown key for module 2");
        }
        if (key == "section") {
            inputs.section =
                static_cast<core::SectionType>(itemPosition(value, key, module1::sectionItems()) + 1);
        } else if (key == "grade") {
            inputs.grade = itemPosition(value, key, module1::gradeItems());
        } else if (key == "process") {
            inputs.process = itemPosition(value, key, module1::processItems());
        } else if (key == "precision") {
            inputs.precision = precisionOf(value, key);
        } else if (key == "method" && module == 3) {
            inputs.method = itemPosition(value, key, module3::methodItems());
        } else if (const char* field = textField(key)) {
            inputs.texts[field] = textOf(value, key);
        } else {
            throw InputError(key, "unknown key for module " + std::to_string(module));
        }
    }
    return inputs;
}

ojson pileInputsJson(const PileInputs& inputs, int module) {
    ojson pile = ojson::object();
    pile["section"] = itemText(module1::sectionItems(), static_cast<int>(inputs.section) - 1);
    for (const auto& [key, field] : kTextKeys) {
        if (module == 2 && std::string(key) != "d" && std::string(key) != "c")
            continue;
        if (const auto text = inputs.texts.find(field); text != inputs.texts.end())
            pile[key] = text->second;
    }
    if (module == 2) {
        if (inputs.strengthBasis)
            pile["strengthBasis"] = itemText(module2::strengthBasisItems(), *inputs.strengthBasis);
        if (inputs.coefficientMode)
            pile["coefficientMode"] = itemText(module2::coefficientModeItems(), *inputs.coefficientMode);
        if (inputs.interpolationBasis)
            pile["interpolationBasis"] = itemText(module2::integrityBasisItems(), *inputs.interpolationBasis);
        if (inputs.groundwater)
            pile["groundwater"] = *inputs.groundwater;
        if (inputs.softRock)
            pile["softRock"] = *inputs.softRock;
        if (inputs.layers) {
            ojson layers = ojson::array();
            for (const module2::LayerTexts& layer : *inputs.layers) {
                ojson cells = ojson::object();
                for (const auto& [key, text] : layerCells(layer))
                    cells[key] = *text;
                layers.push_back(std::move(cells));
            }
            pile["layers"] = std::move(layers);
        }
    } else {
        if (inputs.grade)
            pile["grade"] = itemText(module1::gradeItems(), *inputs.grade);
        if (inputs.process)
            pile["process"] = itemText(module1::processItems(), *inputs.process);
        if (module == 3 && inputs.method)
            pile["method"] = itemText(module3::methodItems(), *inputs.method);
    }
    if (inputs.precision)
        pile["precision"] = core::precisionItem(*inputs.precision);
    return pile;
}

namespace {

void chooseMethod(module1::Session&, const PileInputs&) {}
void chooseMethod(module3::Session& session, const PileInputs& pile) {
    session.chooseMethod(static_cast<module3::DeqMethod>(pile.method.value_or(0)));
}

template <class Session> void enterOneLayer(Session& session, const PileInputs& pile, core::Precision fallback) {
    session.chooseSection(pile.section);
    const module1::SectionSetup setup = module1::sectionSetup(pile.section);
    const std::pair<const char*, std::string> defaults[] = {
        {module1::kFieldD, "1000"},
        {module1::kFieldC, setup.secondText},
        {module1::kFieldHr, setup.depthText},
        {module1::kFieldFrk, "25"},
        {module1::kFieldIntegrity, "较完整"},
    };
    for (const auto& [field, fallbackText] : defaults) {
        const auto given = pile.texts.find(field);
        session.setFieldText(field, given != pile.texts.end() ? given->second : fallbackText);
        if (std::string(field) == module1::kFieldHr) {
            session.chooseGrade(pile.grade.value_or(core::kDefaultGrade));
            session.chooseProcess(pile.process.value_or(core::kDefaultProcess));
            chooseMethod(session, pile);
        }
    }
    session.choosePrecision(pile.precision.value_or(fallback));
}

PileInputs oneLayerInputs(const module1::Inputs& in) {
    PileInputs pile;
    pile.section = in.section;
    pile.texts = {{module1::kFieldD, in.d},
                  {module1::kFieldC, in.c},
                  {module1::kFieldHr, in.hr},
                  {module1::kFieldFrk, in.frk},
                  {module1::kFieldIntegrity, in.integrity}};
    pile.grade = in.grade;
    pile.process = in.process;
    pile.precision = in.precision;
    return pile;
}

template <class Session> auto computeRecorded(Session& session, const core::Moment& moment, bool intoPages) {
    const int before = session.documents().pileRegister().count();
    const PileInputs entered = currentInputs(session);
    auto outcome = session.compute(moment, intoPages);
    // The record feeds a project and the book's figures; documents that take no hand-in want none.
    if (session.documents().pileRegister().count() > before && session.documents().wanted().handIn) {
        session.documents().recordLast(pileInputsJson(entered, moduleOf(session)).dump());
    }
    return outcome;
}

} // namespace

void enter(module1::Session& session, const PileInputs& inputs, core::Precision fallback) {
    enterOneLayer(session, inputs, fallback);
}

void enter(module3::Session& session, const PileInputs& inputs, core::Precision fallback) {
    enterOneLayer(session, inputs, fallback);
}

void enter(module2::Session& session, const PileInputs& pile, core::Precision fallback) {
    using namespace module2;
    session.chooseSection(pile.section);
    session.setFieldText(kFieldD, pile.texts.count(kFieldD) ? pile.texts.at(kFieldD) : "1000");
    session.setFieldText(kFieldC,
                         pile.texts.count(kFieldC) ? pile.texts.at(kFieldC) : sectionSetup(pile.section).secondText);
    session.chooseStrengthBasis(static_cast<StrengthBasis>(pile.strengthBasis.value_or(1)));
    session.chooseCoefficientMode(static_cast<CoefficientMode>(pile.coefficientMode.value_or(1)));
    session.chooseIntegrityBasis(static_cast<IntegrityBasis>(pile.interpolationBasis.value_or(0) + 1));
    session.setGroundwater(pile.groundwater.value_or(true));
    session.setSoftRock(pile.softRock.value_or(false));
    session.enterLayers(pile.layers.value_or(std::vector<LayerTexts>{defaultLayer()}));
    session.choosePrecision(pile.precision.value_or(fallback));
}

PileInputs currentInputs(const module1::Session& session) { return oneLayerInputs(session.inputs()); }

PileInputs currentInputs(const module3::Session& session) {
    const module3::Inputs in = session.inputs();
    PileInputs pile = oneLayerInputs(in);
    pile.method = static_cast<int>(in.method);
    return pile;
}

PileInputs currentInputs(const module2::Session& session) {
    using namespace module2;
    const Inputs& in = session.inputs();
    PileInputs pile;
    pile.section = in.section;
    pile.texts = {{kFieldD, in.d}, {kFieldC, in.c}};
    pile.strengthBasis = static_cast<int>(in.settings.strengthBasis);
    pile.coefficientMode = static_cast<int>(in.settings.mode);
    pile.interpolationBasis = static_cast<int>(in.settings.integrityBasis) - 1;
    pile.groundwater = in.settings.groundwater;
    pile.softRock = in.settings.softRock;
    std::vector<LayerTexts> layers;
    for (int layer = 1; layer <= in.grid.layerCount(); ++layer) {
        LayerTexts t;
        t.lr = in.grid.cell(layer, kColLr);
        t.weathering = in.grid.cell(layer, kColWeathering);
        t.integrity = in.grid.cell(layer, kColIntegrity);
        t.kv = in.grid.cell(layer, kColKv);
        t.frk = in.grid.cell(layer, kColFrk);
        t.c1 = in.grid.cell(layer, kColC1);
        t.c2 = in.grid.cell(layer, kColC2);
        t.qpk = in.grid.cell(layer, kColQpk);
        t.qsrk = in.grid.cell(layer, kColQsrk);
        layers.push_back(std::move(t));
    }
    pile.layers = std::move(layers);
    pile.precision = in.precision;
    return pile;
}

module1::Outcome computePile(module1::Session& session, const core::Moment& moment, bool intoPages) {
    return computeRecorded(session, moment, intoPages);
}

module3::Outcome computePile(module3::Session& session, const core::Moment& moment, bool intoPages) {
    return computeRecorded(session, moment, intoPages);
}

module2::Outcome computePile(module2::Session& session, const core::Moment& moment, bool intoPages) {
    return computeRecorded(session, moment, intoPages);
}

} // namespace sp::project
