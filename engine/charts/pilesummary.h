#pragma once
// The pile a chart is of, in one line of the engineer's words for its title: the section and its
// sizes, and what else the chart's figures depend on.

#include "module1/module1calc.h"
#include "module2/module2calc.h"
#include "module3/module3calc.h"

#include <string>

namespace sp::charts {

// "圆桩 d = 1000 mm，C30，frk = 25 MPa，较完整", the fields' texts as the engineer typed them; an
// integrity given as its index reads "完整性指数 0.50".
std::string pileSummary(const module1::Inputs& inputs);
// Module 1's, with the equivalent-diameter method for a section other than round:
// "，等效直径 C-最大回转半径折算".
std::string pileSummary(const module3::Inputs& inputs);
// "圆桩 d = 1000 mm，2 层嵌岩，lr = 3.00 m", as the calculation took them.
std::string pileSummary(const module2::Values& values);

} // namespace sp::charts
