#include "frame/messagesink.h"

#include <QMessageBox>
#include <QPushButton>

namespace sp::frame {

void DialogMessageSink::inform(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, QStringLiteral("嵌岩桩承载力计算"), text);
}

void DialogMessageSink::warn(QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, QStringLiteral("嵌岩桩承载力计算"), text);
}

SaveAnswer DialogMessageSink::askToSave(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    QPushButton* save = box.addButton(QStringLiteral("保存"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("不保存"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel); // closing the box keeps everything open
    box.exec();
    if (box.clickedButton() == save)
        return SaveAnswer::Save;
    return box.clickedButton() == discard ? SaveAnswer::Discard : SaveAnswer::Cancel;
}

bool DialogMessageSink::askToRecover(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    QPushButton* recover = box.addButton(QStringLiteral("恢复"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("放弃"), QMessageBox::DestructiveRole);
    box.setDefaultButton(recover);
    box.setEscapeButton(discard);
    box.exec();
    return box.clickedButton() == recover;
}

bool DialogMessageSink::askToReplace(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("文件已存在"), text, QMessageBox::NoButton, parent);
    QPushButton* replace = box.addButton(QStringLiteral("替换"), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == replace;
}

} // namespace sp::frame
