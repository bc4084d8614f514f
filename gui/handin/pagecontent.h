#pragma once
// A laid-out page of the handed-in book: what is drawn where, in dots of 1/1200 inch from the
// page's top left corner. The layout fills these pages once; painting them onto a PDF writer or a
// printer then only places the runs, rules and boxes.

#include <QColor>
#include <QFont>
#include <QLineF>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <vector>

namespace sp::handin {

// The PDF writer's resolution: a PDF page is painted without scaling; other devices scale once.
inline constexpr double kDotsPerInch = 1200.0;
constexpr double mm(double millimetres) { return millimetres * kDotsPerInch / 25.4; }
constexpr double pt(double points) { return points * kDotsPerInch / 72.0; }

// Text in one font and colour, from its baseline's left end.
struct TextRun {
    QPointF origin;
    QString text;
    QFont font;
    QColor colour;
};

struct Rule {
    QLineF line;
    double width = pt(0.5);
};

// A filled rectangle (a table's header row, the warning box's ground).
struct Shade {
    QRectF rect;
    QColor colour;
};

// A rectangle's outline (the warning box).
struct Frame {
    QRectF rect;
    double width = pt(1.0);
    QColor colour;
};

// A line through points in a colour and a dash pattern, filled when `fill` is not transparent
// and `closed` (a figure's curves, grid and marks). Drawn after the rules and frames, in order.
struct Stroke {
    QPolygonF points;
    double width = pt(0.5);
    QColor colour = Qt::black;
    Qt::PenStyle style = Qt::SolidLine;
    bool closed = false;
    QColor fill = Qt::transparent;
};

struct PageContent {
    bool landscape = false;
    std::vector<Shade> shades;
    std::vector<Rule> rules;
    std::vector<Frame> frames;
    std::vector<Stroke> strokes;
    std::vector<TextRun> texts;
};

// Where things go on an A4 page of either orientation.
struct PageFrame {
    QSizeF size;
    QRectF body;           // the text area
    double headerBaseline; // the running header from page 2 on
    double headerRule;
    double footerBaseline; // "第 n 页 共 m 页"
};

// The book's pages: portrait, binding at the left; and landscape for the pile table, turned so that
// its top lies at the binding.
PageFrame portraitFrame();
PageFrame landscapeFrame();
inline PageFrame frameOf(bool landscape) { return landscape ? landscapeFrame() : portraitFrame(); }

} // namespace sp::handin
