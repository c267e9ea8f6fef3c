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
    QString path(int row) { return form().pathEdits[row]->text(); }
    QString folder(const QString &name) {
        QDir().mkpath(fixture.dir.filePath(name));
        return fixture.dir.filePath(name);
    }
    testsupport::EditorFixture fixture;
};

TEST(ItemEntryClear, clearEmptiesTheRowAndMarksTheBatchChanged) {
    testsupport::EditorFixture fixture;
    EditorWindow &form =
        fixture.openEditorOn(testsupport::batchItem("/usr/bin/env").repeated(2) +
                             testsupport::batchItem("/usr/bin/top", "Maximized", "7"));
    ASSERT_FALSE(form.isWindowModified());
    click(form.clearButtons[2]);
    EXPECT_EQ(form.pathEdits[2]->text(), QString());
    EXPECT_EQ(form.delayEdits[2]->text(), u"0"_s);
    EXPECT_EQ(form.stateCombos[2]->currentIndex(), 0);
    EXPECT_TRUE(form.isWindowModified());
    EXPECT_EQ(form.selectedRow, 2);
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
        for (int i = 0; i < EditorWindow::RowCount; ++i)
            fiveItems += testsupport::batchItem("item" + QByteArray::number(i), States[i % 3],
                                                QByteArray::number(i));
        testsupport::EditorFixture fixture;
        EditorWindow &form = fixture.openEditorOn(fiveItems);
        ASSERT_FALSE(form.isWindowModified());
        if (c.selected >= 0)
            click(form.rowSelectors[c.selected]);
        for (int press = 0; press < c.presses; ++press)
            click(form.moveButtons[c.arrow]);
        for (int i = 0; i < EditorWindow::RowCount; ++i) {
            const int item = c.order[i] - '0';
            EXPECT_EQ(form.pathEdits[i]->text(), u"item"_s + QString::number(item));
            EXPECT_EQ(form.delayEdits[i]->text(), QString::number(item));
            EXPECT_EQ(form.stateCombos[i]->currentIndex(), item % 3);
            EXPECT_EQ(form.rowSelectors[i]->isChecked(), i == c.selectedAfter);
        }
        EXPECT_EQ(form.selectedRow, c.selectedAfter);
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
        EditorWindow &form =
            fixture.openEditorOn(testsupport::batchItem("/usr") + testsupport::batchItem("kept"));
        answerFileDialog(c.title, c.choice);
        click(c.folderButton ? form.browseFolderButtons[1] : form.browseFileButtons[1]);
        EXPECT_EQ(form.pathEdits[1]->text(), c.result);
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
    click(form().pathEdits[1]);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        form().pathEdits[3]->clear();
        QMimeData data;
        if (!c.urls.isEmpty())
            data.setUrls(c.urls);
        if (!c.text.isEmpty())
            data.setText(c.text);
        const QPoint middle = form().pathEdits[3]->rect().center();
        QDragEnterEvent enter(middle, c.allowed, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form().pathEdits[3], &enter);
        EXPECT_EQ(enter.isAccepted(), !c.result.isEmpty());
        EXPECT_EQ(enter.dropAction(), enter.isAccepted() ? Qt::CopyAction : Qt::IgnoreAction);
        QDropEvent drop(middle, c.allowed, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form().pathEdits[3], &drop);
        EXPECT_EQ(path(3), c.result);
        EXPECT_EQ(QApplication::focusWidget(), form().pathEdits[1]);
        EXPECT_EQ(form().selectedRow, 1);
    }
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
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        form().nameEdit->clear();
        QStringList prompts;
        testsupport::ModalAnswerer answerer([&prompts](QWidget *box) {
            EXPECT_EQ(box->windowTitle(), u" Message"_s);
            prompts << box->findChild<QPlainTextEdit *>(u"promptText"_s)->toPlainText();
            click(box->findChild<QPushButton *>(u"button0"_s));
        });
        if (c.pasted) {
            QGuiApplication::clipboard()->setText(c.text);
            QTest::keyClick(form().nameEdit, Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClicks(form().nameEdit, c.text);
        }
        EXPECT_EQ(prompts, c.prompts);
        EXPECT_EQ(form().nameEdit->text(), c.name);
    }
}

} // namespace
