#pragma once
// What the window tests share: an offscreen platform, a message sink that records instead of
// opening a modal dialog, and a permission service that refuses.

#include "frame/messagesink.h"
#include "frame/storagepermission.h"

#include <QApplication>
#include <QStringList>
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

} // namespace sp::test

// Runs a Qt Test class on the offscreen platform.
#define SOCKETPILE_QTEST_MAIN(TestClass)                                                                       \
    int main(int argc, char** argv) {                                                                          \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                                               \
        QApplication app(argc, argv);                                                                          \
        TestClass test;                                                                                        \
        return QTest::qExec(&test, argc, argv);                                                                \
    }
