#include "qt/about/about_box.h"
#include "qt/about/help_window.h"
#include "tests/editor/editor_fixture.h"
#include "tests/support/modal.h"
#include "tests/support/printers.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;
using testsupport::ui;

namespace {

const QString Question = u"Changes have been made to this file, save it."_s;
const QString NoName = u"Enter a Name."_s;
const QString NoItem = u"Enter a least one file, folder or shortcut."_s;

void click(QWidget *control) {
    QTest::mouseClick(control, Qt::LeftButton);
}

// Answers whatever the editor opens and records it: message boxes with the scripted buttons in
// turn (1-based; 0 closes the box with its title-bar button; 1 once the script is used up),
// file dialogs with fileChoice (cancelled when empty), the About box with its Close button.
class Answers {
public:
    QList<int> buttons;
    QString fileChoice;

    QStringList prompts;
    QStringList buttonSets;  // each box's captions, joined by "/"
    QStringList fileDialogs; // title|filters|folder
    int aboutBoxes = 0;

private:
    void answer(QWidget *modal) {
        if (auto *dialog = qobject_cast<QFileDialog *>(modal))
            return chooseFile(dialog);
        if (auto *about = qobject_cast<AboutBox *>(modal)) {
            ++aboutBoxes;
            return click(about->closeButton);
        }
        EXPECT_EQ(modal->windowTitle(), u" Message"_s);
        prompts << modal->findChild<QPlainTextEdit *>(u"promptText"_s)->toPlainText();
        QStringList captions;
        for (QPushButton *button : modal->findChildren<QPushButton *>())
            captions << button->text();
        buttonSets << captions.join(u'/');
        const int choice = buttons.value(prompts.size() - 1, 1);
        if (choice == 0)
            modal->windowHandle()->close();
        else
            click(modal->findChild<QPushButton *>(u"button%1"_s.arg(choice - 1)));
    }
    void chooseFile(QFileDialog *dialog) {
        fileDialogs << dialog->windowTitle() + u'|' + dialog->nameFilters().join(u';') + u'|' +
                           dialog->directory().path();
        if (fileChoice.isEmpty())
            return dialog->reject();
        dialog->selectFile(fileChoice);
        click(dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Open));
    }

    testsupport::ModalAnswerer answerer_{[this](QWidget *modal) {
        answer(modal);
    }};
};

void clickTool(EditorWindow &form, const QString &key) {
    QToolBar *toolbar = ui(form).toolbar;
    click(toolbar->widgetForAction(toolbar->findChild<QAction *>(key)));
}

void typeMorning(EditorWindow &form) {
    const testsupport::EditorControls controls = ui(form);
    QTest::keyClicks(controls.nameEdit, u"Morning"_s);
    QTest::keyClicks(controls.pathEdits[0], uR"(C:\Tools\editor.exe)"_s);
    QTest::keyClicks(controls.pathEdits[2], uR"(D:\Docs\notes.txt)"_s);
    testsupport::retype(controls.delayEdits[2], u"5"_s);
    QTest::keyClick(controls.stateCombos[2], Qt::Key_End);
}

const QByteArray MorningBytes = "\"C:\\Tools\\editor.exe\"\r\n\"0\"\r\n\"Normal\"\r\n"
                                "\"D:\\Docs\\notes.txt\"\r\n\"5\"\r\n\"Maximized\"\r\n";

