#include "optimise/results/sortstate.h"

#include "core/text.h"
#include "optimise/profiles/moduleprofile.h"

namespace sp::optimise {

namespace {

constexpr std::array<const char*, 3> kKeyNames = {"d", "Ra", "Rc"};

} // namespace

std::optional<SortKey> sortKeyOfColumn(ModuleKind module, int column) {
    for (SortKey key : {SortKey::D, SortKey::Ra, SortKey::Rc})
        if (columnOfSortKey(key) == column && hasSortKey(module, key))
            return key;
    return std::nullopt;
}

bool hasSortKey(ModuleKind module, SortKey key) {
    return profileOf(module).hasSortKey(key);
}

const char* onlyKeysStatus(ModuleKind module) {
    return profileOf(module).onlyKeysStatus();
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

const std::array<ResultColumnInfo, 18>& resultColumns(ModuleKind module) {
    return profileOf(module).resultColumns();
}

std::string headerText(ModuleKind module, int column) {
    return core::PadLeft(resultColumns(module).at(static_cast<std::size_t>(column)).header, " ", 8);
}

std::string keyHeaderText(SortKey key, SortDirection direction) {
    // The key columns are headed alike in every module.
    std::string text = resultColumns(ModuleKind::Module1)[static_cast<std::size_t>(columnOfSortKey(key))].header;
    if (direction == SortDirection::Ascending)
        text += "▲";
    else if (direction == SortDirection::Descending)
        text += "▼";
    return core::PadLeft(text, " ", 8);
}

} // namespace sp::optimise
