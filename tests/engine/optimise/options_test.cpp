#include "optimise/options/options.h"
#include "optimisetestsupport.h"

#include <gtest/gtest.h>

using namespace sp::optimise;
using sp::test::optionTable;

TEST(OptimiseOptions, DefaultTableGives3456Candidates) {
    const OptionsReading reading = readOptions(OptionTable{});
    ASSERT_TRUE(reading.ok());
    const Options& o = *reading.options;
    EXPECT_EQ(o.depthMode, DepthMode::Multiples);
    EXPECT_EQ(o.candidateCount(), 3456u);

    // 432 round, 1296 oblong, 1296 rectangular, 432 square.
    const struct {
        const char* section;
        std::uint64_t count;
    } kinds[] = {{"1", 432}, {"2", 1296}, {"3", 1296}, {"4", 432}};
    for (const auto& k : kinds) {
        const auto one = readOptions(optionTable({{kRowSection, {k.section, k.section, "1"}}}));
        EXPECT_EQ(one.options->candidateCount(), k.count) << k.section;
    }
}

TEST(OptimiseOptions, ChecksStopTheReadingWithTheirMessages) {
    const struct {
        int row;
        std::vector<std::string> cells;
        const char* message;
    } cases[] = {
        {kRowDiameter, {"-1000", "2000", "500"}, "桩径不能为负值"},
        {kRowStraight, {"1000", "-1", "500"}, "椭圆直段不能为负值"},
        {kRowLongSide, {"-2000", "3000", "500"}, "矩形长边不能为负值"},
        {kRowShortSide, {"-1", "-1", "500"}, "矩形短边不能为负值"},
        {kRowSquareSide, {"-1000", "2000", "500"}, "方形边长不能为负值"},
        {kRowFrk, {"-5", "40", "5"}, "岩石单轴抗压强度不能为负值"},
        {kRowIndex, {"0.30", "0.66", "0.1"}, "岩体完整性指数不能小于0.35"},
        {kRowIndex, {"0.46", "1.2", "0.1"}, "岩体完整性指数不能大于1"},
    };
    for (const auto& c : cases) {
        const OptionsReading reading = readOptions(optionTable({{c.row, c.cells}}));
        ASSERT_TRUE(reading.error) << c.message;
        EXPECT_EQ(reading.error->kind, OptionError::Kind::Check);
        EXPECT_EQ(reading.error->message, c.message);
        EXPECT_EQ(reading.error->row, c.row);
    }
}

TEST(OptimiseOptions, IndexRowIsCheckedEvenWhenOnlyClassesAreEnumerated) {
    const auto reading =
        readOptions(optionTable({{kRowBasis, {"1", "1", "1"}}, {kRowIndex, {"0.30", "0.66", "0.10"}}}));
    ASSERT_TRUE(reading.error);
    EXPECT_EQ(reading.error->message, "岩体完整性指数不能小于0.35");
}

TEST(OptimiseOptions, RowsAreReadInOrderAndTheFirstFailureWins) {
    // Row 2 fails its check before row 3's unreadable cell is reached.
    auto reading = readOptions(
        optionTable({{kRowStraight, {"-1", "2000", "500"}}, {kRowLongSide, {"x", "3000", "500"}}}));
    ASSERT_TRUE(reading.error);
    EXPECT_EQ(reading.error->message, "椭圆直段不能为负值");

    // All three cells of a row are read before its check: the unreadable step comes first.
    reading = readOptions(optionTable({{kRowDiameter, {"-1", "2000", "abc"}}}));
    ASSERT_TRUE(reading.error);
    EXPECT_EQ(reading.error->kind, OptionError::Kind::Conversion);
    EXPECT_EQ(reading.error->column, kColStep);

    // Square sides are validated although only round piles are enumerated; frk 0 passes here.
    reading = readOptions(optionTable({{kRowSection, {"1", "1", "1"}}, {kRowSquareSide, {"-1", "2", "1"}}}));
    ASSERT_TRUE(reading.error);
    EXPECT_EQ(reading.error->message, "方形边长不能为负值");
    EXPECT_TRUE(readOptions(optionTable({{kRowFrk, {"0", "40", "5"}}})).ok());
}

