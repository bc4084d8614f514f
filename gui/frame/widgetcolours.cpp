#include "frame/widgetcolours.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>

namespace sp::frame {

namespace {

// The widget whose palette shows the text: an editable drop-down shows it in its line edit.
QWidget* textWidget(QWidget* widget) {
    if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->lineEdit())
        return combo->lineEdit();
    return widget;
}

QPalette::ColorRole roleOf(const QWidget* widget) {
    return qobject_cast<const QLabel*>(widget) ? QPalette::WindowText : QPalette::Text;
}

} // namespace

void setTextColour(QWidget* widget, core::Colour colour) {
    QWidget* target = textWidget(widget);
    QPalette palette = target->palette();
    const QColor c = QColor::fromRgba(colour);
    palette.setColor(roleOf(target), c);
    if (qobject_cast<QComboBox*>(widget))
        palette.setColor(QPalette::ButtonText, c);
    target->setPalette(palette);
}

core::Colour textColour(const QWidget* widget) {
    const QWidget* target = textWidget(const_cast<QWidget*>(widget));
    return target->palette().color(roleOf(target)).rgba();
}

} // namespace sp::frame
