#include "core/text.h"
#include "module2/module2reports.h"
#include "module2/module2session.h"
#include "testsupport.h"

#include <gtest/gtest.h>

using namespace sp::core;
using namespace sp::module2;
using sp::report::Lines;

namespace {

const Moment kMoment{2026, 12, 10, 9, 30, 0};

struct Piles {
    Session session;
    std::vector<Values> values;
    void compute() {
        const Outcome o = session.compute(kMoment);
        EXPECT_TRUE(o.ok()) << o.message;
        values.push_back(o.values);
    }
};

// One pile per variant of the book's input table, each with its own section and precision.
Piles fourPiles() {
    Piles p;
    Session& s = p.session;
    // Given resistances; oblong; two layers; two decimals.
    s.chooseSection(SectionType::Oblong);
    s.setFieldText(kFieldD, "1200");
    s.chooseStrengthBasis(StrengthBasis::GivenResistances);
    s.enterLayers({LayerTexts{"0.8", "", "", "", "", "", "", "8000", "840"},
                   LayerTexts{"1.2", "", "", "", "", "", "", "9000", "900"}});
    s.choosePrecision(Precision::TwoDecimals);
    p.compute();
    // Manual coefficients; a square; the default layer; cut to tens.
    s.chooseSection(SectionType::Rectangular);
    s.setFieldText(kFieldD, "1050");
    s.setFieldText(kFieldC, "1050");
    s.chooseStrengthBasis(StrengthBasis::RockStrength);
    s.chooseCoefficientMode(CoefficientMode::Manual);
    s.enterLayers({defaultLayer()});
    s.choosePrecision(Precision::Tens);
    p.compute();
    // Automatic by integrity index; round; softened rock above groundwater; one decimal.
    s.chooseSection(SectionType::Round);
    s.setFieldText(kFieldD, "1500");
    s.chooseCoefficientMode(CoefficientMode::Automatic);
    s.chooseIntegrityBasis(IntegrityBasis::Index);
    s.setGroundwater(false);
    s.setSoftRock(true);
    s.enterLayers({LayerTexts{"1.5", "中风化", "", "0.70", "12", "", "", "", ""},
                   LayerTexts{"2", "微风化", "", "0.45", "45.5", "", "", "", ""}});
    s.choosePrecision(Precision::OneDecimal);
    p.compute();
    // The larger of automatic and specified by integrity class; a rectangle entered short side
    // first; three layers; cut to hundreds.
    s.chooseSection(SectionType::Rectangular);
    s.setFieldText(kFieldD, "800");
    s.setFieldText(kFieldC, "1200");
    s.chooseCoefficientMode(CoefficientMode::Larger);
    s.chooseIntegrityBasis(IntegrityBasis::ClassName);
    s.setGroundwater(true);
    s.setSoftRock(false);
    s.enterLayers({LayerTexts{"0.6", "中风化", "较破碎", "", "18", "0.5", "", "", ""},
                   LayerTexts{"1.0", "微风化", "完整", "", "62", "", "0.12", "", ""},
                   LayerTexts{"0.9", "中风化", "较完整", "", "35", "0.8", "0.05", "", ""}});
    s.choosePrecision(Precision::Hundreds);
    p.compute();
    return p;
}

const char* const kBookFixtures[] = {"module2/book_given_resistances.txt", "module2/book_manual_square.txt",
                                     "module2/book_automatic_index.txt", "module2/book_larger_class.txt"};

} // namespace

TEST(Module2Reports, EachInputTableVariantMatchesItsBook) {
    const Piles p = fourPiles();
    ASSERT_EQ(p.values.size(), 4u);
    Lines page;
    for (int k = 0; k < 4; ++k) {
        const Lines expected = sp::test::fixtureLines(kBookFixtures[k]);
        EXPECT_EQ(bookLines(p.values[static_cast<std::size_t>(k)], k + 1), expected) << kBookFixtures[k];
        page.insert(page.end(), expected.begin(), expected.end());
    }
    page.push_back("计算时间：2026/12/10 9:30:00");
    EXPECT_EQ(p.session.documents().book().lines(), page);
    EXPECT_EQ(p.session.documents().table().lines(), sp::test::fixtureLines("module2/four_piles_table.txt"));
}

