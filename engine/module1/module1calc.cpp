#include "module1/module1calc.h"

#include "core/calculationrun.h"
#include "core/numbers.h"
#include "core/zetar.h"

namespace sp::module1 {

using namespace sp::core;

namespace {

constexpr const char* kMsgDepth = "嵌岩深度数据有错";
constexpr const char* kMsgIndex = "岩体完整性指数有错";
constexpr const char* kMsgBroken = "破碎、极破碎岩体不适用嵌岩桩";
constexpr const char* kMsgShort1m = "较破碎岩体上嵌入深度小于1m";
constexpr const char* kMsgShortD = "较破碎岩体上嵌入深度小于1倍桩径";
constexpr const char* kMsgHintDeq = "提示：较破碎岩体上嵌入深度小于1倍折算直径";
constexpr const char* kMsgFrk = "岩石单轴抗压强度值有错";

// Module 1's run can also end in the generic conversion-error report, for a text no check guards.
class Run : public CalculationRun<Outcome> {
public:
    bool unread(const char* field, const char* label, const std::string& text) {
        out.kind = OutcomeKind::Conversion;
        out.field = field;
        out.unreadText = text;
        out.message = conversionMessage(label, text);
        return false;
    }
};

double equalArea(SectionType type, double first, double, double area, double) {
    return equalAreaDiameter(type, area, first);
}

// The field texts and choices as the calculation found them.
void recordInputs(Values& v, const Inputs& in) {
    v.section = in.section;
    v.dText = in.d;
    v.cText = in.c;
    v.hrText = in.hr;
    v.integrityText = in.integrity;
    v.grade = in.grade;
    v.process = in.process;
    v.precision = in.precision;
    v.frk = readLenient(in.frk);
}

// hr, read against d (or the short side b of a rectangle), and the section's geometry from it.
bool takeDepth(Run& run, const Inputs& in, const DeqRule& deqRule) {
    Values& v = run.out.values;
    const bool rectangular = isRectangular(in.section);
    const SocketDepth depth =
        readSocketDepth(in.hr, multipleLetter(in.section), rectangular ? v.second : v.first);
    if (depth.status == SocketDepth::Status::FactorUnread)
        return run.unread(kFieldHr, "桩身嵌岩深度hr", in.hr);
    if (depth.status == SocketDepth::Status::Invalid)
        return run.stop(kFieldHr, kMsgDepth);
    run.pass(kFieldHr);
    v.geometry = sectionGeometry(in.section, v.first, v.second, depth, deqRule);
    return true;
}

// The integrity as a class name or as the index Kv; the status line then names the rock.
bool takeIntegrity(Run& run, const Inputs& in) {
    Values& v = run.out.values;
    v.hardness = hardnessOf(v.frk);
    if (integrityFromName(in.integrity, v.integrity)) {
        v.integrityGivenAsIndex = false;
    } else {
        const auto kv = readStrict(in.integrity);
        if (!kv)
            return run.unread(kFieldIntegrity, "岩体完整程度(或完整性指数)", in.integrity);
        v.integrityGivenAsIndex = true;
        v.kv = *kv;
        const IndexIntegrity reading = integrityOfIndex(v.kv);
        if (reading.verdict == IndexIntegrity::Verdict::Invalid)
            return run.stop(kFieldIntegrity, v.hardness + "," + kMsgIndex);
        if (reading.verdict == IndexIntegrity::Verdict::Broken)
            return run.stop(kFieldIntegrity, kMsgBroken);
        v.integrity = reading.cls;
    }
    run.out.fields.setColour(kFieldIntegrity, kBlack);
    run.out.status.showMessage(v.hardness + ",岩体" + integrityStatusText(v.integrity), kBlack);
    return true;
}

// Fairly broken rock asks for a deeper socket; a socket shorter than deq only earns a hint.
bool checkSocketInBrokenRock(Run& run, SectionType section) {
    Values& v = run.out.values;
    if (!isBroken(v.integrity))
        return true;
    switch (checkBrokenRock(section, v.geometry)) {
    case BrokenRockCheck::ShorterThan1m:
        return run.stop(kFieldHr, kMsgShort1m);
    case BrokenRockCheck::ShorterThanOneDiameter:
        return run.stop(kFieldHr, kMsgShortD);
    case BrokenRockCheck::HintShorterThanDeq:
        run.out.status.showMessage(kMsgHintDeq, kMagenta);
        v.hint = kMsgHintDeq;
        break;
    case BrokenRockCheck::Pass:
        run.out.fields.setColour(kFieldHr, kBlack);
        break;
    }
    return true;
}

bool checkStrength(Run& run) {
    if (run.out.values.frk <= 0.0)
        return run.stop(kFieldFrk, kMsgFrk);
    run.out.fields.setColour(kFieldFrk, kBlack);
    return true;
}

void recordCapacity(Values& v, const Capacity& c) {
    v.zeta = c.zeta;
    v.processFactor = c.processFactor;
    v.zetaR = c.zetaR;
    v.qrk = c.qrk;
    v.quk = c.quk;
    v.ra = c.ra;
    v.fc = c.fc;
    v.psiC = c.psiC;
    v.rc = c.rc;
}

std::vector<std::pair<std::string, std::string>> resultBoxes(const Values& v) {
    const SectionGeometry& g = v.geometry;
    return {
        {kBoxDeq, FixedText(g.deq, 7, 0)},
        {kBoxRatio, FixedText(g.ratioToDeq, 7, 2)},
        {kBoxZetaR, FixedText(v.zetaR, 7, 4)},
        {kBoxRa, forceBoxText(v.ra, v.precision)},
        {kBoxRc, forceBoxText(v.rc, v.precision)},
    };
}

} // namespace

std::string forceBoxText(double kn, Precision precision) {
    return PrecisionText(kn, precision, 7);
}

std::string conversionMessage(const std::string& fieldLabel, const std::string& text) {
    return "数据转换错误：" + fieldLabel + "中的“" + excerpt(text) + "”不是有效的数值";
}

SectionGeometry sectionGeometry(SectionType section, double first, double second, const SocketDepth& depth,
                                const DeqRule& deqRule) {
    const bool rectangular = isRectangular(section);
    SectionGeometry g;
    g.area = sectionArea(section, first, second);
    g.perimeter = sectionPerimeter(section, first, second);
    g.deq = deqRule ? deqRule(section, first, second, g.area, g.perimeter)
                    : equalArea(section, first, second, g.area, g.perimeter);
    if (section == SectionType::Round)
        g.deq = first;
    g.hr = depth.hr;
    g.depthGivenAsMultiple = depth.givenAsMultiple;
    g.ratioToDeq = g.hr / g.deq;
    g.ratioToD = rectangular ? g.ratioToDeq : g.hr / first;
    return g;
}

Capacity capacityOf(const SectionGeometry& g, double frk, IntegrityClass integrity, double kv, int process,
                    int grade) {
    Capacity c;
    c.zeta = zetaOf(g.ratioToDeq, frk, integrity, kv);
    c.processFactor = processFactorOf(process);
    c.zetaR = c.zeta * c.processFactor;
    c.qrk = c.zetaR * frk * g.area / 1000.0;
    c.quk = c.qrk;
    c.ra = c.quk / kSafetyFactor;
    c.fc = fcOf(grade);
    c.psiC = psiCOf(process, grade);
    c.rc = c.psiC * c.fc * g.area / 1000.0;
    return c;
}

Outcome calculate(const Inputs& in, const DeqRule& deqRule) {
    Run run;
    Values& v = run.out.values;
    recordInputs(v, in);
    if (!run.takeSection(in.section, in.d, in.c) || !takeDepth(run, in, deqRule) || !takeIntegrity(run, in) ||
        !checkSocketInBrokenRock(run, in.section) || !checkStrength(run))
        return run.out;
    recordCapacity(v, capacityOf(v.geometry, v.frk, v.integrity, v.kv, in.process, in.grade));
    // The same lookup as capacityOf's, kept whole for the book; the optimisation, which calls
    // capacityOf for every candidate, has no use for it.
    v.zetaWorking = zetaWorking(v.geometry.ratioToDeq, v.frk, v.integrity, v.kv);
    run.out.boxes = resultBoxes(v);
    return run.out;
}

} // namespace sp::module1
