// The solver against the calculation itself: for a table of piles every step of the socket depth
// is calculated in turn, and for targets taken from those very figures (the largest Ra exactly,
// the Ra of one depth and the next number above it, fractions of the largest) and least sockets
// on and off the grid the solver has to name the depth the scan names, with the scan's Ra to the
// last bit.

#include "solve/depthsolver.h"

#include "module2/rocklayergrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

using namespace sp;
using namespace sp::solve;
using sp::core::SectionType;

namespace {

// What a calculation of every step says for one target.
struct Expected {
    SolveKind kind = SolveKind::Failed;
    long long depthMm = 0;
    double ra = 0.0;
};

// The Ra of every step 1 … count (nullopt where the calculation stops).
struct Scan {
    long long step = 50;
    std::vector<std::optional<double>> ra; // [k - 1]
    std::optional<double> rc;

    // The first depth from `minDepth` on that reaches the target, or the least one with the
    // largest Ra from there on.
    Expected expect(double target, long long minDepth = 0) const {
        std::size_t from = 0;
        while (from < ra.size() && static_cast<long long>(from + 1) * step < minDepth)
            ++from;
        for (std::size_t k = from; k < ra.size(); ++k)
            if (ra[k] && *ra[k] >= target)
                return {SolveKind::Found, static_cast<long long>(k + 1) * step, *ra[k]};
        Expected most{SolveKind::Unreachable, 0, -1.0};
        for (std::size_t k = from; k < ra.size(); ++k)
            if (ra[k] && *ra[k] > most.ra)
                most = {SolveKind::Unreachable, static_cast<long long>(k + 1) * step, *ra[k]};
        return most;
    }
    double largest() const { return expect(std::numeric_limits<double>::infinity()).ra; }

    // Targets where a search goes wrong first: the largest Ra exactly and just above it, the Ra of
    // steps across the scan exactly and the next number above each, and fractions of the largest.
    std::vector<double> targets() const {
        std::vector<double> out;
        const double top = largest();
        out.push_back(top);
        out.push_back(std::nextafter(top, std::numeric_limits<double>::infinity()));
        for (double f : {0.2, 0.5, 0.8, 0.95, 0.999})
            out.push_back(f * top);
        for (std::size_t k = 0; k < ra.size(); k += std::max<std::size_t>(1, ra.size() / 7)) {
            if (!ra[k])
                continue;
            out.push_back(*ra[k]);
            out.push_back(std::nextafter(*ra[k], std::numeric_limits<double>::infinity()));
        }
        return out;
    }
};

module1::Inputs pile(SectionType section, const char* d, const char* c, const char* frk,
                     const char* integrity, int process = 1, int grade = 1) {
    module1::Inputs in;
    in.section = section;
    in.d = d;
    in.c = c;
    in.frk = frk;
    in.integrity = integrity;
    in.process = process;
    in.grade = grade;
    in.hr = "1.0d";
    return in;
}

module1::Outcome calculateAt(const module1::Inputs& in, long long mm) {
    module1::Inputs at = in;
    at.hr = std::to_string(mm);
    return module1::calculate(at);
}
module1::Outcome calculateAt(const module3::Inputs& in, long long mm) {
    module3::Inputs at = in;
    at.hr = std::to_string(mm);
    return module3::calculate(at);
}

// Every step up to well past the end of the ζ table: 7·(d + c) and 1 m more covers 6·deq of every
// section and method, and beyond 6·deq Ra stays as it is.
template <class In> Scan scanOneLayer(const In& in, long long step) {
    Scan scan;
    scan.step = step;
    const double size = std::stod(in.d) + std::stod(in.c);
    const long long count = static_cast<long long>((7.0 * size + 1000.0) / static_cast<double>(step)) + 1;
    for (long long k = 1; k <= count; ++k) {
        const module1::Outcome o = calculateAt(in, k * step);
        scan.ra.push_back(o.ok() ? std::optional<double>(o.values.ra) : std::nullopt);
        if (o.ok())
            scan.rc = o.values.rc;
    }
    return scan;
}

// No least socket, the usual half metre, one off the grid of most steps, and one past the end of
// the ζ table of the smaller sections (the scan reaches 7·(d + c) + 1 m).
template <class In> std::vector<long long> leastSockets(const In& in) {
    const double size = std::stod(in.d) + std::stod(in.c);
    return {0, kDefaultMinDepth, 1234, static_cast<long long>(6.5 * size)};
}

template <class In> void expectAsTheScan(const In& in, long long step, const std::string& name) {
    const Scan scan = scanOneLayer(in, step);
    ASSERT_TRUE(scan.largest() > 0.0) << name << ": some depth has to pass";
    for (const long long minDepth : leastSockets(in)) {
        for (const double target : scan.targets()) {
            const Expected e = scan.expect(target, minDepth);
            const DepthSolution s = solveDepth(in, Target{target, std::nullopt, minDepth}, step);
            const std::string at =
                name + ", Ra,req " + std::to_string(target) + ", least socket " + std::to_string(minDepth);
            ASSERT_EQ(s.kind, e.kind) << at << ": " << s.message;
            EXPECT_EQ(s.depthMm, e.depthMm) << at;
            EXPECT_GE(s.depthMm, minDepth) << at;
            EXPECT_EQ(s.depthText, std::to_string(e.depthMm)) << at;
            EXPECT_EQ(s.ra, e.ra) << at;
            EXPECT_EQ(s.rc, scan.rc) << at;
        }
    }
}

} // namespace

