#pragma once
// Open- and save-file dialogs go through this small interface, so a test can give the path (or
// cancel) instead of blocking on a modal dialog.

#include <QString>

#include <optional>

class QWidget;

namespace sp::frame {

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The path the engineer chose to save to, or nothing when they cancelled. `suggested` is the
    // full path the dialog opens with; `filters` as QFileDialog takes them ("PDF 文件 (*.pdf)").
    virtual std::optional<QString> saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                                const QString& filters) = 0;
    // The existing file the engineer chose to open, or nothing when they cancelled. The dialog
    // opens in `folder`.
    virtual std::optional<QString> openFileName(QWidget* parent, const QString& caption, const QString& folder,
                                                const QString& filters) = 0;
};

// The desktop's dialogs.
class DialogFileChooser : public FileChooser {
public:
    std::optional<QString> saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                        const QString& filters) override;
    std::optional<QString> openFileName(QWidget* parent, const QString& caption, const QString& folder,
                                        const QString& filters) override;
};

} // namespace sp::frame
