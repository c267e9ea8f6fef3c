#pragma once

#include "editor/form1.h"
#include "platform/shell.h"
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

// A Form1 built on temporary folders: its own program folder, settings file and shell.
class Form1Fixture {
public:
    Form1Fixture() : settings(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat) {
        services.settings = &settings;
        services.shell = &shell;
        services.programFolder = dir.filePath(QStringLiteral("program"));
        QDir().mkpath(services.programFolder);
    }

    // Builds the window; call Form_Load yourself when the test is about start-up.
    Form1 &make() {
        form = std::make_unique<Form1>(services);
        return *form;
    }

    // The editor as the user meets it: started without arguments, shown and active. File
    // dialogs are Qt's own, which tests can drive.
    Form1 &openEditor() {
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        Form1 &editor = make();
        editor.Form_Load();
        editor.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&editor));
        return editor;
    }

    // The editor as the user meets it after opening a batch file with "/e": the file's items in
    // the rows, its name in the name field, nothing changed yet.
    Form1 &openEditorOn(const QByteArray &batch) {
        const QString path = dir.filePath(QStringLiteral("Loaded.rvq"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(batch) == batch.size());
        file.close();
        services.rawArguments = QStringLiteral("/e \"") + path + u'"';
        return openEditor();
    }

    QTemporaryDir dir;
    QSettings settings;
    RecordingShell shell;
    Form1Services services;
    std::unique_ptr<Form1> form;
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
        const auto *text = box->findChild<QPlainTextEdit *>(QStringLiteral("Text1"));
        shown.push_back({box->windowTitle(), text ? text->toPlainText() : QString()});
        auto *first = box->findChild<QPushButton *>(QStringLiteral("Command1_0"));
        ASSERT_TRUE(first) << "not a message box";
        QTest::mouseClick(first, Qt::LeftButton);
    }};
};

} // namespace testsupport
