#include "module1/module1calc.h"

#include <gtest/gtest.h>

#include <map>

using namespace sp::core;
using namespace sp::module1;

namespace {

std::map<std::string, std::string> boxes(const Outcome& o) { return {o.boxes.begin(), o.boxes.end()}; }

StatusLine statusAfter(const Outcome& o) {
    StatusLine line;
    o.status.applyTo(line);
    return line;
}

} // namespace

TEST(Module1Calculation, DefaultPileGivesTheWindowsFigures) {
    const Outcome o = calculate(Inputs{});
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(boxes(o), (std::map<std::string, std::string>{{"edt_ddeq", "1000"},
                                                           {"edt_sjbeq", "1.00"},
                                                           {"edt_kesair", "0.7867"},
                                                           {"edt_ra", "7723"},
                                                           {"edt_rc", "6739"}}));
    const StatusLine status = statusAfter(o);
    EXPECT_EQ(status.text, "较软岩,岩体较完整");
    EXPECT_EQ(status.colour, kBlack);
    EXPECT_TRUE(status.visible);
    EXPECT_NEAR(o.values.geometry.area, 785398.16, 0.005);
    EXPECT_NEAR(o.values.qrk, 15446.16, 0.005);
    EXPECT_NEAR(o.values.ra, 7723.08, 0.005);
    EXPECT_NEAR(o.values.rc, 6738.72, 0.005);
    for (const char* field : {kFieldD, kFieldHr, kFieldIntegrity, kFieldFrk})
        EXPECT_EQ(o.fields.colourOf(field), kBlack) << field;
}

TEST(Module1Calculation, PrecisionAndProcessChangeTheBoxes) {
    const struct {
        Precision precision;
        int process;
        const char *zetaR, *ra, *rc;
    } cases[] = {
        {Precision::Tens, 1, "0.7867", "7720", "6730"},
        {Precision::Hundreds, 1, "0.7867", "7700", "6700"},
        {Precision::TwoDecimals, 1, "0.7867", "7723.08", "6738.72"},
        {Precision::OneDecimal, 1, "0.7867", "7723.1", "6738.7"},
        // 0.80 × 14.3 × 785398.16 / 1000 = 8984.95499…
        {Precision::TwoDecimals, 0, "0.9047", "8881.54", "8984.95"},
    };
    for (const auto& c : cases) {
        Inputs in;
        in.precision = c.precision;
        in.process = c.process;
        const auto b = boxes(calculate(in));
        EXPECT_EQ(b.at("edt_kesair"), c.zetaR);
        EXPECT_EQ(b.at("edt_ra"), c.ra);
        EXPECT_EQ(b.at("edt_rc"), c.rc);
    }
}

