#include "tests/editor/editor_fixture.h"
#include "tests/support/modal.h"
#include "tests/support/printers.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

using namespace Qt::StringLiterals;
using testsupport::ui;

namespace {

const QString TopKey = u"Top"_s;
const QString LeftKey = u"Left"_s;

class Startup : public ::testing::Test {
protected:
    QString writeFile(const QString &name, const QByteArray &bytes) {
        const QString path = fixture.dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    // A fresh editor through start-up; messages then holds what that start-up said.
    EditorWindow &start(const QString &arguments = QString()) {
        messages.shown.clear();
        fixture.services.rawArguments = coreText(arguments);
        return fixture.startEditor();
    }

    QString stored(const QString &key) { return fixture.stored(key); }

    // What start-up says of a stored coordinate that is no window position.
    QString unusable(const QString &key, const QString &text) const {
        return u"Type mismatch: the stored \""_s + key + u"\" in "_s + fixture.settingsFile() +
               u" is \""_s + text + u"\", not a window position"_s;
    }

    testsupport::EditorFixture fixture;
    testsupport::MessageRecorder messages;
};

bool editorIsEmpty(const EditorWindow &form) {
    const testsupport::EditorControls controls = ui(form);
    bool empty = controls.nameEdit->text().isEmpty();
    for (const QLineEdit *path : controls.pathEdits)
        empty = empty && path->text().isEmpty();
    return empty;
}

void expectEveryRowNormal(const EditorWindow &form) {
    for (const QComboBox *state : ui(form).stateCombos)
        EXPECT_EQ(state->currentText(), u"Normal"_s);
}

} // namespace

TEST_F(Startup, withNothingStoredTheShownWindowIsCentredByItsOuterSize) {
    EditorWindow &form = start();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QRect screen = form.screen()->geometry();
    const QRect outer = form.frameGeometry();
    EXPECT_NEAR(outer.left(), (screen.width() - outer.width()) / 2.0, 0.5);
    EXPECT_NEAR(outer.top(), (screen.height() - outer.height()) / 2.0, 0.5);
}

TEST_F(Startup, appliesStoredPositionsAndReportsTheOnesItCannotUse) {
    const struct {
        QString top, left;
        std::optional<int> y, x; // none: stays where the window was created
        QString error;
    } cases[] = {
        {u"300"_s, u"450"_s, 20, 30, {}},
        {u"-30000"_s, u"99999"_s, -2000, 6667, {}}, // off the screen, applied all the same
        {u"abc"_s, u"450"_s, {}, 30, unusable(TopKey, u"abc"_s)},
        {u"300"_s, u""_s, 20, {}, unusable(LeftKey, {})},
        {u"1e30"_s, u"450"_s, {}, 30, unusable(TopKey, u"1e30"_s)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(QString(u"Top "_s + c.top + u" Left "_s + c.left).toStdString());
        fixture.store(TopKey, c.top);
        fixture.store(LeftKey, c.left);
        EditorWindow &probe = fixture.make();
        probe.winId();
        const QPoint created = probe.pos();
        EditorWindow &form = start();
        EXPECT_EQ(form.x(), c.x.value_or(created.x()));
        EXPECT_EQ(form.y(), c.y.value_or(created.y()));
        if (c.error.isEmpty()) {
            EXPECT_TRUE(messages.shown.empty());
        } else {
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0].title, u" Message"_s);
            EXPECT_EQ(messages.shown[0].prompt, c.error);
        }
    }
}

