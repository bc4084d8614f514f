#include "optimise/options/options.h"

#include "optimise/options/rowreader.h"
#include "optimise/profiles/moduleprofile.h"

#include "core/numbers.h"
#include "module1/module1calc.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace sp::optimise {

namespace {

constexpr std::uint64_t kSaturated = std::numeric_limits<std::uint64_t>::max();

std::uint64_t times(std::uint64_t a, std::uint64_t b) {
    if (a != 0 && b > kSaturated / a)
        return kSaturated;
    return a * b;
}

std::uint64_t plus(std::uint64_t a, std::uint64_t b) {
    return a > kSaturated - b ? kSaturated : a + b;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// A whole number of the integer type of the grid: blanks around, an optional sign, digits.
std::optional<long long> readInteger(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    int value = 0; // 32 bits, as the grid's integers are
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::size_t codePointLength(unsigned char lead) {
    return lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

// Characters 2 and 3 of a text counted in UTF-16 units, as the grade cells are read. Nothing when
// the first character takes two units: the second is then half a character, no digit.
std::optional<std::string_view> secondAndThirdCharacters(std::string_view text) {
    if (text.empty())
        return std::string_view();
    const std::size_t first = codePointLength(static_cast<unsigned char>(text[0]));
    if (first == 4)
        return std::nullopt;
    std::size_t end = std::min(first, text.size());
    for (int k = 0; k < 2 && end < text.size(); ++k)
        end = std::min(end + codePointLength(static_cast<unsigned char>(text[end])), text.size());
    const std::size_t begin = std::min(first, text.size());
    return text.substr(begin, end - begin);
}

} // namespace

long long clampCode(long long value, long long low, long long high) {
    return std::min(std::max(value, low), high);
}

bool RowReader::integers(int row, long long (&out)[3]) {
    for (int k = 0; k < 3; ++k) {
        const auto value = readInteger(cellText(row, kColMin + k));
        if (!value)
            return unread(row, kColMin + k);
        out[k] = *value;
    }
    return true;
}

bool RowReader::decimals(int row, double (&out)[3]) {
    for (int k = 0; k < 3; ++k) {
        const auto value = core::readStrict(cellText(row, kColMin + k));
        if (!value)
            return unread(row, kColMin + k);
        out[k] = *value;
    }
    return true;
}

bool RowReader::depths(DepthMode mode, double (&out)[3]) {
    for (int k = 0; k < 3; ++k) {
        std::string_view text = cellText(kRowDepth, kColMin + k);
        if (mode == DepthMode::Multiples) {
            const auto at = text.find('d');
            text = at == std::string_view::npos ? std::string_view() : text.substr(0, at);
        }
        const auto value = core::readStrict(text);
        if (!value)
            return unread(kRowDepth, kColMin + k);
        out[k] = *value;
    }
    return true;
}

bool RowReader::grades(long long (&out)[3]) {
    for (int k = 0; k < 3; ++k) {
        const std::string& text = cellText(kRowGrade, kColMin + k);
        std::optional<long long> value;
        if (k < 2) {
            const auto digits = secondAndThirdCharacters(text);
            if (digits)
                value = readInteger(*digits);
        } else {
            value = readInteger(text);
        }
        if (!value)
            return unread(kRowGrade, kColMin + k);
        out[k] = *value;
    }
    return true;
}

bool RowReader::unread(int row, int column) {
    m_error = unreadCell(m_table, row, column);
    return false;
}

OptionsReading checkFailed(int row, const char* message) {
    OptionsReading r;
    OptionError e;
    e.kind = OptionError::Kind::Check;
    e.row = row;
    e.message = message;
    r.error = e;
    return r;
}

OptionError unreadCell(const OptionTable& table, int row, int column) {
    OptionError e;
    e.kind = OptionError::Kind::Conversion;
    e.row = row;
    e.column = column;
    e.text = table.cell(row, column);
    e.message = module1::conversionMessage(
        table.cell(row, kColItem) + optionColumns()[static_cast<std::size_t>(column)].header, e.text);
    return e;
}

std::uint64_t timesSaturating(std::uint64_t a, std::uint64_t b) {
    return times(a, b);
}

std::uint64_t Options::candidateCount() const {
    const ModuleProfile& profile = profileOf(module);
    std::uint64_t integrity = 0;
    for (double basis : bases.values())
        integrity = plus(integrity, basis == 1.0 ? classes.count() : indices.count());
    const std::uint64_t perSection = profile.candidatesPerSize(*this, integrity);
    const std::uint64_t methodLoop = profile.methodLoop(*this);
    std::uint64_t total = 0;
    for (double code : sections.values()) {
        std::uint64_t sizes = 0;
        if (code == 1.0)
            sizes = diameter.count();
        else if (code == 2.0)
            sizes = times(times(diameter.count(), straight.count()), methodLoop);
        else if (code == 3.0)
            sizes = times(times(longSide.count(), shortSide.count()), methodLoop);
        else
            sizes = times(squareSide.count(), methodLoop);
        total = plus(total, times(sizes, perSection));
    }
    return total;
}

namespace {

// Rows 0 to 7, alike in every module. False when a row stops the reading; `reading` then holds
// why.
bool readSections(RowReader& read, Options& o, OptionsReading& reading) {
    long long n[3] = {};
    double x[3] = {};
    if (!read.integers(kRowSection, n))
        return false;
    o.sections = OptionRange::integers(clampCode(n[0], 1, 4), clampCode(n[1], 1, 4), n[2]);

    const struct {
        int row;
        OptionRange Options::*range;
        const char* negative;
    } sizes[] = {
        {kRowDiameter, &Options::diameter, "桩径不能为负值"},
        {kRowStraight, &Options::straight, "椭圆直段不能为负值"},
        {kRowLongSide, &Options::longSide, "矩形长边不能为负值"},
        {kRowShortSide, &Options::shortSide, "矩形短边不能为负值"},
        {kRowSquareSide, &Options::squareSide, "方形边长不能为负值"},
    };
    for (const auto& size : sizes) {
        if (!read.decimals(size.row, x))
            return false;
        if (x[0] < 0.0 || x[1] < 0.0) {
            reading = checkFailed(size.row, size.negative);
            return false;
        }
        o.*size.range = OptionRange::decimals(x[0], x[1], x[2]);
    }

    o.depthMode = read.cellText(kRowDepth, kColMin).find('d') != std::string::npos ? DepthMode::Multiples
                                                                                   : DepthMode::Millimetres;
    if (!read.depths(o.depthMode, x))
        return false;
    o.depth = OptionRange::decimals(x[0], x[1], x[2]);

    if (!read.decimals(kRowFrk, x))
        return false;
    if (x[0] < 0.0 || x[1] < 0.0) {
        reading = checkFailed(kRowFrk, "岩石单轴抗压强度不能为负值");
        return false;
    }
    o.frk = OptionRange::decimals(x[0], x[1], x[2]);
    return true;
}

} // namespace

OptionsReading readOptions(const OptionTable& table) {
    OptionsReading reading;
    RowReader read(table, reading.error);
    Options o;
    o.module = table.module();
    if (!readSections(read, o, reading) || !profileOf(o.module).readRows(read, o, reading))
        return reading;
    reading.options = o;
    return reading;
}

} // namespace sp::optimise
