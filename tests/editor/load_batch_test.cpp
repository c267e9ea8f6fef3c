#include "tests/editor/editor_fixture.h"
#include "tests/support/modal.h"
#include "tests/support/printers.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using testsupport::loadBatch;
using testsupport::ui;

namespace {

// The example batch: rows 0 and 2 of an editor saved as Morning.
const QByteArray Morning = "\"C:\\Tools\\editor.exe\"\r\n\"0\"\r\n\"Normal\"\r\n"
                           "\"D:\\Docs\\notes.txt\"\r\n\"5\"\r\n\"Maximized\"\r\n";

// An editor as start-up leaves it without arguments.
class LoadBatch : public ::testing::Test {
protected:
    LoadBatch() : form(fixture.startEditor()) {}

    QString writeFile(const QString &name, const QByteArray &bytes) {
        const QString path = fixture.dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QStringList paths() const {
        QStringList result;
        for (const QLineEdit *path : ui(form).pathEdits)
            result << path->text();
        return result;
    }

    testsupport::EditorFixture fixture;
    EditorWindow &form;
    testsupport::MessageRecorder messages;
};

} // namespace

TEST_F(LoadBatch, theMorningExampleFillsTheFirstTwoRowsAndTheName) {
    ASSERT_EQ(Morning.size(), 77);
    const QString path = writeFile(u"Morning.rvq"_s, Morning);
    const struct {
        const char *what;
        QString path;
        bool changedBefore; // the user types into the editor first
    } cases[] = {
        {"as saved", path, false},
        {"editor already changed", path, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        if (c.changedBefore)
            QTest::keyClicks(ui(form).delayEdits[4], u"7"_s);
        ASSERT_EQ(form.isWindowModified(), c.changedBefore);
        messages.shown.clear();
        loadBatch(form, c.path);
        EXPECT_TRUE(messages.prompts().isEmpty()) << messages.prompts().join(u'\n').toStdString();
        const testsupport::EditorControls controls = ui(form);
        EXPECT_EQ(controls.nameEdit->text(), u"Morning"_s);
        EXPECT_EQ(paths(), QStringList({u"C:\\Tools\\editor.exe"_s, u"D:\\Docs\\notes.txt"_s,
                                        QString(), QString(), QString()}));
        EXPECT_EQ(controls.delayEdits[0]->text(), u"0"_s);
        EXPECT_EQ(controls.delayEdits[1]->text(), u"5"_s);
        EXPECT_EQ(controls.stateCombos[0]->currentText(), u"Normal"_s);
        EXPECT_EQ(controls.stateCombos[1]->currentText(), u"Maximized"_s);
        EXPECT_EQ(form.isWindowModified(), c.changedBefore);
        EXPECT_FALSE(form.logic().isLoading());
    }
}

TEST_F(LoadBatch, aFailureKeepsTheRowsFilledSoFarAndTheOldName) {
    QByteArray sixItems;
    for (int i = 1; i <= 6; ++i)
        sixItems += testsupport::batchItemBytes("p" + QByteArray::number(i));
    const struct {
        const char *what;
        QByteArray bytes; // empty: no file at all
        QStringList paths;
        QString error;
    } cases[] = {
        {"six items",
         sixItems,
         {u"p1"_s, u"p2"_s, u"p3"_s, u"p4"_s, u"p5"_s},
         u"Subscript out of range"_s},
        {"ends after a path",
         testsupport::batchItemBytes("p1") + "\"p2\"\r\n",
         {u"p1"_s, u"p2"_s, {}, {}, {}},
         u"Input past end of file: "_s},
        {"no file", {}, {{}, {}, {}, {}, {}}, u"File not found: "_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        for (int row = 0; row < MaxBatchItems; ++row)
            form.logic().clearClicked(row);
        testsupport::retype(ui(form).nameEdit, u"Old"_s);
        const QString file = fixture.dir.filePath(u"Failing.rvq"_s);
        QFile::remove(file);
        if (!c.bytes.isEmpty())
            writeFile(u"Failing.rvq"_s, c.bytes);
        messages.shown.clear();
        loadBatch(form, file);
        ASSERT_EQ(messages.prompts().size(), 1);
        EXPECT_TRUE(messages.prompts()[0].startsWith(c.error))
            << messages.prompts()[0].toStdString();
        EXPECT_EQ(paths(), c.paths);
        EXPECT_EQ(ui(form).nameEdit->text(), u"Old"_s);
        EXPECT_FALSE(form.logic().isLoading());
    }
}

TEST_F(LoadBatch, anUnknownStateLeavesTheRowsStateAsItWas) {
    const testsupport::EditorControls controls = ui(form);
    QTest::keyClick(controls.stateCombos[0], Qt::Key_Down);
    QTest::keyClick(controls.stateCombos[1], Qt::Key_End);
    loadBatch(form, writeFile(u"Odd.rvq"_s, testsupport::batchItemBytes("a", "normal") +
                                                testsupport::batchItemBytes("b", "Hidden")));
    EXPECT_EQ(controls.pathEdits[1]->text(), u"b"_s);
    EXPECT_EQ(controls.stateCombos[0]->currentText(), u"Minimized"_s);
    EXPECT_EQ(controls.stateCombos[1]->currentText(), u"Maximized"_s);
    EXPECT_EQ(form.logic().row(1).state, WindowState::Maximized);
}

TEST_F(LoadBatch, anEmptyFileSetsOnlyTheName) {
    QTest::keyClicks(ui(form).pathEdits[0], u"kept"_s);
    loadBatch(form, writeFile(u"Nothing.rvq"_s, {}));
    EXPECT_EQ(ui(form).nameEdit->text(), u"Nothing"_s);
    EXPECT_EQ(paths(), QStringList({u"kept"_s, {}, {}, {}, {}}));
}

TEST_F(LoadBatch, aNameWithADotIsCutBackByTheNameCheck) {
    loadBatch(form, writeFile(u"Morning.old.rvq"_s, Morning));
    ASSERT_FALSE(messages.prompts().isEmpty());
    EXPECT_EQ(messages.prompts()[0], u"Morning.old   Please re-enter without the (.)."_s);
    EXPECT_EQ(ui(form).nameEdit->text(), u"Morning"_s);
    EXPECT_EQ(ui(form).pathEdits[1]->text(), u"D:\\Docs\\notes.txt"_s);
    EXPECT_FALSE(form.logic().isLoading());
}
