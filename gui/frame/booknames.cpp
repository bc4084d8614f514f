#include "frame/booknames.h"

#include "frame/qttext.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>

namespace sp::frame {

namespace {

struct NameField {
    const char* key;        // the settings key and the field's object name after "edt_"
    const char* label;
    std::string handin::TitleBlock::*name;
};

const NameField kFields[] = {
    {"project", "工程名称：", &handin::TitleBlock::project},
    {"part", "子项/部位：", &handin::TitleBlock::part},
    {"calculatedBy", "计算：", &handin::TitleBlock::calculatedBy},
    {"checkedBy", "校对：", &handin::TitleBlock::checkedBy},
    {"approvedBy", "审核：", &handin::TitleBlock::approvedBy},
};

QSettings settings() { return QSettings(QStringLiteral("SocketPile"), QStringLiteral("SocketPile")); }

} // namespace

std::optional<handin::TitleBlock> DialogBookNames::askNames(QWidget* parent, const handin::TitleBlock& remembered) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("dlg_BookNames"));
    dialog.setWindowTitle(QStringLiteral("计算书署名"));
    auto* form = new QFormLayout(&dialog);
    std::vector<QLineEdit*> edits;
    for (const NameField& field : kFields) {
        auto* edit = new QLineEdit(q(remembered.*field.name), &dialog);
        edit->setObjectName(QStringLiteral("edt_") + QLatin1String(field.key));
        edit->setMinimumWidth(260);
        form->addRow(QString::fromUtf8(field.label), edit);
        edits.push_back(edit);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    form->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    handin::TitleBlock names = remembered;
    for (std::size_t k = 0; k < edits.size(); ++k)
        names.*kFields[k].name = edits[k]->text().trimmed().toStdString();
    return names;
}

handin::TitleBlock rememberedNames() {
    QSettings stored = settings();
    handin::TitleBlock names;
    for (const NameField& field : kFields)
        names.*field.name = stored.value(QStringLiteral("book/") + QLatin1String(field.key)).toString().toStdString();
    return names;
}

void rememberNames(const handin::TitleBlock& names) {
    QSettings stored = settings();
    for (const NameField& field : kFields)
        stored.setValue(QStringLiteral("book/") + QLatin1String(field.key), q(names.*field.name));
}

} // namespace sp::frame
