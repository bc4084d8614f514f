#pragma once
// The option table of the optimisation page: a row of a smallest value, a largest value and a step
// for each design parameter of a pile (sixteen rows in module 1, fourteen in module 2, seventeen in
// module 3), held as the texts the engineer typed. Nothing is read as a number until a run or a
// filter starts.

#include "optimise/modulekind.h"

#include <array>
#include <string>
#include <vector>

namespace sp::optimise {

int optionRowCount(ModuleKind module); // 16, 14, 17
inline constexpr int kOptionColumns = 5;

// Rows by content.
enum OptionRow : int {
    kRowSection = 0,
    kRowDiameter = 1,
    kRowStraight = 2,
    kRowLongSide = 3,
    kRowShortSide = 4,
    kRowSquareSide = 5,
    kRowDepth = 6,
    kRowFrk = 7,
    kRowBasis = 8,
    kRowClass = 9,
    kRowIndex = 10,
    kRowGrade = 11,
    kRowProcess = 12,
    kRowFilterRa = 14,
    kRowFilterRc = 15,
};

// Rows of module 2 that differ from module 1 (rows 0-7 are module 1's).
enum Module2OptionRow : int {
    kRow2Weathering = 8,
    kRow2Basis = 9,
    kRow2Class = 10,
    kRow2Index = 11,
    kRow2FilterRa = 13,
};

// Rows of module 3 that differ from module 1 (rows 0-12 are module 1's).
enum Module3OptionRow : int {
    kRow3Method = 13,
    kRow3FilterRa = 15,
    kRow3FilterRc = 16,
};

// Columns by content: the item, the three values, the note.
enum OptionColumn : int { kColItem = 0, kColMin = 1, kColMax = 2, kColStep = 3, kColNote = 4 };

// How the grid shows a column.
struct OptionColumnInfo {
    const char* component;
    const char* header;
    int width;
    bool centred;
};
const std::array<OptionColumnInfo, kOptionColumns>& optionColumns();

// The words of the windows' lists that the codes of a row stand for, code 1 first: the section
// types ("圆桩" …) and the construction processes ("干作业成桩(清底干净)" …). Empty for a row of
// numbers.
std::vector<std::string> codeWords(ModuleKind module, int row);
// The tooltip of a cell in a row of codes: in the smallest and largest value, the word its code
// stands for ("2：椭圆桩"); elsewhere in the row, and for a code the row has not, every code with
// its word, one to a line. Empty outside those rows. The cells themselves keep their codes.
std::string codeTip(ModuleKind module, int row, int column, const std::string& cell);

class OptionTable {
public:
    // The rows of a new window of the module, defaults included.
    explicit OptionTable(ModuleKind module = ModuleKind::Module1);

    ModuleKind module() const { return m_module; }
    int rowCount() const { return static_cast<int>(m_cells.size()); }
    const std::string& cell(int row, int column) const;
    void setCell(int row, int column, std::string text);

    // Selecting a cell makes the whole table editable when it is one of the value cells of the
    // parameter rows (module 1: rows 0-12) or a bound of the filter rows, and read-only otherwise.
    bool editable(int row, int column) const { return makesEditable(m_module, row, column); }
    static bool makesEditable(ModuleKind module, int row, int column);

    // What the end of an edit of a cell enables on the page.
    enum class Enables { Nothing, Compute, Filter };
    Enables enables(int row, int column) const { return editEnables(m_module, row, column); }
    static Enables editEnables(ModuleKind module, int row, int column);

private:
    ModuleKind m_module;
    std::vector<std::array<std::string, kOptionColumns>> m_cells;
};

} // namespace sp::optimise
