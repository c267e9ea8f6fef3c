#pragma once

#include "core/document/position_settings.h"
#include "core/startup/start_up.h"
#include "platform/shell.h"
#include "qt/editor/editor_window.h"
#include "tests/support/modal.h"
#include "tests/support/printers.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace testsupport {

// One item of a batch file as the program writes it.
inline QByteArray batchItem(const QByteArray &path, const QByteArray &state = "Normal",
                            const QByteArray &delay = "0") {
    return '"' + path + "\"\r\n\"" + delay + "\"\r\n\"" + state + "\"\r\n";
}

// A shell that starts nothing and records what it was asked to open.
class RecordingShell : public platform::Shell {
public:
    bool open(const QString &path, platform::ShowCommand show) override {
        opened << path;
        shows << show;
        return succeed;
    }
    QStringList opened;
    QList<platform::ShowCommand> shows;
    bool succeed = true;
};

// The widget layer inside the test's own process: messages show and are answered there, and the
// editor that start-up opens is kept for the test instead of running an event loop of its own.
class InProcessWidgets : public WidgetLayer {
public:
    struct Message {
        QString prompt, buttons, title;
    };

    explicit InProcessWidgets(std::unique_ptr<EditorWindow> &editor) : editor_(editor) {}

    int message(const QString &prompt, const QString &buttons, const QString &title) override {
        messages.push_back({prompt, buttons, title});
        MessageBox box;
        box.prompt = prompt;
        box.buttons = buttons;
        box.title = title;
        box.show(nullptr);
        return box.response;
    }

    int runEditor(const EditorServices &services, const EditorStart &start) override {
        ++editorsOpened;
        editor_ = std::make_unique<EditorWindow>(services);
        editor_->load(start);
        return 0;
    }

    std::vector<Message> messages;
    int editorsOpened = 0;

private:
    std::unique_ptr<EditorWindow> &editor_;
};

// Start-up and the editor on temporary folders: their own program folder, settings file and
// shell.
class EditorFixture {
public:
    EditorFixture() : settings(settingsFile()) {
        services.settings = &settings;
        services.shell = &shell;
        services.programFolder = dir.filePath(QStringLiteral("program"));
        QDir().mkpath(services.programFolder);
    }

    // Builds the window alone; for tests that are not about opening it.
    EditorWindow &make() {
        form = std::make_unique<EditorWindow>(
            EditorServices{services.settings, services.shell, services.programFolder});
        return *form;
    }

    // Runs start-up as the program does, with the services as they stand; an editor it opens is
    // form. Returns the program's exit status.
    int start() {
        form.reset();
        return startUp(services, widgets);
    }

    // The editor as start-up opens it, hidden.
    EditorWindow &startEditor() {
        start();
        EXPECT_TRUE(form) << "start-up opened no editor";
        return *form;
    }

    // The editor as the user meets it: started without arguments, shown and active. File
    // dialogs are Qt's own, which tests can drive.
    EditorWindow &openEditor() {
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        EditorWindow &editor = startEditor();
        editor.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&editor));
        return editor;
    }

    // The settings file as text under its keys, the way a user may have left it.
    QString settingsFile() const { return dir.filePath(QStringLiteral("settings.ini")); }
    QString stored(const QString &key) const {
        return QSettings(settingsFile(), QSettings::IniFormat)
            .value(QStringLiteral("Settings/") + key)
            .toString();
    }
    void store(const QString &key, const QString &text) const {
        QSettings(settingsFile(), QSettings::IniFormat)
            .setValue(QStringLiteral("Settings/") + key, text);
    }

    // The editor as the user meets it after opening a batch file with "/e": the file's items in
    // the rows, its name in the name field, nothing changed yet.
    EditorWindow &openEditorOn(const QByteArray &batch) {
        const QString path = dir.filePath(QStringLiteral("Loaded.rvq"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(batch) == batch.size());
        file.close();
        services.rawArguments = QStringLiteral("/e \"") + path + u'"';
        return openEditor();
    }

    QTemporaryDir dir;
    PositionSettings settings;
    RecordingShell shell;
    StartUpServices services;
    std::unique_ptr<EditorWindow> form;
    InProcessWidgets widgets{form};
};

// Presses the first button of every message box that opens while it lives, and keeps each
// box's title and prompt in order.
class MessageRecorder {
public:
    struct Shown {
        QString title;
        QString prompt;
    };

    QStringList titles() const {
        QStringList result;
        for (const Shown &box : shown)
            result << box.title;
        return result;
    }

    QStringList prompts() const {
        QStringList result;
        for (const Shown &box : shown)
            result << box.prompt;
        return result;
    }

    std::vector<Shown> shown;

private:
    ModalAnswerer answerer_{[this](QWidget *box) {
        const auto *text = box->findChild<QPlainTextEdit *>(QStringLiteral("promptText"));
        shown.push_back({box->windowTitle(), text ? text->toPlainText() : QString()});
        auto *first = box->findChild<QPushButton *>(QStringLiteral("button0"));
        ASSERT_TRUE(first) << "not a message box";
        QTest::mouseClick(first, Qt::LeftButton);
    }};
};

} // namespace testsupport
