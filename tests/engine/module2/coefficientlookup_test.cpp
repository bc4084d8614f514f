#include "module2/coefficientlookup.h"

#include <gtest/gtest.h>

using namespace sp::module2;

namespace {

constexpr double kTol = 1e-12;

const Weathering kSlight = Weathering::Slight;
const Weathering kModerate = Weathering::Moderate;

// No reduction unless a case asks for one.
Settings plain(CoefficientMode mode = CoefficientMode::Automatic, IntegrityBasis basis = IntegrityBasis::ClassName) {
    Settings s;
    s.mode = mode;
    s.integrityBasis = basis;
    s.groundwater = false;
    s.softRock = false;
    return s;
}

LayerCells layer(const char* weathering, double frk, const char* integrity = "完整", double kv = 0.0) {
    LayerCells c;
    c.weathering = weathering;
    c.frk = frk;
    c.integrity = integrity;
    c.kv = kv;
    return c;
}

} // namespace

TEST(CoefficientBounds, TableByWeatheringAndFrkWithTheTransitionInterpolated) {
    const struct {
        Weathering weathering;
        double frk;
        CoefficientBounds expected;
    } cases[] = {
        {kSlight, 10, {0.50, 0.90, 0.07, 0.11}},
        {kSlight, 15, {0.50, 0.90, 0.07, 0.11}}, // 15 is still "软岩"
        {kSlight, 20, {0.50 + 0.20 / 3, 0.90 + 0.10 / 3, 0.07 + 0.01 / 3, 0.11 + 0.01 / 3}},
        {kSlight, 30, {0.70, 1.00, 0.08, 0.12}}, // the transition ends on the hard values
        {kSlight, 40, {0.70, 1.00, 0.08, 0.12}},
        {kSlight, 80, {0.70, 1.00, 0.08, 0.12}},
        {kModerate, 10, {0.40, 0.80, 0.06, 0.10}},
        {kModerate, 25, {0.40 + 0.10 * 2 / 3, 0.80 + 0.10 * 2 / 3, 0.06 + 0.01 * 2 / 3, 0.10 + 0.01 * 2 / 3}},
        {kModerate, 30, {0.50, 0.90, 0.07, 0.11}},
        {kModerate, 61, {0.50, 0.90, 0.07, 0.11}},
    };
    for (const auto& c : cases) {
        const CoefficientBounds b = coefficientBounds(c.weathering, c.frk);
        EXPECT_NEAR(b.c1Lower, c.expected.c1Lower, kTol) << c.frk;
        EXPECT_NEAR(b.c1Upper, c.expected.c1Upper, kTol) << c.frk;
        EXPECT_NEAR(b.c2Lower, c.expected.c2Lower, kTol) << c.frk;
        EXPECT_NEAR(b.c2Upper, c.expected.c2Upper, kTol) << c.frk;
    }
}

