#include "optimise/options/optiontable.h"

#include "core/geometry.h"
#include "core/tables.h"
#include "optimise/profiles/moduleprofile.h"

#include <charconv>

#include <cstddef>
#include <span>
#include <utility>

namespace sp::optimise {

namespace {

bool valueCell(const ModuleProfile& profile, int row, int column) {
    return row >= 0 && row <= profile.lastValueRow() && column >= kColMin && column <= kColStep;
}

bool boundCell(const ModuleProfile& profile, int row, int column) {
    const bool filterRow = row == profile.filterRaRow() || row == profile.filterRcRow();
    return filterRow && (column == kColMin || column == kColMax);
}

std::size_t at(int index) {
    return static_cast<std::size_t>(index);
}

} // namespace

const std::array<OptionColumnInfo, kOptionColumns>& optionColumns() {
    static const std::array<OptionColumnInfo, kOptionColumns> columns = {{
        {"Grid1_01_Str_YHxuanxiang", "优化项", 160, false},
        {"Grid1_02_Str_YHmin", "最小值", 54, true},
        {"Grid1_03_Str_YHmax", "最大值", 54, true},
        {"Grid1_04_Str_YHstep", "步进值", 54, true},
        {"Grid1_05_Str_YHshuoming", "说  明", 300, false},
    }};
    return columns;
}

std::vector<std::string> codeWords(ModuleKind module, int row) {
    std::vector<std::string> words;
    if (row == kRowSection) {
        for (auto type : {core::SectionType::Round, core::SectionType::Oblong, core::SectionType::Rectangular,
                          core::SectionType::Square})
            words.emplace_back(core::sectionItemText(type));
    } else if (row == kRowProcess && module != ModuleKind::Module2) {
        for (int position = 0; position < core::kProcessCount; ++position)
            words.emplace_back(core::processItem(position));
    }
    return words;
}

std::string codeTip(ModuleKind module, int row, int column, const std::string& cell) {
    const std::vector<std::string> words = codeWords(module, row);
    if (words.empty())
        return {};
    if (column == kColMin || column == kColMax) {
        const std::size_t first = cell.find_first_not_of(' ');
        const std::size_t last = cell.find_last_not_of(' ');
        int code = 0;
        if (first != std::string::npos) {
            const char* begin = cell.data() + first;
            const char* end = cell.data() + last + 1;
            const auto [stop, error] = std::from_chars(begin, end, code);
            if (error == std::errc() && stop == end && code >= 1 && code <= static_cast<int>(words.size()))
                return std::to_string(code) + "：" + words[at(code - 1)];
        }
    }
    std::string tip;
    for (std::size_t k = 0; k < words.size(); ++k)
        tip += (k > 0 ? "\n" : "") + std::to_string(k + 1) + "：" + words[k];
    return tip;
}

int optionRowCount(ModuleKind module) {
    return static_cast<int>(profileOf(module).optionRows().size());
}

OptionTable::OptionTable(ModuleKind module) : m_module(module) {
    const std::span<const OptionRowTexts> rows = profileOf(module).optionRows();
    m_cells.resize(rows.size());
    for (std::size_t row = 0; row < rows.size(); ++row)
        for (std::size_t column = 0; column < kOptionColumns; ++column)
            m_cells[row][column] = rows[row][column];
}

const std::string& OptionTable::cell(int row, int column) const {
    return m_cells.at(at(row)).at(at(column));
}

void OptionTable::setCell(int row, int column, std::string text) {
    m_cells.at(at(row)).at(at(column)) = std::move(text);
}

bool OptionTable::makesEditable(ModuleKind module, int row, int column) {
    const ModuleProfile& profile = profileOf(module);
    return valueCell(profile, row, column) || boundCell(profile, row, column);
}

OptionTable::Enables OptionTable::editEnables(ModuleKind module, int row, int column) {
    const ModuleProfile& profile = profileOf(module);
    if (valueCell(profile, row, column))
        return Enables::Compute;
    if (boundCell(profile, row, column))
        return Enables::Filter;
    return Enables::Nothing;
}

} // namespace sp::optimise
