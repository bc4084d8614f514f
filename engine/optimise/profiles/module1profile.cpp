#include "optimise/profiles/module1profile.h"

#include "core/numbers.h"
#include "core/sectioncheck.h"
#include "core/tables.h"
#include "core/zetar.h"
#include "optimise/options/rowreader.h"
#include "optimise/profiles/writeback.h"
#include "optimise/results/fasttext.h"
#include "optimise/results/recall.h"

#include <charconv>

namespace sp::optimise {

using core::SectionType;

namespace {

constexpr std::array<OptionRowTexts, 16> kRows = {{
    {"桩身截面类型", "1", "4", "1", "圆桩1/椭圆桩2/矩形桩3/方桩4"},
    {"桩身直径 d(mm)", "1000", "2000", "500", "桩径取值范围"},
    {"椭圆直段长度 c(mm)", "1000", "2000", "500", "椭圆直段取值范围"},
    {"矩形桩长边尺寸 a(mm)", "2000", "3000", "500", "矩形桩长边取值范围"},
    {"矩形桩短边尺寸 b(mm)", "1000", "2000", "500", "矩形桩短边取值范围"},
    {"方桩边长 a(mm)", "1000", "2000", "500", "方桩边长取值范围"},
    {"嵌岩深度 hr(mm)", "1.0d", "3.0d", "1.0d", "矩形为短边倍数,也可直接输入数值(不可混用)"},
    {"岩石强度 frk(MPa)", "35.00", "40.00", "5.00", "岩石单轴抗压强度标准值取值应大于0"},
    {"自动插值依据", "1", "2", "1", "岩体完整程度1/岩体完整性指数2"},
    {"岩体完整程度", "1", "3", "1", "完整1/较完整2/较破碎3"},
    {"岩体完整性指数", "0.46", "0.66", "0.10", "取值范围[0.35,1.00]"},
    {"混凝土强度等级", "C25", "C30", "5", "混凝土强度等级范围C25～C60"},
    {"成桩工艺", "1", "2", "1", "人工挖孔1/泥浆护壁2/后注浆3/水下浇筑4"},
    {"", "", "", "", ""},
    {"筛选 Ra(kN)", "10000", "11000", "", "筛选条件一，输入0不起控制作用"},
    {"筛选 Rc(kN)", "6000", "8000", "", "筛选条件二，输入0不起控制作用"},
}};

constexpr FileField kFileFields[] = {
    {kColDepth, 6, 4, false},   {kColFrk, 6, 4, false},   {kColIntegrity, 8, 2, true}, {kColProcess, 8, 2, true},
    {kColDeqMethod, 8, 2, true}, {kColDeq, 6, 4, false},   {kColRatio, 8, 2, true},     {kColZetaR, 7, 3, false},
    {kColRa, 7, 3, false},      {kColGrade, 8, 2, true},  {kColPsiC, 8, 2, true},      {kColRc, 7, 2, false},
};

std::optional<int> gradePositionOf(const std::string& cell) {
    // The number formed by the second and third characters, as "C30" gives 30.
    if (cell.size() < 2 || static_cast<unsigned char>(cell[0]) >= 0x80)
        return std::nullopt;
    const std::string digits = cell.substr(1, 2);
    int grade = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), grade);
    if (ec != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return (grade - 25) / 5;
}

// Grades step by five from C25; the list ends at C60: a smallest grade above it is taken as C60
// rather than left to point past the list, as a largest grade above it is.
OptionRange gradeRange(const long long (&n)[3]) {
    long long min = n[0] / 5 * 5;
    long long max = n[1] / 5 * 5;
    const long long step = n[2] < 5 ? 5 : n[2] / 5 * 5;
    min = clampCode(min, 25, 60);
    if (max > 60)
        max = 60;
    return OptionRange::integers(min, max, step);
}

} // namespace

std::span<const OptionRowTexts> Module1Profile::optionRows() const {
    return kRows;
}

int Module1Profile::lastValueRow() const {
    return kRowProcess;
}

