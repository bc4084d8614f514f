#pragma once
// What the window tests share: an offscreen platform, a message sink that records instead of
// opening a modal dialog, and a permission service that refuses.

#include "frame/messagesink.h"
#include "frame/storagepermission.h"

#include "core/moment.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

namespace sp::test {

class RecordingMessages : public frame::MessageSink {
public:
    void inform(QWidget*, const QString& text) override { messages << text; }
    void warn(QWidget*, const QString& text) override { messages << text; }
    QStringList messages;
};

class RefusingPermission : public frame::StoragePermission {
public:
    void requestStorageWrite(const Rationale& rationale, const Result& result) override {
        rationale({frame::kStorageWritePermission});
        result({false});
    }
};

inline const core::Moment kFixedMoment{2026, 12, 10, 9, 30, 0};

// A module window with recorded messages, a fixed clock and a temporary documents folder.
template <class Window> struct WindowFixture {
    WindowFixture() {
        window.setMessageSink(&messages);
        window.setClock([] { return kFixedMoment; });
        window.setDocumentsFolder(folder.path() + QStringLiteral("/Documents"));
        window.show();
    }
    template <class T> T* get(const char* name) { return window.template findChild<T*>(QString::fromLatin1(name)); }
    QPushButton* button(const char* name) { return get<QPushButton>(name); }
    QString box(const QString& name) { return window.template findChild<QLineEdit*>(name)->text(); }
    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    void type(const char* field, const QString& text) {
        QWidget* w = window.template findChild<QWidget*>(QString::fromLatin1(field));
        if (auto* combo = qobject_cast<QComboBox*>(w))
            combo->setEditText(text);
        else
            qobject_cast<QLineEdit*>(w)->setText(text);
    }
    void choose(const char* list, int position) { get<QComboBox>(list)->setCurrentIndex(position); }
    QString savedPath(const char* file) { return folder.path() + QStringLiteral("/Documents/") + QString::fromUtf8(file); }

    QTemporaryDir folder;
    RecordingMessages messages;
    Window window;
};

} // namespace sp::test

// Runs a Qt Test class on the offscreen platform.
#define SOCKETPILE_QTEST_MAIN(TestClass)                                                                       \
    int main(int argc, char** argv) {                                                                          \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                                               \
        QApplication app(argc, argv);                                                                          \
        TestClass test;                                                                                        \
        return QTest::qExec(&test, argc, argv);                                                                \
    }
