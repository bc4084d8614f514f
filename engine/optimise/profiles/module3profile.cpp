#include "optimise/profiles/module3profile.h"

#include "module3/module3calc.h"
#include "optimise/options/rowreader.h"
#include "optimise/run/enumeration.h"
#include "optimise/results/recall.h"

namespace sp::optimise {

using core::SectionType;

namespace {

std::array<OptionRowTexts, 17> makeRows() {
    const std::span<const OptionRowTexts> one = profileOf(ModuleKind::Module1).optionRows();
    return {{
        one[0],
        one[1],
        one[2],
        one[3],
        one[4],
        one[5],
        {"嵌岩深度 hr(mm)", "2.0d", "3.0d", "1.0d", "矩形为短边倍数,也可直接输入数值(不可混用)"},
        one[7],
        one[8],
        {"岩体完整程度", "1", "2", "1", "完整1/较完整2/较破碎3"},
        {"岩体完整性指数", "0.56", "0.66", "0.10", "取值范围[0.35,1.00]"},
        one[11],
        one[12],
        {"等效直径算法", "1", "2", "1", "面积相等1/周长相等2/imax3/imin4/截面长边5/截面短边6/最大包络7/最小包络8"},
        {"", "", "", "", ""},
        one[14],
        one[15],
    }};
}

constexpr FileField kFileFields[] = {
    {kColDepth, 6, 4, false},    {kColFrk, 6, 4, false}, {kColIntegrity, 8, 2, true}, {kColProcess, 8, 2, true},
    {kColDeqMethod, 8, 2, true}, {kColDeq, 6, 4, false}, {kColRatio, 8, 2, true},     {kColZetaR, 7, 3, false},
    {kColRa, 7, 3, false},       {kColGrade, 8, 2, true}, {kColPsiC, 8, 2, true},     {kColRc, 7, 3, false},
    {kColRemark, 8, 1, true},
};

// The equivalent-diameter rule of each method, made once per run.
struct DeqRules : RunTables {
    std::array<module1::DeqRule, module3::kDeqMethodCount> rules;
};

module3::DeqMethod methodOf(const CandidateKey& key) {
    return static_cast<module3::DeqMethod>(key.method);
}

module3::Inputs module3Inputs(module1::Inputs oneLayer, const CandidateKey& key, const RunContext& context) {
    module3::Inputs in;
    static_cast<module1::Inputs&>(in) = std::move(oneLayer);
    in.method = key.method >= 0 ? methodOf(key) : context.method;
    return in;
}

} // namespace

std::span<const OptionRowTexts> Module3Profile::optionRows() const {
    static const std::array<OptionRowTexts, 17> rows = makeRows();
    return rows;
}

bool Module3Profile::readRows(RowReader& read, Options& o, OptionsReading& reading) const {
    if (!Module1Profile::readRows(read, o, reading))
        return false;
    long long n[3] = {};
    if (!read.integers(kRow3Method, n))
        return false;
    o.methods = OptionRange::integers(clampCode(n[0], 1, 8), clampCode(n[1], 1, 8), n[2]);
    return true;
}

std::uint64_t Module3Profile::methodLoop(const Options& o) const {
    return o.methods.count();
}

InnerLoops Module3Profile::innerLoops(const Options& o) const {
    InnerLoops loops = Module1Profile::innerLoops(o);
    for (double m : o.methods.values())
        loops.methods.push_back(static_cast<int>(m) - 1);
    return loops;
}

std::unique_ptr<const RunTables> Module3Profile::makeTables(const CandidateSpace&) const {
    auto tables = std::make_unique<DeqRules>();
    for (int m = 0; m < module3::kDeqMethodCount; ++m)
        tables->rules[static_cast<std::size_t>(m)] = [method = static_cast<module3::DeqMethod>(m)](
                                                         SectionType section, double first, double second,
                                                         double area, double perimeter) {
            return module3::equivalentDiameter(section, method, first, second, area, perimeter);
        };
    return tables;
}

CandidateInputs Module3Profile::inputs(const CandidateSpace& space, const CandidateKey& key,
                                       core::Precision precision) const {
    return module3Inputs(oneLayerInputs(space, key, precision), key, space.context());
}

Evaluation Module3Profile::evaluate(const CandidateSpace& space, const CandidateKey& key) const {
    const DeqRules& tables = space.tables<DeqRules>();
    Evaluation e = evaluateOneLayer(space, key, &tables.rules[static_cast<std::size_t>(key.method)]);
    if (e.passed)
        e.overStandard = overStandard(space, key);
    return e;
}

bool Module3Profile::overStandard(const CandidateSpace&, const CandidateKey& key) const {
    return module3::verdictOf(CandidateSpace::calculatedSection(key.kind), methodOf(key)) ==
           module3::ComplianceVerdict::OverStandard;
}

std::string_view Module3Profile::cellText(const CandidateStore& store, const CandidateRow& row, int column,
                                          char* buffer) const {
    if (column == kColDeqMethod)
        return row.key.kind == SectionType::Round ? "-" : module3::deqMethodShortName(methodOf(row.key));
    if (column == kColRemark)
        return module3::verdictText(row.evaluation.overStandard ? module3::ComplianceVerdict::OverStandard
                                                                : module3::ComplianceVerdict::Compliant);
    return Module1Profile::cellText(store, row, column, buffer);
}

const std::array<ResultColumnInfo, 18>& Module3Profile::resultColumns() const {
    static const std::array<ResultColumnInfo, 18> columns = [] {
        std::array<ResultColumnInfo, 18> c = profileOf(ModuleKind::Module1).resultColumns();
        c[17].header = "合规判定";
        return c;
    }();
    return columns;
}

FileLayout Module3Profile::fileLayout() const {
    FileLayout layout;
    layout.width = 190;
    layout.bannerLeft = layout.bannerRight = 83;
    layout.heading1 =
        " 基    桩  桩身截面  桩身直径  椭圆直段  矩形长边  矩形短边  嵌岩深度  岩石强度  完整程度  成    桩  "
        "等效直径  等效直径  深 径 比  综合系数  桩承载力  桩混凝土  工艺系数  桩身强度  计算结果 ";
    layout.heading2Raw =
        " 编    号  类    型    d(mm)     c(mm)     a(mm)     b(mm)     lr(m)   frk(MPa)  或 指 数  工    艺  算 "
        "   法   deq(mm)    hr/d      ζr      Ra(kN)   强度等级    ψc      Rc(kN)   合规判定 ";
    layout.heading2Filtered =
        " 编    号  类    型    d(mm)     c(mm)     a(mm)     b(mm)     lr(m)   frk(MPa)  或 指 数  工    艺  方 "
        "   法   deq(mm)    hr/d      ζr      Ra(kN)   强度等级    ψc      Rc(kN)   合规判定 ";
    layout.fields = kFileFields;
    return layout;
}

Recall Module3Profile::recall(const RowCells& row) const {
    Recall r = Module1Profile::recall(row);
    module3::DeqMethod method = module3::kDefaultDeqMethod;
    if (module3::deqMethodFromShortName(row[kColDeqMethod], method))
        r.methodPosition = static_cast<int>(method);
    return r;
}

module1::Outcome Module3Profile::calculate(const CandidateSpace& space, const CandidateKey& key,
                                           core::Precision precision, OneLayerFields* extras) const {
    const module3::Outcome outcome =
        module3::calculate(module3Inputs(oneLayerInputs(space, key, precision), key, space.context()));
    if (extras) {
        extras->verdict = outcome.verdict;
        extras->boxColours = outcome.boxColours;
        // Round piles come first and leave the list alone; any later pile selected its method.
        if (key.kind != SectionType::Round)
            extras->method = methodOf(key);
    }
    return outcome;
}

} // namespace sp::optimise
