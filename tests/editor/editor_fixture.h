#pragma once

#include "core/startup/position_settings.h"
#include "core/startup/start_up.h"
#include "platform/settings_store.h"
#include "qt/editor/editor_window.h"
#include "qt/msgbox/message_box.h"
#include "qt/qt_text.h"
#include "tests/support/file_bytes.h"
#include "tests/support/modal.h"
#include "tests/support/printers.h"
#include "tests/support/recording_shell.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

namespace testsupport {

// One item of a batch file as the program writes it, as the Qt tests handle bytes.
inline QByteArray batchItemBytes(const QByteArray &path, const QByteArray &state = "Normal",
                                 const QByteArray &delay = "0") {
    return QByteArray::fromStdString(
        batchItem(path.toStdString(), state.toStdString(), delay.toStdString()));
}

// The editor's controls, found by their role names as an accessibility tool finds them.
struct EditorControls {
    explicit EditorControls(const QWidget &form) {
        const auto find = [&form]<typename Control>(Control *&control, const QString &name) {
            control = form.findChild<Control *>(name);
            EXPECT_TRUE(control) << name.toStdString();
        };
        find(toolbar, QStringLiteral("toolbar"));
        find(rowsFrame, QStringLiteral("rowsFrame"));
        find(nameLabel, QStringLiteral("nameLabel"));
        find(nameEdit, QStringLiteral("nameEdit"));
        find(moveButtons[0], QStringLiteral("moveUpButton"));
        find(moveButtons[1], QStringLiteral("moveDownButton"));
        for (int i = 0; i < MaxBatchItems; ++i) {
            const QString row = QString::number(i);
            find(delayEdits[i], QStringLiteral("delayEdit") + row);
            find(pathEdits[i], QStringLiteral("pathEdit") + row);
            find(browseFileButtons[i], QStringLiteral("browseFileButton") + row);
            find(browseFolderButtons[i], QStringLiteral("browseFolderButton") + row);
            find(stateCombos[i], QStringLiteral("stateCombo") + row);
            find(clearButtons[i], QStringLiteral("clearButton") + row);
            find(rowSelectors[i], QStringLiteral("rowSelector") + row);
        }
    }

    QToolBar *toolbar = nullptr;
    QGroupBox *rowsFrame = nullptr;
    QLabel *nameLabel = nullptr;
    QLineEdit *nameEdit = nullptr;
    std::array<QLineEdit *, MaxBatchItems> delayEdits{};
    std::array<QLineEdit *, MaxBatchItems> pathEdits{};
    std::array<QPushButton *, MaxBatchItems> browseFileButtons{};
    std::array<QPushButton *, MaxBatchItems> browseFolderButtons{};
    std::array<QComboBox *, MaxBatchItems> stateCombos{};
    std::array<QPushButton *, MaxBatchItems> clearButtons{};
    std::array<QRadioButton *, MaxBatchItems> rowSelectors{};
    std::array<QPushButton *, 2> moveButtons{};
};

inline EditorControls ui(const QWidget &form) {
    return EditorControls(form);
}

// The selected row, -1 for none.
inline int selectedRow(EditorWindow &form) {
    return form.logic().selectedRow().value_or(-1);
}

inline void loadBatch(EditorWindow &form, const QString &path) {
    form.logic().openBatchFile(corePath(path));
}

// Replaces the field's text the way the user does: selects all of it and types over it.
inline void retype(QLineEdit *field, const QString &text) {
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

// The widget layer inside the test's own process: messages show and are answered there, and the
// editor that start-up opens is kept for the test instead of running an event loop of its own.
class InProcessWidgets : public WidgetLayer {
public:
    explicit InProcessWidgets(std::unique_ptr<EditorWindow> &editor) : editor_(editor) {}

    MessageAnswer message(const Message &message) override {
        messages.push_back(message);
        return showMessage(message, nullptr);
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
    EditorFixture() {
        services.settings = &settings;
        services.shell = &shell;
        services.programFolder = corePath(dir.filePath(QStringLiteral("program")));
        QDir().mkpath(programFolder());
    }

    QString programFolder() const { return qtPath(services.programFolder); }

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
        const auto text =
            platform::settingsStoreInFile(corePath(settingsFile()))->value(coreText(key));
        return text ? qtText(*text) : QString();
    }
    void store(const QString &key, const QString &text) const {
        platform::settingsStoreInFile(corePath(settingsFile()))
            ->store({{coreText(key), coreText(text)}});
    }

    // The editor as the user meets it after opening a batch file with "/e": the file's items in
    // the rows, its name in the name field, nothing changed yet.
    EditorWindow &openEditorOn(const QByteArray &batch) {
        const QString path = dir.filePath(QStringLiteral("Loaded.rvq"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(batch) == batch.size());
        file.close();
        services.rawArguments = coreText(QStringLiteral("/e \"") + path + u'"');
        return openEditor();
    }

    QTemporaryDir dir;
    std::unique_ptr<platform::SettingsStore> settingsStore =
        platform::settingsStoreInFile(corePath(settingsFile()));
    PositionSettings settings{*settingsStore};
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
