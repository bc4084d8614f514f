#pragma once
// A line chart of the book laid out as vectors on a page: the plot's frame, round ticks with their
// labels and grid, the shaded band, the lines (each role with its own colour and dash pattern, so
// that a black-and-white print still tells them apart), the marked points, the axis titles and
// the legend. The caption and the notes are set under it by the book's layout.

#include "handin/handinbook.h"
#include "pagecontent.h"
#include "richtext.h"

#include <vector>

namespace sp::handin {

// Round tick values over [from, to]: 1, 2 or 5 times a power of ten apart, counted from 0, about
// `count` intervals across the range; `decimals` is what their labels need.
struct Ticks {
    std::vector<double> values;
    int decimals = 0;
};
Ticks roundTicks(double from, double to, int count = 6);

// Draws the chart into `area` (the chart's whole box, legend included) on `page`.
void layOutLineChart(const LineChart& chart, const QRectF& area, const Typesetter& type, PageContent& page);

} // namespace sp::handin
