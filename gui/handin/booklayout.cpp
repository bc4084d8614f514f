#include "booklayout.h"

#include "chartlayout.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <optional>

namespace sp::handin {

namespace {

const TextStyle kBody{10.5};
const TextStyle kStepTitle{10.5, true};
const TextStyle kSectionHeading{12, true};
const TextStyle kPileHeading{13, true};
const TextStyle kTitleStyle{20, true};
const TextStyle kSmallPrint{8, false, QColor(0x55, 0x55, 0x55)};
const TextStyle kWarning{10.5, false, QColor(0xB0, 0x00, 0x00)};
const TextStyle kTableText{9};
const TextStyle kCaption{10, true};
const TextStyle kFigureNote{9};
// A figure's height against the text width.
constexpr double kFigureAspect = 0.55;
const QColor kFlagged(0xD0, 0x00, 0x00);
const QColor kHeaderGround(0xE8, 0xE8, 0xE8);
const QColor kWarningGround(0xFD, 0xEE, 0xEE);

// Where the steps' titles, formula lines, notes and conclusions start, after the step number.
const double kIndent = mm(7);
// A formula line that does not fit goes on under itself, further in.
const double kContinuation = mm(8);

const std::vector<std::string> kNoLines;

std::string join(const std::vector<std::string>& items, const std::string& between) {
    std::string out;
    for (std::size_t k = 0; k < items.size(); ++k)
        out += (k > 0 ? between : std::string()) + items[k];
    return out;
}

// "q_{pk} (kPa)" as two header lines, the symbol above its unit, so that narrow columns stay narrow.
std::vector<std::string> headerLines(const std::string& header) {
    const std::size_t unit = header.rfind(" (");
    if (unit == std::string::npos || header.back() != ')')
        return {header};
    return {header.substr(0, unit), header.substr(unit + 1)};
}

// A table to set: its header lines per column, its rows of markup cells, how each column's cells
// align, and which rows are drawn red.
struct TableModel {
    std::vector<std::vector<std::string>> header; // per column, empty when the table has no header
    std::vector<std::vector<std::string>> rows;
    std::vector<Align> align;   // per column
    std::vector<bool> flagged;  // per row
    std::vector<double> widths; // fixed column widths; empty: sized to the texts
    TextStyle style = kTableText;
};

// A pile section's own table (module 2's rock layers): every cell in the middle of its column.
TableModel modelOf(const Table& table) {
    TableModel model;
    for (const std::string& header : table.headers)
        model.header.push_back(headerLines(header));
    model.rows = table.rows;
    model.align.assign(model.header.size(), Align::Centre);
    return model;
}

// The text on pages, top to bottom, with a new page of the same orientation when the next piece
// does not fit.
class Flow {
public:
    explicit Flow(std::vector<PageContent>& pages) : m_pages(pages) {}

    void newPage(bool landscape) {
        m_pages.emplace_back();
        m_pages.back().landscape = landscape;
        m_frame = frameOf(landscape);
        y = m_frame.body.top();
    }
    PageContent& page() { return m_pages.back(); }
    const QRectF& body() const { return m_frame.body; }
    bool atTop() const { return y <= m_frame.body.top() + 0.5; }
    bool fits(double height) const { return y + height <= m_frame.body.bottom(); }
    // Turns to a new page unless `height` fits below, or nothing stands on this page yet.
    void need(double height) {
        if (!fits(height) && !atTop())
            newPage(m_pages.back().landscape);
    }
    void skip(double height) {
        if (!atTop())
            y += height;
    }

    double y = 0;

private:
    std::vector<PageContent>& m_pages;
    PageFrame m_frame;
};

class Layouter {
public:
    Layouter(const Typesetter& typesetter, std::vector<PageContent>& pages) : m_type(typesetter), m_flow(pages) {
        m_flow.newPage(false);
    }

