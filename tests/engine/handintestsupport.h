#pragma once
// Helpers the tests of the modules' handed-in sections share: a text pile-table row cut into its
// cells, and a formula line worked by hand as a checker would, from the figures it prints.

#include "core/numbers.h"
#include "core/text.h"
#include "handin/handinbook.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace sp::test {

// A step's lines without the markup.
inline std::vector<std::string> plainLines(const handin::Step& step) {
    std::vector<std::string> lines;
    for (const handin::FormulaLine& line : step.lines)
        lines.push_back(handin::plainText(line.text));
    return lines;
}

// The row's cells by their display widths, each trimmed of blanks.
inline std::vector<std::string> rowCells(const std::string& row, const std::vector<int>& widths) {
    std::vector<std::string> cells;
    std::size_t at = 0;
    for (int width : widths) {
        std::string cell;
        int taken = 0;
        while (at < row.size() && taken < width) {
            std::size_t length = 1;
            const unsigned char lead = static_cast<unsigned char>(row[at]);
            if (lead >= 0xF0)
                length = 4;
            else if (lead >= 0xE0)
                length = 3;
            else if (lead >= 0xC0)
                length = 2;
            const std::string ch = row.substr(at, length);
            taken += core::DisplayWidth(ch);
            cell += ch;
            at += length;
        }
        const std::size_t first = cell.find_first_not_of(' ');
        cells.push_back(first == std::string::npos ? "" : cell.substr(first, cell.find_last_not_of(' ') - first + 1));
    }
    return cells;
}

// Arithmetic as the book prints it: + − × /, brackets, π, √, squares and powers; "× 100%" is × 100.
class HandArithmetic {
public:
    static std::optional<double> value(const std::string& printed) {
        std::string text;
        for (std::size_t k = 0; k < printed.size();) {
            static const std::vector<std::pair<std::string, std::string>> marks = {
                {"\u2009", ""}, {"×", "*"}, {"−", "-"}, {"π", "p"}, {"√", "s"}, {"²", "^2"}, {"³", "^3"},
                {"⁴", "^4"},    {"⁶", "^6"}, {"[", "("}, {"]", ")"}, {"%", ""},     {" ", ""}};
            bool replaced = false;
            for (const auto& [from, to] : marks) {
                if (printed.compare(k, from.size(), from) == 0) {
                    text += to;
                    k += from.size();
                    replaced = true;
                    break;
                }
            }
            if (!replaced)
                text += printed[k++];
        }
        HandArithmetic a{text};
        const std::optional<double> result = a.sum();
        if (!result || a.m_at != a.m_text.size())
            return std::nullopt;
        return result;
    }

private:
    explicit HandArithmetic(std::string text) : m_text(std::move(text)) {}
    bool take(char ch) {
        if (m_at < m_text.size() && m_text[m_at] == ch) {
            ++m_at;
            return true;
        }
        return false;
    }
    std::optional<double> sum() {
        std::optional<double> left = product();
        while (left) {
            if (take('+')) {
                const auto right = product();
                left = right ? std::optional<double>(*left + *right) : std::nullopt;
            } else if (take('-')) {
                const auto right = product();
                left = right ? std::optional<double>(*left - *right) : std::nullopt;
            } else {
                break;
            }
        }
        return left;
    }
    std::optional<double> product() {
        std::optional<double> left = power();
        while (left) {
            if (take('*')) {
                const auto right = power();
                left = right ? std::optional<double>(*left * *right) : std::nullopt;
            } else if (take('/')) {
                const auto right = power();
                left = right ? std::optional<double>(*left / *right) : std::nullopt;
            } else {
                break;
            }
        }
        return left;
    }
    std::optional<double> power() {
        std::optional<double> base = primary();
        if (base && take('^')) {
            const auto exponent = primary();
            base = exponent ? std::optional<double>(std::pow(*base, *exponent)) : std::nullopt;
        }
        return base;
    }
    std::optional<double> primary() {
        if (take('p'))
            return 3.14159265358979323846;
        if (take('s')) {
            const auto inside = power();
            return inside ? std::optional<double>(std::sqrt(*inside)) : std::nullopt;
        }
        if (take('(')) {
            const auto inside = sum();
            return inside && take(')') ? inside : std::nullopt;
        }
        const std::size_t start = m_at;
        while (m_at < m_text.size() && (std::isdigit(static_cast<unsigned char>(m_text[m_at])) || m_text[m_at] == '.'))
            ++m_at;
        if (m_at == start)
            return std::nullopt;
        return std::stod(m_text.substr(start, m_at - start));
    }

    std::string m_text;
    std::size_t m_at = 0;
};

// A line "symbols = figures = result unit（取 …）" worked by hand from its figures: whether the
// result shown is the figures' value rounded to the decimals shown (a value exactly halfway
// between two last digits may go either way). Nothing for a line without such figures.
inline std::optional<bool> worksByHand(const std::string& markup) {
    std::string line = handin::plainText(markup);
    const std::size_t aside = line.find("（取");
    if (aside != std::string::npos)
        line = line.substr(0, aside);
    std::vector<std::string> parts;
    for (std::size_t from = 0;;) {
        const std::size_t at = line.find(" = ", from);
        parts.push_back(line.substr(from, at == std::string::npos ? std::string::npos : at - from));
        if (at == std::string::npos)
            break;
        from = at + 3;
    }
    if (parts.size() < 3)
        return std::nullopt;
    const std::optional<double> hand = HandArithmetic::value(parts[parts.size() - 2]);
    std::string result;
    for (char ch : parts.back()) {
        if (std::isdigit(static_cast<unsigned char>(ch)) || ch == '.' || ch == '-')
            result += ch;
        else if (ch != '\xe2' && ch != '\x80' && ch != '\x89') // the thin space's bytes
            break;
    }
    if (!hand || result.empty())
        return std::nullopt;
    const std::size_t point = result.find('.');
    const int decimals = point == std::string::npos ? 0 : static_cast<int>(result.size() - point - 1);
    const double halfUnit = 0.5 * std::pow(10.0, -decimals);
    return std::fabs(*hand - std::stod(result)) <= halfUnit * (1 + 1e-9) + std::fabs(*hand) * 1e-14;
}

// Works every formula line of the section that has figures by hand; how many there were.
inline int expectWorkedByHand(const handin::PileSection& section) {
    int worked = 0;
    for (const handin::Step& step : section.steps) {
        for (const handin::FormulaLine& line : step.lines) {
            const std::optional<bool> works = worksByHand(line.text);
            if (!works)
                continue;
            EXPECT_TRUE(*works) << handin::plainText(line.text);
            ++worked;
        }
    }
    return worked;
}

// A sheet row against the text pile-table row cut by `widths`: the same texts, and a number
// wherever the text is one (a share's "%" left aside).
inline void expectRowCells(const handin::SheetRow& cells, const std::string& row, const std::vector<int>& widths,
                           const std::string& pile) {
    const std::vector<std::string> texts = rowCells(row, widths);
    ASSERT_EQ(cells.size(), texts.size()) << pile;
    for (std::size_t k = 0; k < cells.size(); ++k) {
        EXPECT_EQ(cells[k].text, texts[k]) << pile << " column " << k;
        std::string number = texts[k];
        if (!number.empty() && number.back() == '%')
            number.pop_back();
        EXPECT_EQ(cells[k].number, core::readStrict(number)) << pile << " column " << k << " " << texts[k];
    }
}

} // namespace sp::test
