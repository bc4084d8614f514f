#pragma once
// Column widths from the font metrics of the widest texts a column can hold, so that no value or
// header is cut to "…" in the font and style the view actually uses.

#include "optimise/modulekind.h"

#include <QStringList>

class QAbstractItemView;
class QHeaderView;

namespace sp::optimise {

// The width a cell of `view` needs to show `text` whole.
int cellWidthFor(const QAbstractItemView& view, const QString& text);
// The width a section of `header` needs to show `text` whole (also when drawn bold, as a header
// over a selected column is).
int headerWidthFor(const QHeaderView& header, const QString& text);
// The widest of the two for a column: `designed` (the column's designed width) at least.
int fittedColumnWidth(const QAbstractItemView& view, const QHeaderView& header, const QStringList& cells,
                      const QStringList& headers, int designed);

// The widest number a two-decimal value column is made to hold.
QString widestTwoDecimalValue();
// The widest candidate number a result table is made to hold.
QString widestCandidateNumber();

// The widest texts of a result table's column in `module`: its header with and without the sort
// marks and, where the column holds them, the widest candidate number or value.
QStringList widestResultHeaders(ModuleKind module, int column);
QStringList widestResultCells(ModuleKind module, int column);

} // namespace sp::optimise