TEST(SolveDepth, OneLayerPilesAnswerAsACalculationOfEveryStep) {
    using S = SectionType;
    const struct {
        const char* name;
        module1::Inputs in;
        long long step;
    } cases[] = {
        {"soft intact", pile(S::Round, "1000", "0", "10", "完整"), 50},
        {"soft fairly intact, dry process", pile(S::Round, "1200", "0", "12", "较完整", 0), 50},
        {"transition, the window's default pile", pile(S::Round, "1000", "0", "25", "较完整"), 50},
        {"transition, odd step", pile(S::Round, "1100", "0", "22.5", "完整"), 37},
        {"hard intact", pile(S::Round, "1500", "0", "40", "完整"), 50},
        {"hard fairly intact, C40 grouted", pile(S::Round, "1000", "0", "80", "较完整", 2, 3), 100},
        {"soft broken, the 1 m rule decides", pile(S::Round, "800", "0", "10", "较破碎"), 50},
        {"transition broken, the 1·d rule decides", pile(S::Round, "1500", "0", "20", "较破碎"), 50},
        {"hard broken, step of 1 mm", pile(S::Round, "1200", "0", "45", "较破碎"), 1},
        {"interpolated by Kv 0.45", pile(S::Round, "1000", "0", "10", "0.45"), 50},
        {"interpolated by Kv 0.35, transition", pile(S::Round, "1300", "0", "28", "0.35"), 50},
        {"Kv 0.65, hard", pile(S::Round, "1000", "0", "35", "0.65"), 50},
        {"Kv 0.80, underwater C60", pile(S::Round, "1000", "0", "18", "0.80", 3, 7), 50},
        {"oblong broken: hr/d, then the magenta hint", pile(S::Oblong, "1000", "500", "20", "较破碎"), 50},
        {"rectangle broken: the magenta hint below 1·deq",
         pile(S::Rectangular, "2000", "1000", "35", "较破碎"), 50},
        {"rectangle given short side first", pile(S::Rectangular, "800", "1200", "50", "完整"), 50},
        {"square, soft", pile(S::Rectangular, "1000", "1000", "8", "较完整"), 50},
    };
    for (const auto& c : cases)
        expectAsTheScan(c.in, c.step, c.name);
}

TEST(SolveDepth, Module3MethodsAnswerAsACalculationOfEveryStep) {
    using S = SectionType;
    using M = module3::DeqMethod;
    const struct {
        const char* name;
        module1::Inputs in;
        M method;
    } cases[] = {
        {"oblong broken, largest gyration", pile(S::Oblong, "1000", "500", "20", "较破碎"), M::GyrationMax},
        {"rectangle broken, short side", pile(S::Rectangular, "2000", "1000", "35", "较破碎"), M::ShortSide},
        {"rectangle, envelope of the smallest", pile(S::Rectangular, "1600", "900", "12", "完整"),
         M::EnvelopeMin},
        {"oblong, perimeter", pile(S::Oblong, "1200", "400", "70", "0.5"), M::PerimeterEqual},
        {"round: the method does not count", pile(S::Round, "1000", "0", "25", "较完整"), M::GyrationMin},
    };
    for (const auto& c : cases) {
        module3::Inputs in;
        static_cast<module1::Inputs&>(in) = c.in;
        in.method = c.method;
        expectAsTheScan(in, 50, c.name);
    }
}