int Module1Profile::filterRaRow() const {
    return kRowFilterRa;
}

std::optional<int> Module1Profile::filterRcRow() const {
    return kRowFilterRc;
}

bool Module1Profile::readRows(RowReader& read, Options& o, OptionsReading& reading) const {
    long long n[3] = {};
    double x[3] = {};
    if (!read.integers(kRowBasis, n))
        return false;
    o.bases = OptionRange::integers(clampCode(n[0], 1, 2), clampCode(n[1], 1, 2), n[2]);

    if (!read.integers(kRowClass, n))
        return false;
    o.classes = OptionRange::integers(clampCode(n[0], 1, 3), clampCode(n[1], 1, 3), n[2]);

    if (!read.decimals(kRowIndex, x))
        return false;
    if (x[0] < 0.349999 || x[1] < 0.349999) {
        reading = checkFailed(kRowIndex, "岩体完整性指数不能小于0.35");
        return false;
    }
    if (x[0] > 1.0 || x[1] > 1.0) {
        reading = checkFailed(kRowIndex, "岩体完整性指数不能大于1");
        return false;
    }
    o.indices = OptionRange::decimals(x[0], x[1], x[2]);

    if (!read.grades(n))
        return false;
    o.grades = gradeRange(n);

    if (!read.integers(kRowProcess, n))
        return false;
    o.processes = OptionRange::integers(clampCode(n[0], 1, 4), clampCode(n[1], 1, 4), n[2]);
    return true;
}

std::uint64_t Module1Profile::candidatesPerSize(const Options& o, std::uint64_t integrities) const {
    const std::uint64_t perIntegrity = timesSaturating(o.depth.count(), o.frk.count());
    return timesSaturating(timesSaturating(timesSaturating(perIntegrity, integrities), o.grades.count()),
                           o.processes.count());
}

IntegrityValue Module1Profile::integrityValue(int basis, double value) const {
    IntegrityValue v;
    v.basis = basis;
    if (basis == 1) {
        v.cls = static_cast<core::IntegrityClass>(static_cast<int>(value) - 1);
        v.text = core::integrityText(v.cls);
        return v;
    }
    v.text = core::FixedText(value, 10, 2);
    const auto kv = core::readStrict(v.text);
    v.kv = kv.value_or(0.0);
    const core::IndexIntegrity reading = core::integrityOfIndex(v.kv);
    v.valid = kv.has_value() && reading.verdict == core::IndexIntegrity::Verdict::Class;
    v.cls = reading.cls;
    return v;
}

InnerLoops Module1Profile::innerLoops(const Options& o) const {
    InnerLoops loops;
    for (double g : o.grades.values())
        loops.grades.push_back((static_cast<int>(g) - 25) / 5);
    for (double p : o.processes.values())
        loops.processes.push_back(static_cast<int>(p) - 1);
    loops.weatherings = {0};
    return loops;
}

module1::Inputs Module1Profile::oneLayerInputs(const CandidateSpace& space, const CandidateKey& key,
                                               core::Precision precision) const {
    module1::Inputs in;
    in.section = CandidateSpace::calculatedSection(key.kind);
    in.d = space.firstValue(key).text;
    in.c = key.kind == SectionType::Round ? "0" : space.secondValue(key).text;
    in.hr = space.depthText(key);
    in.grade = key.grade;
    in.process = key.process;
    in.frk = space.frkValue(key).text;
    in.integrity = space.integrityValue(key).text;
    in.precision = precision;
    return in;
}

CandidateInputs Module1Profile::inputs(const CandidateSpace& space, const CandidateKey& key,
                                       core::Precision precision) const {
    return oneLayerInputs(space, key, precision);
}

Evaluation Module1Profile::evaluate(const CandidateSpace& space, const CandidateKey& key) const {
    return evaluateOneLayer(space, key, nullptr);
}

