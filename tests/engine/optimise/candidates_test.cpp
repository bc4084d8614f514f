#include "optimise/run/enumeration.h"
#include "optimise/results/fasttext.h"
#include "optimise/optimisepage.h"
#include "optimisetestsupport.h"

#include "core/numbers.h"
#include "core/tables.h"
#include "core/text.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

using namespace sp;
using namespace sp::optimise;
using core::SectionType;
using sp::test::optionTable;
using sp::test::RowTexts;

namespace {

// One candidate as the enumeration is described: nested loops over the rows' values, each written
// into the input fields as text.
struct Literal {
    module1::Inputs inputs;
    SectionType kind;
    int basis;
};

std::vector<Literal> enumerateLiterally(const Options& o, core::Precision precision) {
    using core::FixedText;
    using core::GeneralText;
    std::vector<Literal> out;
    for (double code : o.sections.values()) {
        const auto kind = static_cast<SectionType>(static_cast<int>(code));
        std::vector<std::pair<std::string, std::string>> sizes;
        if (kind == SectionType::Round)
            for (double d : o.diameter.values())
                sizes.emplace_back(GeneralText(d), "0");
        if (kind == SectionType::Oblong)
            for (double d : o.diameter.values())
                for (double c : o.straight.values())
                    sizes.emplace_back(GeneralText(d), GeneralText(c));
        if (kind == SectionType::Rectangular)
            for (double a : o.longSide.values())
                for (double b : o.shortSide.values())
                    sizes.emplace_back(GeneralText(a), GeneralText(b));
        if (kind == SectionType::Square)
            for (double s : o.squareSide.values())
                sizes.emplace_back(GeneralText(s), GeneralText(s));
        const bool roundish = kind == SectionType::Round || kind == SectionType::Oblong;
        for (const auto& [first, second] : sizes)
            for (double hr : o.depth.values())
                for (double frk : o.frk.values())
                    for (double basis : o.bases.values()) {
                        std::vector<std::string> integrities;
                        if (basis == 1.0)
                            for (double cls : o.classes.values())
                                integrities.push_back(cls == 1.0 ? "完整" : cls == 2.0 ? "较完整" : "较破碎");
                        else
                            for (double kv : o.indices.values())
                                integrities.push_back(FixedText(kv, 10, 2));
                        for (const auto& integrity : integrities)
                            for (double g : o.grades.values())
                                for (double p : o.processes.values()) {
                                    Literal l;
                                    l.kind = kind;
                                    l.basis = static_cast<int>(basis);
                                    module1::Inputs& in = l.inputs;
                                    in.section =
                                        kind == SectionType::Square ? SectionType::Rectangular : kind;
                                    in.d = first;
                                    in.c = second;
                                    in.hr = o.depthMode == DepthMode::Multiples
                                                ? FixedText(hr, 10, 1) + (roundish ? "d" : "b")
                                                : GeneralText(hr);
                                    in.frk = FixedText(frk, 10, 2);
                                    in.integrity = integrity;
                                    in.grade = (static_cast<int>(g) - 25) / 5;
                                    in.process = static_cast<int>(p) - 1;
                                    in.precision = precision;
                                    out.push_back(l);
                                }
                    }
    }
    return out;
}

// The row as read back from the input fields and result boxes after the calculation, with the
// ψc the calculation used.
RowCells rowFromOutcome(const Literal& l, const module1::Outcome& o, std::size_t n) {
    std::map<std::string, std::string> boxes(o.boxes.begin(), o.boxes.end());
    RowCells r;
    r[0] = std::to_string(n);
    r[1] = core::sectionTableText(l.kind);
    r[2] = o.fields.textOf(module1::kFieldD).value_or(l.inputs.d);
    r[3] = l.kind == SectionType::Round ? "-" : o.fields.textOf(module1::kFieldC).value_or(l.inputs.c);
    r[4] = boxes.at(module1::kBoxRa);
    r[5] = boxes.at(module1::kBoxRc);
    r[6] = l.inputs.hr;
    r[7] = l.inputs.frk;
    r[8] = std::to_string(l.basis);
    r[9] = l.inputs.integrity;
    r[10] = core::processShortText(l.inputs.process);
    r[11] = "面积相等";
    r[12] = boxes.at(module1::kBoxDeq);
    r[13] = boxes.at(module1::kBoxRatio);
    r[14] = boxes.at(module1::kBoxZetaR);
    r[15] = core::gradeItem(l.inputs.grade);
    r[16] = core::FixedText(o.values.psiC, 3, 2);
    r[17] = "";
    return r;
}

bool sameInputs(const module1::Inputs& a, const module1::Inputs& b) {
    return a.section == b.section && a.d == b.d && a.c == b.c && a.hr == b.hr && a.grade == b.grade &&
           a.process == b.process && a.frk == b.frk && a.integrity == b.integrity &&
           a.precision == b.precision;
}

// Option tables that reach the corners of the calculation: fractional sizes, rectangles given
// with b ≥ a, squares, broken rock that fails or passes, interpolated indices, rock in the
// transition group, frk 0, grades from C40 up, millimetre and multiple depths.
std::vector<OptionTable> variedTables() {
    std::vector<OptionTable> tables = {
        OptionTable{},
        optionTable({{kRowSection, {"3", "3", "1"}},
                     {kRowLongSide, {"800", "1600", "400"}},
                     {kRowShortSide, {"800", "2000", "600"}},
                     {kRowDepth, {"0.5d", "2.5d", "1.0d"}},
                     {kRowFrk, {"12", "31", "9.5"}},
                     {kRowGrade, {"C35", "C60", "10"}}}),
        optionTable({{kRowSection, {"1", "2", "1"}},
                     {kRowDiameter, {"900", "2300", "333.3"}},
                     {kRowStraight, {"250", "1000", "375"}},
                     {kRowDepth, {"500", "3100", "650"}},
                     {kRowBasis, {"2", "2", "1"}},
                     {kRowIndex, {"0.35", "1", "0.05"}},
                     {kRowProcess, {"1", "4", "1"}}}),
        optionTable({{kRowSection, {"4", "4", "1"}},
                     {kRowSquareSide, {"600", "1800", "300"}},
                     {kRowDepth, {"1.25d", "2.35d", "0.55d"}},
                     {kRowFrk, {"0", "60", "15"}},
                     {kRowClass, {"3", "3", "1"}},
                     {kRowGrade, {"C25", "C60", "5"}}}),
    };
    // Random tables of the same kind, of a size the full calculation can check quickly.
    std::mt19937 random(7);
    auto pick = [&random](std::vector<std::string> items) {
        return items[std::uniform_int_distribution<std::size_t>(0, items.size() - 1)(random)];
    };
    while (tables.size() < 40) {
        OptionTable t = optionTable({
            {kRowSection, {pick({"1", "2", "3", "4"}), pick({"1", "2", "3", "4"}), pick({"1", "2"})}},
            {kRowDiameter,
             {pick({"0", "800", "1000", "1234.5"}), pick({"1500", "2000"}), pick({"500", "333.3", "700"})}},
            {kRowStraight, {pick({"0", "300", "1000"}), pick({"1200", "1600"}), pick({"450", "900"})}},
            {kRowLongSide, {pick({"800", "1500"}), pick({"2000", "2600"}), pick({"600", "1000"})}},
            {kRowShortSide, {pick({"0", "900", "1400"}), pick({"2000", "2500"}), pick({"550", "800"})}},
            {kRowSquareSide, {pick({"700", "1000"}), pick({"1900", "2100"}), pick({"400", "650"})}},
            pick({"m", "x"}) == "m"
                ? RowTexts{kRowDepth,
                           {pick({"0.5d", "1.0d", "0.8d"}), pick({"2.0d", "3.4d"}), pick({"0.7d", "1.0d"})}}
                : RowTexts{kRowDepth,
                           {pick({"600", "900", "1000"}), pick({"2400", "3000"}), pick({"700", "1100"})}},
            {kRowFrk, {pick({"0", "4", "14", "16.5", "29"}), pick({"30", "45", "70"}), pick({"8.5", "20"})}},
            {kRowBasis, {pick({"1", "2"}), pick({"1", "2"}), "1"}},
            {kRowClass, {pick({"1", "2", "3"}), "3", pick({"1", "2"})}},
            {kRowIndex, {pick({"0.35", "0.5", "0.56"}), pick({"0.8", "1"}), pick({"0.09", "0.17"})}},
            {kRowGrade, {pick({"C25", "C35", "C45"}), pick({"C40", "C60"}), pick({"5", "15"})}},
            {kRowProcess, {pick({"1", "2", "3"}), pick({"2", "4"}), pick({"1", "2"})}},
        });
        const auto reading = readOptions(t);
        if (reading.ok() && reading.options->candidateCount() <= 2500)
            tables.push_back(t);
    }
    return tables;
}

std::unique_ptr<Enumeration> runOf(const OptionTable& table,
                                   core::Precision precision = core::kDefaultPrecision) {
    const auto reading = readOptions(table);
    EXPECT_TRUE(reading.ok());
    auto run =
        std::make_unique<Enumeration>(std::make_shared<const CandidateSpace>(*reading.options), precision);
    run->runToEnd();
    return run;
}

} // namespace

