#include "optimise/columnwidths.h"

#include "optimise/results/sortstate.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QStyleOptionHeader>

#include <algorithm>

namespace sp::optimise {

namespace {

// A little air beyond the exact fit, so that a value never touches the grid line.
constexpr int kAir = 4;

} // namespace

int cellWidthFor(const QAbstractItemView& view, const QString& text) {
    // An item view draws its text inside a margin of the focus frame's width plus one on each side.
    const int margin = view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1;
    return QFontMetrics(view.font()).horizontalAdvance(text) + 2 * margin + kAir;
}

int headerWidthFor(const QHeaderView& header, const QString& text) {
    int widest = 0;
    for (bool bold : {false, true}) {
        QFont font = header.font();
        font.setBold(bold);
        QStyleOptionHeader option;
        option.initFrom(&header);
        option.fontMetrics = QFontMetrics(font);
        option.text = text;
        option.orientation = Qt::Horizontal;
        const QSize size = header.style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), &header);
        widest = std::max(widest, size.width());
    }
    return widest + kAir;
}

int fittedColumnWidth(const QAbstractItemView& view, const QHeaderView& header, const QStringList& cells,
                      const QStringList& headers, int designed) {
    int width = designed;
    for (const QString& text : cells)
        width = std::max(width, cellWidthFor(view, text));
    for (const QString& text : headers)
        width = std::max(width, headerWidthFor(header, text));
    return width;
}

QString widestTwoDecimalValue() { return QStringLiteral("000000.00"); }

QString widestCandidateNumber() { return QStringLiteral("ZH-10000000"); }

QStringList widestResultHeaders(ModuleKind module, int column) {
    QStringList headers{QString::fromStdString(headerText(module, column))};
    if (const std::optional<SortKey> key = sortKeyOfColumn(module, column))
        for (SortDirection direction : {SortDirection::Ascending, SortDirection::Descending})
            headers << QString::fromStdString(keyHeaderText(*key, direction));
    return headers;
}

QStringList widestResultCells(ModuleKind module, int column) {
    if (column == 0)
        return {widestCandidateNumber()};
    // Columns headed with a unit, "Ra(kN)", "hr(mm)" and so on, hold values with two decimals.
    const QString header = QString::fromUtf8(resultColumns(module)[static_cast<std::size_t>(column)].header);
    if (header.contains(QLatin1Char('(')))
        return {widestTwoDecimalValue()};
    return {};
}

} // namespace sp::optimise