TEST(SolveDepth, TheLargestRaIsWhereTheTableEndsAndTheMessageSaysSo) {
    // Hard rock reads ζ to hr/deq = 4: 1.04 × 40 MPa × π/4 m² / 2 = 16336.28 kN from 4000 mm on.
    const module1::Inputs in = pile(SectionType::Round, "1000", "0", "40", "完整");
    const DepthSolution s = solveDepth(in, Target{17000.0, std::nullopt});
    ASSERT_EQ(s.kind, SolveKind::Unreachable);
    EXPECT_EQ(s.depthText, "4000");
    EXPECT_NEAR(s.ra, 16336.28, 0.005);
    EXPECT_EQ(s.message, "无解：该截面最大可达 Ra = 16336 kN（hr = 4000 mm），请加大桩径");
    // A step that misses 4000 reaches the largest Ra at the next multiple past it.
    EXPECT_EQ(solveDepth(in, Target{17000.0, std::nullopt}, 300).depthText, "4200");
    // The figure in the message is one the pile reaches.
    EXPECT_EQ(solveDepth(in, Target{16336.0, std::nullopt}).kind, SolveKind::Found);
}

TEST(SolveDepth, RcThatNoDepthChangesDecidesBeforeTheDepth) {
    const module1::Inputs in = pile(SectionType::Round, "1000", "0", "25", "较完整"); // Rc 6738.72 kN
    const double rc = module1::calculate(in).values.rc;

    const DepthSolution enough = solveDepth(in, Target{9000.0, rc});
    ASSERT_EQ(enough.kind, SolveKind::Found) << enough.message;
    EXPECT_EQ(enough.depthText, solveDepth(in, Target{9000.0, std::nullopt}).depthText);
    EXPECT_EQ(enough.rc, rc);

    const DepthSolution shortOfN = solveDepth(in, Target{9000.0, std::nextafter(rc, 1e9)});
    EXPECT_EQ(shortOfN.kind, SolveKind::RcShort);
    const DepthSolution s = solveDepth(in, Target{1000.0, 7000.0});
    ASSERT_EQ(s.kind, SolveKind::RcShort);
    EXPECT_EQ(s.rc, rc);
    // Rc 6738.72 kN: the message names the 6739 the Rc box shows.
    EXPECT_EQ(
        s.message,
        "无解：该截面 Rc = 6739 kN，达不到 N = 7000 kN（Rc 与嵌岩深度无关），请加大截面或提高混凝土强度等级");
    // Rc falls short even where Ra could never be reached: the section has to grow either way.
    EXPECT_EQ(solveDepth(in, Target{1e9, 7000.0}).kind, SolveKind::RcShort);
}

TEST(SolveDepth, FiguresInTheMessagesAreThoseTheResultBoxesShow) {
    // Rc 6738.72 kN and, on hard rock past the table, Ra 16336.28 kN, by every precision.
    const struct {
        sp::core::Precision precision;
        const char *rc, *ra;
    } cases[] = {
        {sp::core::Precision::TwoDecimals, "6738.72", "16336.28"},
        {sp::core::Precision::OneDecimal, "6738.7", "16336.3"},
        {sp::core::Precision::Units, "6739", "16336"},
        {sp::core::Precision::Tens, "6730", "16330"},
        {sp::core::Precision::Hundreds, "6700", "16300"},
    };
    for (const auto& c : cases) {
        module1::Inputs in = pile(SectionType::Round, "1000", "0", "25", "较完整");
        in.precision = c.precision;
        const module1::Outcome calculated = module1::calculate(in);
        EXPECT_EQ(module1::forceBoxText(calculated.values.rc, c.precision), c.rc);
        EXPECT_NE(solveDepth(in, Target{1000.0, 7000.0}).message.find(std::string("Rc = ") + c.rc + " kN"),
                  std::string::npos)
            << c.rc;
        in.frk = "40";
        in.integrity = "完整";
        EXPECT_NE(
            solveDepth(in, Target{17000.0, std::nullopt}).message.find(std::string("Ra = ") + c.ra + " kN"),
            std::string::npos)
            << c.ra;
    }
}