TEST(CandidateRows, EveryCandidateIsWhatTheCalculationMakesOfItsFields) {
    std::size_t checked = 0;
    std::size_t failing = 0;
    int precision = 0;
    for (const OptionTable& table : variedTables()) {
        const auto p = static_cast<core::Precision>(precision++ % 5);
        const Options options = *readOptions(table).options;
        const auto space = std::make_shared<const CandidateSpace>(options);
        const CandidateStore store(space, p);
        const std::vector<Literal> literal = enumerateLiterally(options, p);
        ASSERT_EQ(space->size(), literal.size());
        ASSERT_EQ(options.candidateCount(), literal.size());
        for (std::size_t i = 0; i < literal.size(); ++i) {
            const CandidateKey key = space->decode(i);
            ASSERT_TRUE(sameInputs(std::get<module1::Inputs>(space->inputs(key, p)), literal[i].inputs)) << i;
            const module1::Outcome outcome = module1::calculate(literal[i].inputs);
            const Evaluation e = space->evaluate(key);
            ASSERT_EQ(e.passed, outcome.ok()) << i << " " << outcome.message;
            ++checked;
            if (!e.passed) {
                ++failing;
                continue;
            }
            ASSERT_EQ(store.cells(static_cast<RowId>(i)), rowFromOutcome(literal[i], outcome, i + 1)) << i;
            const std::map<std::string, std::string> boxes(outcome.boxes.begin(), outcome.boxes.end());
            EXPECT_EQ(precisionTextValue(e.capacity.ra, p, 7), core::readStrict(boxes.at(module1::kBoxRa)));
            EXPECT_EQ(precisionTextValue(e.capacity.rc, p, 7), core::readStrict(boxes.at(module1::kBoxRc)));
        }
    }
    // The tables reach both outcomes in numbers.
    EXPECT_GT(checked, 20000u);
    EXPECT_GT(failing, 1000u);
    EXPECT_GT(checked - failing, 10000u);
}

