#include "frame/filechooser.h"

#include "frame/messagesink.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

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

std::optional<SaveChoice> DialogFileChooser::saveFileChoice(QWidget* parent, const QString& caption,
                                                            const QString& suggested,
                                                            const QString& filters) {
    QString filter;
    const QString path = QFileDialog::getSaveFileName(parent, caption, suggested, filters, &filter);
    if (path.isEmpty())
        return std::nullopt;
    return SaveChoice{path, filter};
}

std::optional<SaveChoice> FileChooser::saveFileChoice(QWidget* parent, const QString& caption,
                                                      const QString& suggested, const QString& filters) {
    const std::optional<QString> path = saveFileName(parent, caption, suggested, filters);
    if (!path)
        return std::nullopt;
    return SaveChoice{*path, {}};
}

namespace {

// "png" of "PNG 图片 (*.png)"; empty for a filter without one.
QString suffixOf(const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    const QRegularExpressionMatch match = pattern.match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

} // namespace

std::optional<QString> chooseSaveFile(FileChooser& files, MessageSink& messages, QWidget* parent,
                                      const QString& caption, const QString& suggested,
                                      const QString& filters) {
    const std::optional<SaveChoice> choice = files.saveFileChoice(parent, caption, suggested, filters);
    if (!choice || choice->path.isEmpty())
        return std::nullopt;
    if (!QFileInfo(choice->path).suffix().isEmpty())
        return choice->path;
    const QString chosenFilter =
        choice->filter.isEmpty() ? filters.section(QStringLiteral(";;"), 0, 0) : choice->filter;
    const QString suffix = suffixOf(chosenFilter);
    if (suffix.isEmpty())
        return choice->path;
    const QString path = choice->path + QLatin1Char('.') + suffix;
    if (QFileInfo::exists(path) &&
        !messages.askToReplace(
            parent, QStringLiteral("%1 已存在。\n要替换它吗？").arg(QDir::toNativeSeparators(path))))
        return std::nullopt;
    return path;
}

} // namespace sp::frame
