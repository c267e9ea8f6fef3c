#include "tests/editor/editor_fixture.h"
#include "tests/support/modal.h"
#include "tests/support/printers.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using testsupport::ui;

namespace {

const QByteArray States[] = {"Normal", "Minimized", "Maximized"};

void click(QWidget *control) {
    QTest::mouseClick(control, Qt::LeftButton);
}

// Answers the file dialog that the next action opens: chooses path as the user does (a file by
// its name in the name field, a folder by opening it), or cancels when path is empty.
void answerFileDialog(const QString &title, const QString &path) {
    testsupport::answerNextModal([title, path](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->windowTitle(), title);
        EXPECT_TRUE(dialog->fileMode() == QFileDialog::Directory ||
                    dialog->nameFilters() == QStringList{u"All Files (*)"_s})
            << "the file dialog offers every file, also those without a dot";
        if (path.isEmpty())
            return dialog->reject();
        if (dialog->fileMode() == QFileDialog::Directory)
            dialog->setDirectory(path);
        else
            dialog->selectFile(path);
        click(dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Open));
    });
}

class ItemEntry : public ::testing::Test {
protected:
    void SetUp() override { fixture.openEditor(); }
    EditorWindow &form() { return *fixture.form; }
    QString path(int row) { return ui(form()).pathEdits[row]->text(); }
    QString folder(const QString &name) {
        QDir().mkpath(fixture.dir.filePath(name));
        return fixture.dir.filePath(name);
    }
    testsupport::EditorFixture fixture;
};

TEST(ItemEntryClear, clearEmptiesTheRowAndMarksTheBatchChanged) {
    testsupport::EditorFixture fixture;
    EditorWindow &form =
        fixture.openEditorOn(testsupport::batchItemBytes("/usr/bin/env").repeated(2) +
                             testsupport::batchItemBytes("/usr/bin/top", "Maximized", "7"));
    ASSERT_FALSE(form.isWindowModified());
    const testsupport::EditorControls controls = ui(form);
    click(controls.clearButtons[2]);
    EXPECT_EQ(controls.pathEdits[2]->text(), QString());
    EXPECT_EQ(controls.delayEdits[2]->text(), u"0"_s);
    EXPECT_EQ(controls.stateCombos[2]->currentIndex(), 0);
    EXPECT_TRUE(form.isWindowModified());
    EXPECT_EQ(testsupport::selectedRow(form), 2);
}

TEST(ItemEntryMoves, selectedRowMovesWithItsSelectionAndStopsAtTheEdges) {
    const struct {
        int selected, arrow, presses;
        const char *order; // the items in the rows afterwards, by the row they started in
        int selectedAfter;
    } cases[] = {
        {-1, 1, 1, "01234", -1}, {-1, 0, 1, "01234", -1}, {0, 0, 1, "01234", 0},
        {4, 1, 1, "01234", 4},   {1, 1, 1, "02134", 2},   {1, 1, 4, "02341", 4},
        {3, 0, 2, "03124", 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << c.selected << " arrow " << c.arrow);
        QByteArray fiveItems;
        for (int i = 0; i < MaxBatchItems; ++i)
            fiveItems += testsupport::batchItemBytes("item" + QByteArray::number(i), States[i % 3],
                                                     QByteArray::number(i));
        testsupport::EditorFixture fixture;
        EditorWindow &form = fixture.openEditorOn(fiveItems);
        ASSERT_FALSE(form.isWindowModified());
        const testsupport::EditorControls controls = ui(form);
        if (c.selected >= 0)
            click(controls.rowSelectors[c.selected]);
        for (int press = 0; press < c.presses; ++press)
            click(controls.moveButtons[c.arrow]);
        for (int i = 0; i < MaxBatchItems; ++i) {
            const int item = c.order[i] - '0';
            EXPECT_EQ(controls.pathEdits[i]->text(), u"item"_s + QString::number(item));
            EXPECT_EQ(controls.delayEdits[i]->text(), QString::number(item));
            EXPECT_EQ(controls.stateCombos[i]->currentIndex(), item % 3);
            EXPECT_EQ(controls.rowSelectors[i]->isChecked(), i == c.selectedAfter);
        }
        EXPECT_EQ(testsupport::selectedRow(form), c.selectedAfter);
        EXPECT_EQ(form.isWindowModified(), std::string_view(c.order) != "01234");
    }
}