TEST(CandidateRows, DefaultRunFirstAndSecondRows) {
    OptimisePage page;
    const auto run = page.run(core::kDefaultPrecision).run;
    ASSERT_TRUE(run);
    EXPECT_EQ(run->end(), RunEnd::Complete);
    EXPECT_EQ(page.status().text, "计算完成，桩数：3456 根");
    EXPECT_EQ(page.status().colour, core::kBlack);
    const ResultTable& t = page.candidates();
    ASSERT_EQ(t.rowCount(), 3456u);
    // ψc is the one the calculation used for Rc: 0.80 for dry work, 0.60 for mud-protected piles.
    EXPECT_EQ(t.cells(0),
              (RowCells{"ZH-0001", "圆  桩", "1000", "-", "12803", "7477", "1.0d", "35.00", "1", "完整",
                        "干 作 业", "面积相等", "1000", "1.00", "0.9315", "C25", "0.80", ""}));
    EXPECT_EQ(t.cells(1),
              (RowCells{"ZH-0002", "圆  桩", "1000", "-", "11133", "5608", "1.0d", "35.00", "1", "完整",
                        "泥浆护壁", "面积相等", "1000", "1.00", "0.8100", "C25", "0.60", ""}));
    EXPECT_EQ(t.cell(3455, kColNumber), "ZH-3456");

    std::map<std::string, int> kinds;
    for (const auto& text : sp::test::column(t, kColSection))
        ++kinds[text];
    EXPECT_EQ(kinds, (std::map<std::string, int>{
                         {"圆  桩", 432}, {"椭圆桩", 1296}, {"矩形桩", 1296}, {"方  桩", 432}}));
}

