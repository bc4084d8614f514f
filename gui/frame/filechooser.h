#pragma once
// Open- and save-file dialogs go through this small interface, so a test can give the path (or
// cancel) instead of blocking on a modal dialog.

#include <QString>

#include <optional>

class QWidget;

namespace sp::frame {

class MessageSink;

// What the engineer chose in a save dialog: the path as they gave it, and the filter the dialog
// showed when they accepted ("SVG 矢量图 (*.svg)"); empty when the dialog does not tell.
struct SaveChoice {
    QString path;
    QString filter;
};

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
    // saveFileName with the filter chosen; by default a dialog that does not tell.
    virtual std::optional<SaveChoice> saveFileChoice(QWidget* parent, const QString& caption,
                                                     const QString& suggested, const QString& filters);
};

// The file a save writes: the dialog's choice, a name without a suffix given that of the filter
// chosen (of the first filter when the dialog does not tell). The dialog asked about replacing the
// name as typed only, so a file the added suffix names is replaced only when the engineer agrees.
// Nothing when they cancelled either question.
std::optional<QString> chooseSaveFile(FileChooser& files, MessageSink& messages, QWidget* parent,
                                      const QString& caption, const QString& suggested,
                                      const QString& filters);

// The desktop's dialogs.
class DialogFileChooser : public FileChooser {
public:
    std::optional<QString> saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                        const QString& filters) override;
    std::optional<QString> openFileName(QWidget* parent, const QString& caption, const QString& folder,
                                        const QString& filters) override;
    std::optional<SaveChoice> saveFileChoice(QWidget* parent, const QString& caption,
                                             const QString& suggested, const QString& filters) override;
};

} // namespace sp::frame
