#include "richtext.h"

#include <QFontDatabase>
#include <QStringList>

#include <cmath>

namespace sp::handin {

namespace {

// A script is set at this share of the size of the text it belongs to.
constexpr double kScriptScale = 0.7;
// How far a subscript's baseline drops and a superscript's rises, in the em of the text it
// belongs to: low enough to read as an index, high enough to clear a preceding capital's middle.
constexpr double kSubscriptDrop = 0.2;
constexpr double kSuperscriptRise = 0.38;

bool isIdeograph(char32_t c) {
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFFEF) ||
           (c >= 0x3000 && c <= 0x303F);
}

// Marks a line must not start with, and marks it must not end with.
bool closingMark(char32_t c) {
    static const std::u32string marks = U"，。、；：？！）》」』】〕,.;:?!)%";
    return marks.find(c) != std::u32string::npos;
}
bool openingMark(char32_t c) {
    static const std::u32string marks = U"（《「『【〔(";
    return marks.find(c) != std::u32string::npos;
}

} // namespace

std::vector<Fragment> parseMarkup(const std::string& markup) {
    struct Level {
        double scale;
        double rise;
    };
    std::vector<Level> levels{{1.0, 0.0}};
    std::vector<Fragment> fragments;
    std::string text;
    auto flush = [&] {
        if (!text.empty())
            fragments.push_back({QString::fromUtf8(text), levels.back().scale, levels.back().rise});
        text.clear();
    };
    for (std::size_t k = 0; k < markup.size(); ++k) {
        const char ch = markup[k];
        if ((ch == '_' || ch == '^') && k + 1 < markup.size() && markup[k + 1] == '{') {
            flush();
            const Level outer = levels.back();
            const double shift = ch == '_' ? -kSubscriptDrop : kSuperscriptRise;
            levels.push_back({outer.scale * kScriptScale, outer.rise + shift * outer.scale});
            ++k;
            continue;
        }
        if (ch == '}' && levels.size() > 1) {
            flush();
            levels.pop_back();
            continue;
        }
        text += ch;
    }
    flush();
    return fragments;
}

QString bookFontFamily() {
    const QStringList installed = QFontDatabase::families();
    for (const char* candidate : {kBookFontFamily, "Microsoft YaHei", "SimSun"})
        if (installed.contains(QString::fromUtf8(candidate)))
            return QString::fromUtf8(candidate);
    return QString::fromUtf8(kBookFontFamily);
}

Typesetter::Typesetter(const QString& family) : m_family(family) {}

Typesetter::~Typesetter() = default;