QByteArray contentsOf(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

class DocumentCommands : public ::testing::Test {
protected:
    void SetUp() override {
        if (onDesktop)
            fixture.services.desktopFolder = corePath(folder(u"Desktop"_s));
        fixture.openEditor();
    }
    EditorWindow &form() { return *fixture.form; }
    QString folder(const QString &name) {
        QDir().mkpath(fixture.dir.filePath(name));
        return fixture.dir.filePath(name);
    }
    QString outputFolder() { return fixture.programFolder() + u"/Output"_s; }

    bool onDesktop = false;
    testsupport::EditorFixture fixture;
};

// Each command on an editor that holds an opened batch, unchanged, so that no question comes
// first.
TEST(ToolButtons, eachRunsTheCommandOfItsKey) {
    const struct {
        QString key;
        std::function<void(testsupport::EditorFixture &, Answers &)> check;
    } cases[] = {
        {u"new"_s,
         [](testsupport::EditorFixture &f, Answers &) {
             EXPECT_EQ(ui(*f.form).pathEdits[1]->text(), QString());
         }},
        {u"open"_s,
         [](testsupport::EditorFixture &f, Answers &a) {
             EXPECT_EQ(a.fileDialogs, QStringList{u"Select a RVQ file|RVQ Files (*.rvq)|"_s +
                                                  f.programFolder() + u"/Output"_s});
         }},
        {u"save"_s,
         [](testsupport::EditorFixture &f, Answers &a) {
             EXPECT_TRUE(a.prompts.isEmpty());
             EXPECT_TRUE(QFile::exists(f.programFolder() + u"/Output/Loaded.rvq"_s));
         }},
        {u"about"_s,
         [](testsupport::EditorFixture &, Answers &a) {
             EXPECT_EQ(a.aboutBoxes, 1);
         }},
        {u"help"_s,
         [](testsupport::EditorFixture &f, Answers &) {
             const auto windows = f.form->findChildren<HelpWindow *>();
             EXPECT_TRUE(windows.size() == 1 && windows.first()->isVisible());
         }},
        {u"exit"_s,
         [](testsupport::EditorFixture &f, Answers &) {
             EXPECT_TRUE(f.form->isUnloaded());
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.key.toStdString());
        testsupport::EditorFixture fixture;
        EditorWindow &form = fixture.openEditorOn(testsupport::batchItemBytes("/usr") +
                                                  testsupport::batchItemBytes("/bin"));
        Answers answers;
        clickTool(form, c.key);
        c.check(fixture, answers);
    }
}

TEST_F(DocumentCommands, saveRefusesIncompleteOrUnstorableBatchesAndWritesNothing) {
    const struct {
        QString name, path, prompt;
    } cases[] = {
        {QString(), QString(), NoName},
        {QString(), u"/bin"_s, NoName},
        {u"Work"_s, QString(), NoItem},
        {u"to/Work"_s, u"/bin"_s,
         u"The name to/Work cannot be used as a file name: it may not contain \"/\"."_s},
        {u"My \"best\""_s, u"/bin"_s,
         u"The name My \"best\" cannot be used as a file name: it may not contain a double "
         u"quote."_s},
    };
    QDir().mkpath(outputFolder() + u"/to"_s);
    const testsupport::EditorControls controls = ui(form());
    testsupport::retype(controls.delayEdits[0], u"9"_s); // a delay alone is no item
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        testsupport::retype(controls.nameEdit, c.name);
        testsupport::retype(controls.pathEdits[1], c.path);
        Answers answers;
        clickTool(form(), u"save"_s);
        EXPECT_EQ(answers.prompts, QStringList{c.prompt});
        EXPECT_EQ(answers.buttonSets, QStringList{u"OK"_s});
        EXPECT_TRUE(form().isWindowModified());
    }
    EXPECT_EQ(QDir(outputFolder()).entryList(QDir::Files), QStringList());
    EXPECT_EQ(QDir(outputFolder() + u"/to"_s).entryList(QDir::Files), QStringList());
    EXPECT_TRUE(fixture.shell.opened.empty());
}

TEST_F(DocumentCommands, saveWritesTheBatchByteForByteIntoTheOutputFolderAndShowsIt) {
    typeMorning(form());
    Answers answers;
    clickTool(form(), u"save"_s);
    EXPECT_EQ(contentsOf(outputFolder() + u"/Morning.rvq"_s), MorningBytes);
    EXPECT_EQ(MorningBytes.size(), 77);
    EXPECT_FALSE(form().isWindowModified());
    EXPECT_EQ(fixture.shell.opened, std::vector{corePath(outputFolder())});
    EXPECT_EQ(fixture.shell.shows, std::vector{platform::ShowCommand::Normal});

    testsupport::retype(ui(form()).pathEdits[0], {}); // the second save replaces it unasked
    clickTool(form(), u"save"_s);
    EXPECT_TRUE(answers.prompts.isEmpty());
    EXPECT_EQ(contentsOf(outputFolder() + u"/Morning.rvq"_s),
              "\"D:\\Docs\\notes.txt\"\r\n\"5\"\r\n\"Maximized\"\r\n");
}

class SavingOnTheDesktop : public DocumentCommands {
protected:
    SavingOnTheDesktop() { onDesktop = true; }
};

TEST_F(SavingOnTheDesktop, writesThereAndOpensNoFolder) {
    typeMorning(form());
    Answers answers;
    clickTool(form(), u"save"_s);
    EXPECT_EQ(contentsOf(folder(u"Desktop"_s) + u"/Morning.rvq"_s), MorningBytes);
    EXPECT_TRUE(fixture.shell.opened.empty());
}

TEST_F(DocumentCommands, batchOpenedFromElsewhereIsSavedIntoTheOutputFolder) {
    const QString original = folder(u"elsewhere"_s) + u"/Work.rvq"_s;
    const QByteArray bytes = "\"/bin\"\r\n\"2\"\r\n\"Minimized\"\r\n";
    writeFile(original, bytes);
    Answers answers;
    answers.fileChoice = original;
    clickTool(form(), u"open"_s);
    ASSERT_EQ(ui(form()).nameEdit->text(), u"Work"_s);
    QTest::keyClicks(ui(form()).delayEdits[0], u"0"_s);
    clickTool(form(), u"save"_s);
    EXPECT_EQ(contentsOf(outputFolder() + u"/Work.rvq"_s),
              "\"/bin\"\r\n\"20\"\r\n\"Minimized\"\r\n");
    EXPECT_EQ(contentsOf(original), bytes);
}

// "open" empties the editor first: on an editor that held a batch that emptying is a change,
// and it carries over to the batch that is then loaded.
TEST(OpenCommand, loadedBatchCountsAsChangedOnlyWhenTheEditorHeldOne) {
    for (const bool heldBatch : {false, true}) {
        SCOPED_TRACE(heldBatch);
        testsupport::EditorFixture fixture;
        EditorWindow &form =
            heldBatch ? fixture.openEditorOn(testsupport::batchItemBytes("/usr").repeated(4))
                      : fixture.openEditor();
        Answers answers;
        answers.fileChoice = fixture.dir.filePath(u"Work.rvq"_s);
        writeFile(answers.fileChoice, "\"/bin\"\r\n\"2\"\r\n\"Minimized\"\r\n");
        clickTool(form, u"open"_s);
        EXPECT_EQ(ui(form).pathEdits[0]->text(), u"/bin"_s);
        EXPECT_EQ(ui(form).pathEdits[3]->text(), QString());
        EXPECT_EQ(form.isWindowModified(), heldBatch);
        answers.buttons = {2};
        form.close();
        EXPECT_EQ(answers.prompts, heldBatch ? QStringList{Question} : QStringList());
    }
}

// The question guards "new", "open" and closing the window alike: the command goes on after a
// save or after No (also the box's own close button), and stops after Cancel or a Yes that did
// not save, keeping the batch and its changes.
TEST(SaveChangesQuestion, commandGoesOnOnlyAfterASaveOrNo) {
    const struct {
        const char *answer;
        int button;
        QString name;
        bool writable;
        QString message; // shown after the question; "*" for a failure's own description
        bool goesOn;
    } situations[] = {
        {"Yes", 1, u"Work"_s, true, QString(), true},
        {"No", 2, u"Work"_s, true, QString(), true},
        {"the box's close button", 0, u"Work"_s, true, QString(), true},
        {"Cancel", 3, u"Work"_s, true, QString(), false},
        {"Yes without a name", 1, QString(), true, NoName, false},
        {"Yes when writing fails", 1, u"Work"_s, false, u"*"_s, false},
    };
    for (const QString &command : {u"new"_s, u"open"_s, u"exit"_s, u"title-bar close"_s}) {
        for (const auto &s : situations) {
            SCOPED_TRACE(testing::Message() << command.toStdString() << ", " << s.answer);
            testsupport::EditorFixture fixture;
            if (!s.writable) // a desktop folder that is gone
                fixture.services.desktopFolder = corePath(fixture.dir.filePath(u"missing"_s));
            EditorWindow &form = fixture.openEditor();
            const testsupport::EditorControls controls = ui(form);
            QTest::keyClicks(controls.nameEdit, s.name);
            QTest::keyClicks(controls.pathEdits[0], u"/bin"_s);
            const bool closing = command == u"exit" || command == u"title-bar close";
            Answers answers; // the question, the message's OK if any, No when asked again
            answers.buttons = s.message.isEmpty() ? QList{s.button, 2} : QList{s.button, 1, 2};
            if (command == u"title-bar close")
                form.windowHandle()->close();
            else
                clickTool(form, command);

            const bool saved = QFile::exists(qtPath(form.logic().outputFolder() / "Work.rvq"));
            EXPECT_EQ(saved, s.button == 1 && s.goesOn);
            EXPECT_EQ(fixture.shell.opened.size(), saved ? 1u : 0u);
            ASSERT_EQ(answers.prompts.size(), s.message.isEmpty() ? 1 : 2);
            EXPECT_EQ(answers.prompts.first(), Question);
            EXPECT_EQ(answers.buttonSets.first(), u"Yes/No/Cancel"_s);
            if (!s.message.isEmpty()) {
                EXPECT_TRUE(s.message == u"*" || answers.prompts[1] == s.message);
                EXPECT_EQ(answers.buttonSets[1], u"OK"_s);
            }
            if (closing) {
                EXPECT_EQ(form.isUnloaded(), s.goesOn);
                EXPECT_EQ(form.isVisible(), !s.goesOn);
            } else {
                EXPECT_EQ(answers.fileDialogs.size(), command == u"open" && s.goesOn ? 1 : 0);
                EXPECT_EQ(controls.pathEdits[0]->text(), s.goesOn ? QString() : u"/bin"_s);
                EXPECT_EQ(controls.nameEdit->text(), s.goesOn ? QString() : s.name);
            }
            // Emptying the editor is a change of its own; only a close that goes on leaves none.
            EXPECT_EQ(form.isWindowModified(), !(closing && s.goesOn));
            if (!s.goesOn) { // the changes are still guarded: closing asks again
                form.close();
                EXPECT_EQ(answers.prompts.size(), s.message.isEmpty() ? 2 : 3);
                EXPECT_TRUE(form.isUnloaded());
            }
        }
    }
}

} // namespace
