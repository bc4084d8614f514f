#include "optimise/profiles/module2profile.h"

#include "core/numbers.h"
#include "core/sectioncheck.h"
#include "core/tables.h"
#include "module2/coefficientlookup.h"
#include "module2/module2calc.h"
#include "optimise/options/rowreader.h"
#include "optimise/profiles/writeback.h"
#include "optimise/results/fasttext.h"
#include "optimise/results/recall.h"

#include <algorithm>
#include <cmath>

namespace sp::optimise {

using core::SectionType;

namespace {

std::array<OptionRowTexts, 14> makeRows() {
    const std::span<const OptionRowTexts> one = profileOf(ModuleKind::Module1).optionRows();
    return {{
        one[0],
        one[1],
        one[2],
        one[3],
        one[4],
        one[5],
        one[6],
        one[7],
        {"岩层风化程度", "1", "2", "1", "微风化1/中风化2"},
        {"自动插值依据", "1", "2", "1", "岩体完整程度1/岩体完整性指数2"},
        {"岩体完整程度", "1", "3", "1", "完整1/较完整2/较破碎3/破碎4/极破碎5"},
        {"岩体完整性指数", "0.46", "0.66", "0.10", "取值范围(0.00,1.00]"},
        {"", "", "", "", ""},
        {"筛选 Ra(kN)", "10000", "11000", "", "输入0不起控制作用"},
    }};
}

constexpr FileField kFileFields[] = {
    {kCol2Lr, 6, 4, false},        {kCol2Frk, 6, 4, false}, {kCol2Weathering, 7, 3, false},
    {kCol2Integrity, 8, 2, true},  {kCol2C1, 8, 2, true},   {kCol2C2, 8, 2, true},
    {kCol2Qsrk, 7, 3, false},      {kCol2SideShare, 6, 4, false}, {kCol2Qpk, 7, 3, false},
    {kCol2EndShare, 6, 4, false},  {kCol2Quk, 7, 3, false}, {kColRa, 7, 2, false},
};

// The grid knows no class 破碎 or 极破碎; a candidate of those classes is not for a rock-socketed
// pile at all, and the run stops on it with the message that says so.
constexpr const char* kBrokenRock = "破碎、极破碎岩体不适用嵌岩桩";

// C1 and C2 of one strength, weathering and integrity under the run's settings.
struct Coefficients {
    bool ok = false;
    double c1 = 0.0; // as the calculation uses them
    double c2 = 0.0;
    double c1Cell = 0.0; // as their grid cells read back
    double c2Cell = 0.0;
    std::string c1Text; // the cells as the result table shows them: 3 decimals
    std::string c2Text;
};

// A socket length as the grid cell shows it (FixedText, 10 digits, 2 decimals) and as the
// calculation reads the cell back.
struct SocketLengthCell {
    std::string text;
    double value = 0.0;
};

struct Tables : RunTables {
    std::vector<Coefficients> coefficients;      // by frk, weathering, integrity
    std::vector<SocketLengthCell> socketLengths; // by depth, then reference slot
    std::size_t weatherings = 0;
    std::size_t integrities = 0;
    // The sides a multiple of the depth applies to: diameters, square sides, long and short sides.
    std::size_t squaresAt = 0, longSidesAt = 0, shortSidesAt = 0, referenceSlots = 0;
};

// The socket length, m, for the side a multiple applies to, mm.
double lengthOf(const DepthValue& depth, double reference) {
    return depth.multiple ? depth.value * reference / 1000.0 : depth.value / 1000.0;
}

// The multiple applies to d, to a square's side, and to the shorter side of a rectangle.
double socketLength(const CandidateSpace& space, const CandidateKey& key) {
    double reference = space.firstValue(key).number;
    if (key.kind == SectionType::Rectangular)
        reference = std::min(reference, space.secondValue(key).number);
    return lengthOf(space.depthValue(key), reference);
}

std::size_t referenceSlot(const Tables& t, const CandidateSpace& space, const CandidateKey& key) {
    switch (key.kind) {
    case SectionType::Round:
    case SectionType::Oblong:
        return key.first;
    case SectionType::Square:
        return t.squaresAt + key.first;
    case SectionType::Rectangular:
        // The shorter side, picked as socketLength picks it.
        return space.secondValue(key).number < space.firstValue(key).number ? t.shortSidesAt + key.second
                                                                            : t.longSidesAt + key.first;
    }
    return key.first;
}

const SocketLengthCell& socketLengthCell(const CandidateSpace& space, const CandidateKey& key) {
    const Tables& t = space.tables<Tables>();
    return t.socketLengths[std::size_t{key.depth} * t.referenceSlots + referenceSlot(t, space, key)];
}

const Coefficients& coefficientsOf(const CandidateSpace& space, const CandidateKey& key) {
    const Tables& t = space.tables<Tables>();
    return t.coefficients[(std::size_t{key.frk} * t.weatherings + key.weathering) * t.integrities + key.integrity];
}

const std::string& weatheringText(const CandidateSpace& space, const CandidateKey& key) {
    return module2::weatheringItems()[static_cast<std::size_t>(space.weatherings()[key.weathering])];
}

module2::Settings settingsOf(const IntegrityValue& integrity, const RunContext& context) {
    module2::Settings settings;
    settings.strengthBasis = module2::StrengthBasis::RockStrength;
    settings.mode = module2::CoefficientMode::Automatic;
    settings.integrityBasis =
        integrity.basis == 1 ? module2::IntegrityBasis::ClassName : module2::IntegrityBasis::Index;
    settings.groundwater = context.groundwater;
    settings.softRock = context.softRock;
    return settings;
}

Coefficients lookUp(const FieldValue& frk, int weathering, const IntegrityValue& integrity,
                    const RunContext& context) {
    Coefficients c;
    if (!integrity.valid)
        return c;
    module2::LayerCells cells;
    cells.frk = frk.number;
    cells.weathering = module2::weatheringItems()[static_cast<std::size_t>(weathering)];
    cells.integrity = integrity.text;
    cells.kv = integrity.kv;
    const module2::LayerCoefficients r = module2::determineCoefficients(cells, settingsOf(integrity, context));
    c.ok = r.ok();
    c.c1 = r.c1;
    c.c2 = r.c2;
    c.c1Cell = core::readLenient(core::GeneralText(r.c1));
    c.c2Cell = core::readLenient(core::GeneralText(r.c2));
    c.c1Text = fixedText(c.c1Cell, 10, 3);
    c.c2Text = fixedText(c.c2Cell, 10, 3);
    return c;
}

void makeCoefficients(const CandidateSpace& space, Tables& t) {
    t.weatherings = space.weatherings().size();
    t.integrities = space.integrities().size();
    t.coefficients.reserve(space.strengths().size() * t.weatherings * t.integrities);
    for (const FieldValue& frk : space.strengths())
        for (int w : space.weatherings())
            for (const IntegrityValue& integrity : space.integrities())
                t.coefficients.push_back(lookUp(frk, w, integrity, space.context()));
}

// Every socket length a run can write, made by the arithmetic of socketLength for each depth and
// reference side, so that its text and the figure read back are those of every candidate with them.
void makeSocketLengthCells(const CandidateSpace& space, Tables& t) {
    const auto sides = space.sideLists();
    t.squaresAt = sides[0]->size();
    t.longSidesAt = t.squaresAt + sides[1]->size();
    t.shortSidesAt = t.longSidesAt + sides[2]->size();
    t.referenceSlots = t.shortSidesAt + sides[3]->size();
    t.socketLengths.reserve(space.depths().size() * t.referenceSlots);
    for (const DepthValue& depth : space.depths())
        for (const std::vector<FieldValue>* list : sides)
            for (const FieldValue& side : *list) {
                char text[kNumberTextCapacity];
                const std::size_t length = writeFixedText(text, lengthOf(depth, side.number), 10, 2);
                SocketLengthCell cell;
                cell.text.assign(text, length);
                cell.value = core::readLenient(std::string_view(text, length));
                t.socketLengths.push_back(std::move(cell));
            }
}

// The result boxes take ten significant digits at the coarse precisions, seven otherwise.
int boxDigits(core::Precision p) {
    return p == core::Precision::Tens || p == core::Precision::Hundreds ? 10 : 7;
}

// A figure as the grid cell the calculation writes it to reads back.
double gridValue(double value) {
    return core::readLenient(core::GeneralText(value));
}

// The cell carries fifteen significant digits, so the figure itself rounds to the same whole
// number unless it lies right next to a rounding step; only then is the cell's text made.
bool nearStep(double value) {
    const double fraction = value - std::floor(value);
    return std::abs(fraction - 0.5) < 1e-9 * std::max(1.0, std::abs(value));
}

double wholeFigure(double value) {
    return nearStep(value) ? gridValue(value) : value;
}

// Qpk·100/Quk (or the side's rest) from the cells, as the figures give it away from a step.
double endShare(double qpk, double quk) {
    const double share = qpk * 100.0 / quk;
    if (nearStep(share) || nearStep((1.0 - qpk / quk) * 100.0))
        return gridValue(qpk) * 100.0 / gridValue(quk);
    return share;
}

double sideShare(double qpk, double quk) {
    const double share = (1.0 - qpk / quk) * 100.0;
    if (nearStep(share) || nearStep(qpk * 100.0 / quk))
        return (1.0 - gridValue(qpk) / gridValue(quk)) * 100.0;
    return share;
}

std::string_view percentText(char* out, double value) {
    std::size_t n = writeFixedText(out, value, 10, 0);
    out[n++] = '%';
    return {out, n};
}

// Every candidate of a strength, weathering and integrity shows the same C1; C2 too, but for a
// short socket's 0.
std::string_view coefficientText(const std::string& known, double knownCell, double cell, char* out) {
    if (cell == knownCell)
        return known;
    return {out, writeFixedText(out, cell, 10, 3)};
}

} // namespace

std::span<const OptionRowTexts> Module2Profile::optionRows() const {
    static const std::array<OptionRowTexts, 14> rows = makeRows();
    return rows;
}

int Module2Profile::lastValueRow() const {
    return kRow2Index;
}

int Module2Profile::filterRaRow() const {
    return kRow2FilterRa;
}

bool Module2Profile::readRows(RowReader& read, Options& o, OptionsReading& reading) const {
    long long n[3] = {};
    double x[3] = {};
    if (!read.integers(kRow2Weathering, n))
        return false;
    o.weatherings = OptionRange::integers(clampCode(n[0], 1, 2), clampCode(n[1], 1, 2), n[2]);

    if (!read.integers(kRow2Basis, n))
        return false;
    o.bases = OptionRange::integers(clampCode(n[0], 1, 2), clampCode(n[1], 1, 2), n[2]);

    // Codes 4 and 5 (破碎, 极破碎) are read; the run stops on the first candidate of them.
    if (!read.integers(kRow2Class, n))
        return false;
    o.classes = OptionRange::integers(clampCode(n[0], 1, 5), clampCode(n[1], 1, 5), n[2]);

    if (!read.decimals(kRow2Index, x))
        return false;
    if (x[0] <= 0.0 || x[1] <= 0.0) {
        reading = checkFailed(kRow2Index, "岩体完整性指数不能为负值或0");
        return false;
    }
    if (x[0] > 1.0 || x[1] > 1.0) {
        reading = checkFailed(kRow2Index, "岩体完整性指数不能大于1");
        return false;
    }
    o.indices = OptionRange::decimals(x[0], x[1], x[2]);
    return true;
}

std::uint64_t Module2Profile::candidatesPerSize(const Options& o, std::uint64_t integrities) const {
    const std::uint64_t perWeathering = timesSaturating(o.depth.count(), o.frk.count());
    return timesSaturating(timesSaturating(perWeathering, o.weatherings.count()), integrities);
}

// The grid's class list holds only the first three classes; 破碎 and 极破碎 are named so that the
// stopping candidate shows which class it was. The index cell is read leniently, its range left
// to the coefficient lookup.
IntegrityValue Module2Profile::integrityValue(int basis, double value) const {
    IntegrityValue v;
    v.basis = basis;
    if (basis == 1) {
        v.classCode = static_cast<int>(value);
        v.valid = v.classCode <= 3;
        if (v.valid)
            v.text = module2::integrityClassItems()[static_cast<std::size_t>(v.classCode - 1)];
        else
            v.text = v.classCode == 4 ? "破碎" : "极破碎";
        return v;
    }
    v.text = core::FixedText(value, 10, 2);
    v.kv = core::readLenient(v.text);
    return v;
}

// No concrete and no process: one pass of each of those loops.
InnerLoops Module2Profile::innerLoops(const Options& o) const {
    InnerLoops loops;
    loops.grades = {0};
    loops.processes = {0};
    for (double w : o.weatherings.values())
        loops.weatherings.push_back(static_cast<int>(w) - 1);
    return loops;
}

std::unique_ptr<const RunTables> Module2Profile::makeTables(const CandidateSpace& space) const {
    auto tables = std::make_unique<Tables>();
    makeCoefficients(space, *tables);
    makeSocketLengthCells(space, *tables);
    return tables;
}

// The section fields, the settings the run selects and row 1 of a fresh grid, which holds the
// only layer.
CandidateInputs Module2Profile::inputs(const CandidateSpace& space, const CandidateKey& key,
                                       core::Precision precision) const {
    module2::Inputs in;
    in.section = CandidateSpace::calculatedSection(key.kind);
    in.d = space.firstValue(key).text;
    in.c = key.kind == SectionType::Round ? "0" : space.secondValue(key).text;
    in.precision = precision;
    const IntegrityValue& integrity = space.integrityValue(key);
    in.settings = settingsOf(integrity, space.context());
    in.grid.setLayerCount(1);
    in.grid.setCell(1, module2::kColLr, core::FixedText(socketLength(space, key), 10, 2));
    in.grid.setCell(1, module2::kColWeathering, weatheringText(space, key));
    in.grid.setCell(1, module2::kColFrk, space.frkValue(key).text);
    in.grid.setCell(1, integrity.basis == 1 ? module2::kColIntegrity : module2::kColKv, integrity.text);
    return in;
}

// Module 2's arithmetic for one layer, step for step as module2::calculate takes it, each figure
// read from the cell text it is written to where the calculation reads it back.
Evaluation Module2Profile::evaluate(const CandidateSpace& space, const CandidateKey& key) const {
    Evaluation e;
    const SectionType section = CandidateSpace::calculatedSection(key.kind);
    double first = space.firstValue(key).number;
    double second = key.kind == SectionType::Round ? 0.0 : space.secondValue(key).number;
    if (core::sectionStop(section, first, second).field)
        return e;
    if (section == SectionType::Rectangular && second >= first) {
        std::swap(first, second);
        e.exchanged = true;
    }
    e.first = first;
    e.second = second;
    e.geometry.perimeter = core::sectionPerimeter(section, first, second);
    e.geometry.area = core::sectionArea(section, first, second);

    Module2Values& m = e.module2;
    m.lr = socketLengthCell(space, key).value;
    if (m.lr < 0.0)
        return e;
    const Coefficients& c = coefficientsOf(space, key);
    if (!c.ok)
        return e;
    const double frk = space.frkValue(key).number;
    const bool shortSocket = m.lr < 0.5;
    m.c1 = c.c1;
    m.c2 = shortSocket ? 0.0 : c.c2;
    m.c1Cell = c.c1Cell;
    m.c2Cell = shortSocket ? 0.0 : c.c2Cell;
    const double qpk = m.c1 * frk * 1000.0; // kPa
    const double qsrk = m.c2 * frk * 1000.0;
    const double qsrik = qsrk * m.lr * e.geometry.perimeter / 1000.0;
    m.qsrk = 0.0;
    m.qsrk += qsrik;
    m.qpk = qpk * e.geometry.area / 1e6;
    m.quk = m.qpk + m.qsrk;
    if (!std::isfinite(m.quk) || m.quk <= 0.0)
        return e;
    m.ra = m.quk / core::kSafetyFactor;
    e.passed = true;
    return e;
}

// Module 2 has no Rc; its filter does not ask for one.
std::array<double, 2> Module2Profile::keys(const Evaluation& e, core::Precision precision) const {
    return {precisionTextValue(e.module2.ra, precision, boxDigits(precision)), 0.0};
}

std::string_view Module2Profile::cellText(const CandidateStore& store, const CandidateRow& row, int column,
                                          char* out) const {
    const CandidateSpace& space = store.space();
    const CandidateKey& key = row.key;
    const Module2Values& m = row.evaluation.module2;
    switch (column) {
    case kColRa:
        return {out, writePrecisionText(out, m.ra, store.precision(), boxDigits(store.precision()))};
    case kCol2Lr:
        return socketLengthCell(space, key).text;
    case kCol2Frk:
        return space.frkValue(key).text;
    case kCol2Weathering:
        return weatheringText(space, key);
    case kCol2Basis:
        return space.integrityValue(key).basis == 1 ? "1" : "2";
    case kCol2Integrity:
        return space.integrityValue(key).text;
    case kCol2C1:
        return coefficientText(coefficientsOf(space, key).c1Text, coefficientsOf(space, key).c1Cell, m.c1Cell, out);
    case kCol2C2:
        return coefficientText(coefficientsOf(space, key).c2Text, coefficientsOf(space, key).c2Cell, m.c2Cell, out);
    case kCol2Qsrk:
        return {out, writeFixedText(out, wholeFigure(m.qsrk), 10, 0)};
    case kCol2SideShare:
        return percentText(out, sideShare(m.qpk, m.quk));
    case kCol2Qpk:
        return {out, writeFixedText(out, wholeFigure(m.qpk), 10, 0)};
    case kCol2EndShare:
        return percentText(out, endShare(m.qpk, m.quk));
    case kCol2Quk:
        return {out, writeFixedText(out, wholeFigure(m.quk), 10, 0)};
    default:
        return {};
    }
}

const std::array<ResultColumnInfo, 18>& Module2Profile::resultColumns() const {
    static const std::array<ResultColumnInfo, 18> columns = [] {
        std::array<ResultColumnInfo, 18> c = profileOf(ModuleKind::Module1).resultColumns();
        const char* headers[] = {"lr(m)",   "frk(MPa)", "风化程度", "插值依据", "完整程度", "系数 C1", "系数 C2",
                                 "Qsrk(kN)", "侧阻占比", "Qpk(kN)",  "端阻占比", "Qrk(kN)",  "备注"};
        for (std::size_t column = 5; column < c.size(); ++column)
            c[column].header = headers[column - 5];
        return c;
    }();
    return columns;
}

FileLayout Module2Profile::fileLayout() const {
    FileLayout layout;
    layout.bannerLeft = 77;
    layout.bannerRight = 79;
    layout.heading1 =
        " 基    桩  桩身截面  桩身直径  椭圆直段  矩形长边  矩形短边  嵌岩深度  岩石强度  岩石风化  完整程度  "
        "端阻系数  侧阻系数  嵌岩侧阻  嵌岩侧阻  嵌岩端阻  嵌岩端阻  嵌岩阻力  桩承载力 ";
    layout.heading2Raw = layout.heading2Filtered =
        " 编    号  类    型    d(mm)     c(mm)     a(mm)     b(mm)     lr(m)   frk(MPa)  程    度  或 指 数  "
        "   C1        C2     Qsrk(kN)  占百分比   Qpk(kN)  占百分比   Qrk(kN)   Ra(kN)  ";
    layout.fields = kFileFields;
    return layout;
}

Recall Module2Profile::recall(const RowCells& row) const {
    Recall r;
    recallSection(row, r);
    Recall::RockGrid grid;
    const std::string& basis = row[kCol2Basis];
    if (basis == "1" || basis == "2")
        grid.integrityBasisPosition = basis[0] - '1';
    grid.lr = row[kCol2Lr];
    grid.weathering = row[kCol2Weathering];
    r.grid = grid;
    r.integrity = row[kCol2Integrity];
    r.frk = row[kCol2Frk];
    return r;
}

void Module2Profile::writeBack(const RunEnding& ending, InputLayerState& s) const {
    RockGridFields& layer = s.layer.emplace<RockGridFields>();
    const CandidateSpace& space = ending.space;
    const CandidateKey key = space.decode(ending.last);
    layer.fields = std::get<module2::Inputs>(inputs(space, key, ending.precision));
    layer.outcome = module2::calculate(layer.fields);
    const IntegrityValue& integrity = space.integrityValue(key);
    if (!integrity.valid && !layer.outcome.ok() &&
        layer.outcome.message == module2::layerMessage(1, "层岩体完整程度未明确")) {
        layer.outcome.message = kBrokenRock;
        layer.outcome.status.showMessage(kBrokenRock, core::kRed);
    }

    layer.lr = layer.fields.grid.cell(1, module2::kColLr);
    layer.weathering = layer.fields.grid.cell(1, module2::kColWeathering);
    layer.frk = layer.fields.grid.cell(1, module2::kColFrk);
    // Within one pass of the outer loops the classes come before the indices, so the other
    // column holds the last class of this pass, or the last index of the pass before.
    const std::vector<IntegrityValue>& integrities = space.integrities();
    std::optional<std::size_t> lastClassAt, lastIndexAt;
    for (std::size_t i = 0; i < integrities.size(); ++i)
        (integrities[i].basis == 1 ? lastClassAt : lastIndexAt) = i;
    if (integrity.basis == 1) {
        layer.integrity = integrity.text;
        if (lastIndexAt && ending.last >= integrities.size())
            layer.kv = integrities[*lastIndexAt].text;
    } else {
        layer.kv = integrity.text;
        if (lastClassAt)
            layer.integrity = integrities[*lastClassAt].text;
    }

    std::optional<module2::Outcome> previous;
    if (needsPrevious(ending))
        previous = module2::calculate(
            std::get<module2::Inputs>(inputs(space, space.decode(ending.passed - 1), ending.precision)));
    static constexpr const char* kChecked[] = {module2::kFieldD};
    static constexpr const char* kBoxes[] = {module2::kBoxQuk, module2::kBoxRa, module2::kBoxPercent};
    const WriteBackFields names{kChecked, module2::kFieldD, module2::kFieldC, kBoxes};
    finishWriteBack(ending, s, names, layer.outcome, previous, layer.fields.d, layer.fields.c);
}

} // namespace sp::optimise
