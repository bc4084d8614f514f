#include "optimise/results/resultsheet.h"

#include <charconv>

namespace sp::optimise {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

bool endsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

} // namespace

handin::SheetColumn resultSheetColumn(std::string_view header) {
    header = trimmed(header);
    for (const std::string_view mark : {std::string_view("▲"), std::string_view("▼")})
        if (endsWith(header, mark))
            header.remove_suffix(mark.size());
    const std::size_t open = header.find('(');
    if (open == std::string_view::npos || !endsWith(header, ")"))
        return {std::string(trimmed(header)), {}};
    return {std::string(trimmed(header.substr(0, open))),
            std::string(header.substr(open + 1, header.size() - open - 2))};
}

std::optional<double> cellNumber(std::string_view text) {
    text = trimmed(text);
    if (!text.empty() && text.back() == '%')
        text.remove_suffix(1);
    // Only plain figures: an optional minus, digits and at most one decimal point with digits on
    // both sides. from_chars alone would take "1.0d" as 1 and "1e5" as a number.
    std::size_t i = text.starts_with('-') ? 1 : 0;
    const std::size_t digitsFrom = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    if (i == digitsFrom)
        return std::nullopt;
    if (i < text.size() && text[i] == '.') {
        const std::size_t decimalsFrom = ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
        if (i == decimalsFrom)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

ResultSheet::ResultSheet(const ResultTable& table, std::string name) : m_table(table), m_name(std::move(name)) {
    m_columns.reserve(kResultColumns);
    for (int column = 0; column < kResultColumns; ++column)
        m_columns.push_back(resultSheetColumn(table.header(column)));
}

void ResultSheet::row(std::size_t index, handin::SheetRow& row) const {
    // The store's own cell texts, made in a buffer: no row of strings is built on the way.
    const CandidateStore& store = *m_table.store();
    const CandidateStore::Row candidate = store.row(m_table.rowId(index));
    CandidateStore::CellBuffer buffer;
    row.resize(kResultColumns);
    for (int column = 0; column < kResultColumns; ++column) {
        const std::string_view text = store.cellText(candidate, column, buffer);
        handin::SheetCell& cell = row[static_cast<std::size_t>(column)];
        cell.text.assign(text);
        cell.number = cellNumber(text);
    }
}

} // namespace sp::optimise
