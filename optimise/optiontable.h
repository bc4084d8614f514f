#pragma once
// The option table of the optimisation page: sixteen rows of a smallest value, a largest value and
// a step for each design parameter of a pile, held as the texts the engineer typed. Nothing is
// read as a number until a run or a filter starts.

#include <array>
#include <string>

namespace sp::optimise {

inline constexpr int kOptionRows = 16;
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

class OptionTable {
public:
    // The rows of a new window, defaults included.
    OptionTable();

    const std::string& cell(int row, int column) const;
    void setCell(int row, int column, std::string text);

    // Selecting a cell makes the whole table editable when it is one of the value cells of rows
    // 0-12 or a bound of the filter rows, and read-only otherwise.
    static bool makesEditable(int row, int column);

    // What the end of an edit of a cell enables on the page.
    enum class Enables { Nothing, Compute, Filter };
    static Enables editEnables(int row, int column);

private:
    std::array<std::array<std::string, kOptionColumns>, kOptionRows> m_cells;
};

} // namespace sp::optimise