TEST_F(Startup, closingStoresThePositionInTwipsOnlyForANormalWindow) {
    const struct {
        Qt::WindowState state;
        QString top, left;
    } cases[] = {
        {Qt::WindowNoState, u"750"_s, u"600"_s},
        {Qt::WindowMaximized, u"4500"_s, u"3000"_s},
        {Qt::WindowMinimized, u"4500"_s, u"3000"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(int(c.state));
        fixture.store(TopKey, u"4500"_s);
        fixture.store(LeftKey, u"3000"_s);
        EditorWindow &form = start();
        form.move(40, 50);
        form.setWindowState(c.state);
        EXPECT_TRUE(form.close());
        EXPECT_TRUE(form.isUnloaded());
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_EQ(stored(TopKey), c.top);
        EXPECT_EQ(stored(LeftKey), c.left);
    }
}

TEST_F(Startup, theNextStartPutsTheWindowWhereItWasClosed) {
    start().move(123, 77);
    fixture.form->close();
    EditorWindow &next = start();
    EXPECT_EQ(next.pos(), QPoint(123, 77));
}

TEST_F(Startup, settlesTheOutputFolderAndSelectsNormalInEveryRowWithoutAChange) {
    const QString desktop = fixture.dir.filePath(u"Desktop"_s);
    const QString program = fixture.programFolder();
    const QString missing = fixture.dir.filePath(u"missing"_s);
    const QString data = fixture.dir.filePath(u"data"_s);
    const QString blocked = writeFile(u"blocked"_s, "a file where a folder should be");
    const struct {
        const char *what;
        QString desktop, programFolder, dataHome;
        QByteArray existingOutputFile; // empty: nothing named Output beforehand
        QString outputFolder;
        bool outputIsFolder;
        QString error;
    } cases[] = {
        {"desktop", desktop, program, data, {}, desktop + u'/', false, {}},
        {"no desktop", {}, program, data, {}, program + u"/Output/"_s, true, {}},
        {"a file named Output",
         {},
         program,
         data,
         "keep me",
         program + u"/Output/"_s,
         false,
         u"Path/File access error: "_s + program + u"/Output is not a folder"_s},
        {"no program folder to write",
         {},
         missing,
         data,
         {},
         data + u"/runvoy/Output/"_s,
         false,
         {}},
        {"nowhere to make one",
         {},
         missing,
         blocked,
         {},
         blocked + u"/runvoy/Output/"_s,
         false,
         u"Path not found: "_s + blocked + u"/runvoy/Output"_s},
    };
    const QByteArray savedDataHome = qgetenv("XDG_DATA_HOME");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(program + u"/Output"_s);
        QDir(program + u"/Output"_s).removeRecursively();
        QDir(data).removeRecursively();
        if (!c.existingOutputFile.isEmpty())
            writeFile(u"program/Output"_s, c.existingOutputFile);
        qputenv("XDG_DATA_HOME", QFile::encodeName(c.dataHome));
        fixture.services.desktopFolder = corePath(c.desktop);
        fixture.services.programFolder = corePath(c.programFolder);
        EditorWindow &form = start();

        EXPECT_EQ(qtPath(form.logic().outputFolder() / ""), c.outputFolder);
        EXPECT_EQ(QFileInfo(program + u"/Output"_s).isDir(), c.outputIsFolder);
        EXPECT_EQ(QFileInfo(data + u"/runvoy/Output"_s).isDir(),
                  c.outputFolder == data + u"/runvoy/Output/"_s);
        if (!c.existingOutputFile.isEmpty()) {
            QFile kept(program + u"/Output"_s);
            ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
            EXPECT_EQ(kept.readAll(), c.existingOutputFile);
        }
        ASSERT_EQ(messages.shown.size(), c.error.isEmpty() ? 0u : 1u);
        if (!c.error.isEmpty()) {
            EXPECT_EQ(messages.shown[0].prompt, c.error);
        }
        // Start-up goes on past a folder it could not make.
        expectEveryRowNormal(form);
        EXPECT_FALSE(form.isWindowModified());
    }
    if (savedDataHome.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", savedDataHome);
}

TEST_F(Startup, readsTheCommandLineAtItsFixedPlaces) {
    const QString batch =
        writeFile(u"Morning.rvq"_s, testsupport::batchItemBytes("/nowhere/editor") +
                                        testsupport::batchItemBytes("/nowhere/notes", "Maximized"));
    const struct {
        QString arguments;
        QString name;       // empty: the editor stays empty
        QStringList titles; // of the messages shown
    } cases[] = {
        {u"/e \""_s + batch + u'"', u"Morning"_s, {}},
        {u" \t \t/e \""_s + batch + u'"', u"Morning"_s, {}},
        {u"/E \""_s + batch + u'"', {}, {}},
        {u"/O \""_s + batch + u'"', {}, {}},
        {u"/e "_s + batch, {}, {u" Message"_s}},
        {u"/o "_s + batch, {}, {u" Message"_s}},
        {u"/o"_s, {}, {u" Message"_s}},
        {u"/e \""_s, {}, {u" Message"_s}},
        {u""_s, {}, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.toStdString());
        EditorWindow &form = start(c.arguments);
        EXPECT_EQ(messages.titles(), c.titles);
        EXPECT_FALSE(form.isUnloaded());
        EXPECT_TRUE(fixture.shell.opened.empty());
        if (c.name.isEmpty()) {
            EXPECT_TRUE(editorIsEmpty(form));
            continue;
        }
        const testsupport::EditorControls controls = ui(form);
        EXPECT_EQ(controls.nameEdit->text(), c.name);
        EXPECT_EQ(controls.pathEdits[1]->text(), u"/nowhere/notes"_s);
        EXPECT_EQ(controls.stateCombos[1]->currentText(), u"Maximized"_s);
        EXPECT_FALSE(form.isWindowModified());
    }
}

// A run has no window of its own: it stores no position, and its messages are all it shows.
TEST_F(Startup, aRunReportsEachItemThatFailsAndEndsWithoutAnEditor) {
    const QString batch = writeFile(u"Two.rvq"_s, testsupport::batchItemBytes("/nowhere/a") +
                                                      testsupport::batchItemBytes("/nowhere/b"));
    fixture.shell.succeed = false;
    fixture.services.rawArguments = coreText(u"/o \""_s + batch + u'"');
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(fixture.start(), 0);

    const QStringList items{u"/nowhere/a"_s, u"/nowhere/b"_s};
    EXPECT_EQ(fixture.shell.opened, (std::vector{corePath(items[0]), corePath(items[1])}));
    EXPECT_GE(clock.elapsed(), 900) << "the second item waits a second";
    ASSERT_EQ(messages.shown.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(messages.shown[i].title, u" Message from Runvoy"_s);
        EXPECT_TRUE(messages.shown[i].prompt.startsWith(items[i] +
                                                        u" is an invalid file or folder name."_s));
    }
    EXPECT_EQ(fixture.widgets.editorsOpened, 0);
    EXPECT_FALSE(QFile::exists(fixture.settingsFile()));
}

TEST_F(Startup, aRunOfAnEmptyBatchEndsAtOnceWithoutAWord) {
    const QString batch = writeFile(u"Empty.rvq"_s, {});
    fixture.services.rawArguments = coreText(u"/o \""_s + batch + u'"');
    EXPECT_EQ(fixture.start(), 0);
    EXPECT_EQ(fixture.widgets.editorsOpened, 0);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(fixture.shell.opened.empty());
}

TEST_F(Startup, aBatchThatCannotBeRunWholeStartsNothingAndOpensTheEditor) {
    QByteArray sixItems;
    for (int i = 1; i <= 6; ++i)
        sixItems += testsupport::batchItemBytes("/nowhere/" + QByteArray::number(i));
    const struct {
        QString path;
        QString error;
    } cases[] = {
        {fixture.dir.filePath(u"Missing.rvq"_s), u"File not found: "_s},
        {writeFile(u"Six.rvq"_s, sixItems), u"Subscript out of range"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        EditorWindow &form = start(u"/o \""_s + c.path + u'"');
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].title, u" Message"_s);
        EXPECT_TRUE(messages.shown[0].prompt.startsWith(c.error));
        EXPECT_TRUE(fixture.shell.opened.empty());
        EXPECT_FALSE(form.isUnloaded());
        EXPECT_TRUE(editorIsEmpty(form));
    }
}

// A run leaves the editor's stored position alone; the editor says once that it cannot use a
// stored coordinate, and leaves the other one alone.
TEST_F(Startup, aRunLeavesAnUnusableStoredCoordinateAndTheEditorReportsItOnce) {
    const QString batch = writeFile(u"One.rvq"_s, testsupport::batchItemBytes("/nowhere/a"));
    fixture.store(TopKey, u"abc"_s);
    fixture.store(LeftKey, u"450"_s);
    fixture.services.rawArguments = coreText(u"/o \""_s + batch + u'"');
    EXPECT_EQ(fixture.start(), 0);
    EXPECT_EQ(fixture.shell.opened.size(), 1u);
    EXPECT_EQ(fixture.widgets.editorsOpened, 0);
    EXPECT_EQ(stored(TopKey), u"abc"_s);
    for (const QStringList &prompts : {QStringList{unusable(TopKey, u"abc"_s)}, QStringList()}) {
        start();
        EXPECT_EQ(messages.prompts(), prompts);
    }
    EXPECT_EQ(stored(TopKey), QString());
    EXPECT_EQ(stored(LeftKey), u"450"_s);
}