TEST(OptimiseOptions, UnreadableCellsAskForTheConversionMessage) {
    const struct {
        int row;
        std::vector<std::string> cells;
        int column;
    } cases[] = {
        {kRowSection, {"1.5", "4", "1"}, kColMin}, // an integer row
        {kRowDiameter, {"1000", "2e", "500"}, kColMax},
        {kRowDepth, {"1.0d", "3000", "1.0d"}, kColMax}, // multiples mode: no "d" reads an empty number
        {kRowDepth, {"1000", "3.0d", "1000"}, kColMax}, // plain mode: a "d" does not parse
        {kRowDepth, {"1.0D", "3.0D", "1.0D"}, kColMin}, // only the lower-case letter counts
        {kRowDepth, {"d", "3.0d", "1.0d"}, kColMin},
        {kRowGrade, {"C", "C30", "5"}, kColMin},
        {kRowGrade, {"C25", "Cx0", "5"}, kColMax},
        {kRowGrade, {"C25", "C30", "C5"}, kColStep},
        {kRowFilterRa, {"1", "2"}, -1}, // the filter rows are not read by a run
    };
    for (const auto& c : cases) {
        const OptionsReading reading = readOptions(optionTable({{c.row, c.cells}}));
        if (c.column < 0) {
            EXPECT_TRUE(reading.ok());
            continue;
        }
        ASSERT_TRUE(reading.error) << c.row << " " << c.cells[0];
        EXPECT_EQ(reading.error->kind, OptionError::Kind::Conversion);
        EXPECT_EQ(reading.error->row, c.row);
        EXPECT_EQ(reading.error->column, c.column) << c.row << " " << c.cells[0];
        EXPECT_NE(reading.error->message.find(c.cells[static_cast<std::size_t>(c.column - kColMin)]),
                  std::string::npos);
    }
}

TEST(OptimiseOptions, DepthModeIsDecidedByTheMinimumCell) {
    auto reading = readOptions(optionTable({{kRowDepth, {"1000", "3000", "1000"}}}));
    ASSERT_TRUE(reading.ok());
    EXPECT_EQ(reading.options->depthMode, DepthMode::Millimetres);
    EXPECT_EQ(reading.options->depth.values(), (std::vector<double>{1000, 2000, 3000}));

    // Each cell is read up to its own first "d"; what follows is ignored.
    reading = readOptions(optionTable({{kRowDepth, {"1.5d", "2.5dx", "0.5d"}}}));
    ASSERT_TRUE(reading.ok());
    EXPECT_EQ(reading.options->depthMode, DepthMode::Multiples);
    EXPECT_EQ(reading.options->depth.values(), (std::vector<double>{1.5, 2.0, 2.5}));
}

TEST(OptimiseOptions, GradeCellsReadTheSecondAndThirdCharacters) {
    // "Ｃ" is one character (three bytes); "C3" gives 3, rounded down and raised to 25.
    auto reading = readOptions(optionTable({{kRowGrade, {"Ｃ30", "C3", "5"}}}));
    ASSERT_TRUE(reading.ok());
    EXPECT_EQ(reading.options->grades.values(), (std::vector<double>{30}));
    reading = readOptions(optionTable({{kRowGrade, {"C300", "C45", "5"}}}));
    ASSERT_TRUE(reading.ok());
    EXPECT_EQ(reading.options->grades.values(), (std::vector<double>{30, 35, 40, 45}));
}

// The rows of codes name the windows' list words in their tooltips; the cells keep their codes.
TEST(OptimiseOptions, RowsOfCodesNameTheWindowsWords) {
    const std::string sections = "1：圆桩\n2：椭圆桩\n3：矩形桩\n4：方桩";
    const std::string processes =
        "1：干作业成桩(清底干净)\n2：泥浆护壁成桩\n3：泥浆护壁成桩后注浆\n4：水下浇筑混凝土";
    const struct {
        ModuleKind module;
        int row, column;
        const char* cell;
        std::string tip;
    } cases[] = {
        {ModuleKind::Module1, kRowSection, kColMin, "1", "1：圆桩"},
        {ModuleKind::Module1, kRowSection, kColMax, " 4 ", "4：方桩"},
        {ModuleKind::Module2, kRowSection, kColMax, "2", "2：椭圆桩"},
        {ModuleKind::Module1, kRowSection, kColStep, "1", sections}, // a step, not a code
        {ModuleKind::Module1, kRowSection, kColItem, "桩身截面类型", sections},
        {ModuleKind::Module3, kRowSection, kColNote, "圆桩1/椭圆桩2/矩形桩3/方桩4", sections},
        {ModuleKind::Module1, kRowSection, kColMin, "5", sections}, // no such code
        {ModuleKind::Module1, kRowSection, kColMin, "1.5", sections},
        {ModuleKind::Module1, kRowSection, kColMin, "", sections},
        {ModuleKind::Module1, kRowProcess, kColMin, "1", "1：干作业成桩(清底干净)"},
        {ModuleKind::Module3, kRowProcess, kColMax, "3", "3：泥浆护壁成桩后注浆"},
        {ModuleKind::Module1, kRowProcess, kColNote, "人工挖孔1/泥浆护壁2/后注浆3/水下浇筑4", processes},
        {ModuleKind::Module2, kRowProcess, kColMin, "", ""}, // module 2 has no process row
        {ModuleKind::Module1, kRowClass, kColMin, "1", ""},  // a row of numbers
        {ModuleKind::Module1, kRowDiameter, kColMin, "1000", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(codeTip(c.module, c.row, c.column, c.cell), c.tip)
            << static_cast<int>(c.module) << " row " << c.row << " column " << c.column << " '" << c.cell
            << "'";
}
