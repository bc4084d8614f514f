#pragma once
// The calculation book an engineer hands in, as content without layout: the title block, the
// standard it follows, one section per pile with its inputs, its worked steps and its
// conclusions, and the pile table. Each module builds its piles' sections from the calculation's
// own values, formatted as the result boxes and the text book format them; a renderer lays the
// book out as pages (PDF, print) and the table writers turn its tables into spreadsheets.
//
// Texts are UTF-8 with a small markup for formulas: "_{…}" sets what is inside as a subscript,
// "^{…}" as a superscript (A_{p}, d^{2}, Q_{sr1k}). Nothing else is special; `plainText` drops
// the markup, for files and tests that read text.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace sp::handin {

// The standard every book follows, by its full title and number.
inline constexpr const char* kStandardTitle = "《贵州省建筑桩基设计与施工技术规程》";
inline constexpr const char* kStandardNumber = "DBJ 52/T088-2018";
inline constexpr const char* kBookTitle = "嵌岩桩竖向承载力计算书";

// Who the book is for and who signs it; an empty name leaves a blank line to sign on.
struct TitleBlock {
    std::string project;      // 工程名称
    std::string part;         // 子项/部位
    std::string calculatedBy; // 计算
    std::string checkedBy;    // 校对
    std::string approvedBy;   // 审核
    std::string date;         // "2026年12月10日"
};

// A label and its value with the unit, one row of the inputs' two-column table.
struct Entry {
    std::string label; // "桩身直径 d"
    std::string value; // "1000 mm"
};

// A small table inside a pile's section (module 2's rock layers). Cells are markup.
struct Table {
    std::vector<std::string> headers; // "l_{ri} (m)"
    std::vector<std::vector<std::string>> rows;
};

// One line of a worked step: the formula in symbols, the same with the numbers put in and the
// result with its unit, all in `text`; `clause` is the formula number set at the right margin.
struct FormulaLine {
    std::string text;
    std::string clause; // "(5.3.3-3)", or empty
};

// A numbered step of the calculation ("5  嵌岩段总极限阻力"); numbered by its place in the section.
struct Step {
    std::string title;
    std::vector<FormulaLine> lines;
    std::optional<Table> table;     // set after the lines
    std::vector<std::string> notes; // under the table: what the calculation noted on the way
};

// A line chart in a pile's section, as content: what is drawn, not where. Values are in the
// axes' own units; texts are markup.
enum class SeriesRole {
    Ra,         // the characteristic value, a solid line
    Rc,         // the design value of the section, a dashed line (told apart in black and white)
    RaRequired, // a required Ra, a horizontal dash-dot line
    AxialForce, // a design axial force N, a horizontal dash-dot-dot line
};

struct ChartPoint {
    double x = 0.0;
    double y = 0.0;
};

// One line with its legend name; it breaks between its pieces, where the calculation refused
// the depths.
struct ChartSeries {
    std::string name; // "R_{a}"
    SeriesRole role = SeriesRole::Ra;
    std::vector<std::vector<ChartPoint>> pieces;
};

// A stretch of x shaded over the chart's full height, named in the legend.
struct ChartBand {
    double from = 0.0;
    double to = 0.0;
    std::string name; // "超出表格范围"
};

// Points marked on the lines, under one legend name (the current design on Ra and on Rc).
struct ChartMark {
    std::string name; // "当前设计"
    std::vector<ChartPoint> points;
};

struct ChartAxis {
    std::string title; // "嵌岩深度 h_{r} (mm)"
    double from = 0.0;
    double to = 1.0;
};

struct LineChart {
    std::string caption; // "图 1  ZH1 承载力随嵌岩深度变化"
    ChartAxis x;
    ChartAxis y;
    std::vector<ChartSeries> series;
    std::optional<ChartBand> band;
    std::optional<ChartMark> mark;
    std::vector<std::string> notes; // set under the caption (the depths the calculation refused)
};

// One pile of the book.
struct PileSection {
    std::string pileName;               // "ZH1"
    std::string heading;                // "ZH1  圆桩  d = 1000 mm"
    std::optional<std::string> warning; // set in a box at the head of the section (module 3, 超规)
    std::vector<Entry> inputs;          // 二、基本资料
    std::optional<Table> inputTable;    // module 2: the rock layers as the engineer gave them
    std::vector<std::string> clauses;   // the clauses this pile's calculation used, for 一、计算依据
    std::vector<Step> steps;            // 三、计算过程
    std::vector<std::string> conclusions; // 四、计算结论, in words
    std::optional<LineChart> figure;      // after the steps: the capacity against the socket depth
};

// One cell of an exported table: its text as the table shows it, and its number when the text
// is one (so that a spreadsheet sums it).
struct SheetCell {
    std::string text;
    std::optional<double> number;
};
using SheetRow = std::vector<SheetCell>;

struct SheetColumn {
    std::string title; // "桩承载力 Ra"
    std::string unit;  // "kN", or empty
};

// A table to export, read row by row so that a million rows need not be held as cells at once.
class SheetSource {
public:
    virtual ~SheetSource() = default;
    virtual std::string name() const = 0; // the sheet's name ("桩表", "候选方案")
    virtual const std::vector<SheetColumn>& columns() const = 0;
    virtual std::size_t rowCount() const = 0;
    // Fills `row` with the cells of row `index` (0-based), one per column.
    virtual void row(std::size_t index, SheetRow& row) const = 0;
    // The row is drawn red: its verdict is "超规".
    virtual bool flagged(std::size_t index) const = 0;
};

// A table held whole: the pile tables of the windows.
struct Sheet : SheetSource {
    std::string sheetName;
    std::vector<SheetColumn> sheetColumns;
    std::vector<SheetRow> rows;
    std::vector<bool> flags; // one per row

    std::string name() const override { return sheetName; }
    const std::vector<SheetColumn>& columns() const override { return sheetColumns; }
    std::size_t rowCount() const override { return rows.size(); }
    void row(std::size_t index, SheetRow& out) const override { out = rows[index]; }
    bool flagged(std::size_t index) const override { return index < flags.size() && flags[index]; }
};

// The whole book: title block, the piles in order and the pile table.
struct HandInBook {
    TitleBlock title;
    std::string programLine; // the program's name and version, in small print under the title
    std::vector<PileSection> piles;
    Sheet pileTable;
};

// What a pile adds to the book: its section and its row of the pile table.
struct PileEntry {
    PileSection section;
    SheetRow tableRow;
    bool flagged = false;
};

// The text without the markup: "A_{p}" reads "Ap".
std::string plainText(const std::string& markup);

// A computed figure for the book, in fixed notation with `decimals` decimals and its digits in
// groups of three separated by a thin space (U+2009): the whole part from four digits on, the
// decimals from five on: 785398.16 → "785 398.16", 7723.08 → "7 723.08", 0.7866667 →
// "0.786 666 7", 0.7867 → "0.7867", 100 → "100".
std::string grouped(double value, int decimals);
// The same grouping applied to a figure already formatted ("15446.16", "-0.5").
std::string groupDigits(const std::string& fixed);
// `value` with `digits` significant digits, grouped: 0.78666666 → "0.786 666 7".
std::string significant(double value, int digits);

} // namespace sp::handin
