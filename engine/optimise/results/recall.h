#pragma once
// Taking a candidate back into the input layer (a double click on a row): which fields get which
// texts and which list positions, in the order the page sets them. The page sets each through the
// field's own change handling, as if the engineer had made the edit, then returns to the input
// layer with the result boxes blank and "计算" shown. What each module takes from a row is its
// profile's; this is the one shape all of them fill.

#include "optimise/results/candidatestore.h"

#include <optional>
#include <string>

namespace sp::optimise {

struct Recall {
    // The section list (0 round, 1 oblong, 2 rectangular) with the d and c fields; left unset
    // for a section text the list does not know.
    std::optional<int> sectionPosition;
    std::optional<std::string> first;  // d or a
    std::optional<std::string> second; // c or b
    std::string frk;
    std::string integrity; // a class word or an index

    // The one-layer windows (modules 1 and 3).
    std::string depth;                  // hr
    std::optional<int> gradePosition;   // unset when the grade cell is no grade
    std::optional<int> processPosition; // unset for a process text the list does not know
    // Module 3: the method list, set before the integrity input; unset for "-" (a round pile) or
    // any text that is no method's short name, which leaves the method as it is.
    std::optional<int> methodPosition;

    // Module 2: after the section, the settings, then row 1 of the rock-layer grid, in this
    // order. The strength basis is left as it is.
    struct RockGrid {
        int layerCountPosition = 0;      // one layer
        int coefficientModePosition = 1; // 程序自动插值
        // The integrity basis list: the basis cell less one; unset when the cell is not 1 or 2.
        std::optional<int> integrityBasisPosition;
        std::string lr;         // column 1
        std::string weathering; // column 2
        // `integrity` goes into column 3 (the class word) when the basis list then shows
        // position 0, else into column 4 (the index); the page decides by the list as it stands
        // after the basis is set. `frk` goes into column 5.
    };
    std::optional<RockGrid> grid;
};

// The section, d and c of a row, alike in every module.
void recallSection(const RowCells& row, Recall& recall);

} // namespace sp::optimise