TEST(CoefficientLookup, ClassBasisForEachWeatheringHardnessAndClass) {
    const struct {
        const char* weathering;
        double frk;
        const char* integrity;
        double c1, c2;
        const char* hardness;
        const char* remark;
    } cases[] = {
        {"微风化", 10, "完整", 0.90, 0.11, "软岩", "微风化软岩,岩体完整"},
        {"微风化", 10, "较完整", 0.70, 0.09, "软岩", "微风化软岩,岩体较完整"},
        {"微风化", 10, "较破碎", 0.50, 0.07, "软岩", "微风化软岩,岩体较破碎"},
        {"微风化", 20, "完整", 0.90 + 0.10 / 3, 0.11 + 0.01 / 3, "较软岩", "微风化较软岩,岩体完整"},
        {"微风化", 20, "较完整", 0.75, 0.09 + 0.01 / 3, "较软岩", "微风化较软岩,岩体较完整"},
        {"微风化", 20, "较破碎", 0.50 + 0.20 / 3, 0.07 + 0.01 / 3, "较软岩", "微风化较软岩,岩体较破碎"},
        {"微风化", 45, "完整", 1.00, 0.12, "较硬岩", "微风化较硬岩,岩体完整"},
        {"微风化", 45, "较完整", 0.85, 0.10, "较硬岩", "微风化较硬岩,岩体较完整"},
        {"微风化", 45, "较破碎", 0.70, 0.08, "较硬岩", "微风化较硬岩,岩体较破碎"},
        {"微风化", 90, "较完整", 0.85, 0.10, "坚硬岩", "微风化坚硬岩,岩体较完整"},
        {"中风化", 15, "完整", 0.80, 0.10, "软岩", "中风化软岩,岩体完整"},
        {"中风化", 15, "较完整", 0.60, 0.08, "软岩", "中风化软岩,岩体较完整"},
        {"中风化", 15, "较破碎", 0.40, 0.06, "软岩", "中风化软岩,岩体较破碎"},
        {"中风化", 20, "完整", 0.80 + 0.10 / 3, 0.10 + 0.01 / 3, "较软岩", "中风化较软岩,岩体完整"},
        {"中风化", 20, "较完整", 0.60 + 0.10 / 3, 0.08 + 0.01 / 3, "较软岩", "中风化较软岩,岩体较完整"},
        {"中风化", 20, "较破碎", 0.40 + 0.10 / 3, 0.06 + 0.01 / 3, "较软岩", "中风化较软岩,岩体较破碎"},
        {"中风化", 30, "较完整", 0.70, 0.09, "较软岩", "中风化较软岩,岩体较完整"},
        {"中风化", 30.01, "较完整", 0.70, 0.09, "较硬岩", "中风化较硬岩,岩体较完整"},
        {"中风化", 60, "完整", 0.90, 0.11, "较硬岩", "中风化较硬岩,岩体完整"},
        {"中风化", 60.5, "较破碎", 0.50, 0.07, "坚硬岩", "中风化坚硬岩,岩体较破碎"},
        {" 中风化 ", 60.5, " 较破碎", 0.50, 0.07, "坚硬岩", "中风化坚硬岩,岩体较破碎"}, // blanks tolerated
    };
    for (const auto& c : cases) {
        const LayerCoefficients r = determineCoefficients(layer(c.weathering, c.frk, c.integrity), plain());
        ASSERT_TRUE(r.ok()) << r.error;
        EXPECT_NEAR(r.c1Auto, c.c1, kTol) << c.remark;
        EXPECT_NEAR(r.c2Auto, c.c2, kTol) << c.remark;
        EXPECT_EQ(r.c1, r.c1Auto);
        EXPECT_EQ(r.c2, r.c2Auto);
        EXPECT_EQ(r.hardness, c.hardness);
        EXPECT_EQ(r.remark, c.remark);
        EXPECT_EQ(r.overrides, 0);
        EXPECT_TRUE(r.notes.empty());
    }
}

TEST(CoefficientLookup, IndexBasisComparesTheBoundsAsWritten) {
    // "微风化" hard rock: C1 0.70 … 1.00, C2 0.08 … 0.12.
    const struct {
        double kv;
        double c1, c2;
        const char* remark;
    } cases[] = {
        {1.0, 1.00, 0.12, "微风化较硬岩,岩体完整"},
        {0.76, 1.00, 0.12, "微风化较硬岩,岩体完整"},
        {0.750002, 1.00, 0.12, "微风化较硬岩,岩体完整"},
        {0.750001, 0.70 + 0.30 * 0.200001 / 0.2, 0.08 + 0.04 * 0.200001 / 0.2, "微风化较硬岩,岩体较完整"},
        {0.75, 1.00, 0.12, "微风化较硬岩,岩体较完整"}, // the upper values by interpolation
        {0.65, 0.85, 0.10, "微风化较硬岩,岩体较完整"},
        {0.550002, 0.70 + 0.30 * 0.000002 / 0.2, 0.08 + 0.04 * 0.000002 / 0.2, "微风化较硬岩,岩体较完整"},
        {0.550001, 0.70, 0.08, "微风化较硬岩,岩体较破碎"},
        {0.55, 0.70, 0.08, "微风化较硬岩,岩体较破碎"},
        {0.35, 0.70, 0.08, "微风化较硬岩,岩体较破碎"},
        {0.349999, 0.70, 0.08, "微风化较硬岩,岩体较破碎"},
    };
    for (const auto& c : cases) {
        const LayerCoefficients r = determineCoefficients(layer("微风化", 40, "", c.kv),
                                                          plain(CoefficientMode::Automatic, IntegrityBasis::Index));
        ASSERT_TRUE(r.ok()) << c.kv << " " << r.error;
        EXPECT_NEAR(r.c1Auto, c.c1, 1e-9) << c.kv;
        EXPECT_NEAR(r.c2Auto, c.c2, 1e-9) << c.kv;
        EXPECT_EQ(r.remark, c.remark) << c.kv;
    }

    // For "较软岩" the bounds are first taken at frk, then interpolated in Kv: at frk 20 and
    // Kv 0.70, three quarters of the way from lower to upper.
    const LayerCoefficients soft = determineCoefficients(layer("中风化", 20, "", 0.70),
                                                         plain(CoefficientMode::Automatic, IntegrityBasis::Index));
    const double c1Lower = 0.40 + 0.10 / 3, c1Upper = 0.80 + 0.10 / 3;
    EXPECT_NEAR(soft.c1Auto, c1Lower + 0.75 * (c1Upper - c1Lower), 1e-12);
    EXPECT_NEAR(soft.c2Auto, 0.06 + 0.01 / 3 + 0.75 * 0.04, 1e-12);
}

