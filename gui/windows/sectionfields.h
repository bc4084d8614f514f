#pragma once
// The section list and the two dimension fields with their labels, as every module window has
// them: built into the rows of a group's grid, passing each choice and edit on to the window, and
// showing the section kind and the texts the window's session holds.

#include "core/geometry.h"

#include <QString>

#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QGridLayout;
class QLabel;
class QWidget;

namespace sp::windows {

class SectionFields {
public:
    // Rows firstRow … firstRow + 2 of `grid` in `group`: cbb_jmlx, cbe_dd and cbe_tyzd, as a new
    // window shows them (a round pile d 1000).
    SectionFields(QWidget* group, QGridLayout* grid, int firstRow);

    void onSectionChosen(std::function<void(core::SectionType)> handler);
    // `field` is the control name of the edited field (cbe_dd or cbe_tyzd).
    void onTextEdited(std::function<void(const std::string& field, const QString& text)> handler);

    // Shows the section kind and both texts without running a handler. The labels and the second
    // field's list follow the kind when it differs from the one shown, or after refillLists();
    // true when they did, so that a window refills its own lists that depend on the kind.
    bool show(core::SectionType type, const std::string& first, const std::string& second);
    // The next show() sets the labels and lists even for the kind already shown.
    void refillLists() { m_listsShown = false; }

    // The controls, for a recall that enters a candidate as the engineer would.
    QComboBox* sectionBox() const { return m_section; }
    QComboBox* firstBox() const { return m_first; }
    QComboBox* secondBox() const { return m_second; }

private:
    QComboBox* m_section = nullptr;
    QComboBox* m_first = nullptr;
    QComboBox* m_second = nullptr;
    QLabel* m_firstLabel = nullptr;
    QLabel* m_secondLabel = nullptr;
    core::SectionType m_shownType = core::SectionType::Round;
    bool m_listsShown = true; // a new window's lists are those of a round pile
};

// A label named `labelName` and `field` in `row` of `grid`, the field right-aligned; a wide field
// reaches under the label column.
QLabel* addFieldRow(QGridLayout* grid, int row, const char* labelName, const QString& text, QWidget* field);

// A drop-down of a module window's input layer; an editable one keeps typed texts out of its list.
QComboBox* fieldBox(QWidget* parent, const char* name, const std::vector<std::string>& items, bool editable,
                    int width);

// Replaces a drop-down's list and text without running its change handler.
void refill(QComboBox* box, const std::vector<std::string>& items, const std::string& text);
// Sets a drop-down's text, when it differs, without running its change handler.
void showText(QComboBox* box, const std::string& text);
// Shows a list position without running the list's change handler.
void showIndex(QComboBox* box, int position);

} // namespace sp::windows
