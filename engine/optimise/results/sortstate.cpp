#include "optimise/results/sortstate.h"

#include "core/text.h"

namespace sp::optimise {

namespace {

constexpr std::array<const char*, 3> kKeyNames = {"d", "Ra", "Rc"};

} // namespace

std::optional<SortKey> sortKeyOfColumn(int column) {
    switch (column) {
    case 2:
        return SortKey::D;
    case 4:
        return SortKey::Ra;
    case 5:
        return SortKey::Rc;
    default:
        return std::nullopt;
    }
}

std::optional<SortKey> sortKeyOfColumn(ModuleKind module, int column) {
    const std::optional<SortKey> key = sortKeyOfColumn(column);
    if (key && !hasSortKey(module, *key))
        return std::nullopt;
    return key;
}

bool hasSortKey(ModuleKind module, SortKey key) {
    return module != ModuleKind::Module2 || key != SortKey::Rc;
}

const char* onlyKeysStatus(ModuleKind module) {
    return module == ModuleKind::Module2 ? "仅支持d、Ra排序" : "仅支持d、Ra、Rc排序";
}

int columnOfSortKey(SortKey key) {
    switch (key) {
    case SortKey::D:
        return 2;
    case SortKey::Ra:
        return 4;
    case SortKey::Rc:
        return 5;
    }
    return 2;
}

SortState::Action SortState::click(SortKey key) {
    const SortDirection before = direction(key);
    clear();
    if (before == SortDirection::Ascending) {
        m_directions[static_cast<std::size_t>(key)] = SortDirection::Descending;
        return Action::Reverse;
    }
    m_directions[static_cast<std::size_t>(key)] = SortDirection::Ascending;
    return before == SortDirection::None ? Action::SortAscending : Action::Reverse;
}

std::string SortState::statusText(SortKey key) const {
    const char* how = direction(key) == SortDirection::Descending ? "降序排列完成" : "升序排列完成";
    return std::string(kKeyNames[static_cast<std::size_t>(key)]) + how;
}

const std::array<ResultColumnInfo, 18>& resultColumns() {
    static const std::array<ResultColumnInfo, 18> columns = {{
        {"01_Str_YHzhuangbianhao", "桩编号", 70, true},
        {"02_Str_YHjiemianleixing", "截面类型", 70, true},
        {"03_Str_YHzhuangD", "d|a(mm)", 80, true},
        {"04_Str_YHtuoyuanzhiduanC", "c|b(mm)", 70, true},
        {"05_Str_YHRa", "Ra(kN)", 70, true},
        {"06_Str_YHRc", "Rc(kN)", 70, true},
        {"07_Str_YHzhuangHr", "hr(mm)", 70, true},
        {"08_Str_YHfrk", "frk(MPa)", 70, true},
        {"09_Str_YHczyj", "插值依据", 70, true},
        {"10_Str_YHwzcd", "完整程度", 70, true},
        {"11_Str_YHczgy", "成桩工艺", 70, true},
        {"12_Str_YHjmdxlx", "等效算法", 70, true},
        {"13_Str_YHzhuangDeq", "deq(mm)", 70, true},
        {"14_Str_YHsjb", "hr/deq", 70, true},
        {"15_Str_YHkesair", "ζr", 70, true},
        {"16_Str_YHhnt", "混凝土", 70, true},
        {"17_Str_YHPsai", "ψc", 70, true},
        {"18_Str_YHBeizhu", "备注", 0, false},
    }};
    return columns;
}

const std::array<ResultColumnInfo, 18>& resultColumns(ModuleKind module) {
    static const std::array<ResultColumnInfo, 18> module2 = [] {
        std::array<ResultColumnInfo, 18> columns = resultColumns();
        const char* headers[] = {"lr(m)",   "frk(MPa)", "风化程度", "插值依据", "完整程度", "系数 C1", "系数 C2",
                                 "Qsrk(kN)", "侧阻占比", "Qpk(kN)",  "端阻占比", "Qrk(kN)",  "备注"};
        for (std::size_t column = 5; column < columns.size(); ++column)
            columns[column].header = headers[column - 5];
        return columns;
    }();
    static const std::array<ResultColumnInfo, 18> module3 = [] {
        std::array<ResultColumnInfo, 18> columns = resultColumns();
        columns[17].header = "合规判定";
        return columns;
    }();
    switch (module) {
    case ModuleKind::Module2:
        return module2;
    case ModuleKind::Module3:
        return module3;
    case ModuleKind::Module1:
        break;
    }
    return resultColumns();
}

std::string headerText(int column) {
    return headerText(ModuleKind::Module1, column);
}

std::string headerText(ModuleKind module, int column) {
    return core::PadLeft(resultColumns(module).at(static_cast<std::size_t>(column)).header, " ", 8);
}

std::string keyHeaderText(SortKey key, SortDirection direction) {
    std::string text = resultColumns()[static_cast<std::size_t>(columnOfSortKey(key))].header;
    if (direction == SortDirection::Ascending)
        text += "▲";
    else if (direction == SortDirection::Descending)
        text += "▼";
    return core::PadLeft(text, " ", 8);
}

} // namespace sp::optimise