TEST(CandidateRows, ShortRunsAreNumberedWithoutLeadingZeros) {
    OptimisePage page;
    sp::test::editRows(page, {{kRowSection, {"1", "1", "1"}},
                              {kRowDiameter, {"1000", "1000", "1"}},
                              {kRowDepth, {"1.0d", "3.0d", "1.0d"}},
                              {kRowFrk, {"35", "35", "1"}},
                              {kRowBasis, {"1", "1", "1"}},
                              {kRowClass, {"1", "3", "1"}},
                              {kRowGrade, {"C30", "C30", "5"}},
                              {kRowProcess, {"2", "2", "1"}}});
    page.run(core::kDefaultPrecision);
    EXPECT_EQ(
        sp::test::column(page.candidates(), kColNumber),
        (std::vector<std::string>{"ZH-1", "ZH-2", "ZH-3", "ZH-4", "ZH-5", "ZH-6", "ZH-7", "ZH-8", "ZH-9"}));
    EXPECT_EQ(
        sp::test::column(page.candidates(), kColDepth),
        (std::vector<std::string>{"1.0d", "1.0d", "1.0d", "2.0d", "2.0d", "2.0d", "3.0d", "3.0d", "3.0d"}));
}

TEST(CandidateRows, RectangleGivenWithTheShorterSideFirstIsListedExchanged) {
    const auto run = runOf(optionTable({{kRowSection, {"3", "3", "1"}},
                                        {kRowLongSide, {"1000", "1000", "1"}},
                                        {kRowShortSide, {"1200", "1200", "1"}},
                                        {kRowBasis, {"1", "1", "1"}},
                                        {kRowClass, {"1", "1", "1"}},
                                        {kRowGrade, {"C30", "C30", "5"}},
                                        {kRowProcess, {"2", "2", "1"}},
                                        {kRowFrk, {"35", "35", "1"}},
                                        {kRowDepth, {"1.5d", "1.5d", "1.0d"}}}));
    ASSERT_EQ(run->rows()->size(), 1u);
    const RowCells row = run->rows()->cells(0);
    EXPECT_EQ(row[kColFirst], "1200");
    EXPECT_EQ(row[kColSecond], "1000");
    EXPECT_EQ(row[kColDepth], "1.5b");
    EXPECT_EQ(row[kColSection], "矩形桩");
    // 1.5b of the short side, after the exchange: 1500 mm.
    EXPECT_EQ(row[kColRatio], core::FixedText(1500.0 / std::sqrt(4.0 * 1200000.0 / M_PI), 7, 2));
    EXPECT_EQ(run->inputLayer().oneLayer().fields.d, "1200");
    EXPECT_EQ(run->inputLayer().oneLayer().fields.c, "1000");
}

TEST(CandidateRows, BrokenRockCandidateStopsTheRun) {
    const struct {
        std::vector<std::string> diameter, depth;
        const char* message;
    } cases[] = {
        {{"1000", "1000", "1"}, {"800", "1200", "400"}, "较破碎岩体上嵌入深度小于1m"},
        {{"1500", "1500", "1"}, {"1200", "1600", "400"}, "较破碎岩体上嵌入深度小于1倍桩径"},
    };
    for (const auto& c : cases) {
        OptimisePage page;
        sp::test::editRows(page, {{kRowSection, {"1", "1", "1"}},
                                  {kRowDiameter, c.diameter},
                                  {kRowDepth, c.depth},
                                  {kRowFrk, {"35", "35", "1"}},
                                  {kRowBasis, {"1", "1", "1"}},
                                  {kRowClass, {"2", "3", "1"}},
                                  {kRowGrade, {"C30", "C30", "5"}},
                                  {kRowProcess, {"2", "2", "1"}}});
        const auto run = page.run(core::kDefaultPrecision).run;
        ASSERT_TRUE(run);
        EXPECT_EQ(run->end(), RunEnd::Stopped);
        // The candidate in intact rock before it stays, numbered without "ZH-".
        ASSERT_EQ(page.candidates().rowCount(), 1u);
        EXPECT_EQ(page.candidates().cell(0, kColNumber), "1");
        EXPECT_EQ(page.candidates().cell(0, kColIntegrity), "较完整");
        EXPECT_EQ(page.status().text, "运行中止，主界面可查看中止位置、原因");
        EXPECT_EQ(page.status().colour, core::kRed);
        EXPECT_TRUE(page.computeEnabled());
        EXPECT_FALSE(page.saveEnabled());

        // The input layer holds the stopping candidate and the reason.
        const InputLayerState& layer = run->inputLayer();
        ASSERT_TRUE(layer.written);
        EXPECT_EQ(layer.oneLayer().fields.d, c.diameter[0]);
        EXPECT_EQ(layer.oneLayer().fields.hr, c.depth[0]);
        EXPECT_EQ(layer.oneLayer().fields.integrity, "较破碎");
        core::StatusLine line;
        layer.status.applyTo(line);
        EXPECT_EQ(line.text, c.message);
        EXPECT_EQ(line.colour, core::kRed);
        EXPECT_TRUE(line.visible);
        EXPECT_EQ(layer.colours.colourOf(module1::kFieldHr), core::kRed);
        EXPECT_EQ(layer.colours.colourOf(module1::kFieldD), core::kBlack);
        for (const auto& [box, text] : layer.boxes)
            EXPECT_EQ(text, "") << box;
        EXPECT_EQ(layer.boxes.size(), 5u);
    }
}