// The checks of the calculation decide only whether the candidate passes; which message a
// failing candidate gets comes from the calculation itself.
Evaluation Module1Profile::evaluateOneLayer(const CandidateSpace& space, const CandidateKey& key,
                                            const module1::DeqRule* rule) const {
    Evaluation e;
    const SectionType section = CandidateSpace::calculatedSection(key.kind);
    double first = space.firstValue(key).number;
    double second = key.kind == SectionType::Round ? 0.0 : space.secondValue(key).number;
    const bool rectangular = section == SectionType::Rectangular;
    if (core::sectionStop(section, first, second).field)
        return e;
    if (rectangular && second >= first) {
        std::swap(first, second);
        e.exchanged = true;
    }
    e.first = first;
    e.second = second;

    // The field read once per value: factor × 1 is the factor itself, so the product below is the
    // very product the reading forms for the candidate's base.
    const DepthValue& depthValue = space.depthValue(key);
    const core::SocketDepth& read = rectangular ? depthValue.perMillimetreB : depthValue.perMillimetreD;
    if (read.status != core::SocketDepth::Status::Ok)
        return e;
    core::SocketDepth depth;
    depth.givenAsMultiple = read.givenAsMultiple;
    depth.hr = read.givenAsMultiple ? read.hr * (rectangular ? second : first) : read.hr;
    e.geometry = rule ? module1::sectionGeometry(section, first, second, depth, *rule)
                      : module1::sectionGeometry(section, first, second, depth);

    const IntegrityValue& integrity = space.integrityValue(key);
    if (!integrity.valid)
        return e;
    if (core::isBroken(integrity.cls)) {
        const core::BrokenRockCheck check = core::checkBrokenRock(section, e.geometry);
        if (check == core::BrokenRockCheck::ShorterThan1m || check == core::BrokenRockCheck::ShorterThanOneDiameter)
            return e;
    }
    const double frk = space.frkValue(key).number;
    if (frk <= 0.0)
        return e;
    e.capacity = module1::capacityOf(e.geometry, frk, integrity.cls, integrity.kv, key.process, key.grade);
    e.passed = true;
    return e;
}

std::array<double, 2> Module1Profile::keys(const Evaluation& e, core::Precision precision) const {
    return {precisionTextValue(e.capacity.ra, precision, 7), precisionTextValue(e.capacity.rc, precision, 7)};
}

std::string_view Module1Profile::cellText(const CandidateStore& store, const CandidateRow& row, int column,
                                          char* out) const {
    const CandidateSpace& space = store.space();
    const CandidateKey& key = row.key;
    const Evaluation& e = row.evaluation;
    const core::Precision precision = store.precision();
    switch (column) {
    case kColRa:
        return {out, writePrecisionText(out, e.capacity.ra, precision, 7)};
    case kColRc:
        return {out, writePrecisionText(out, e.capacity.rc, precision, 7)};
    case kColDepth:
        return space.depthText(key);
    case kColFrk:
        return space.frkValue(key).text;
    case kColBasis:
        return space.integrityValue(key).basis == 1 ? "1" : "2";
    case kColIntegrity:
        return space.integrityValue(key).text;
    case kColProcess:
        return core::processShortText(key.process);
    case kColDeqMethod:
        return "面积相等";
    case kColDeq:
        return {out, writeFixedText(out, e.geometry.deq, 7, 0)};
    case kColRatio:
        return {out, writeFixedText(out, e.geometry.ratioToDeq, 7, 2)};
    case kColZetaR:
        return {out, writeFixedText(out, e.capacity.zetaR, 7, 4)};
    case kColGrade:
        return core::gradeItem(key.grade);
    case kColPsiC:
        // The ψc the calculation took for Rc, as the pile table prints it.
        return {out, writeFixedText(out, e.capacity.psiC, 3, 2)};
    default:
        return {};
    }
}

