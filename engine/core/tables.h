#pragma once
// The small tables the bearing-capacity formulas take their coefficients from: concrete grades,
// pile-forming processes, rock hardness by frk (MPa) and rock-mass integrity, with the two
// interpolation routines. Drop-down positions count from 0.

#include <string>
#include <string_view>

namespace sp::core {

inline constexpr double kSafetyFactor = 2.0; // K in Ra = Quk / K

// Concrete grades "C25" … "C60", positions 0 to 7.
inline constexpr int kGradeCount = 8;
inline constexpr int kDefaultGrade = 1; // "C30"
const char* gradeItem(int position);
int gradeNumber(int position); // 25 … 60
double fcOf(int position);     // design compressive strength, MPa

// Pile-forming processes, positions 0 to 3.
inline constexpr int kProcessCount = 4;
inline constexpr int kDefaultProcess = 1; // "泥浆护壁成桩"
const char* processItem(int position);
const char* processShortText(int position); // 8 columns, for the tables
double processFactorOf(int position);       // raises ζr for dry and post-grouted piles
double psiCOf(int process, int grade);      // 0.60 for C40 and above whatever the process

// Hardness class by frk, upper bounds inclusive; empty for frk ≤ 0.
std::string hardnessOf(double frk);

enum class RockGroup { None, Soft, Transition, Hard };
RockGroup rockGroupOf(double frk);

// "较破碎插值" stands for an integrity index between 0.35 and 0.55: interpolate by Kv between the
// "较破碎" and "较完整" values.
enum class IntegrityClass { Intact = 0, FairlyIntact = 1, FairlyBroken = 2, Interpolated = 3 };
const char* integrityText(IntegrityClass cls);
// "完整", "较完整" or "较破碎" given by name; false for any other text.
bool integrityFromName(std::string_view text, IntegrityClass& out);
// The class as the status line names it: the interpolated class reads "较破碎".
const char* integrityStatusText(IntegrityClass cls);

struct IndexIntegrity {
    enum class Verdict { Class, Invalid, Broken };
    Verdict verdict = Verdict::Class;
    IntegrityClass cls = IntegrityClass::Intact;
};
// Kv → class with the bounds' tolerance of 0.000001; Kv ≤ 0 or > 1 invalid, below 0.35 broken.
IndexIntegrity integrityOfIndex(double kv);

double linearInterpolate(double x1, double y1, double x2, double y2, double x);
// z11, z21 at (x1, y1), (x2, y1); z12, z22 at (x1, y2), (x2, y2).
double bilinearInterpolate(double x1, double z11, double x2, double z21, double z12, double z22, double y1,
                           double y2, double x, double y);

} // namespace sp::core