QFont Typesetter::font(const TextStyle& style, double scale) const {
    QFont font(m_family);
    // Pixel sizes in dots, so that a painter scaled to another device scales the text with the rest.
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pt(style.points) * scale))));
    font.setBold(style.bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

const QFontMetricsF& Typesetter::metrics(const TextStyle& style, double scale) const {
    const Key key{static_cast<int>(std::lround(pt(style.points) * scale)), style.bold};
    auto found = m_metrics.find(key);
    if (found == m_metrics.end())
        found = m_metrics.emplace(key, std::make_unique<QFontMetricsF>(font(style, scale))).first;
    return *found->second;
}

double Typesetter::width(const std::string& markup, const TextStyle& style) const {
    double total = 0;
    for (const Fragment& fragment : parseMarkup(markup))
        total += metrics(style, fragment.scale).horizontalAdvance(fragment.text);
    return total;
}

double Typesetter::baselineIn(const TextStyle& style, double lineHeight) const {
    const QFontMetricsF& m = metrics(style);
    return (lineHeight - (m.ascent() + m.descent())) / 2 + m.ascent();
}

std::vector<Typesetter::Unit> Typesetter::cut(const std::vector<Fragment>& fragments, const TextStyle& style,
                                              bool ideographsBreak) const {
    // A blank ends a unit; each Chinese character is a unit of its own unless only blanks break;
    // a closing mark joins the unit before it as an opening mark joins the one after.
    std::vector<Unit> units;
    QString pendingSpace;
    int pendingFragment = 0;
    bool open = false;     // the last unit may still grow
    bool joinNext = false; // the last unit ended with an opening mark
    auto addTo = [](Unit& unit, int fragment, const QString& text) {
        if (unit.pieces.empty() || unit.pieces.back().fragment != fragment)
            unit.pieces.push_back({fragment, QString()});
        unit.pieces.back().text += text;
    };
    for (int f = 0; f < static_cast<int>(fragments.size()); ++f) {
        const QString& text = fragments[static_cast<std::size_t>(f)].text;
        for (int k = 0; k < text.size();) {
            const char32_t c = text.at(k).isHighSurrogate() && k + 1 < text.size()
                                   ? QChar::surrogateToUcs4(text.at(k), text.at(k + 1))
                                   : text.at(k).unicode();
            const QString ch = text.mid(k, c > 0xFFFF ? 2 : 1);
            k += static_cast<int>(ch.size());
            if (c == U' ') {
                if (pendingSpace.isEmpty())
                    pendingFragment = f;
                pendingSpace += ch;
                open = false;
                joinNext = false;
                continue;
            }
            const bool ideograph = ideographsBreak && isIdeograph(c);
            const bool joins =
                !units.empty() && pendingSpace.isEmpty() && ((open && !ideograph) || joinNext || closingMark(c));
            if (!joins) {
                Unit unit;
                unit.space = units.empty() ? QString() : pendingSpace;
                unit.spaceFragment = pendingFragment;
                units.push_back(std::move(unit));
            }
            pendingSpace.clear();
            addTo(units.back(), f, ch);
            open = !ideograph && !openingMark(c);
            joinNext = openingMark(c);
        }
    }
    for (Unit& unit : units) {
        for (const Piece& piece : unit.pieces)
            unit.width += metrics(style, fragments[static_cast<std::size_t>(piece.fragment)].scale)
                              .horizontalAdvance(piece.text);
        if (!unit.space.isEmpty())
            unit.spaceWidth = metrics(style, fragments[static_cast<std::size_t>(unit.spaceFragment)].scale)
                                  .horizontalAdvance(unit.space);
    }
    return units;
}

std::vector<TextLine> Typesetter::fill(const std::vector<Fragment>& fragments, const std::vector<Unit>& units,
                                       const TextStyle& style, double firstWidth, double nextWidth) const {
    // Greedily, then each line's pieces set as runs of one script level each.
    std::vector<TextLine> lines;
    std::vector<const Unit*> current;
    double used = 0;
    auto finish = [&] {
        TextLine line;
        for (std::size_t u = 0; u < current.size(); ++u) {
            const Unit& unit = *current[u];
            std::vector<Piece> pieces;
            if (u > 0 && !unit.space.isEmpty())
                pieces.push_back({unit.spaceFragment, unit.space});
            pieces.insert(pieces.end(), unit.pieces.begin(), unit.pieces.end());
            for (const Piece& piece : pieces) {
                const Fragment& fragment = fragments[static_cast<std::size_t>(piece.fragment)];
                if (!line.runs.empty() && line.runs.back().scale == fragment.scale &&
                    line.runs.back().rise == fragment.rise)
                    line.runs.back().text += piece.text;
                else
                    line.runs.push_back({0, piece.text, fragment.scale, fragment.rise});
            }
        }
        double x = 0;
        for (LineRun& run : line.runs) {
            run.x = x;
            x += metrics(style, run.scale).horizontalAdvance(run.text);
        }
        line.width = x;
        lines.push_back(std::move(line));
        current.clear();
        used = 0;
    };
    for (const Unit& unit : units) {
        const double limit = lines.empty() ? firstWidth : nextWidth;
        const double add = current.empty() ? unit.width : unit.spaceWidth + unit.width;
        if (!current.empty() && used + add > limit) {
            finish();
            current.push_back(&unit);
            used = unit.width;
            continue;
        }
        current.push_back(&unit);
        used += add;
    }
    if (!current.empty() || lines.empty())
        finish();
    return lines;
}

std::vector<TextLine> Typesetter::wrap(const std::string& markup, const TextStyle& style, double firstWidth,
                                       double nextWidth, Breaks breaks) const {
    const std::vector<Fragment> fragments = parseMarkup(markup);
    if (breaks == Breaks::SpacesFirst) {
        std::vector<TextLine> lines = fill(fragments, cut(fragments, style, false), style, firstWidth, nextWidth);
        bool fits = true;
        for (std::size_t k = 0; k < lines.size(); ++k)
            fits = fits && lines[k].width <= (k == 0 ? firstWidth : nextWidth);
        if (fits)
            return lines;
    }
    return fill(fragments, cut(fragments, style, true), style, firstWidth, nextWidth);
}

double Typesetter::widestPiece(const std::string& markup, const TextStyle& style, Breaks breaks) const {
    double widest = 0;
    for (const Unit& unit : cut(parseMarkup(markup), style, breaks == Breaks::Anywhere))
        widest = std::max(widest, unit.width);
    return widest;
}

void Typesetter::place(const TextLine& line, const TextStyle& style, QPointF start, Align align,
                       PageContent& page) const {
    double x = start.x();
    if (align == Align::Centre)
        x -= line.width / 2;
    else if (align == Align::Right)
        x -= line.width;
    const double em = pt(style.points);
    for (const LineRun& run : line.runs)
        page.texts.push_back(
            {QPointF(x + run.x, start.y() - run.rise * em), run.text, font(style, run.scale), style.colour});
}

} // namespace sp::handin
