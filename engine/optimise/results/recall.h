#pragma once
// Taking a candidate back into the input layer (a double click on a row): which fields get which
// texts and which list positions, in the order the page sets them. The page sets each through the
// field's own change handling, as if the engineer had made the edit, then returns to the input
// layer with the result boxes blank and "计算" shown.

#include "optimise/results/candidatestore.h"

#include <optional>
#include <string>

namespace sp::optimise {

struct Recall {
    // Section list cbb_jmlx (0 round, 1 oblong, 2 rectangular) with cbe_dd and cbe_tyzd; left
    // unset for a section text the list does not know.
    std::optional<int> sectionPosition;
    std::optional<std::string> first;   // cbe_dd
    std::optional<std::string> second;  // cbe_tyzd
    std::string depth;                  // cbe_hr
    std::string frk;                    // edt_frk
    std::optional<int> gradePosition;   // cbb_hnt; unset when the grade cell is no grade
    std::optional<int> processPosition; // cbb_czgy; unset for a process text the list does not know
    std::string integrity;              // cbe_yswzcd: a class word or an index
    // Module 3: cbb_deqcheck, set before the integrity input; unset for "-" (a round pile) or
    // any text that is no method's short name, which leaves the method as it is.
    std::optional<int> methodPosition;
};

Recall recallOf(const RowCells& row);        // module 1
Recall recallOfModule3(const RowCells& row); // module 1's recall and the method

// Module 2: the section as module 1's recall, then the settings, then row 1 of the rock-layer
// grid StringGrid_QB2, in this order. The strength basis is left as it is.
struct Module2Recall {
    std::optional<int> sectionPosition; // cbb_jmlx, as Recall
    std::optional<std::string> first;   // cbe_dd
    std::optional<std::string> second;  // cbe_tyzd
    int layerCountPosition = 0;         // cbb_yanchengshu: one layer
    int coefficientModePosition = 1;    // cbb_chezhuxishu: 程序自动插值
    // cbb_wanzhengchengdu: the basis of column 8 less one; unset when the cell is not 1 or 2.
    std::optional<int> integrityBasisPosition;
    std::string lr;         // grid row 1, column 1
    std::string weathering; // grid row 1, column 2
    // Grid row 1, column 3 (the class word) when the basis list then shows position 0, else
    // column 4 (the index); the page decides by the list as it stands after the basis is set.
    std::string integrity;
    std::string frk;        // grid row 1, column 5
};

Module2Recall recallOfModule2(const RowCells& row);

} // namespace sp::optimise
