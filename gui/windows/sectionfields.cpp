#include "windows/sectionfields.h"

#include "core/sectioncheck.h"
#include "core/sectionfields.h"
#include "frame/qttext.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>

namespace sp::windows {

using frame::q;
using frame::qItems;

namespace {

constexpr int kFieldWidth = 89;

} // namespace

QLabel* addFieldRow(QGridLayout* grid, int row, const char* labelName, const QString& text, QWidget* field) {
    auto* label = new QLabel(text, field->parentWidget());
    label->setObjectName(QString::fromLatin1(labelName));
    grid->addWidget(label, row, 0);
    // A wide list (the process, 193) starts further left, under the label column's room, so that
    // it does not widen the field column past the window's design width.
    constexpr int kWideField = 150;
    if (field->minimumWidth() >= kWideField)
        grid->addWidget(field, row, 0, 1, 2, Qt::AlignRight);
    else
        grid->addWidget(field, row, 1, Qt::AlignRight);
    return label;
}

QComboBox* fieldBox(QWidget* parent, const char* name, const std::vector<std::string>& items, bool editable,
                    int width) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(editable);
    box->addItems(qItems(items));
    box->setFixedWidth(width);
    if (editable)
        box->setInsertPolicy(QComboBox::NoInsert);
    return box;
}

void refill(QComboBox* box, const std::vector<std::string>& items, const std::string& text) {
    const QSignalBlocker blocker(box);
    box->clear();
    box->addItems(qItems(items));
    box->setEditText(q(text));
}

void showText(QComboBox* box, const std::string& text) {
    const QString shown = q(text);
    if (box->currentText() == shown)
        return;
    const QSignalBlocker blocker(box);
    box->setEditText(shown);
}

void showIndex(QComboBox* box, int position) {
    if (box->currentIndex() == position)
        return;
    const QSignalBlocker blocker(box);
    box->setCurrentIndex(position);
}

SectionFields::SectionFields(QWidget* group, QGridLayout* grid, int firstRow) {
    const core::SectionFields round = core::sectionFields(core::SectionType::Round);
    m_section = fieldBox(group, "cbb_jmlx", core::sectionItems(), false, kFieldWidth);
    m_first = fieldBox(group, core::kFieldFirst, core::diameterItems(), true, kFieldWidth);
    m_first->setEditText(QStringLiteral("1000"));
    m_second = fieldBox(group, core::kFieldSecond, core::initialSecondItems(), true, kFieldWidth);
    m_second->setEditText(QStringLiteral("0"));
    m_second->setEnabled(false);
    addFieldRow(grid, firstRow, "lb_jmlx", QStringLiteral("桩身截面类型"), m_section);
    m_firstLabel = addFieldRow(grid, firstRow + 1, "lb_dd", q(round.firstLabel), m_first);
    m_secondLabel = addFieldRow(grid, firstRow + 2, "lb_tyzd", q(round.secondLabel), m_second);
    m_secondLabel->setEnabled(false);
}

void SectionFields::onSectionChosen(std::function<void(core::SectionType)> handler) {
    QObject::connect(m_section, &QComboBox::currentIndexChanged, m_section,
                     [handler](int position) { handler(static_cast<core::SectionType>(position + 1)); });
}

void SectionFields::onTextEdited(std::function<void(const std::string&, const QString&)> handler) {
    for (QComboBox* box : {m_first, m_second}) {
        const std::string name = box->objectName().toStdString();
        QObject::connect(box, &QComboBox::editTextChanged, box,
                         [handler, name](const QString& text) { handler(name, text); });
    }
}

bool SectionFields::show(core::SectionType type, const std::string& first, const std::string& second) {
    const bool kindShown = type != m_shownType || !m_listsShown;
    if (kindShown) {
        const core::SectionFields setup = core::sectionFields(type);
        {
            const QSignalBlocker blocker(m_section);
            m_section->setCurrentIndex(static_cast<int>(type) - 1);
        }
        m_firstLabel->setText(q(setup.firstLabel));
        m_secondLabel->setText(q(setup.secondLabel));
        m_second->setEnabled(setup.secondEnabled);
        m_secondLabel->setEnabled(setup.secondEnabled);
        refill(m_second, setup.secondItems, second);
        m_shownType = type;
        m_listsShown = true;
    }
    showText(m_first, first);
    showText(m_second, second);
    return kindShown;
}

} // namespace sp::windows
