#pragma once
// The handed-in book on a printer: A4 portrait paper measured from its corner, the pile table's
// landscape pages turned a quarter onto it, and the preview dialog that shows the pages before
// they are printed.

#include "handin/booklayout.h"
#include "handin/handinbook.h"

class QPrinter;
class QWidget;

namespace sp::frame {

// A4 portrait, no margins of the printer's own: the book keeps its own.
void prepareBookPrinter(QPrinter& printer);
// Paints the book on the printer (or its preview); returns the number of pages painted.
int paintBookOn(QPrinter& printer, const handin::LaidOutBook& book);
// The preview dialog of the book, from which it is printed.
void showBookPreview(QWidget* parent, const handin::HandInBook& book);

} // namespace sp::frame