TEST(CoefficientLookup, ReductionsMultiplyTheAutomaticValues) {
    const struct {
        const char* weathering;
        double frk;
        const char* integrity;
        bool groundwater, softRock;
        double c1, c2;
    } cases[] = {
        {"微风化", 45, "较完整", true, false, 0.7225, 0.085},
        {"微风化", 45, "较完整", true, true, 0.7225, 0.085}, // hard rock is not softened
        {"中风化", 10, "完整", true, true, 0.544, 0.068},
        {"中风化", 10, "完整", false, true, 0.64, 0.08},
        {"中风化", 25, "较完整", true, false, 0.85 * (0.60 + 0.10 * 2 / 3), 0.85 * (0.08 + 0.01 * 2 / 3)},
        {"中风化", 25, "较完整", true, true, 0.68 * (0.60 + 0.10 * 2 / 3), 0.68 * (0.08 + 0.01 * 2 / 3)},
    };
    for (const auto& c : cases) {
        Settings s = plain();
        s.groundwater = c.groundwater;
        s.softRock = c.softRock;
        const LayerCoefficients r = determineCoefficients(layer(c.weathering, c.frk, c.integrity), s);
        EXPECT_NEAR(r.c1Auto, c.c1, kTol) << c.frk << c.groundwater << c.softRock;
        EXPECT_NEAR(r.c2Auto, c.c2, kTol) << c.frk << c.groundwater << c.softRock;
    }
}

TEST(CoefficientLookup, ModesWeighTheSpecifiedValuesAndTiesGoToThem) {
    // "微风化" hard rock, intact, no reduction: C1a = 1.00 and C2a = 0.12 exactly.
    using M = CoefficientMode;
    const struct {
        M mode;
        double c1s, c2s;
        double c1, c2;
        int overrides;
    } cases[] = {
        {M::Automatic, 0.3, 0.3, 1.00, 0.12, 0},
        {M::Larger, 1.00, 0.12, 1.00, 0.12, 2},
        {M::Larger, 0.90, 0.20, 1.00, 0.20, 1},
        {M::Larger, 0.0, 0.0, 1.00, 0.12, 0}, // an empty cell always loses
        {M::Smaller, 0.0, 0.0, 0.0, 0.0, 2},   // … and always wins
        {M::Smaller, 1.00, 0.12, 1.00, 0.12, 2},
        {M::Smaller, 1.10, 0.10, 1.00, 0.10, 1},
        {M::Manual, 0.60, 0.05, 0.60, 0.05, 1},
    };
    for (const auto& c : cases) {
        LayerCells cells = layer("微风化", 80);
        cells.c1Specified = c.c1s;
        cells.c2Specified = c.c2s;
        const LayerCoefficients r = determineCoefficients(cells, plain(c.mode));
        ASSERT_TRUE(r.ok()) << r.error;
        EXPECT_EQ(r.c1, c.c1) << static_cast<int>(c.mode) << " " << c.c1s;
        EXPECT_EQ(r.c2, c.c2) << static_cast<int>(c.mode) << " " << c.c2s;
        EXPECT_EQ(r.overrides, c.overrides) << static_cast<int>(c.mode) << " " << c.c1s;
    }
}

TEST(CoefficientLookup, ManualModeConsultsNeitherWeatheringNorIntegrityNorReductions) {
    LayerCells cells = layer("", 25, "");
    cells.c1Specified = 0.0;
    cells.c2Specified = 0.0;
    Settings s = plain(CoefficientMode::Manual);
    s.groundwater = true;
    s.softRock = true;
    const LayerCoefficients r = determineCoefficients(cells, s);
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.hardness, "较软岩");
    EXPECT_EQ(r.notes, (std::vector<std::string>{"第1层岩石端阻系数未输入，隐含取0.00", "第1层岩石侧阻系数未输入，隐含取0.00"}));
    EXPECT_TRUE(r.fillC1);
    EXPECT_TRUE(r.fillC2);
    EXPECT_EQ(r.c1Auto, 0.0);
    EXPECT_EQ(r.c2Auto, 0.0);
    EXPECT_TRUE(r.remark.empty());
    EXPECT_EQ(r.overrides, 1);
}

