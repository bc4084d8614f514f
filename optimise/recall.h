#pragma once
// Taking a candidate back into the input layer (a double click on a row): which fields get which
// texts and which list positions, in the order the page sets them. The page sets each through the
// field's own change handling, as if the engineer had made the edit, then returns to the input
// layer with the result boxes blank and "计算" shown.

#include "candidatestore.h"

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
};

Recall recallOf(const RowCells& row);

} // namespace sp::optimise