const std::array<ResultColumnInfo, 18>& Module1Profile::resultColumns() const {
    static const std::array<ResultColumnInfo, 18> columns = {{
        {"01_Str_YHzhuangbianhao", "桩编号", 70, true},
        {"02_Str_YHjiemianleixing", "截面类型", 70, true},
        {"03_Str_YHzhuangD", "d|a(mm)", 80, true},
        {"04_Str_YHtuoyuanzhiduanC", "c|b(mm)", 70, true},
        {"05_Str_YHRa", "Ra(kN)", 70, true},
        {"06_Str_YHRc", "Rc(kN)", 70, true},
        {"07_Str_YHzhuangHr", "hr(mm)", 70, true},
        {"08_Str_YHfrk", "frk(MPa)", 70, true},
        {"09_Str_YHczyj", "插值依据", 70, true},
        {"10_Str_YHwzcd", "完整程度", 70, true},
        {"11_Str_YHczgy", "成桩工艺", 70, true},
        {"12_Str_YHjmdxlx", "等效算法", 70, true},
        {"13_Str_YHzhuangDeq", "deq(mm)", 70, true},
        {"14_Str_YHsjb", "hr/deq", 70, true},
        {"15_Str_YHkesair", "ζr", 70, true},
        {"16_Str_YHhnt", "混凝土", 70, true},
        {"17_Str_YHPsai", "ψc", 70, true},
        {"18_Str_YHBeizhu", "备注", 0, false},
    }};
    return columns;
}

FileLayout Module1Profile::fileLayout() const {
    FileLayout layout;
    layout.heading1 =
        " 基    桩  桩身截面  桩身直径  椭圆直段  矩形长边  矩形短边  嵌岩深度  岩石强度  完整程度  成    桩  "
        "等效直径  等效直径  深 径 比  综合系数  桩承载力  桩混凝土  工艺系数  桩身强度 ";
    layout.heading2Raw = layout.heading2Filtered =
        " 编    号  类    型    d(mm)     c(mm)     a(mm)     b(mm)     lr(m)   frk(MPa)  或 指 数  工    艺  算 "
        "   法   deq(mm)    hr/d      ζr      Ra(kN)   强度等级    ψc      Rc(kN)  ";
    layout.fields = kFileFields;
    return layout;
}

Recall Module1Profile::recall(const RowCells& row) const {
    Recall r;
    recallSection(row, r);
    r.depth = row[kColDepth];
    r.frk = row[kColFrk];
    r.gradePosition = gradePositionOf(row[kColGrade]);
    for (int p = 0; p < core::kProcessCount; ++p)
        if (row[kColProcess] == core::processShortText(p))
            r.processPosition = p;
    r.integrity = row[kColIntegrity];
    return r;
}

module1::Outcome Module1Profile::calculate(const CandidateSpace& space, const CandidateKey& key,
                                           core::Precision precision, OneLayerFields*) const {
    return module1::calculate(oneLayerInputs(space, key, precision));
}

void Module1Profile::writeBack(const RunEnding& ending, InputLayerState& s) const {
    OneLayerFields& layer = s.layer.emplace<OneLayerFields>();
    const CandidateSpace& space = ending.space;
    const CandidateKey lastKey = space.decode(ending.last);
    layer.fields = oneLayerInputs(space, lastKey, ending.precision);
    layer.outcome = calculate(space, lastKey, ending.precision, &layer);
    std::optional<module1::Outcome> previous;
    if (needsPrevious(ending))
        previous = calculate(space, space.decode(ending.passed - 1), ending.precision, nullptr);
    static constexpr const char* kChecked[] = {module1::kFieldD, module1::kFieldHr, module1::kFieldIntegrity,
                                               module1::kFieldFrk};
    static constexpr const char* kBoxes[] = {module1::kBoxDeq, module1::kBoxRatio, module1::kBoxZetaR,
                                             module1::kBoxRa, module1::kBoxRc};
    const WriteBackFields names{kChecked, module1::kFieldD, module1::kFieldC, kBoxes};
    finishWriteBack(ending, s, names, layer.outcome, previous, layer.fields.d, layer.fields.c);
}

} // namespace sp::optimise