TEST(Module2Reports, LayerTablesKeepTheWidthOfTheirRules) {
    // Every line of the book between two dash rules belongs to a table as wide as its rule.
    const Piles p = fourPiles();
    int checked = 0;
    for (std::size_t k = 0; k < p.values.size(); ++k) {
        const Lines book = bookLines(p.values[k], static_cast<int>(k) + 1);
        int width = 0; // of the last rule, while its table lasts
        for (const std::string& line : book) {
            if (line.find("-----") != std::string::npos) {
                width = DisplayWidth(line);
            } else if (line.rfind("      ", 0) != 0 || line.find("基桩为") != std::string::npos) {
                width = 0; // the table has ended
            } else if (width > 0) {
                EXPECT_EQ(DisplayWidth(line), width) << kBookFixtures[k] << ": " << line;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 80);
}

TEST(Module2Reports, EveryTableRowIs150ColumnsWide) {
    for (auto section : {SectionType::Round, SectionType::Oblong, SectionType::Rectangular}) {
        for (int precision = 0; precision < 5; ++precision) {
            Inputs in;
            in.section = section;
            in.c = section == SectionType::Round ? "0" : "500";
            in.precision = static_cast<Precision>(precision);
            const Outcome o = calculate(in);
            ASSERT_TRUE(o.ok()) << o.message;
            const std::string row = tableRow(o.values, 12);
            EXPECT_EQ(DisplayWidth(row), kTableWidth) << row;
        }
    }
    const Lines heading = tableHeading();
    ASSERT_EQ(heading.size(), 5u);
    for (std::size_t k : {0u, 1u, 2u, 4u})
        EXPECT_EQ(DisplayWidth(heading[k]), kTableWidth) << heading[k];
    EXPECT_EQ(DisplayWidth(heading[3]), kTableWidth - 1); // μ takes one column
    const Lines closing = tableClosing(kMoment);
    ASSERT_EQ(closing.size(), 4u); // delete-last counts on four closing lines
    EXPECT_EQ(DisplayWidth(closing[0]), kTableWidth);
    EXPECT_EQ(DisplayWidth(closing[2]), kTableWidth);
}

TEST(Module2Reports, SpecifiedCoefficientsAreOverStandardInBothPages) {
    Session s;
    s.chooseCoefficientMode(CoefficientMode::Manual);
    ASSERT_TRUE(s.compute(kMoment).ok());
    const Lines& table = s.documents().table().lines();
    ASSERT_EQ(table.size(), 10u);
    EXPECT_TRUE(table[5].ends_with("    超规   ")) << table[5];
    const Lines& book = s.documents().book().lines();
    EXPECT_EQ(book[book.size() - 4], "        6480       76%       24%      超规   ");

    // The default pile is compliant.
    Session automatic;
    ASSERT_TRUE(automatic.compute(kMoment).ok());
    EXPECT_NE(automatic.documents().table().lines()[5].find("合规"), std::string::npos);
}

TEST(Module2Reports, CheckBoxLinesFollowTheBoxes) {
    Values v = calculate(Inputs{}).values;
    const std::string groundwater = "      护壁钻、冲孔桩：                     是";
    const std::string soft = "      软化系数≤0.6的软质岩，施工时无可靠    ";
    Lines lines = bookInputTable(v);
    EXPECT_EQ(lines[lines.size() - 1], groundwater);
    v.settings.groundwater = false;
    v.settings.softRock = true;
    lines = bookInputTable(v);
    EXPECT_EQ(lines[lines.size() - 3], "      护壁钻、冲孔桩：                     否");
    EXPECT_EQ(lines[lines.size() - 2], soft);
    EXPECT_EQ(lines[lines.size() - 1], "                措施缩短桩端基岩暴露时间     ");
    // No check-box lines where the boxes have no effect.
    for (auto [basis, mode] : {std::pair{StrengthBasis::GivenResistances, CoefficientMode::Automatic},
                               std::pair{StrengthBasis::RockStrength, CoefficientMode::Manual}}) {
        v.settings.strengthBasis = basis;
        v.settings.mode = mode;
        for (const std::string& line : bookInputTable(v))
            EXPECT_EQ(line.find("护壁钻"), std::string::npos) << line;
    }
}