TEST(Module1Calculation, ChecksStopInOrderWithTheirMessageAndField) {
    const auto round = SectionType::Round;
    const auto oblong = SectionType::Oblong;
    const auto rect = SectionType::Rectangular;
    const struct {
        SectionType section;
        const char *d, *c, *hr, *frk, *integrity;
        const char *message, *field;
    } cases[] = {
        {round, "", "0", "1.0d", "25", "较完整", "桩身直径数据有错", "cbe_dd"},
        {round, "12abc", "0", "1.0d", "25", "较完整", "桩身直径数据有错", "cbe_dd"},
        {oblong, "1000", "0", "1.0d", "25", "较完整", "椭圆直段长度数据有错", "cbe_tyzd"},
        {round, "1000", "0", "-500", "25", "较完整", "嵌岩深度数据有错", "cbe_hr"},
        {round, "1000", "0", "-1.0d", "25", "较完整", "嵌岩深度数据有错", "cbe_hr"},
        {round, "1000", "0", "abc", "25", "较完整", "嵌岩深度数据有错", "cbe_hr"},
        {round, "1000", "0", "1.5b", "25", "较完整", "嵌岩深度数据有错", "cbe_hr"},
        {rect, "0", "1000", "1.0b", "25", "较完整", "矩形长边尺寸数据有错", "cbe_dd"},
        {rect, "1000", "0", "1.0b", "25", "较完整", "矩形短边尺寸数据有错", "cbe_tyzd"},
        // Greater than 0, but with no area (it underflows) or an infinite one.
        {round, "1e-320", "0", "1.0d", "25", "较完整", "桩身直径数据有错", "cbe_dd"},
        {oblong, "1000", "1e308", "1.0d", "25", "较完整", "椭圆直段长度数据有错", "cbe_tyzd"},
        {rect, "1e-200", "1e-200", "1.0b", "25", "较完整", "矩形长边尺寸数据有错", "cbe_dd"},
        {rect, "1000", "1e308", "1.0b", "25", "较完整", "矩形短边尺寸数据有错", "cbe_tyzd"},
        {round, "1000", "0", "1.0d", "25", "1.2", "较软岩,岩体完整性指数有错", "cbe_yswzcd"},
        {round, "1000", "0", "1.0d", "0", "1.2", ",岩体完整性指数有错", "cbe_yswzcd"},
        {round, "1000", "0", "1.0d", "25", "0.30", "破碎、极破碎岩体不适用嵌岩桩", "cbe_yswzcd"},
        {round, "1000", "0", "900", "25", "较破碎", "较破碎岩体上嵌入深度小于1m", "cbe_hr"},
        {round, "1500", "0", "1200", "25", "较破碎", "较破碎岩体上嵌入深度小于1倍桩径", "cbe_hr"},
        {oblong, "1200", "500", "1100", "25", "0.45", "较破碎岩体上嵌入深度小于1倍桩径", "cbe_hr"},
        {round, "1000", "0", "1.0d", "0", "较完整", "岩石单轴抗压强度值有错", "edt_frk"},
        {round, "1000", "0", "1.0d", "abc", "较完整", "岩石单轴抗压强度值有错", "edt_frk"},
    };
    for (const auto& c : cases) {
        Inputs in;
        in.section = c.section;
        in.d = c.d;
        in.c = c.c;
        in.hr = c.hr;
        in.frk = c.frk;
        in.integrity = c.integrity;
        const Outcome o = calculate(in);
        ASSERT_EQ(o.kind, OutcomeKind::Check) << c.message;
        EXPECT_EQ(o.message, c.message);
        EXPECT_EQ(o.field, c.field) << c.message;
        EXPECT_EQ(o.fields.colourOf(c.field), kRed) << c.message;
        const StatusLine status = statusAfter(o);
        EXPECT_EQ(status.text, c.message);
        EXPECT_EQ(status.colour, kRed);
        EXPECT_TRUE(o.boxes.empty());
    }
}

TEST(Module1Calculation, SocketOfExactlyOneDiameterInBrokenRockIsAccepted) {
    for (const char* d : {"1000", "1650", "1100"}) {
        Inputs in;
        in.d = d;
        in.hr = "1.0d";
        in.integrity = "较破碎";
        EXPECT_TRUE(calculate(in).ok()) << d;
    }
    Inputs index;
    index.integrity = "0.35";
    EXPECT_TRUE(calculate(index).ok());
}

TEST(Module1Calculation, RectangleSidesAreExchangedAndTheFieldsRewritten) {
    Inputs in;
    in.section = SectionType::Rectangular;
    in.d = "800";
    in.c = " 1000.0";
    in.hr = "1.5b";
    const Outcome o = calculate(in);
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(o.fields.textOf(kFieldD), "1000");
    EXPECT_EQ(o.fields.textOf(kFieldC), "800");
    EXPECT_DOUBLE_EQ(o.values.geometry.hr, 1200.0); // 1.5 × the short side
    EXPECT_FALSE(o.values.square);

    // The exchange stays even when a later check stops the calculation.
    in.frk = "0";
    const Outcome stopped = calculate(in);
    EXPECT_EQ(stopped.kind, OutcomeKind::Check);
    EXPECT_EQ(stopped.fields.textOf(kFieldD), "1000");

    Inputs square;
    square.section = SectionType::Rectangular;
    square.d = "1500";
    square.c = "1500";
    square.hr = "1.0b";
    const Outcome sq = calculate(square);
    ASSERT_TRUE(sq.ok());
    EXPECT_TRUE(sq.values.square);
    EXPECT_EQ(boxes(sq).at("edt_ddeq"), "1693");
}

