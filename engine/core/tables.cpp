#include "core/tables.h"

#include <array>

namespace sp::core {

namespace {

constexpr std::array<const char*, kGradeCount> kGradeItems = {"C25", "C30", "C35", "C40",
                                                             "C45", "C50", "C55", "C60"};
// C60 is not in the provincial table; 27.5 MPa is the national concrete design code's value.
constexpr std::array<double, kGradeCount> kFc = {11.9, 14.3, 16.7, 19.1, 21.1, 23.1, 25.3, 27.5};

constexpr std::array<const char*, kProcessCount> kProcessItems = {"干作业成桩(清底干净)", "泥浆护壁成桩",
                                                                  "泥浆护壁成桩后注浆", "水下浇筑混凝土"};
constexpr std::array<const char*, kProcessCount> kProcessShort = {"干 作 业", "泥浆护壁", "后 注 浆", "水下浇筑"};
constexpr std::array<double, kProcessCount> kProcessFactor = {1.15, 1.00, 1.15, 1.00};
constexpr std::array<double, kProcessCount> kPsiC = {0.80, 0.60, 0.60, 0.60};

constexpr int kFirstGradeAlwaysPointSix = 3; // C40

std::size_t at(int position, std::size_t count) {
    if (position < 0)
        return 0;
    return static_cast<std::size_t>(position) < count ? static_cast<std::size_t>(position) : count - 1;
}

} // namespace

const char* gradeItem(int position) { return kGradeItems[at(position, kGradeItems.size())]; }
int gradeNumber(int position) { return 25 + 5 * static_cast<int>(at(position, kGradeItems.size())); }
double fcOf(int position) { return kFc[at(position, kFc.size())]; }

const char* processItem(int position) { return kProcessItems[at(position, kProcessItems.size())]; }
const char* processShortText(int position) { return kProcessShort[at(position, kProcessShort.size())]; }
double processFactorOf(int position) { return kProcessFactor[at(position, kProcessFactor.size())]; }

double psiCOf(int process, int grade) {
    double psi = kPsiC[at(process, kPsiC.size())];
    if (grade >= kFirstGradeAlwaysPointSix)
        psi = 0.60;
    return psi;
}

std::string hardnessOf(double frk) {
    if (frk <= 0.0)
        return {};
    if (frk <= 5.0)
        return "极软岩";
    if (frk <= 15.0)
        return "软岩";
    if (frk <= 30.0)
        return "较软岩";
    if (frk <= 60.0)
        return "较硬岩";
    return "坚硬岩";
}

RockGroup rockGroupOf(double frk) {
    if (frk <= 0.0)
        return RockGroup::None;
    if (frk <= 15.0)
        return RockGroup::Soft;
    if (frk <= 30.0)
        return RockGroup::Transition;
    return RockGroup::Hard;
}

const char* integrityText(IntegrityClass cls) {
    switch (cls) {
    case IntegrityClass::Intact:
        return "完整";
    case IntegrityClass::FairlyIntact:
        return "较完整";
    case IntegrityClass::FairlyBroken:
        return "较破碎";
    case IntegrityClass::Interpolated:
        return "较破碎插值";
    }
    return "";
}

bool integrityFromName(std::string_view text, IntegrityClass& out) {
    for (auto cls : {IntegrityClass::Intact, IntegrityClass::FairlyIntact, IntegrityClass::FairlyBroken}) {
        if (text == integrityText(cls)) {
            out = cls;
            return true;
        }
    }
    return false;
}

const char* integrityStatusText(IntegrityClass cls) {
    return cls == IntegrityClass::Interpolated ? "较破碎" : integrityText(cls);
}

IndexIntegrity integrityOfIndex(double kv) {
    using V = IndexIntegrity::Verdict;
    if (kv <= 0.0 || kv > 1.0)
        return {V::Invalid, IntegrityClass::Intact};
    if (kv > 0.750001)
        return {V::Class, IntegrityClass::Intact};
    if (kv > 0.550001)
        return {V::Class, IntegrityClass::FairlyIntact};
    if (kv >= 0.349999)
        return {V::Class, IntegrityClass::Interpolated};
    return {V::Broken, IntegrityClass::Intact};
}

double linearInterpolate(double x1, double y1, double x2, double y2, double x) {
    return y1 + (y2 - y1) / (x2 - x1) * (x - x1);
}

double bilinearInterpolate(double x1, double z11, double x2, double z21, double z12, double z22, double y1,
                           double y2, double x, double y) {
    const double o = z11 + (z21 - z11) / (x2 - x1) * (x - x1);
    const double p = z12 + (z22 - z12) / (x2 - x1) * (x - x1);
    return o + (p - o) / (y2 - y1) * (y - y1);
}

} // namespace sp::core
