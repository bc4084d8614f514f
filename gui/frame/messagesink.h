#pragma once
// Message boxes go through this small interface, so a test can capture a message or answer a
// question instead of blocking on a modal dialog.

#include <QString>

class QWidget;

namespace sp::frame {

// The answers to "save before closing?".
enum class SaveAnswer { Save, Discard, Cancel };

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void inform(QWidget* parent, const QString& text) = 0;
    virtual void warn(QWidget* parent, const QString& text) = 0;
    // A question answered with "保存", "不保存" or "取消".
    virtual SaveAnswer askToSave(QWidget* parent, const QString& title, const QString& text) = 0;
    // A question answered with "恢复" (true) or "放弃" (false).
    virtual bool askToRecover(QWidget* parent, const QString& title, const QString& text) = 0;
    // A question answered with "替换" (true) or "取消" (false): a file is about to be written over.
    virtual bool askToReplace(QWidget* parent, const QString& text) = 0;
};

// The desktop's modal message boxes.
class DialogMessageSink : public MessageSink {
public:
    void inform(QWidget* parent, const QString& text) override;
    void warn(QWidget* parent, const QString& text) override;
    SaveAnswer askToSave(QWidget* parent, const QString& title, const QString& text) override;
    bool askToRecover(QWidget* parent, const QString& title, const QString& text) override;
    bool askToReplace(QWidget* parent, const QString& text) override;
};

} // namespace sp::frame