TEST(CoefficientLookup, ErrorsInTheOrderOfTheSteps) {
    using M = CoefficientMode;
    using B = IntegrityBasis;
    const struct {
        M mode;
        B basis;
        int layer;
        const char* weathering;
        double frk;
        const char* integrity;
        double kv, c1s, c2s;
        const char* error;
        const char* hardness; // written before the error
        std::size_t notes;
    } cases[] = {
        {M::Automatic, B::ClassName, 3, "中风化", 0, "较完整", 0, 0, 0, "第3层岩石单轴抗压强度值错", "", 0},
        {M::Automatic, B::ClassName, 2, "中风化", -1, "较完整", 0, 0, 0, "第2层岩石单轴抗压强度值错", "", 0},
        {M::Automatic, B::ClassName, 2, "中风化", 5, "较完整", 0, 0, 0, "极软岩不适用", "", 0},
        {M::Manual, B::ClassName, 1, "", 3, "", 0, 0.5, 0.05, "极软岩不适用", "", 0},
        {M::Manual, B::ClassName, 2, "", 5.01, "", 0, 1.2, 0.05, "第2层岩石端阻系数C1有错", "软岩", 0},
        {M::Manual, B::ClassName, 2, "", 25, "", 0, -0.1, 0.05, "第2层岩石端阻系数C1有错", "较软岩", 0},
        {M::Manual, B::ClassName, 4, "", 25, "", 0, 0, 1.5, "第4层岩石侧阻系数C2有错", "较软岩", 1},
        {M::Automatic, B::ClassName, 1, "强风化", 25, "较完整", 0, 0, 0, "第1层岩石风化程度未明确", "较软岩", 0},
        {M::Larger, B::Index, 5, "", 25, "较完整", 0.65, 0, 0, "第5层岩石风化程度未明确", "较软岩", 0},
        {M::Automatic, B::ClassName, 1, "中风化", 25, "破碎", 0, 0, 0, "第1层岩体完整程度未明确", "较软岩", 0},
        {M::Automatic, B::ClassName, 1, "中风化", 25, "", 0.65, 0, 0, "第1层岩体完整程度未明确", "较软岩", 0},
        {M::Automatic, B::Index, 2, "中风化", 40, "较完整", 0, 0, 0, "第2层岩体完整性指数有错", "较硬岩", 0},
        {M::Automatic, B::Index, 2, "中风化", 25, "较完整", 1.01, 0, 0, "第2层岩体完整性指数有错", "较软岩", 0},
        {M::Automatic, B::Index, 2, "微风化", 25, "", 1.01, 0, 0, "微风化较软岩,岩体完整性指数有错", "较软岩", 0},
        {M::Automatic, B::Index, 2, "微风化", 40, "", 0.34, 0, 0, "第2层破碎、极破碎岩体不适用嵌岩桩", "较硬岩", 0},
        {M::Smaller, B::Index, 2, "中风化", 25, "", 0.3, 0, 0, "破碎、极破碎岩体不适用嵌岩桩", "较软岩", 0},
        {M::Automatic, B::Index, 2, "微风化", 25, "", 0.3, 0, 0, "破碎、极破碎岩体不适用嵌岩桩", "较软岩", 0},
        // A negative specified coefficient is refused in the larger and smaller modes too.
        {M::Smaller, B::ClassName, 1, "中风化", 25, "较完整", 0, -0.1, 0.05, "第1层岩石端阻系数C1有错", "较软岩", 0},
        {M::Larger, B::ClassName, 1, "中风化", 25, "较完整", 0, 0.5, -0.05, "第1层岩石侧阻系数C2有错", "较软岩", 0},
    };
    for (const auto& c : cases) {
        LayerCells cells = layer(c.weathering, c.frk, c.integrity, c.kv);
        cells.layer = c.layer;
        cells.c1Specified = c.c1s;
        cells.c2Specified = c.c2s;
        const LayerCoefficients r = determineCoefficients(cells, plain(c.mode, c.basis));
        EXPECT_EQ(r.error, c.error);
        EXPECT_EQ(r.hardness, c.hardness) << c.error;
        EXPECT_EQ(r.notes.size(), c.notes) << c.error;
    }
}
