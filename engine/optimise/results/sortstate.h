#pragma once
// Which key the visible result table is sorted by and in which direction, shared by the candidate
// table and the filtered table, with the header texts that show it. A click on a key column sorts
// ascending afresh, a further click on the same key reverses the rows.

#include "optimise/modulekind.h"

#include <array>
#include <optional>
#include <string>

namespace sp::optimise {

enum class SortKey { D = 0, Ra = 1, Rc = 2 };
enum class SortDirection { None, Ascending, Descending };

// The key a column's header sorts by: d|a (2), Ra (4), Rc (5); module 2 has no Rc.
std::optional<SortKey> sortKeyOfColumn(ModuleKind module, int column);
int columnOfSortKey(SortKey key);
// The keys of a module's tables, and the status text of a click on any other column.
bool hasSortKey(ModuleKind module, SortKey key);
const char* onlyKeysStatus(ModuleKind module); // "仅支持d、Ra、Rc排序" / "仅支持d、Ra排序"

class SortState {
public:
    SortDirection direction(SortKey key) const { return m_directions[static_cast<std::size_t>(key)]; }
    void clear() { m_directions.fill(SortDirection::None); }

    // What a header click on the key does to the rows.
    enum class Action { SortAscending, Reverse };
    // Moves the key on (none → ascending, ascending ↔ descending) and resets the other keys.
    Action click(SortKey key);

    // "Ra升序排列完成" / "Ra降序排列完成" for the key's present direction.
    std::string statusText(SortKey key) const;

private:
    std::array<SortDirection, 3> m_directions{SortDirection::None, SortDirection::None, SortDirection::None};
};

// How a result table shows a column.
struct ResultColumnInfo {
    const char* component; // the column's name after the table's own prefix
    const char* header;    // before padding
    int width;             // 0: the toolkit's default
    bool centred;
};
const std::array<ResultColumnInfo, 18>& resultColumns(ModuleKind module);

// The header of a column: its text padded on the left to 8 display columns.
std::string headerText(ModuleKind module, int column);
// A key column's header with the marker of its direction (▲ ascending, ▼ descending).
std::string keyHeaderText(SortKey key, SortDirection direction);

} // namespace sp::optimise
