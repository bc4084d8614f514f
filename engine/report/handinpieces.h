#pragma once
// Pieces every module's pile in the handed-in book prints alike: figures carried from one formula
// into the next, the section's heading, inputs and area and perimeter lines, the opening cells of
// its pile-table row, and the moment of the calculation as the exported tables stamp it.

#include "core/geometry.h"
#include "core/moment.h"
#include "handin/handinbook.h"

#include <functional>
#include <string>
#include <vector>

namespace sp::report {

// Figures put into later formulas. A figure carries enough decimals that a checker working the
// formula it enters by hand arrives at the result shown, to its last digit: ζr = 0.786 666 6…
// enters Qrk = ζr × 25 × 785 398.16 / 1000 as 0.786 666 7, since 0.7867 would give 15 446.82
// instead of the 15 446.16 found. The book works its figures back from the last formula: each
// figure takes the fewest decimals, from a floor on, with which its formula shows its result.

// The figure with `decimals` decimals as a checker reads it off the page.
double figureValue(double value, int decimals);
// Whether `hand`, worked from printed figures, shows as `result` does with `decimals` decimals.
bool shows(double hand, double result, int decimals);
// One figure of a chain of formulas worked back from its last result: `works(mine, consumer)`
// tells whether the formula that takes this figure in, with `mine` decimals, shows the figure it
// gives with `consumer` decimals (the figure of the level before; the first level's formula gives
// a result of fixed decimals, and its `consumer` is 0).
struct CarryLevel {
    int floor = 2;
    std::function<bool(int mine, int consumer)> works;
    int window = 5; // decimals tried above the floor
};
// The decimals of each level's figure: the fewest from its floor on (within its window) with which
// its formula works. Where none do, the figure before it takes a decimal or two more, since its
// own formula may need them (a result halfway between two last digits, as 0.618 415 × 1.15 =
// 0.711 177 25, needs its eighth decimal) as long as its own formula still works with them; where
// that does not help either, the floor stands.
std::vector<int> carryChain(const std::vector<CarryLevel>& levels);
// The decimals of seven significant digits of `value`, and `floor` at least.
int sevenDigits(double value, int floor);
// y1 + (y2 − y1) × (x − x1) / (x2 − x1), as the book writes it and a checker works it.
double handInterpolation(double y1, double y2, double x, double x1, double x2);

// The figure with `decimals` decimals, trailing zeros dropped down to `minDecimals`, grouped:
// 0.78666666 → "0.786 666 7", 1.0 → "1.00" (seven decimals, two at least).
std::string carried(double value, int decimals, int minDecimals);
// A carried figure with the figure shown elsewhere (a result box, the text book; as the book
// prints it) beside it, when the two differ: "0.786 666 7（取 0.7867）"; just "1.00" when they
// agree.
std::string withShown(const std::string& figure, const std::string& shown);
// A force in kN carried with `decimals` decimals, with the two the text book prints beside it
// when the figure carries more: "28 825.453 kN（取 28 825.45 kN）".
std::string force(double value, int decimals);
// A computed figure with `decimals` decimals, as the text book rounds it, grouped: "15 446.16".
std::string fixed(double value, int decimals);
// A number the calculation read from a field, in its shortest form: 1000, 14.3, 0.45.
std::string plain(double value);

// "圆桩", "椭圆桩", "矩形桩", or "方桩" for a rectangle with equal sides.
const char* sectionName(core::SectionType type, bool square);
// "ZH1  圆桩  d = 1000 mm", "ZH2  矩形桩  a = 2000 mm，b = 1000 mm".
std::string pileHeading(int pileNumber, core::SectionType type, bool square, const std::string& dText,
                        const std::string& cText);
// The section's rows of the inputs table: its kind, then d; d and c; or a and b, in mm.
std::vector<handin::Entry> sectionEntries(core::SectionType type, bool square, const std::string& dText,
                                          const std::string& cText);
// Ap and μ worked from the section's dimensions (mm, mm²).
handin::FormulaLine areaLine(core::SectionType type, double first, double second, double area);
handin::FormulaLine perimeterLine(core::SectionType type, double first, double second, double perimeter);

// Qsk, the soil's side resistance above the rock, is not considered: the note under Quk.
inline constexpr const char* kSoilSideNote = "Q_{sk}：桩周土的侧阻力不考虑，取 0";
// The step Ra = Quk / K (5.2.2), with Quk carried as `quk`.
handin::Step characteristicStep(const std::string& quk, double ra);

// A cell of an exported table: the text trimmed of blanks, and its number when the whole text is
// one (a share "65.79%" counts as 65.79, its column's unit being "%").
handin::SheetCell sheetCell(const std::string& text);
// The cells from the pile's name to b, as the text pile tables have them: "-" for a dimension
// the section does not have.
void appendSectionCells(handin::SheetRow& row, int pileNumber, core::SectionType type, bool square,
                        const std::string& dText, const std::string& cText);
// A pile table's columns: those of the section cells, then the module's own.
std::vector<handin::SheetColumn> pileTableColumns(const std::vector<handin::SheetColumn>& after);
// How many of them the section cells take.
inline constexpr std::size_t kSectionColumnCount = 6;

// "yyyy-MM-dd HH:mm:ss", the moment as the exported tables stamp it.
std::string calculatedAtText(const core::Moment& moment);

} // namespace sp::report