TEST(CandidateRows, CompleteRunLeavesTheLastCandidateInTheInputLayer) {
    const auto run = runOf(OptionTable{}, core::Precision::TwoDecimals);
    const InputLayerState& layer = run->inputLayer();
    ASSERT_TRUE(layer.written);
    // The last candidate: a square of side 2000, 3.0b, frk 40, index 0.66, C30, mud-protected.
    EXPECT_EQ(layer.oneLayer().fields.section, SectionType::Rectangular);
    EXPECT_EQ(layer.oneLayer().fields.d, "2000");
    EXPECT_EQ(layer.oneLayer().fields.c, "2000");
    EXPECT_EQ(layer.oneLayer().fields.hr, "3.0b");
    EXPECT_EQ(layer.oneLayer().fields.frk, "40.00");
    EXPECT_EQ(layer.oneLayer().fields.integrity, "0.66");
    EXPECT_EQ(layer.oneLayer().fields.grade, 1);
    EXPECT_EQ(layer.oneLayer().fields.process, 1);
    EXPECT_EQ(layer.boxes, layer.oneLayer().outcome.boxes);
    // Square 2000 (Ap 4 000 000 mm²): deq 2256.76, hr/deq 6000 / 2256.76 = 2.6587 (u 5.3174); hard
    // "较完整" (Kv 0.66) between rows 5 and 6: 0.83 + 0.04 · 0.3174 = 0.8427; Ra = 0.8427 · 40 · 2000 =
    // 67415.56; Rc = 0.60 · 14.3 · 4000 = 34320.
    EXPECT_EQ(layer.boxes, (std::vector<std::pair<std::string, std::string>>{{"edt_ddeq", "2257"},
                                                                             {"edt_sjbeq", "2.66"},
                                                                             {"edt_kesair", "0.8427"},
                                                                             {"edt_ra", "67415.56"},
                                                                             {"edt_rc", "34320.00"}}));
    const std::map<std::string, std::string> boxes(layer.boxes.begin(), layer.boxes.end());
    EXPECT_EQ(boxes.at(module1::kBoxRa), run->rows()->cell(3455, kColRa));
    EXPECT_EQ(boxes.at(module1::kBoxRa).find('.'), boxes.at(module1::kBoxRa).size() - 3);
    core::StatusLine line;
    layer.status.applyTo(line);
    EXPECT_EQ(line.text, "较硬岩,岩体较完整");
    EXPECT_EQ(line.colour, core::kBlack);
    EXPECT_EQ(layer.colours.colourOf(module1::kFieldC), core::kBlack);
}