TEST(SolveDepth, OtherInputsThatFailStopWithTheCalculationsOwnMessage) {
    const auto with = [](auto change) {
        module1::Inputs in = pile(SectionType::Round, "1000", "0", "25", "较完整");
        change(in);
        return solveDepth(in, Target{5000.0, std::nullopt});
    };
    const struct {
        const char* name;
        DepthSolution s;
        sp::core::OutcomeKind failure;
        const char *message, *field;
    } cases[] = {
        {"no diameter", with([](auto& in) { in.d = ""; }), sp::core::OutcomeKind::Check, "桩身直径数据有错",
         "cbe_dd"},
        {"oblong without c", with([](auto& in) {
             in.section = SectionType::Oblong;
             in.c = "0";
         }),
         sp::core::OutcomeKind::Check, "椭圆直段长度数据有错", "cbe_tyzd"},
        {"frk 0", with([](auto& in) { in.frk = "0"; }), sp::core::OutcomeKind::Check,
         "岩石单轴抗压强度值有错", "edt_frk"},
        {"broken rock by Kv", with([](auto& in) { in.integrity = "0.30"; }), sp::core::OutcomeKind::Check,
         "破碎、极破碎岩体不适用嵌岩桩", "cbe_yswzcd"},
        {"Kv above 1", with([](auto& in) { in.integrity = "1.2"; }), sp::core::OutcomeKind::Check,
         "较软岩,岩体完整性指数有错", "cbe_yswzcd"},
        {"integrity unreadable", with([](auto& in) { in.integrity = "abc"; }),
         sp::core::OutcomeKind::Conversion, nullptr, "cbe_yswzcd"},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(c.s.kind, SolveKind::Failed) << c.name;
        EXPECT_EQ(c.s.failure, c.failure) << c.name;
        if (c.message)
            EXPECT_EQ(c.s.message, c.message) << c.name;
        else
            EXPECT_NE(c.s.message.find("abc"), std::string::npos) << c.name << ": " << c.s.message;
        EXPECT_EQ(c.s.field, c.field) << c.name;
    }
    // The socket depth the inputs hold is replaced, so a bad one does not matter.
    EXPECT_EQ(with([](auto& in) { in.hr = "xd"; }).kind, SolveKind::Found);
    EXPECT_EQ(with([](auto& in) { in.hr = "-500"; }).kind, SolveKind::Found);
}

TEST(SolveDepth, StepsAndLeastSocketsOutsideTheGridAreRefused) {
    const module1::Inputs in = pile(SectionType::Round, "1000", "0", "25", "较完整");
    for (long long step : {0LL, -50LL, kLengthLimit + 1})
        EXPECT_THROW(solveDepth(in, Target{5000.0, std::nullopt}, step), std::invalid_argument) << step;
    const module2::Inputs layer;
    for (long long minDepth : {-1LL, kLengthLimit + 1}) {
        EXPECT_THROW(solveDepth(in, Target{5000.0, std::nullopt, minDepth}), std::invalid_argument)
            << minDepth;
        EXPECT_THROW(solveDepth(layer, Target{5000.0, std::nullopt, minDepth}), std::invalid_argument)
            << minDepth;
    }
}

