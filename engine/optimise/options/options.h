#pragma once
// Reading the option table when "计算" is pressed: the parameter rows in order (module 1 rows 0 to
// 12, module 2 rows 0 to 11, module 3 rows 0 to 13), each row's three cells read before the row is
// checked, the first failure ending the reading. The result is the range of every row, or the
// reason the run does not start.

#include "optimise/options/optionrange.h"
#include "optimise/options/optiontable.h"

#include <cstdint>
#include <optional>
#include <string>

namespace sp::optimise {

// The depth row gives either millimetres or multiples of d (b for rectangles) in all three cells.
enum class DepthMode { Millimetres, Multiples };

struct Options {
    ModuleKind module = ModuleKind::Module1;
    OptionRange sections;   // codes 1-4
    OptionRange diameter;   // d of round and oblong piles, mm
    OptionRange straight;   // c of oblong piles, mm
    OptionRange longSide;   // a of rectangles, mm
    OptionRange shortSide;  // b of rectangles, mm
    OptionRange squareSide; // mm
    DepthMode depthMode = DepthMode::Multiples;
    OptionRange depth;     // mm, or the multiple
    OptionRange frk;       // MPa
    OptionRange bases;     // 1 integrity class given, 2 integrity index given
    OptionRange classes;   // 1 完整, 2 较完整, 3 较破碎 (module 2 also 4 破碎, 5 极破碎)
    OptionRange indices;   // Kv
    OptionRange grades;    // 25 … 60; modules 1 and 3
    OptionRange processes; // 1-4; modules 1 and 3
    OptionRange weatherings; // module 2: 1 微风化, 2 中风化
    OptionRange methods;     // module 3: deq method codes 1-8, for sections that are not round

    // Candidates of a run, by the nesting of the enumeration; saturates at UINT64_MAX.
    std::uint64_t candidateCount() const;
};

struct OptionError {
    enum class Kind {
        Check,      // a value out of its range: the message goes to the page's status line in red
        Conversion, // a cell that is not a number: the conversion-error message box
    };
    Kind kind = Kind::Check;
    std::string message;
    int row = 0;
    int column = 0;   // the unreadable cell's column; 0 for a check
    std::string text; // the unreadable cell's text
};

// The error of a cell that is not a number, its message naming the row's item and the column.
OptionError unreadCell(const OptionTable& table, int row, int column);

struct OptionsReading {
    std::optional<Options> options;
    std::optional<OptionError> error;
    bool ok() const { return options.has_value(); }
};

OptionsReading readOptions(const OptionTable& table);

} // namespace sp::optimise