TEST(ItemEntryBrowse, buttonsPutTheExactPathOfTheChoiceInTheRowOrNothingWhenCancelled) {
    QTemporaryDir choices;
    const QString file = choices.filePath(u"my tool"_s);
    QFile(file).open(QIODevice::WriteOnly);
    const QString docs = choices.filePath(u"Docs"_s);
    QDir().mkpath(docs);
    const struct {
        bool folderButton;
        QString title, choice, result;
    } cases[] = {
        {false, u"Select a file"_s, QString(), u"kept"_s},
        {true, u"Select a Folder"_s, QString(), u"kept"_s},
        {false, u"Select a file"_s, file, file},
        {true, u"Select a Folder"_s, docs + u'/', docs},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.choice.toStdString());
        testsupport::EditorFixture fixture;
        EditorWindow &form = fixture.openEditorOn(testsupport::batchItemBytes("/usr") +
                                                  testsupport::batchItemBytes("kept"));
        answerFileDialog(c.title, c.choice);
        const testsupport::EditorControls controls = ui(form);
        click(c.folderButton ? controls.browseFolderButtons[1] : controls.browseFileButtons[1]);
        EXPECT_EQ(controls.pathEdits[1]->text(), c.result);
        EXPECT_EQ(form.isWindowModified(), !c.choice.isEmpty());
    }
}

TEST_F(ItemEntry, dropTakesOnlyTheFirstFileOfAFileListOfferedForCopying) {
    const QString first = folder(u"one"_s), second = folder(u"two"_s);
    const auto files = [](const QStringList &paths) {
        QList<QUrl> urls;
        for (const QString &path : paths)
            urls << QUrl::fromLocalFile(path);
        return urls;
    };
    const struct {
        const char *what;
        QList<QUrl> urls;
        QString text;
        Qt::DropActions allowed;
        QString result; // empty: refused
    } cases[] = {
        {"a file list", files({first}), {}, Qt::CopyAction | Qt::MoveAction, first},
        {"several files", files({second, first, first + u"/x"_s}), {}, Qt::CopyAction, second},
        {"a folder with a final separator", files({first + u'/'}), {}, Qt::CopyAction, first},
        {"plain text", {}, first, Qt::CopyAction, {}},
        {"web addresses", {QUrl(u"https://example.org/a"_s)}, {}, Qt::CopyAction, {}},
        {"a move-only source", files({first}), {}, Qt::MoveAction, {}},
    };
    const testsupport::EditorControls controls = ui(form());
    click(controls.pathEdits[1]);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        form().logic().clearClicked(3);
        QMimeData data;
        if (!c.urls.isEmpty())
            data.setUrls(c.urls);
        if (!c.text.isEmpty())
            data.setText(c.text);
        const QPoint middle = controls.pathEdits[3]->rect().center();
        QDragEnterEvent enter(middle, c.allowed, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(controls.pathEdits[3], &enter);
        EXPECT_EQ(enter.isAccepted(), !c.result.isEmpty());
        EXPECT_EQ(enter.dropAction(), enter.isAccepted() ? Qt::CopyAction : Qt::IgnoreAction);
        QDropEvent drop(middle, c.allowed, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(controls.pathEdits[3], &drop);
        EXPECT_EQ(path(3), c.result);
        EXPECT_EQ(QApplication::focusWidget(), controls.pathEdits[1]);
        EXPECT_EQ(testsupport::selectedRow(form()), 1);
    }
}

// The dropped address keeps the bytes of a name that is not text, which no batch file can hold.
TEST_F(ItemEntry, dropOfAFileWhoseNameIsNotTextIsRefusedWithAMessage) {
    QMimeData data;
    data.setUrls({QUrl::fromEncoded("file:///tmp/caf%E9")});
    testsupport::MessageRecorder messages;
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ui(form()).pathEdits[2], &enter);
    QDropEvent drop(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ui(form()).pathEdits[2], &drop);
    EXPECT_EQ(messages.prompts(), QStringList{u"/tmp/caf\uFFFD cannot be stored in a batch file: "
                                              u"its name is not text in the system's encoding."_s});
    EXPECT_EQ(path(2), QString());
    EXPECT_FALSE(form().isWindowModified());
}

TEST_F(ItemEntry, fullStopInTheNameIsRefusedOneMessagePerCharacter) {
    const QString tail = u"   Please re-enter without the (.)."_s;
    const struct {
        bool pasted;
        QString text;
        QStringList prompts;
        QString name;
    } cases[] = {
        {false, u"Mail."_s, {u"Mail."_s + tail}, u"Mail"_s},
        {true, u"a.b"_s, {u"a.b"_s + tail, u"a."_s + tail}, u"a"_s},
        {false, u"Mail"_s, {}, u"Mail"_s},
    };
    QLineEdit *nameEdit = ui(form()).nameEdit;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        testsupport::retype(nameEdit, {});
        QStringList prompts;
        testsupport::ModalAnswerer answerer([&prompts](QWidget *box) {
            EXPECT_EQ(box->windowTitle(), u" Message"_s);
            prompts << box->findChild<QPlainTextEdit *>(u"promptText"_s)->toPlainText();
            click(box->findChild<QPushButton *>(u"button0"_s));
        });
        if (c.pasted) {
            QGuiApplication::clipboard()->setText(c.text);
            QTest::keyClick(nameEdit, Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClicks(nameEdit, c.text);
        }
        EXPECT_EQ(prompts, c.prompts);
        EXPECT_EQ(nameEdit->text(), c.name);
    }
}

} // namespace