TEST(CandidateRows, CancelledRunKeepsItsRowsUnnumbered) {
    const auto reading = readOptions(OptionTable{});
    Enumeration run(std::make_shared<const CandidateSpace>(*reading.options), core::kDefaultPrecision);
    EXPECT_TRUE(run.advance(100));
    EXPECT_EQ(run.computed(), 100u);
    run.cancel();
    EXPECT_FALSE(run.advance(100));
    EXPECT_EQ(run.end(), RunEnd::Cancelled);
    EXPECT_EQ(run.rows()->size(), 100u);

    OptimisePage page;
    page.finishRun(run);
    EXPECT_EQ(page.status().text, "运行已取消，桩数：100 根");
    EXPECT_EQ(page.status().colour, core::kBlack);
    EXPECT_EQ(page.candidates().cell(99, kColNumber), "100");
    EXPECT_TRUE(page.computeEnabled());
    EXPECT_EQ(run.inputLayer().oneLayer().fields.d, page.candidates().cell(99, kColFirst));
}

TEST(CandidateRows, ProgressCanCancelARunOfThePage) {
    OptimisePage page;
    int calls = 0;
    const auto run = page.run(
                             core::kDefaultPrecision,
                             [&calls](std::uint64_t done, std::uint64_t total) {
                                 EXPECT_EQ(total, 3456u);
                                 EXPECT_EQ(done, 1000u);
                                 return ++calls < 1;
                             },
                             1000)
                         .run;
    ASSERT_TRUE(run);
    EXPECT_EQ(calls, 2); // after the first step, and once more as the run ends
    EXPECT_EQ(run->end(), RunEnd::Cancelled);
    EXPECT_EQ(page.candidates().rowCount(), 1000u);
    EXPECT_EQ(page.status().text, "运行已取消，桩数：1000 根");
}

// A size the option table accepts but whose section has no area or an infinite one stops the run
// in every module, with the message and the marked field of that size's own check.
TEST(CandidateRows, DegenerateSectionStopsTheRunOnItsField) {
    const struct {
        std::vector<RowTexts> rows;
        const char *message, *field;
    } cases[] = {
        {{{kRowSection, {"1", "1", "1"}}, {kRowDiameter, {"1e-320", "1e-320", "1"}}}, "桩身直径数据有错", "cbe_dd"},
        {{{kRowSection, {"2", "2", "1"}}, {kRowDiameter, {"1000", "1000", "1"}}, {kRowStraight, {"1e308", "1e308", "1"}}},
         "椭圆直段长度数据有错",
         "cbe_tyzd"},
        {{{kRowSection, {"3", "3", "1"}},
          {kRowLongSide, {"1e-200", "1e-200", "1"}},
          {kRowShortSide, {"1e-200", "1e-200", "1"}}},
         "矩形长边尺寸数据有错",
         "cbe_dd"},
        {{{kRowSection, {"3", "3", "1"}}, {kRowLongSide, {"1000", "1000", "1"}}, {kRowShortSide, {"1e308", "1e308", "1"}}},
         "矩形短边尺寸数据有错",
         "cbe_tyzd"},
    };
    for (ModuleKind module : {ModuleKind::Module1, ModuleKind::Module2, ModuleKind::Module3}) {
        for (const auto& c : cases) {
            OptimisePage page(module);
            for (const RowTexts& r : c.rows)
                for (std::size_t k = 0; k < r.cells.size(); ++k)
                    page.editCell(r.row, kColMin + static_cast<int>(k), r.cells[k]);
            const auto run = page.run(core::kDefaultPrecision).run;
            const std::string name = std::to_string(static_cast<int>(module)) + " " + c.message;
            ASSERT_TRUE(run) << name;
            EXPECT_EQ(run->end(), RunEnd::Stopped) << name;
            EXPECT_EQ(page.candidates().rowCount(), 0u) << name;
            EXPECT_EQ(page.status().text, "运行中止，主界面可查看中止位置、原因") << name;

            const InputLayerState& layer = run->inputLayer();
            ASSERT_TRUE(layer.written) << name;
            core::StatusLine line;
            layer.status.applyTo(line);
            EXPECT_EQ(line.text, c.message) << name;
            EXPECT_EQ(line.colour, core::kRed) << name;
            EXPECT_EQ(layer.colours.colourOf(c.field), core::kRed) << name;
            ASSERT_FALSE(layer.boxes.empty()) << name;
            for (const auto& [box, text] : layer.boxes)
                EXPECT_EQ(text, "") << name << " " << box;
        }
    }
}

