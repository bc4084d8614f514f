#include "frame/filechooser.h"

#include <QFileDialog>

namespace sp::frame {

std::optional<QString> DialogFileChooser::saveFileName(QWidget* parent, const QString& caption,
                                                       const QString& suggested, const QString& filters) {
    const QString path = QFileDialog::getSaveFileName(parent, caption, suggested, filters);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> DialogFileChooser::openFileName(QWidget* parent, const QString& caption, const QString& folder,
                                                       const QString& filters) {
    const QString path = QFileDialog::getOpenFileName(parent, caption, folder, filters);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

} // namespace sp::frame