TEST(Module1Calculation, ShortSocketInBrokenRockOfANonRoundSectionOnlyHints) {
    Inputs in;
    in.section = SectionType::Rectangular;
    in.d = "2000";
    in.c = "1000";
    in.hr = "1200";
    in.integrity = "较破碎";
    const Outcome o = calculate(in);
    ASSERT_TRUE(o.ok());
    const StatusLine status = statusAfter(o);
    EXPECT_EQ(status.text, "提示：较破碎岩体上嵌入深度小于1倍折算直径");
    EXPECT_EQ(status.colour, kMagenta);
    EXPECT_EQ(boxes(o).at("edt_sjbeq"), "0.75");
}

TEST(Module1Calculation, IntegrityIndexNamesItsClassInTheStatusLine) {
    const struct {
        const char *integrity, *status;
    } cases[] = {{"0.80", "较软岩,岩体完整"}, {"0.70", "较软岩,岩体较完整"}, {"0.45", "较软岩,岩体较破碎"}};
    for (const auto& c : cases) {
        Inputs in;
        in.integrity = c.integrity;
        in.hr = "2.0d";
        EXPECT_EQ(statusAfter(calculate(in)).text, c.status);
    }
}

TEST(Module1Calculation, UnreadableTextsEndInAConversionReport) {
    const struct {
        const char *hr, *integrity, *field;
    } cases[] = {
        {"xd", "较完整", "cbe_hr"}, {"d", "较完整", "cbe_hr"}, {"1.0d", "很完整", "cbe_yswzcd"}};
    for (const auto& c : cases) {
        Inputs in;
        in.hr = c.hr;
        in.integrity = c.integrity;
        const Outcome o = calculate(in);
        EXPECT_EQ(o.kind, OutcomeKind::Conversion);
        EXPECT_EQ(o.field, c.field);
        EXPECT_NE(o.message.find(c.field == std::string("cbe_hr") ? c.hr : c.integrity), std::string::npos);
        EXPECT_TRUE(o.boxes.empty());
    }
}

TEST(Module1Calculation, RoundPileIgnoresWhatItsDisabledSecondFieldHolds) {
    Inputs in;
    in.c = "500";
    const Outcome o = calculate(in);
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(boxes(o).at("edt_ra"), "7723");
}

// A deep socket in rock given by an integrity index between 0.35 and 0.55: ζ lies between the
// "较完整" and "较破碎" values of the last row read, 1.45/0.71 soft (beyond 6.0), 0.92/0.52 hard
// (beyond 4.0), and for the transition group (frk 25) (s + 2h) / 3 with the soft row 4.0
// (1.31/0.71). Round pile d 1000 (Ap = 785398.16 mm²), mud-protected (factor 1.00):
// Ra = ζ · frk · 785.39816 / 2.
TEST(Module1Calculation, DeepSocketWithAnIntegrityIndexInterpolatesBetweenTheClasses) {
    const struct {
        const char *frk, *hr, *kv, *zetaR, *ra, *status;
    } cases[] = {
        {"10", "7.0d", "0.36", "0.7470", "2933", "软岩,岩体较破碎"},  // 0.747 · 10 · 392.699
        {"10", "7.0d", "0.40", "0.8950", "3515", "软岩,岩体较破碎"},  // 0.895
        {"10", "7.0d", "0.50", "1.2650", "4968", "软岩,岩体较破碎"},  // 1.265
        {"10", "7.0d", "0.54", "1.4130", "5549", "软岩,岩体较破碎"},  // 1.413
        {"25", "5.0d", "0.36", "0.6067", "5956", "较软岩,岩体较破碎"}, // (0.74 + 1.08) / 3
        {"25", "5.0d", "0.40", "0.7000", "6872", "较软岩,岩体较破碎"}, // (0.86 + 1.24) / 3
        {"25", "5.0d", "0.50", "0.9333", "9163", "较软岩,岩体较破碎"}, // (1.16 + 1.64) / 3
        {"25", "5.0d", "0.54", "1.0267", "10079", "较软岩,岩体较破碎"}, // (1.28 + 1.80) / 3
        {"40", "5.0d", "0.36", "0.5400", "8482", "较硬岩,岩体较破碎"},
        {"40", "5.0d", "0.40", "0.6200", "9739", "较硬岩,岩体较破碎"},
        {"40", "5.0d", "0.50", "0.8200", "12881", "较硬岩,岩体较破碎"},
        {"40", "5.0d", "0.54", "0.9000", "14137", "较硬岩,岩体较破碎"},
        // Inside the table, hard rock at 2.0: 0.79 + (0.44 − 0.79) · 0.75.
        {"40", "2.0d", "0.40", "0.5275", "8286", "较硬岩,岩体较破碎"},
    };
    for (const auto& c : cases) {
        Inputs in;
        in.frk = c.frk;
        in.hr = c.hr;
        in.integrity = c.kv;
        const Outcome o = calculate(in);
        ASSERT_TRUE(o.ok()) << c.frk << " " << c.hr << " " << c.kv << ": " << o.message;
        const auto b = boxes(o);
        EXPECT_EQ(b.at("edt_kesair"), c.zetaR) << c.frk << " " << c.hr << " " << c.kv;
        EXPECT_EQ(b.at("edt_ra"), c.ra) << c.frk << " " << c.hr << " " << c.kv;
        EXPECT_EQ(b.at("edt_rc"), "6739");
        EXPECT_EQ(statusAfter(o).text, c.status);
    }
}