TEST(CandidateRows, RunsBeyondTheLimitAreRefusedBeforeComputing) {
    OptimisePage page;
    sp::test::editRows(page, {{kRowDiameter, {"1000", "2000", "0.01"}}});
    const auto start = page.run(core::kDefaultPrecision);
    EXPECT_FALSE(start.run);
    ASSERT_TRUE(start.error);
    EXPECT_EQ(page.status().text, "候选桩数超过10000000 根，请加大步进值或缩小取值范围");
    EXPECT_EQ(page.status().colour, core::kRed);
    EXPECT_EQ(page.candidates().rowCount(), 0u);
}

// Ten million candidates may run, one more may not. The counts are those of the loops:
// 10000 diameters (1000 to 10999) × 1000 strengths (1 to 1000) = 10 000 000, and
// 11 × 909091 = 10 000 001; module 3: 1000 diameters × 1250 straight lengths × 8 methods.
TEST(CandidateRows, TenMillionCandidatesAreTheMostARunTakes) {
    using sp::test::RowTexts;
    const std::vector<RowTexts> single = {{kRowSection, {"1", "1", "1"}}, {kRowDepth, {"1.0d", "1.0d", "1.0d"}},
                                          {kRowBasis, {"1", "1", "1"}},   {kRowClass, {"1", "1", "1"}},
                                          {kRowGrade, {"C30", "C30", "5"}}, {kRowProcess, {"2", "2", "1"}}};
    const struct {
        ModuleKind module;
        std::vector<RowTexts> rows;
        std::uint64_t count;
    } cases[] = {
        {ModuleKind::Module1, {{kRowDiameter, {"1000", "10999", "1"}}, {kRowFrk, {"1", "1000", "1"}}}, 10'000'000},
        {ModuleKind::Module1, {{kRowDiameter, {"1000", "1010", "1"}}, {kRowFrk, {"1", "909091", "1"}}}, 10'000'001},
        {ModuleKind::Module1, {{kRowDiameter, {"1000", "1010", "1"}}, {kRowFrk, {"1", "909090", "1"}}}, 9'999'990},
        {ModuleKind::Module3,
         {{kRowSection, {"2", "2", "1"}}, {kRowDiameter, {"1000", "1999", "1"}}, {kRowStraight, {"1", "1250", "1"}},
          {kRowFrk, {"35", "35", "1"}}, {kRow3Method, {"1", "8", "1"}}},
         10'000'000},
        {ModuleKind::Module3,
         {{kRowSection, {"2", "2", "1"}}, {kRowDiameter, {"1000", "1999", "1"}}, {kRowStraight, {"1", "1251", "1"}},
          {kRowFrk, {"35", "35", "1"}}, {kRow3Method, {"1", "8", "1"}}},
         10'008'000},
    };
    for (const auto& c : cases) {
        OptimisePage page(c.module);
        OptionTable table(c.module);
        for (const auto& list : {single, c.rows})
            for (const RowTexts& r : list)
                for (std::size_t k = 0; k < r.cells.size(); ++k) {
                    page.editCell(r.row, kColMin + static_cast<int>(k), r.cells[k]);
                    table.setCell(r.row, kColMin + static_cast<int>(k), r.cells[k]);
                }
        const auto reading = readOptions(table);
        ASSERT_TRUE(reading.ok()) << c.count;
        EXPECT_EQ(reading.options->candidateCount(), c.count);

        // Only the start of the run: it is refused, or handed out to be driven.
        const auto start = page.startRun(core::kDefaultPrecision);
        if (c.count <= 10'000'000) {
            EXPECT_TRUE(start.run) << c.count;
            EXPECT_FALSE(start.error) << c.count;
            EXPECT_EQ(page.status().text, "") << c.count;
            ASSERT_TRUE(start.run);
            EXPECT_EQ(start.run->computed(), 0u);
        } else {
            EXPECT_FALSE(start.run) << c.count;
            ASSERT_TRUE(start.error) << c.count;
            EXPECT_EQ(start.error->message, "候选桩数超过10000000 根，请加大步进值或缩小取值范围");
            EXPECT_EQ(page.status().text, "候选桩数超过10000000 根，请加大步进值或缩小取值范围");
            EXPECT_EQ(page.status().colour, core::kRed);
            EXPECT_TRUE(page.computeEnabled());
        }
        EXPECT_EQ(page.candidates().rowCount(), 0u);
    }
}
