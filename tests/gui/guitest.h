#pragma once
// What the window tests share: an offscreen platform, a message sink that records instead of
// opening a modal dialog, a permission service that refuses, fixtures that drive a module window,
// and a reader for the pages a window saves.

#include "frame/filechooser.h"
#include "frame/messagesink.h"
#include "frame/modulewindow.h"
#include "frame/storagepermission.h"

#include "core/moment.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QStringDecoder>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <optional>

namespace sp::test {

class RecordingMessages : public frame::MessageSink {
public:
    void inform(QWidget*, const QString& text) override { messages << text; }
    void warn(QWidget*, const QString& text) override { messages << text; }
    // Records the question's title and text, and gives the answer the test chose.
    frame::SaveAnswer askToSave(QWidget*, const QString& title, const QString& text) override {
        questions << title + QLatin1Char('|') + text;
        return answer;
    }
    // Records the question like askToSave and answers "恢复" when `recover` is set.
    bool askToRecover(QWidget*, const QString& title, const QString& text) override {
        questions << title + QLatin1Char('|') + text;
        return recover;
    }
    // Records the question as "替换|text" and answers "替换" while `replace` is set.
    bool askToReplace(QWidget*, const QString& text) override {
        questions << QStringLiteral("替换|") + text;
        return replace;
    }
    QStringList messages;
    QStringList questions;
    frame::SaveAnswer answer = frame::SaveAnswer::Discard;
    bool recover = false;
    bool replace = true;
};

// File dialogs answered with the paths the test chose; each question is recorded as
// "caption|where the dialog opened".
class FakeFiles : public frame::FileChooser {
public:
    std::optional<QString> saveFileName(QWidget*, const QString& caption, const QString& suggested,
                                        const QString& filters) override {
        asked << caption + QLatin1Char('|') + suggested;
        lastFilters = filters;
        return saveAnswer;
    }
    std::optional<QString> openFileName(QWidget*, const QString& caption, const QString& folder,
                                        const QString& filters) override {
        asked << caption + QLatin1Char('|') + folder;
        lastFilters = filters;
        return openAnswer;
    }
    // A save question answered with saveAnswer under `saveFilter` (empty: the dialog does not tell).
    std::optional<frame::SaveChoice> saveFileChoice(QWidget* parent, const QString& caption,
                                                    const QString& suggested,
                                                    const QString& filters) override {
        const std::optional<QString> path = saveFileName(parent, caption, suggested, filters);
        if (!path)
            return std::nullopt;
        return frame::SaveChoice{*path, saveFilter};
    }
    std::optional<QString> saveAnswer;
    QString saveFilter;
    std::optional<QString> openAnswer;
    QStringList asked;
    QString lastFilters;
};

class RefusingPermission : public frame::StoragePermission {
public:
    void requestStorageWrite(const Rationale& rationale, const Result& result) override {
        rationale({frame::kStorageWritePermission});
        result({false});
    }
};

inline const core::Moment kFixedMoment{2026, 12, 10, 9, 30, 0};

// Finds, types into and clicks the controls of a window by their object names.
struct WindowDriver {
    template <class T> T* get(const char* name) { return root->findChild<T*>(QString::fromLatin1(name)); }
    QPushButton* button(const char* name) { return get<QPushButton>(name); }
    QString box(const QString& name) { return root->findChild<QLineEdit*>(name)->text(); }
    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    void type(const char* field, const QString& text) {
        QWidget* w = root->findChild<QWidget*>(QString::fromLatin1(field));
        if (auto* combo = qobject_cast<QComboBox*>(w))
            combo->setEditText(text);
        else
            qobject_cast<QLineEdit*>(w)->setText(text);
    }
    void choose(const char* list, int position) { get<QComboBox>(list)->setCurrentIndex(position); }

    QWidget* root = nullptr;
};

// What every window fixture offers besides: a temporary documents folder and recorded messages.
struct FixtureBase : WindowDriver {
    QString savedPath(const char* file) { return folder.path() + QStringLiteral("/Documents/") + QString::fromUtf8(file); }

    // Recorded messages, a fixed clock and the temporary documents folder; then on screen.
    void prepare(frame::ModuleWindow& window) {
        root = &window;
        window.setMessageSink(&messages);
        window.setClock([] { return kFixedMoment; });
        window.setDocumentsFolder(folder.path() + QStringLiteral("/Documents"));
        window.show();
    }

    QTemporaryDir folder;
    RecordingMessages messages;
};

// A module window of a known class.
template <class Window> struct WindowFixture : FixtureBase {
    WindowFixture() { prepare(window); }
    Window window;
};

// A module window chosen at run time, for behaviours every module's frame shares.
struct AnyWindowFixture : FixtureBase {
    explicit AnyWindowFixture(std::unique_ptr<frame::ModuleWindow> made) : owned(std::move(made)), window(*owned) {
        prepare(window);
    }
    std::unique_ptr<frame::ModuleWindow> owned;
    frame::ModuleWindow& window;
};

// A saved page read back: its GBK bytes decoded, split at the CR LF that ends every line. A line
// end without its CR, a byte-order mark or bytes that are not GBK fail the test that reads it.
inline QStringList savedLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        QTest::qFail(qPrintable(QStringLiteral("cannot read ") + path), __FILE__, __LINE__);
        return {};
    }
    const QByteArray bytes = file.readAll();
    QStringDecoder gbk("GBK");
    const QString text = gbk.decode(bytes);
    const bool wellFormed = gbk.isValid() && !gbk.hasError() && !bytes.startsWith("\xEF\xBB\xBF") &&
                            bytes.endsWith("\r\n") && bytes.count("\n") == bytes.count("\r\n");
    if (!wellFormed) {
        QTest::qFail(qPrintable(QStringLiteral("not GBK lines ending in CR LF: ") + path), __FILE__, __LINE__);
        return {};
    }
    QStringList lines = text.split(QStringLiteral("\r\n"));
    lines.removeLast(); // after the last line's CR LF
    return lines;
}

} // namespace sp::test

// Runs a Qt Test class on the offscreen platform.
#define SOCKETPILE_QTEST_MAIN(TestClass)                                                                       \
    int main(int argc, char** argv) {                                                                          \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                                               \
        QApplication app(argc, argv);                                                                          \
        TestClass test;                                                                                        \
        return QTest::qExec(&test, argc, argv);                                                                \
    }