// The integrity index decides the class with a tolerance of 0.000001 at each bound: above
// 0.750001 "完整", above 0.550001 "较完整", from 0.349999 the interpolated class. Default pile with
// the socket 2.0d (u = 4, row 4) in frk 25, two thirds of the way from soft to hard:
// "完整" (1.18 + 2·0.90)/3 = 0.99333, "较完整" (1.08 + 2·0.79)/3 = 0.88667; the interpolated class
// between those at Kv 0.55 and (0.60 + 2·0.44)/3 = 0.49333 at Kv 0.35. Ra = ζ · 25 · 392.69908.
TEST(Module1Calculation, IntegrityIndexClassBoundsCarryTheirTolerance) {
    const struct {
        const char *kv, *status, *zetaR, *ra;
    } classified[] = {
        {"1", "较软岩,岩体完整", "0.9933", "9752.03"},
        {"0.750002", "较软岩,岩体完整", "0.9933", "9752.03"},
        {"0.750001", "较软岩,岩体较完整", "0.8867", "8704.83"},
        {"0.75", "较软岩,岩体较完整", "0.8867", "8704.83"},
        {"0.550002", "较软岩,岩体较完整", "0.8867", "8704.83"},
        // Interpolated: the status names "较破碎", and Kv itself enters ζ (0.8866686 at 0.550001).
        {"0.550001", "较软岩,岩体较破碎", "0.8867", "8704.85"},
        {"0.55", "较软岩,岩体较破碎", "0.8867", "8704.83"},
        {"0.35", "较软岩,岩体较破碎", "0.4933", "4843.29"},
        {"0.349999", "较软岩,岩体较破碎", "0.4933", "4843.27"},
    };
    for (const auto& c : classified) {
        Inputs in;
        in.hr = "2.0d";
        in.integrity = c.kv;
        in.precision = Precision::TwoDecimals;
        const Outcome o = calculate(in);
        ASSERT_TRUE(o.ok()) << c.kv << ": " << o.message;
        const StatusLine status = statusAfter(o);
        EXPECT_EQ(status.text, c.status) << c.kv;
        EXPECT_EQ(status.colour, kBlack) << c.kv;
        EXPECT_EQ(o.fields.colourOf(kFieldIntegrity), kBlack) << c.kv;
        const auto b = boxes(o);
        EXPECT_EQ(b.at("edt_kesair"), c.zetaR) << c.kv;
        EXPECT_EQ(b.at("edt_ra"), c.ra) << c.kv;
    }

    const struct {
        const char *kv, *message;
    } refused[] = {
        {"0.349998", "破碎、极破碎岩体不适用嵌岩桩"},
        {"1.000001", "较软岩,岩体完整性指数有错"},
        {"0", "较软岩,岩体完整性指数有错"},
        {"-0.5", "较软岩,岩体完整性指数有错"},
    };
    for (const auto& c : refused) {
        Inputs in;
        in.hr = "2.0d";
        in.integrity = c.kv;
        const Outcome o = calculate(in);
        ASSERT_EQ(o.kind, OutcomeKind::Check) << c.kv;
        EXPECT_EQ(o.message, c.message) << c.kv;
        EXPECT_EQ(o.field, kFieldIntegrity) << c.kv;
        EXPECT_EQ(statusAfter(o).colour, kRed) << c.kv;
        EXPECT_TRUE(o.boxes.empty()) << c.kv;
    }
}
