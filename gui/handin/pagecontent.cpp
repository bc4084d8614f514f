#include "pagecontent.h"

namespace sp::handin {

namespace {

// A4 with the margins of a bound calculation book: the wider one at the binding.
PageFrame frameWith(double width, double height, double left, double top, double right, double bottom) {
    PageFrame frame;
    frame.size = QSizeF(mm(width), mm(height));
    frame.body = QRectF(QPointF(mm(left), mm(top)), QPointF(mm(width - right), mm(height - bottom)));
    frame.headerBaseline = mm(top - 8);
    frame.headerRule = mm(top - 6.5);
    frame.footerBaseline = mm(height - bottom + 9);
    return frame;
}

} // namespace

PageFrame portraitFrame() { return frameWith(210, 297, 25, 25, 20, 20); }

PageFrame landscapeFrame() { return frameWith(297, 210, 20, 25, 20, 20); }

} // namespace sp::handin
