#pragma once
// Formula text set as a calculation book sets it: the markup's "_{…}" and "^{…}" as real sub- and
// superscripts at a smaller size on a shifted baseline, lines broken at spaces and between Chinese
// characters (never inside a figure's digit groups, never before a closing mark such as "，"), and
// every piece measured with the book's font so that columns and right margins line up.

#include "pagecontent.h"

#include <QFontMetricsF>
#include <QString>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace sp::handin {

// The font every page is set in: it has the Chinese characters, Greek, ∑, ·, × and the thin space
// of the digit groups. Qt's PDF writer embeds what the book uses of it.
inline constexpr const char* kBookFontFamily = "WenQuanYi Micro Hei";

// kBookFontFamily where it is installed; elsewhere (Windows) the first of Microsoft YaHei and SimSun
// that is, which have the same characters; kBookFontFamily again when none is.
QString bookFontFamily();

struct TextStyle {
    double points = 10.5;
    bool bold = false;
    QColor colour = Qt::black;
};

// A piece of the markup at one script level. `scale` is its size against the line's, `rise` how
// far its baseline is raised, in the line's em (negative: lowered).
struct Fragment {
    QString text;
    double scale = 1.0;
    double rise = 0.0;
};

std::vector<Fragment> parseMarkup(const std::string& markup);

// Text of one script level within a laid-out line, `x` from the line's start.
struct LineRun {
    double x = 0;
    QString text;
    double scale = 1.0;
    double rise = 0.0;
};

struct TextLine {
    std::vector<LineRun> runs;
    double width = 0;
};

enum class Align { Left, Centre, Right };

// Where lines may break: at blanks and between Chinese characters; or at blanks only when the
// pieces between them fit (a table's header, whose words should stay whole), else as anywhere.
enum class Breaks { Anywhere, SpacesFirst };

class Typesetter {
public:
    explicit Typesetter(const QString& family = bookFontFamily());
    ~Typesetter();

    // The font of a style at `scale` of its size.
    QFont font(const TextStyle& style, double scale = 1.0) const;
    const QFontMetricsF& metrics(const TextStyle& style, double scale = 1.0) const;

    // The width of the markup set on one line.
    double width(const std::string& markup, const TextStyle& style) const;
    // The markup broken into lines no wider than `firstWidth` (the first) and `nextWidth` (the
    // rest); a piece that cannot be broken and is wider than the line stands alone on its line.
    std::vector<TextLine> wrap(const std::string& markup, const TextStyle& style, double firstWidth,
                               double nextWidth, Breaks breaks = Breaks::Anywhere) const;
    std::vector<TextLine> wrap(const std::string& markup, const TextStyle& style, double width,
                               Breaks breaks = Breaks::Anywhere) const {
        return wrap(markup, style, width, width, breaks);
    }
    // The widest piece the markup cannot be broken inside: the narrowest a column can be for it.
    double widestPiece(const std::string& markup, const TextStyle& style, Breaks breaks) const;

    // Baseline to baseline of lines set in the style, at `spacing` times the size.
    static double lineHeight(const TextStyle& style, double spacing = 1.6) { return pt(style.points) * spacing; }
    // From the top of a line of height `lineHeight` to its baseline, with the text centred in it.
    double baselineIn(const TextStyle& style, double lineHeight) const;

    // Adds the line's runs to the page, its start at `start` (on the baseline) when `align` is
    // Left, its middle there for Centre, its end for Right.
    void place(const TextLine& line, const TextStyle& style, QPointF start, Align align, PageContent& page) const;

private:
    // The text of one fragment inside an unbreakable piece.
    struct Piece {
        int fragment;
        QString text;
    };
    // What cannot be broken: a word, a figure with its digit groups, a Chinese character with the
    // marks that cling to it. `space` is the blank before it, set only when the piece does not
    // begin its line.
    struct Unit {
        QString space;
        int spaceFragment = 0;
        double spaceWidth = 0;
        std::vector<Piece> pieces;
        double width = 0;
    };
    std::vector<Unit> cut(const std::vector<Fragment>& fragments, const TextStyle& style, bool ideographsBreak) const;
    std::vector<TextLine> fill(const std::vector<Fragment>& fragments, const std::vector<Unit>& units,
                               const TextStyle& style, double firstWidth, double nextWidth) const;

    QString m_family;
    struct Key {
        int pixels;
        bool bold;
        bool operator<(const Key& other) const {
            return pixels != other.pixels ? pixels < other.pixels : bold < other.bold;
        }
    };
    mutable std::map<Key, std::unique_ptr<QFontMetricsF>> m_metrics;
};

} // namespace sp::handin