    void titleBlock(const TitleBlock& title, const std::string& programLine);
    void basis(const std::vector<std::string>& clauses);
    void pile(const PileSection& pile, bool first);
    void pileTable(const Sheet& sheet);

private:
    double lineHeight(const TextStyle& style) const { return Typesetter::lineHeight(style); }
    void setLines(const std::vector<TextLine>& lines, const TextStyle& style, double x, Align align);
    void heading(const std::string& text, const TextStyle& style, double above, double below);
    void paragraph(const std::string& markup, const TextStyle& style, double indent, double hanging = 0);
    void field(const std::string& label, const std::string& value, double left, double right);
    void step(int number, const Step& step);
    void formula(const FormulaLine& line);
    void warning(const std::string& text);
    void figure(const LineChart& chart);
    void table(const TableModel& model, double indent);
    std::vector<double> columnWidths(const TableModel& model, TextStyle& style, double available) const;

    const Typesetter& m_type;
    Flow m_flow;
};

void Layouter::setLines(const std::vector<TextLine>& lines, const TextStyle& style, double x, Align align) {
    const double height = lineHeight(style);
    const double baseline = m_type.baselineIn(style, height);
    for (const TextLine& line : lines) {
        m_type.place(line, style, QPointF(x, m_flow.y + baseline), align, m_flow.page());
        m_flow.y += height;
    }
}

void Layouter::heading(const std::string& text, const TextStyle& style, double above, double below) {
    // Kept with at least two lines of what follows it.
    m_flow.need(above + lineHeight(style) + below + 2 * lineHeight(kBody));
    m_flow.skip(above);
    setLines(m_type.wrap(text, style, m_flow.body().width()), style, m_flow.body().left(), Align::Left);
    m_flow.y += below;
}

void Layouter::paragraph(const std::string& markup, const TextStyle& style, double indent, double hanging) {
    const double width = m_flow.body().width() - indent;
    const std::vector<TextLine> lines = m_type.wrap(markup, style, width, width - hanging);
    const double height = lineHeight(style);
    const double baseline = m_type.baselineIn(style, height);
    for (std::size_t k = 0; k < lines.size(); ++k) {
        m_flow.need(height);
        const double x = m_flow.body().left() + indent + (k > 0 ? hanging : 0);
        m_type.place(lines[k], style, QPointF(x, m_flow.y + baseline), Align::Left, m_flow.page());
        m_flow.y += height;
    }
}

// A label and its value on a line to sign or fill in: the value stands on the line, and with no
// value the line is left blank.
void Layouter::field(const std::string& label, const std::string& value, double left, double right) {
    const TextStyle style{11};
    const double height = lineHeight(style);
    const double baseline = m_type.baselineIn(style, height);
    const std::vector<TextLine> labelLine = m_type.wrap(label, style, right - left);
    m_type.place(labelLine.front(), style, QPointF(left, m_flow.y + baseline), Align::Left, m_flow.page());
    const double start = left + labelLine.front().width + mm(1);
    std::vector<TextLine> lines = m_type.wrap(value, style, std::max(right - start - mm(2), mm(10)));
    for (const TextLine& line : lines) {
        m_type.place(line, style, QPointF(start + mm(1), m_flow.y + baseline), Align::Left, m_flow.page());
        const double under = m_flow.y + baseline + mm(1.5);
        m_flow.page().rules.push_back({QLineF(start, under, right, under), pt(0.6)});
        m_flow.y += height;
    }
    m_flow.y -= height; // the caller moves on
}

void Layouter::titleBlock(const TitleBlock& title, const std::string& programLine) {
    const QRectF& body = m_flow.body();
    const double height = lineHeight(TextStyle{11});
    field("工程名称：", title.project, body.left(), body.right());
    m_flow.y += height;
    field("子项/部位：", title.part, body.left(), body.right());
    m_flow.y += height + mm(8);

    setLines(m_type.wrap(kBookTitle, kTitleStyle, body.width()), kTitleStyle, body.center().x(), Align::Centre);
    m_flow.y += mm(8);

    const double third = body.width() / 3;
    const std::pair<const char*, const std::string*> signers[] = {
        {"计算：", &title.calculatedBy}, {"校对：", &title.checkedBy}, {"审核：", &title.approvedBy}};
    double lowest = m_flow.y;
    for (int k = 0; k < 3; ++k) {
        const double top = m_flow.y;
        const double left = body.left() + k * third;
        field(signers[k].first, *signers[k].second, left, left + third - mm(6));
        lowest = std::max(lowest, m_flow.y);
        m_flow.y = top;
    }
    m_flow.y = lowest + height + mm(2);
    field("日期：", title.date, body.left(), body.left() + third - mm(6));
    m_flow.y += height + mm(1);
    setLines(m_type.wrap(programLine, kSmallPrint, body.width()), kSmallPrint, body.left(), Align::Left);
    m_flow.y += mm(2);
    m_flow.page().rules.push_back({QLineF(body.left(), m_flow.y, body.right(), m_flow.y), pt(1.2)});
    m_flow.y += mm(2);
}

void Layouter::basis(const std::vector<std::string>& clauses) {
    heading("一、计算依据", kSectionHeading, mm(3), mm(1));
    paragraph(std::string(handin::kStandardTitle) + kStandardNumber, kBody, kIndent);
    if (!clauses.empty())
        paragraph("采用条文：" + join(clauses, "、"), kBody, kIndent, mm(10));
}

void Layouter::warning(const std::string& text) {
    const QRectF& body = m_flow.body();
    const double padding = mm(3);
    const std::vector<TextLine> lines = m_type.wrap(text, kWarning, body.width() - 2 * padding);
    const double height = lines.size() * lineHeight(kWarning) + 2 * mm(2);
    m_flow.need(height);
    const QRectF box(body.left(), m_flow.y, body.width(), height);
    m_flow.page().shades.push_back({box, kWarningGround});
    m_flow.page().frames.push_back({box, pt(1.2), kWarning.colour});
    m_flow.y += mm(2);
    setLines(lines, kWarning, body.left() + padding, Align::Left);
    m_flow.y += mm(2) + mm(2);
}

void Layouter::formula(const FormulaLine& line) {
    const QRectF& body = m_flow.body();
    const double clauseWidth = line.clause.empty() ? 0 : m_type.width(line.clause, kBody) + mm(4);
    const double width = body.width() - kIndent - clauseWidth;
    const std::vector<TextLine> lines = m_type.wrap(line.text, kBody, width, width - kContinuation);
    const double height = lineHeight(kBody);
    const double baseline = m_type.baselineIn(kBody, height);
    m_flow.need(lines.size() * height);
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const double x = body.left() + kIndent + (k > 0 ? kContinuation : 0);
        m_type.place(lines[k], kBody, QPointF(x, m_flow.y + baseline), Align::Left, m_flow.page());
        m_flow.y += height;
    }
    if (!line.clause.empty()) {
        const TextLine clause = m_type.wrap(line.clause, kBody, body.width()).front();
        m_type.place(clause, kBody, QPointF(body.right(), m_flow.y - height + baseline), Align::Right,
                     m_flow.page());
    }
}

// The chart at the text width with its caption under it, kept together on one page; the notes
// follow.
void Layouter::figure(const LineChart& chart) {
    const QRectF& body = m_flow.body();
    const double height = body.width() * kFigureAspect;
    const std::vector<TextLine> caption = m_type.wrap(chart.caption, kCaption, body.width());
    const double captionHeight = caption.size() * lineHeight(kCaption);
    m_flow.need(mm(3) + height + mm(1) + captionHeight);
    m_flow.skip(mm(3));
    layOutLineChart(chart, QRectF(body.left(), m_flow.y, body.width(), height), m_type, m_flow.page());
    m_flow.y += height + mm(1);
    setLines(caption, kCaption, body.center().x(), Align::Centre);
    for (const std::string& note : chart.notes)
        paragraph(note, kFigureNote, kIndent, mm(7));
    m_flow.y += mm(1);
}

void Layouter::step(int number, const Step& step) {
    const double height = lineHeight(kStepTitle);
    m_flow.need(height + (step.lines.empty() ? 0 : lineHeight(kBody)));
    const double baseline = m_type.baselineIn(kStepTitle, height);
    const double left = m_flow.body().left();
    m_type.place(m_type.wrap(std::to_string(number), kStepTitle, kIndent).front(), kStepTitle,
                 QPointF(left, m_flow.y + baseline), Align::Left, m_flow.page());
    setLines(m_type.wrap(step.title, kStepTitle, m_flow.body().width() - kIndent), kStepTitle, left + kIndent,
             Align::Left);
    for (const FormulaLine& line : step.lines)
        formula(line);
    if (step.table) {
        m_flow.y += mm(1);
        table(modelOf(*step.table), kIndent);
        m_flow.y += mm(1);
    }
    for (const std::string& note : step.notes)
        paragraph(note, kBody, kIndent, mm(7));
    m_flow.y += mm(1);
}

void Layouter::pile(const PileSection& pile, bool first) {
    if (!first)
        m_flow.newPage(false);
    heading(pile.heading.empty() ? pile.pileName : pile.heading, kPileHeading, first ? mm(4) : 0, mm(0.5));
    const QRectF& body = m_flow.body();
    m_flow.page().rules.push_back({QLineF(body.left(), m_flow.y, body.right(), m_flow.y), pt(0.8)});
    m_flow.y += mm(2);
    if (pile.warning)
        warning(*pile.warning);

    if (!pile.inputs.empty() || pile.inputTable) {
        heading("二、基本资料", kSectionHeading, mm(2), mm(1));
        if (!pile.inputs.empty()) {
            TableModel model;
            model.style = kBody;
            double labels = 0;
            for (const Entry& entry : pile.inputs) {
                model.rows.push_back({entry.label, entry.value});
                labels = std::max(labels, m_type.width(entry.label, kBody));
            }
            const double available = body.width() - kIndent;
            const double labelWidth = std::min(labels + 2 * mm(2), available * 0.45);
            model.widths = {labelWidth, available - labelWidth};
            model.align = {Align::Left, Align::Left};
            table(model, kIndent);
        }
        if (pile.inputTable) {
            m_flow.y += mm(2);
            table(modelOf(*pile.inputTable), kIndent);
        }
    }
    if (!pile.steps.empty()) {
        heading("三、计算过程", kSectionHeading, mm(3), mm(1));
        for (std::size_t k = 0; k < pile.steps.size(); ++k)
            step(static_cast<int>(k) + 1, pile.steps[k]);
    }
    if (pile.figure)
        figure(*pile.figure);
    if (!pile.conclusions.empty()) {
        heading("四、计算结论", kSectionHeading, mm(3), mm(1));
        for (const std::string& conclusion : pile.conclusions)
            paragraph(conclusion, kBody, kIndent, 0);
    }
}

void Layouter::pileTable(const Sheet& sheet) {
    if (sheet.sheetColumns.empty() || sheet.rows.empty())
        return;
    m_flow.newPage(true);
    const std::string caption = "附表  " + (sheet.sheetName.empty() ? std::string("桩表") : sheet.sheetName);
    setLines(m_type.wrap(caption, kPileHeading, m_flow.body().width()), kPileHeading, m_flow.body().center().x(),
             Align::Centre);
    m_flow.y += mm(2);

    TableModel model;
    for (const SheetColumn& column : sheet.sheetColumns) {
        std::vector<std::string> lines{column.title};
        if (!column.unit.empty())
            lines.push_back("(" + column.unit + ")");
        model.header.push_back(lines);
    }
    // Figures to the right, so that their digits line up; words in the middle.
    model.align.assign(model.header.size(), Align::Centre);
    std::vector<bool> figures(model.header.size(), true);
    for (const SheetRow& row : sheet.rows) {
        std::vector<std::string> cells;
        for (std::size_t c = 0; c < model.header.size(); ++c) {
            const SheetCell cell = c < row.size() ? row[c] : SheetCell{};
            cells.push_back(cell.text);
            if (!cell.number && !cell.text.empty())
                figures[c] = false;
        }
        model.rows.push_back(std::move(cells));
    }
    for (std::size_t c = 0; c < figures.size(); ++c)
        if (figures[c])
            model.align[c] = Align::Right;
    for (std::size_t r = 0; r < sheet.rows.size(); ++r)
        model.flagged.push_back(sheet.flagged(r));
    table(model, 0);
}

// The room between a cell's rules and its text, less in a table set smaller.
double cellPadding(const TextStyle& style) { return mm(1.5) * style.points / kTableText.points; }

// Columns as wide as their widest text, the rest of the width shared out. When the texts do not
// fit on one line, headers break first: at their blanks, then down to half their length; when
// even that does not fit, the table is set smaller until it does: small figures can still be read,
// figures cut off at the page's edge cannot.
std::vector<double> Layouter::columnWidths(const TableModel& model, TextStyle& style, double available) const {
    const std::size_t columns = model.align.size();
    if (!model.widths.empty())
        return model.widths;
    for (int attempt = 0;; ++attempt) {
        // Each column's width with its header on one line, broken at blanks, broken anywhere.
        std::vector<std::vector<double>> levels(3, std::vector<double>(columns, 0));
        for (std::size_t c = 0; c < columns; ++c) {
            double cells = 0;
            for (const std::vector<std::string>& row : model.rows)
                if (c < row.size())
                    cells = std::max(cells, m_type.width(row[c], style));
            std::array<double, 3> header{};
            for (const std::string& line : c < model.header.size() ? model.header[c] : kNoLines) {
                const double whole = m_type.width(line, style);
                const double anywhere = std::max(m_type.widestPiece(line, style, Breaks::Anywhere), whole / 2);
                header[0] = std::max(header[0], whole);
                header[1] = std::max(header[1], std::max(m_type.widestPiece(line, style, Breaks::SpacesFirst), anywhere));
                header[2] = std::max(header[2], anywhere);
            }
            for (std::size_t k = 0; k < 3; ++k)
                levels[k][c] = std::max(cells, header[k]) + 2 * cellPadding(style);
        }
        std::array<double, 3> sums{};
        for (std::size_t k = 0; k < 3; ++k)
            sums[k] = std::accumulate(levels[k].begin(), levels[k].end(), 0.0);
        std::vector<double> widths(columns);
        if (sums[0] <= available) {
            for (std::size_t c = 0; c < columns; ++c)
                widths[c] = levels[0][c] + (available - sums[0]) / columns;
            return widths;
        }
        for (std::size_t k = 1; k < 3; ++k) {
            if (sums[k] > available)
                continue;
            // Between the two: each column keeps the share of its own narrowing that room allows.
            const double share = (available - sums[k]) / (sums[k - 1] - sums[k]);
            for (std::size_t c = 0; c < columns; ++c)
                widths[c] = levels[k][c] + share * (levels[k - 1][c] - levels[k][c]);
            return widths;
        }
        if (attempt == 8) { // the texts no longer shrink with the size (a font's smallest pixels)
            for (std::size_t c = 0; c < columns; ++c)
                widths[c] = levels[2][c] * available / sums[2];
            return widths;
        }
        // Widths grow with the size; a little less than the ratio leaves room for rounding.
        style.points *= std::max(0.5, available / sums[2] * 0.99);
    }
}

void Layouter::table(const TableModel& model, double indent) {
    const std::size_t columns = model.align.size();
    if (columns == 0)
        return;
    TextStyle style = model.style;
    const double left = m_flow.body().left() + indent;
    const std::vector<double> widths = columnWidths(model, style, m_flow.body().width() - indent);
    std::vector<double> edges{left};
    for (double w : widths)
        edges.push_back(edges.back() + w);
    const double right = edges.back();
    const double padding = cellPadding(style);
    const double vertical = mm(1.0) * style.points / kTableText.points;
    const double lineHeight = Typesetter::lineHeight(style, 1.35);
    const double baseline = m_type.baselineIn(style, lineHeight);

    struct Row {
        std::vector<std::vector<TextLine>> cells;
        double height = 0;
        QColor colour;
    };
    auto setRow = [&](const std::vector<std::string>& texts, QColor colour) {
        Row row;
        row.colour = colour;
        std::size_t most = 1;
        for (std::size_t c = 0; c < columns; ++c) {
            std::vector<TextLine> lines;
            if (c < texts.size())
                lines = m_type.wrap(texts[c], style, widths[c] - 2 * padding);
            most = std::max(most, lines.size());
            row.cells.push_back(std::move(lines));
        }
        row.height = most * lineHeight + 2 * vertical;
        return row;
    };

    std::optional<Row> header;
    if (!model.header.empty()) {
        Row row;
        std::size_t most = 1;
        for (std::size_t c = 0; c < columns; ++c) {
            std::vector<TextLine> lines;
            for (const std::string& line : c < model.header.size() ? model.header[c] : kNoLines)
                for (TextLine& piece : m_type.wrap(line, style, widths[c] - 2 * padding, Breaks::SpacesFirst))
                    lines.push_back(std::move(piece));
            most = std::max(most, lines.size());
            row.cells.push_back(std::move(lines));
        }
        row.height = most * lineHeight + 2 * vertical;
        header = std::move(row);
    }

    auto draw = [&](const Row& row, const std::vector<Align>& align, bool isHeader) {
        PageContent& page = m_flow.page();
        const double top = m_flow.y;
        if (isHeader)
            page.shades.push_back({QRectF(left, top, right - left, row.height), kHeaderGround});
        page.rules.push_back({QLineF(left, top, right, top)});
        for (double x : edges)
            page.rules.push_back({QLineF(x, top, x, top + row.height)});
        TextStyle cellStyle = style;
        cellStyle.colour = row.colour;
        for (std::size_t c = 0; c < columns; ++c) {
            const std::vector<TextLine>& lines = row.cells[c];
            // Lines in the middle of the row's height, so that a short cell sits level with a tall one.
            double y = top + (row.height - lines.size() * lineHeight) / 2 + baseline;
            for (const TextLine& line : lines) {
                const Align a = isHeader ? Align::Centre : align[c];
                const double x = a == Align::Left    ? edges[c] + padding
                                 : a == Align::Right ? edges[c + 1] - padding
                                                     : (edges[c] + edges[c + 1]) / 2;
                m_type.place(line, cellStyle, QPointF(x, y), a, page);
                y += lineHeight;
            }
        }
        m_flow.y += row.height;
    };
    auto close = [&] { m_flow.page().rules.push_back({QLineF(left, m_flow.y, right, m_flow.y)}); };

    const double headerHeight = header ? header->height : 0;
    bool started = false;
    for (std::size_t r = 0; r < model.rows.size(); ++r) {
        const Row row = setRow(model.rows[r], r < model.flagged.size() && model.flagged[r] ? kFlagged : style.colour);
        if (!started || !m_flow.fits(row.height)) {
            if (started) {
                close();
                m_flow.newPage(m_flow.page().landscape);
            } else {
                m_flow.need(headerHeight + row.height);
            }
            if (header)
                draw(*header, model.align, true);
            started = true;
        }
        draw(row, model.align, false);
    }
    if (started)
        close();
}

// The running header from page 2 on (the project and the book's title over a rule) and the footer
// of every page (the program, and "第 n 页 共 m 页"), now that the number of pages is known.
void addRunningHeads(LaidOutBook& book, const Typesetter& type) {
    const TextStyle style{9};
    const int count = static_cast<int>(book.pages.size());
    for (int k = 0; k < count; ++k) {
        PageContent& page = book.pages[static_cast<std::size_t>(k)];
        const PageFrame frame = frameOf(page.landscape);
        const QRectF& body = frame.body;
        auto set = [&](const std::string& text, const TextStyle& s, double x, double y, Align align) {
            type.place(type.wrap(text, s, body.width()).front(), s, QPointF(x, y), align, page);
        };
        if (k > 0) {
            set(book.project.toStdString(), style, body.left(), frame.headerBaseline, Align::Left);
            set(kBookTitle, style, body.right(), frame.headerBaseline, Align::Right);
            page.rules.push_back({QLineF(body.left(), frame.headerRule, body.right(), frame.headerRule), pt(0.6)});
        }
        set(book.programLine.toStdString(), kSmallPrint, body.left(), frame.footerBaseline, Align::Left);
        set("第 " + std::to_string(k + 1) + " 页 共 " + std::to_string(count) + " 页", style, body.center().x(),
            frame.footerBaseline, Align::Centre);
    }
}

} // namespace

LaidOutBook layOutBook(const HandInBook& book, const Typesetter& typesetter) {
    LaidOutBook laidOut;
    laidOut.project = QString::fromStdString(book.title.project);
    laidOut.programLine = QString::fromStdString(book.programLine);
    Layouter layouter(typesetter, laidOut.pages);
    layouter.titleBlock(book.title, book.programLine);
    std::vector<std::string> clauses;
    for (const PileSection& pile : book.piles)
        for (const std::string& clause : pile.clauses)
            if (std::find(clauses.begin(), clauses.end(), clause) == clauses.end())
                clauses.push_back(clause);
    layouter.basis(clauses);
    for (std::size_t k = 0; k < book.piles.size(); ++k)
        layouter.pile(book.piles[k], k == 0);
    layouter.pileTable(book.pileTable);
    addRunningHeads(laidOut, typesetter);
    return laidOut;
}

} // namespace sp::handin
