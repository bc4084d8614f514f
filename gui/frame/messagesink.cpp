#include "frame/messagesink.h"

#include <QMessageBox>

namespace sp::frame {

void DialogMessageSink::inform(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, QStringLiteral("嵌岩桩承载力计算"), text);
}

void DialogMessageSink::warn(QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, QStringLiteral("嵌岩桩承载力计算"), text);
}

} // namespace sp::frame