TEST(SolveDepth, NoSocketShorterThanTheLeastOneIsProposed) {
    // The window's default pile carries 1000 kN with 50 mm of socket; no one builds that.
    const module1::Inputs in = pile(SectionType::Round, "1000", "0", "25", "较完整");
    const struct {
        long long minDepth, step;
        const char* depth;
    } cases[] = {
        {0, 50, "50"}, // none asked for: the first step
        {kDefaultMinDepth, 50, "500"},
        {520, 50, "550"}, // off the grid: the next multiple of the step
        {500, 300, "600"},
        {7000, 50, "7000"},                 // past the end of the table, where Ra no longer grows
        {kLengthLimit, 300'000, "1200000"}, // the first multiple at or past the limit
    };
    for (const auto& c : cases) {
        const DepthSolution s = solveDepth(in, Target{1000.0, std::nullopt, c.minDepth}, c.step);
        ASSERT_EQ(s.kind, SolveKind::Found) << c.minDepth << ": " << s.message;
        EXPECT_EQ(s.depthText, c.depth) << c.minDepth;
    }
    EXPECT_EQ(solveDepth(in, Target{1000.0, std::nullopt}).depthText, "500") << "the least socket by default";

    // Hard rock past the table: the largest Ra is named where the least socket puts it.
    const module1::Inputs hard = pile(SectionType::Round, "1000", "0", "40", "完整");
    const DepthSolution far = solveDepth(hard, Target{17000.0, std::nullopt, 6000});
    ASSERT_EQ(far.kind, SolveKind::Unreachable);
    EXPECT_EQ(far.depthText, "6000");
    EXPECT_EQ(far.message, "无解：该截面最大可达 Ra = 16336 kN（hr = 6000 mm），请加大桩径");
}

// ---- Module 2 ------------------------------------------------------------------------------------

namespace {

struct Layer {
    const char *lr, *weathering, *integrity, *kv, *frk, *c1, *c2, *qpk, *qsrk;
};

module2::Inputs layered(SectionType section, const char* d, const char* c, std::vector<Layer> layers) {
    module2::Inputs in;
    in.section = section;
    in.d = d;
    in.c = c;
    in.grid.setLayerCount(static_cast<int>(layers.size()));
    for (std::size_t k = 0; k < layers.size(); ++k) {
        const Layer& l = layers[k];
        const int i = static_cast<int>(k + 1);
        const std::pair<int, const char*> cells[] = {{module2::kColLr, l.lr},
                                                     {module2::kColWeathering, l.weathering},
                                                     {module2::kColIntegrity, l.integrity},
                                                     {module2::kColKv, l.kv},
                                                     {module2::kColFrk, l.frk},
                                                     {module2::kColC1, l.c1},
                                                     {module2::kColC2, l.c2},
                                                     {module2::kColQpk, l.qpk},
                                                     {module2::kColQsrk, l.qsrk}};
        for (const auto& [column, text] : cells)
            in.grid.setCell(i, column, text);
    }
    return in;
}

Scan scanLayered(const module2::Inputs& in, long long step, long long count) {
    Scan scan;
    scan.step = step;
    module2::Inputs at = in;
    for (long long k = 1; k <= count; ++k) {
        at.grid.setCell(at.grid.layerCount(), module2::kColLr, layerLengthText(k * step));
        const module2::Outcome o = module2::calculate(at);
        scan.ra.push_back(o.ok() ? std::optional<double>(o.values.ra) : std::nullopt);
    }
    return scan;
}

} // namespace

TEST(SolveDepth, Module2AnswersAsACalculationOfEveryStep) {
    using S = SectionType;
    const Layer defaultLayer{"1.00", "中风化", "较完整", "0.65", "25.00", "0.50", "0.04", "", ""};
    module2::Inputs manual =
        layered(S::Round, "1000", "0", {{"1.00", "", "", "", "30", "0", "0.05", "", ""}});
    manual.settings.mode = module2::CoefficientMode::Manual; // C1 0: nothing carries below 0.5 m
    module2::Inputs byIndex = layered(S::Oblong, "1000", "600",
                                      {{"0.8", "微风化", "", "0.7", "40", "", "", "", ""},
                                       {"", "中风化", "", "0.5", "18", "", "", "", ""}});
    byIndex.settings.integrityBasis = module2::IntegrityBasis::Index;
    byIndex.settings.softRock = true;
    module2::Inputs given = layered(S::Rectangular, "1200", "1000",
                                    {{"0.5", "", "", "", "", "", "", "3000", "300"},
                                     {"0.5", "", "", "", "", "", "", "4000", "400"},
                                     {"0.5", "", "", "", "", "", "", "5000", "500"},
                                     {"0.5", "", "", "", "", "", "", "6000", "600"},
                                     {"0.5", "", "", "", "", "", "", "7000", "700"},
                                     {"0.5", "", "", "", "", "", "", "8000", "800"},
                                     {"0.5", "", "", "", "", "", "", "9000", "900"},
                                     {"0.5", "", "", "", "", "", "", "9500", "950"},
                                     {"", "", "", "", "", "", "", "12000", "1200"}});
    given.settings.strengthBasis = module2::StrengthBasis::GivenResistances;
    const struct {
        const char* name;
        module2::Inputs in;
        long long step;
    } cases[] = {
        {"the window's default layer", layered(S::Round, "1000", "0", {defaultLayer}), 50},
        {"0.5 m rule: 0.2 m above the bottom layer",
         layered(S::Round, "1200", "0",
                 {{"0.1", "微风化", "完整", "", "45", "", "", "", ""},
                  {"0.1", "中风化", "较破碎", "", "12", "", "", "", ""},
                  {"", "微风化", "较完整", "", "22", "", "", "", ""}}),
         10},
        {"manual coefficients, no end resistance", manual, 50},
        {"integrity by index, soft-rock reduction", byIndex, 25},
        {"nine layers of given resistances, rectangle", given, 50},
    };
    for (const auto& c : cases) {
        const Scan scan = scanLayered(c.in, c.step, 400);
        for (const long long minDepth : {0LL, kDefaultMinDepth, 730LL}) {
            for (const double target : scan.targets()) {
                const Expected e = scan.expect(target, minDepth);
                if (e.kind != SolveKind::Found)
                    continue; // beyond the scan Ra goes on growing
                const DepthSolution s = solveDepth(c.in, Target{target, std::nullopt, minDepth}, c.step);
                const std::string at = std::string(c.name) + ", Ra,req " + std::to_string(target) +
                                       ", least length " + std::to_string(minDepth);
                ASSERT_EQ(s.kind, SolveKind::Found) << at << ": " << s.message;
                EXPECT_EQ(s.depthMm, e.depthMm) << at;
                EXPECT_GE(s.depthMm, minDepth) << at;
                EXPECT_EQ(s.depthText, layerLengthText(e.depthMm)) << at;
                EXPECT_EQ(s.ra, e.ra) << at;
                EXPECT_FALSE(s.rc) << at;
            }
        }
    }
}

TEST(SolveDepth, Module2SideResistanceCountsFromHalfAMetreOfSocket) {
    // 0.2 m above the bottom layer: the bottom layer's first 0.3 m make the socket 0.5 m, and every
    // layer's side resistance counts from there, a jump no smaller step gets across.
    const module2::Inputs in = layered(SectionType::Round, "1000", "0",
                                       {{"0.1", "中风化", "较完整", "", "25", "", "", "", ""},
                                        {"0.1", "中风化", "较完整", "", "25", "", "", "", ""},
                                        {"", "中风化", "较完整", "", "25", "", "", "", ""}});
    const Scan scan = scanLayered(in, 10, 40);
    const double endOnly = *scan.ra[28];   // 0.29 m: end resistance only
    const double withSides = *scan.ra[29]; // 0.30 m
    ASSERT_GT(withSides, endOnly + 1000.0);
    const DepthSolution s = solveDepth(in, Target{endOnly + 1.0, std::nullopt, 0}, 10);
    ASSERT_EQ(s.kind, SolveKind::Found);
    EXPECT_EQ(s.depthText, "0.30");
    EXPECT_EQ(s.ra, withSides);
    EXPECT_EQ(solveDepth(in, Target{endOnly, std::nullopt, 0}, 10).depthText, "0.01");
    // The least bottom layer asked for by default is half a metre, whatever the layers above.
    EXPECT_EQ(solveDepth(in, Target{endOnly, std::nullopt}, 10).depthText, "0.50");
}

TEST(SolveDepth, Module2WithoutSideResistanceInTheBottomLayerStopsGrowing) {
    module2::Inputs in =
        layered(SectionType::Round, "1000", "0",
                {{"0.3", "", "", "", "", "", "", "5000", "500"}, {"", "", "", "", "", "", "", "8000", "0"}});
    in.settings.strengthBasis = module2::StrengthBasis::GivenResistances;
    const Scan scan = scanLayered(in, 50, 100);
    const Expected most = scan.expect(std::numeric_limits<double>::infinity());
    const DepthSolution s = solveDepth(in, Target{most.ra + 1.0, std::nullopt, 0});
    ASSERT_EQ(s.kind, SolveKind::Unreachable);
    EXPECT_EQ(s.depthText, "0.20") << "where the socket reaches 0.5 m";
    EXPECT_EQ(s.ra, most.ra);
    EXPECT_EQ(s.message, "无解：该截面最大可达 Ra = " + std::to_string(std::llround(most.ra)) +
                             " kN（lri = 0.20 m），请加大桩径");
    EXPECT_EQ(solveDepth(in, Target{most.ra + 1.0, std::nullopt}).depthText, "0.50") << "the least length";

    // With side resistance Ra grows without end; the length limit bounds the search.
    const DepthSolution far = solveDepth(
        layered(SectionType::Round, "1000", "0", {{"1.00", "中风化", "较完整", "", "25", "", "", "", ""}}),
        Target{1e12, std::nullopt});
    ASSERT_EQ(far.kind, SolveKind::Unreachable);
    EXPECT_EQ(far.depthText, "1000.00");
}

TEST(SolveDepth, Module2LayersThatFailStopWithTheirMessage) {
    const module2::Inputs in = layered(SectionType::Round, "1000", "0",
                                       {{"1.0", "中风化", "较完整", "", "25", "", "", "", ""},
                                        {"1.0", "中风化", "较完整", "", "", "", "", "", ""},
                                        {"", "中风化", "较完整", "", "25", "", "", "", ""}});
    const DepthSolution s = solveDepth(in, Target{5000.0, std::nullopt});
    ASSERT_EQ(s.kind, SolveKind::Failed);
    EXPECT_EQ(s.message, "第2层岩石单轴抗压强度值错");
    EXPECT_EQ(s.field, "");

    module2::Inputs nothing =
        layered(SectionType::Round, "1000", "0", {{"", "", "", "", "", "", "", "", ""}});
    nothing.settings.strengthBasis = module2::StrengthBasis::GivenResistances;
    EXPECT_EQ(solveDepth(nothing, Target{5000.0, std::nullopt}).message,
              "单桩总极限承载力Quk为0，无法计算阻力占比");
}

TEST(SolveDepth, LayerLengthsAreWrittenInMetresWithTwoDecimalsAtLeast) {
    const std::pair<long long, const char*> cases[] = {{2350, "2.35"}, {3000, "3.00"}, {2351, "2.351"},
                                                       {50, "0.05"},   {5, "0.005"},   {12340, "12.34"}};
    for (const auto& [mm, text] : cases)
        EXPECT_EQ(layerLengthText(mm), text) << mm;
}

// ---- The least diameter -----------------------------------------------------------------------------

TEST(LeastDiameter, AnswersAsACalculationOfEveryDiameter) {
    const auto socket = [](module1::Inputs in, const char* hr) {
        in.hr = hr;
        return in;
    };
    using S = SectionType;
    const struct {
        const char* name;
        module1::Inputs in;
        Target target;
        const char* hrText;
    } cases[] = {
        {"soft, 2.0d",
         socket(pile(S::Round, "1000", "0", "10", "完整"), "2.0d"),
         {12000.0, std::nullopt},
         "2.0d"},
        {"broken: 1 m rule",
         socket(pile(S::Round, "1000", "0", "40", "较破碎"), "1.0d"),
         {3000.0, std::nullopt},
         "1.0d"},
        {"Rc decides", socket(pile(S::Round, "1000", "0", "60", "完整"), "3d"), {5000.0, 20000.0}, "3d"},
        {"socket in mm is kept in mm",
         socket(pile(S::Round, "1000", "0", "25", "较完整"), "2500"),
         {15000.0, std::nullopt},
         "2500"},
        {"a short socket in mm is no fraction of d",
         socket(pile(S::Round, "1200", "0", "25", "较完整"), "250"),
         {9000.0, std::nullopt},
         "250"},
        {"socket in mm, hard rock past the table at first",
         socket(pile(S::Round, "1000", "0", "45", "完整"), "5000"),
         {40000.0, 15000.0},
         "5000"},
        {"socket in mm in broken rock: the diameter stays within it",
         socket(pile(S::Round, "1000", "0", "12", "较破碎"), "3000"),
         {10000.0, std::nullopt},
         "3000"},
        {"socket multiple written without its decimals is kept",
         socket(pile(S::Round, "1000", "0", "25", "0.5"), "1.50d"),
         {12000.0, std::nullopt},
         "1.50d"},
    };
    for (const auto& c : cases) {
        const auto s = leastDiameter(c.in, c.target);
        ASSERT_TRUE(s) << c.name;
        ASSERT_EQ(s->kind, SolveKind::Found) << c.name << ": " << s->message;
        EXPECT_EQ(s->hrText, c.hrText) << c.name;
        long long expected = 0;
        module1::Outcome at;
        for (long long d = 50; d <= 10000 && !expected; d += 50) {
            module1::Inputs in = c.in;
            in.d = std::to_string(d);
            in.hr = c.hrText;
            at = module1::calculate(in);
            if (at.ok() && at.values.ra >= c.target.ra && (!c.target.n || at.values.rc >= *c.target.n))
                expected = d;
        }
        ASSERT_NE(expected, 0) << c.name;
        EXPECT_EQ(s->diameterMm, expected) << c.name;
        EXPECT_EQ(s->dText, std::to_string(expected)) << c.name;
        EXPECT_EQ(s->ra, at.values.ra) << c.name;
        EXPECT_EQ(s->rc, at.values.rc) << c.name;
    }
}

TEST(LeastDiameter, ASocketInMillimetresBoundsTheDiameterInBrokenRock) {
    // Broken rock wants a socket of one diameter: with 2000 mm kept, no diameter above 2000 mm.
    module1::Inputs in = pile(SectionType::Round, "1000", "0", "40", "较破碎");
    in.hr = "2000";
    const auto s = leastDiameter(in, Target{1e6, std::nullopt});
    ASSERT_TRUE(s);
    ASSERT_EQ(s->kind, SolveKind::Unreachable);
    EXPECT_EQ(s->message,
              "无解：桩径加大到 2000 mm 仍达不到所需承载力（再大则较破碎岩体上嵌入深度小于1倍桩径）");
    EXPECT_EQ(s->hrText, "2000");

    in.integrity = "完整";
    const auto open = leastDiameter(in, Target{1e15, std::nullopt});
    ASSERT_TRUE(open);
    ASSERT_EQ(open->kind, SolveKind::Unreachable);
    EXPECT_EQ(open->message, "无解：桩径加大到 1000000 mm 仍达不到所需承载力");

    // Shorter than 1 m in broken rock, no diameter passes: the calculation's own message.
    in.integrity = "较破碎";
    in.hr = "800";
    const auto none = leastDiameter(in, Target{1000.0, std::nullopt});
    ASSERT_TRUE(none);
    EXPECT_EQ(none->kind, SolveKind::Failed);
    EXPECT_EQ(none->message, "较破碎岩体上嵌入深度小于1m");
    EXPECT_EQ(none->field, "cbe_hr");
}

TEST(LeastDiameter, OnlyForRoundPilesThatCanPass) {
    EXPECT_FALSE(
        leastDiameter(pile(SectionType::Oblong, "1000", "500", "25", "完整"), Target{5000.0, std::nullopt}));
    module3::Inputs rectangle;
    static_cast<module1::Inputs&>(rectangle) = pile(SectionType::Rectangular, "1000", "800", "25", "完整");
    EXPECT_FALSE(leastDiameter(rectangle, Target{5000.0, std::nullopt}));

    // A socket shorter than one diameter in broken rock fails whatever the diameter.
    module1::Inputs shortSocket = pile(SectionType::Round, "1000", "0", "25", "较破碎");
    shortSocket.hr = "0.8d";
    const auto s = leastDiameter(shortSocket, Target{5000.0, std::nullopt});
    ASSERT_TRUE(s);
    EXPECT_EQ(s->kind, SolveKind::Failed);
    EXPECT_EQ(s->message, "较破碎岩体上嵌入深度小于1倍桩径");
    EXPECT_EQ(s->field, "cbe_hr");

    module1::Inputs unread = pile(SectionType::Round, "1000", "0", "25", "完整");
    unread.hr = "xd";
    const auto u = leastDiameter(unread, Target{5000.0, std::nullopt});
    ASSERT_TRUE(u);
    EXPECT_EQ(u->kind, SolveKind::Failed);
    EXPECT_EQ(u->failure, sp::core::OutcomeKind::Conversion);
    EXPECT_EQ(u->field, "cbe_hr");
}
