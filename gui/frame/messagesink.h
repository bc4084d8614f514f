#pragma once
// Message boxes go through this small interface, so a test can capture a message instead of
// blocking on a modal dialog.

#include <QString>

class QWidget;

namespace sp::frame {

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void inform(QWidget* parent, const QString& text) = 0;
    virtual void warn(QWidget* parent, const QString& text) = 0;
};

// The desktop's modal message boxes.
class DialogMessageSink : public MessageSink {
public:
    void inform(QWidget* parent, const QString& text) override;
    void warn(QWidget* parent, const QString& text) override;
};

} // namespace sp::frame
