#include "module1/module1calc.h"

#include "core/numbers.h"
#include "core/sectioncheck.h"
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

// The calculation in progress: the effects so far and, on a stop, the outcome to return.
class Run {
public:
    Outcome out;

    Outcome& stop(const char* field, const std::string& message) {
        out.kind = OutcomeKind::Check;
        out.message = message;
        out.field = field;
        out.status.showMessage(message, kRed);
        out.fields.setColour(field, kRed);
        return out;
    }
    void pass(const char* field) {
        out.fields.setColour(field, kBlack);
        out.status.clearText();
    }
    Outcome& unread(const char* field, const char* label, const std::string& text) {
        out.kind = OutcomeKind::Conversion;
        out.field = field;
        out.unreadText = text;
        out.message = conversionMessage(label, text);
        return out;
    }
};

double equalArea(SectionType type, double first, double, double area, double) {
    return equalAreaDiameter(type, area, first);
}

} // namespace

std::string conversionMessage(const std::string& fieldLabel, const std::string& text) {
    return "数据转换错误：" + fieldLabel + "中的“" + text + "”不是有效的数值";
}

SectionGeometry sectionGeometry(SectionType section, double first, double second, const SocketDepth& depth,
                                const DeqRule& deqRule) {
    const bool rectangular = section == SectionType::Rectangular || section == SectionType::Square;
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
    v.section = in.section;
    v.dText = in.d;
    v.cText = in.c;
    v.hrText = in.hr;
    v.integrityText = in.integrity;
    v.grade = in.grade;
    v.process = in.process;
    v.precision = in.precision;

    const SectionCheck section = checkSection(in.section, in.d, in.c, run.out.status, run.out.fields);
    v.frk = readLenient(in.frk);
    if (section.stopped())
        return run.stop(section.stopField, section.stopMessage);
    if (section.exchanged) {
        v.dText = section.firstText;
        v.cText = section.secondText;
    }
    const bool rectangular = in.section == SectionType::Rectangular || in.section == SectionType::Square;
    const double first = section.first;
    const double second = section.second;
    v.square = section.square;
    v.first = first;
    v.second = second;

    const SocketDepth depth = readSocketDepth(in.hr, multipleLetter(in.section), rectangular ? second : first);
    if (depth.status == SocketDepth::Status::FactorUnread)
        return run.unread(kFieldHr, "桩身嵌岩深度hr", in.hr);
    if (depth.status == SocketDepth::Status::Invalid)
        return run.stop(kFieldHr, kMsgDepth);
    run.pass(kFieldHr);

    v.geometry = sectionGeometry(in.section, first, second, depth, deqRule);
    const SectionGeometry& g = v.geometry;

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

    if (isBroken(v.integrity)) {
        switch (checkBrokenRock(in.section, g)) {
        case BrokenRockCheck::ShorterThan1m:
            return run.stop(kFieldHr, kMsgShort1m);
        case BrokenRockCheck::ShorterThanOneDiameter:
            return run.stop(kFieldHr, kMsgShortD);
        case BrokenRockCheck::HintShorterThanDeq:
            run.out.status.showMessage(kMsgHintDeq, kMagenta);
            break;
        case BrokenRockCheck::Pass:
            run.out.fields.setColour(kFieldHr, kBlack);
            break;
        }
    }

    if (v.frk <= 0.0)
        return run.stop(kFieldFrk, kMsgFrk);
    run.out.fields.setColour(kFieldFrk, kBlack);
    const Capacity c = capacityOf(g, v.frk, v.integrity, v.kv, in.process, in.grade);
    v.zeta = c.zeta;
    v.processFactor = c.processFactor;
    v.zetaR = c.zetaR;
    v.qrk = c.qrk;
    v.quk = c.quk;
    v.ra = c.ra;
    v.fc = c.fc;
    v.psiC = c.psiC;
    v.rc = c.rc;

    run.out.boxes = {
        {kBoxDeq, FixedText(g.deq, 7, 0)},
        {kBoxRatio, FixedText(g.ratioToDeq, 7, 2)},
        {kBoxZetaR, FixedText(v.zetaR, 7, 4)},
        {kBoxRa, PrecisionText(v.ra, in.precision, 7)},
        {kBoxRc, PrecisionText(v.rc, in.precision, 7)},
    };
    return run.out;
}

} // namespace sp::module1
