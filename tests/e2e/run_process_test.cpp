#include "tests/e2e/run_process.h"
#include "tests/e2e/run_test.h"
#include "tests/support/desktop_sandbox.h"
#include "tests/support/file_bytes.h"
#include "tests/support/printers.h"
#include "tests/support/socket_at.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// How much later than due a start may come on a busy machine before it counts as a lost wait.
constexpr qint64 LateMs = 5000;

class RunProcessTest : public RunTest {
protected:
    // A run has no window, so the position stored by the editor stays as it was.
    static constexpr char StoredPosition[] = "[Settings]\nTop=300\nLeft=450\n";
    void storePosition() const {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(sandbox.settingsPath()).path()));
        ASSERT_TRUE(writeFile(sandbox.settingsPath(), StoredPosition));
    }
    void expectStoredPositionKept() const {
        EXPECT_EQ(readFile(sandbox.settingsPath()), QByteArray(StoredPosition));
    }
    // Nothing names a display: a message can only be written out.
    QProcessEnvironment withoutDisplay() const {
        QProcessEnvironment environment = sandbox.programEnvironment();
        environment.remove(u"QT_QPA_PLATFORM"_s); // DISPLAY and WAYLAND_DISPLAY are gone already
        return environment;
    }
};

TEST_F(RunProcessTest, startsEveryKindOfItemInOrderAfterItsWait_thenEndsAndKeepsThePosition) {
    storePosition();
    ASSERT_TRUE(sandbox.addProgram(item(u"first"_s)));
    ASSERT_TRUE(QDir().mkpath(item(u"My Folder"_s)));
    ASSERT_TRUE(writeFile(item(u"notes 1.txt"_s), "Things to do\n"));
    ASSERT_TRUE(sandbox.addProgram(item(u"last"_s)));
    const struct {
        ItemLines item;
        QString kind;
        int arguments;
        QString folder;
        qint64 dueAfterPreviousMs; // every item after the first waits one second more
    } items[] = {
        {{item(u"first"_s), u"0"_s}, u"program"_s, 0, item({}), 0},
        {{item(u"My Folder"_s), u"0"_s, u"Minimized"_s}, u"files"_s, 1, item(u"My Folder"_s), 1000},
        {{item(u"notes 1.txt"_s), u"1"_s, u"Maximized"_s}, u"text"_s, 1, item({}), 2000},
        {{item(u"last"_s), u"0"_s}, u"program"_s, 0, item({}), 1000},
    };
    QList<ItemLines> batch;
    for (const auto &expected : items)
        batch << expected.item;

    const RunOutcome outcome = runToEnd(sandbox, {u"/o"_s, sandbox.writeBatch(u"Tour"_s, batch)});

    EXPECT_TRUE(outcome.endedNormally()) << outcome.describe();
    const QList<ItemStart> starts = sandbox.waitForStarts(std::size(items));
    ASSERT_EQ(starts.size(), std::size(items));
    for (qsizetype i = 0; i < starts.size(); ++i) {
        SCOPED_TRACE("item " + std::to_string(i + 1));
        EXPECT_EQ(starts[i].kind, items[i].kind);
        EXPECT_EQ(starts[i].path, items[i].item.path);
        EXPECT_EQ(starts[i].arguments, items[i].arguments);
        EXPECT_EQ(starts[i].folder, canonical(items[i].folder));
        if (i == 0)
            continue;
        const qint64 gap = starts[i].atMs - starts[i - 1].atMs;
        EXPECT_GE(gap, items[i].dueAfterPreviousMs - SlackMs);
        EXPECT_LE(gap, items[i].dueAfterPreviousMs + LateMs);
    }
    expectStoredPositionKept();
}

// A run that has nothing to say shows no window, so it needs no display and never loads Qt at
// all: with none of the variables that name a display, it starts its items.
TEST_F(RunProcessTest, runWithoutADisplay_startsItsItemsWithoutLoadingWidgets) {
    ASSERT_TRUE(sandbox.addProgram(item(u"first"_s)));
    ASSERT_TRUE(sandbox.addProgram(item(u"second"_s)));
    const QString batch =
        sandbox.writeBatch(u"Quiet"_s, {{item(u"first"_s), u"0"_s}, {item(u"second"_s), u"0"_s}});
    QProcess process;
    startProgram(process, withoutDisplay(), {u"/o"_s, batch});

    // Looked at during the second's wait, once the first has started.
    sandbox.waitForStarts(1);
    const QByteArray libraries = readFile(u"/proc/%1/maps"_s.arg(process.processId()));
    const RunOutcome outcome = waitForEnd(process);

    EXPECT_TRUE(outcome.endedNormally()) << outcome.describe();
    EXPECT_EQ(sandbox.waitForStarts(2).size(), 2);
    ASSERT_TRUE(libraries.contains("libgio-2.0")) << "the run ended before it was looked at";
    EXPECT_FALSE(libraries.contains("libQt6")) << libraries.toStdString();
}

// What a run that has no display of its own says of itself: everything goes to its error output.
struct UnreachableDisplay {
    const char *name;
    QString x, wayland; // the variables that name the display; empty: unset
    QString why;
};

class UnreachableDisplayTest : public RunProcessTest,
                               public ::testing::WithParamInterface<UnreachableDisplay> {};

// A display that is named but cannot be reached would end the program inside the widget toolkit:
// the run says once why no window shows, writes its messages out and goes on.
TEST_P(UnreachableDisplayTest, itemsThatCannotStart_areWrittenOutAfterOneLineOfWhy) {
    const UnreachableDisplay &display = GetParam();
    ASSERT_TRUE(sandbox.addProgram(item(u"after"_s)));
    // A compositor that has gone leaves its socket behind, and nothing listens on it.
    const int stale = testsupport::socketAt(sandbox.at(u"runtime/wayland-stale"_s).toStdString());
    ASSERT_GE(stale, 0);
    ::close(stale);
    const QString batch = sandbox.writeBatch(
        u"Quiet"_s,
        {{item(u"gone"_s), u"0"_s}, {item(u"after"_s), u"0"_s}, {item(u"gone too"_s), u"0"_s}});
    QProcessEnvironment environment = withoutDisplay();
    if (!display.x.isEmpty())
        environment.insert(u"DISPLAY"_s, display.x);
    if (!display.wayland.isEmpty())
        environment.insert(u"WAYLAND_DISPLAY"_s, display.wayland);
    QProcess process;
    startProgram(process, environment, {u"/o"_s, batch});
    const RunOutcome outcome = waitForEnd(process);

    EXPECT_TRUE(outcome.endedNormally()) << outcome.describe();
    const QList<ItemStart> starts = sandbox.waitForStarts(1);
    ASSERT_EQ(starts.size(), 1);
    EXPECT_EQ(starts[0].path, item(u"after"_s));
    EXPECT_EQ(outcome.errors.count("cannot show any window"), 1) << outcome.describe();
    EXPECT_TRUE(outcome.errors.startsWith(
        QByteArray("runvoy: cannot show any window: " + display.why.toUtf8() + '\n')))
        << outcome.describe();
    for (const QString &gone : {item(u"gone"_s), item(u"gone too"_s)})
        EXPECT_TRUE(outcome.errors.contains(QByteArray("Message from Runvoy: " + gone.toUtf8())))
            << outcome.describe();
}

INSTANTIATE_TEST_SUITE_P(
    Displays, UnreachableDisplayTest,
    ::testing::Values(
        UnreachableDisplay{"none", {}, {}, u"there is no display"_s},
        UnreachableDisplay{"xServerGone", u":397"_s, {}, u"cannot reach the display :397"_s},
        UnreachableDisplay{
            "xNameMalformed", u"garbage:::x"_s, {}, u"cannot reach the display garbage:::x"_s},
        UnreachableDisplay{"waylandSocketStale",
                           {},
                           u"wayland-stale"_s,
                           u"cannot reach the display wayland-stale"_s}),
    [](const auto &display) { return std::string(display.param.name); });

// A copy of the program whose window library was cut short, by a full disk or an update broken
// off: a run still starts what it can, and both it and the editor say what is wrong.
TEST_F(RunProcessTest, windowLibraryCutShort_runGoesOn_editorEndsSayingTheInstallIsDamaged) {
    const std::filesystem::path folder = QFile::encodeName(sandbox.at(u"program"_s)).toStdString();
    ASSERT_TRUE(copyProgramFolder(folder));
    std::filesystem::resize_file(folder / "librunvoy-widgets.so", 100000);
    const QString program = QFile::decodeName(QByteArray((folder / "runvoy").c_str()));
    ASSERT_TRUE(sandbox.addProgram(item(u"after"_s)));
    const QString batch =
        sandbox.writeBatch(u"Holes"_s, {{item(u"gone"_s), u"0"_s}, {item(u"after"_s), u"0"_s}});
    const QByteArray damaged = "runvoy: cannot show any window: the installation is damaged: ";

    const RunOutcome run = runToEnd(sandbox, {u"/o"_s, batch}, {}, program);
    const RunOutcome editor = runToEnd(sandbox, {}, {}, program);

    EXPECT_TRUE(run.endedNormally()) << run.describe();
    EXPECT_EQ(sandbox.waitForStarts(1).size(), 1);
    EXPECT_TRUE(run.errors.startsWith(damaged)) << run.describe();
    EXPECT_TRUE(run.errors.contains(QByteArray("Message from Runvoy: " + item(u"gone"_s).toUtf8())))
        << run.describe();
    EXPECT_TRUE(editor.finished && editor.status == QProcess::NormalExit && editor.code != 0)
        << editor.describe();
    EXPECT_TRUE(editor.errors.startsWith(damaged)) << editor.describe();
}

// Once the desktop runs batch files with Runvoy, a batch that lists itself would start its own
// run again and again: the run reports such an item as one that cannot start.
TEST_F(RunProcessTest, batchThatListsItself_reportsThatItemAndStartsTheOthersOnce) {
    QProcess kestrum;
    kestrum.setProcessEnvironment(sandbox.programEnvironment());
    kestrum.start(QFileInfo(runvoyProgram()).dir().filePath(u"kestrum"_s));
    ASSERT_TRUE(kestrum.waitForFinished() && kestrum.exitCode() == 0);
    ASSERT_TRUE(sandbox.addProgram(item(u"other"_s)));
    const QString self = sandbox.at(u"home/Desktop/Loop.rvq"_s);
    const struct {
        const char *name;
        QList<ItemLines> items;
    } cases[] = {
        {"listed once", {{self, u"0"_s}, {item(u"other"_s), u"0"_s}}},
        {"listed twice", {{self, u"0"_s}, {item(u"other"_s), u"0"_s}, {self, u"0"_s}}},
    };
    for (const auto &batch : cases) {
        SCOPED_TRACE(batch.name);
        sandbox.forgetStarts();
        ASSERT_EQ(sandbox.writeBatch(u"Loop"_s, batch.items), self);
        QProcess process;
        startProgram(process, withoutDisplay(), {u"/o"_s, self});
        const RunOutcome outcome = waitForEnd(process);

        EXPECT_TRUE(outcome.endedNormally()) << outcome.describe();
        EXPECT_EQ(
            outcome.errors.count(QByteArray("Message from Runvoy: " + self.toUtf8() + " is an")),
            batch.items.count(ItemLines{self, u"0"_s}))
            << outcome.describe();
        EXPECT_EQ(sandbox.waitForStarts(1).size(), 1);
        // A run started by the item would start the other item again within a second.
        QTest::qWait(2000);
        EXPECT_EQ(sandbox.starts().size(), 1);
    }
}

// The file system holds bytes: a batch need not be named in text to be run.
TEST_F(RunProcessTest, batchWhoseNameIsNotText_runsItsItems) {
    ASSERT_TRUE(sandbox.addProgram(item(u"first"_s)));
    const std::string batch =
        QFile::encodeName(sandbox.at(u"home/Desktop/"_s)).toStdString() + "name_\xe9\xff.rvq";
    testsupport::writeFile(batch, batchBytes({{item(u"first"_s)}}).toStdString());

    const RunOutcome outcome = runToEnd(sandbox, {u"/o"_s, escapedBytes(batch)}, bytesPrefix());

    EXPECT_TRUE(outcome.endedNormally()) << outcome.describe();
    EXPECT_EQ(sandbox.waitForStarts(1).size(), 1);
    EXPECT_TRUE(outcome.errors.isEmpty()) << outcome.describe();
}

// As a package installs it: the program folder is not the user's to write, and here the user has
// no data folder either. Only the editor saves batches, so a run needs no Output folder at all.
TEST_F(RunProcessTest, readOnlyProgramFolderAndNoDataFolder_runSaysNothingAndMakesNoOutput) {
    const bool asRoot = RunAsOrdinaryUser::needed();
    if (asRoot && !RunAsOrdinaryUser::available())
        GTEST_SKIP() << "running as root without setpriv to drop to an ordinary user";
    const std::filesystem::path folder = QFile::encodeName(sandbox.at(u"program"_s)).toStdString();
    ASSERT_TRUE(copyProgramFolder(folder));
    ASSERT_TRUE(writeFile(sandbox.at(u"home/.local"_s), "in the way\n"));
    ASSERT_TRUE(QDir(sandbox.at(u"home/Desktop"_s)).removeRecursively());
    ASSERT_TRUE(sandbox.addProgram(item(u"tool"_s)));
    ASSERT_TRUE(writeFile(item(u"Package.rvq"_s), batchBytes({{item(u"tool"_s), u"0"_s}})));
    ASSERT_TRUE(RunAsOrdinaryUser::openUp(sandbox));
    const auto readOnly = std::filesystem::perms::owner_write |
                          std::filesystem::perms::group_write |
                          std::filesystem::perms::others_write;
    std::filesystem::permissions(folder, readOnly, std::filesystem::perm_options::remove);
    QProcessEnvironment environment = withoutDisplay();
    environment.remove(u"XDG_DATA_HOME"_s);
    QProcess process;
    startProgram(process, environment, {u"/o"_s, item(u"Package.rvq"_s)},
                 asRoot ? RunAsOrdinaryUser::prefix() : QStringList(),
                 QFile::decodeName(QByteArray((folder / "runvoy").c_str())));
    const RunOutcome outcome = waitForEnd(process);
    std::filesystem::permissions(folder, readOnly, std::filesystem::perm_options::add);

    EXPECT_TRUE(outcome.endedNormally()) << outcome.describe();
    EXPECT_EQ(sandbox.waitForStarts(1).size(), 1);
    EXPECT_TRUE(outcome.errors.isEmpty()) << outcome.describe();
    QDirIterator outputs(sandbox.at({}), {u"Output"_s}, QDir::AllEntries | QDir::Hidden,
                         QDirIterator::Subdirectories);
    EXPECT_FALSE(outputs.hasNext()) << outputs.next().toStdString();
}

// Were a shell to read the path, the backticks would create this file in its working folder.
bool somethingWasInterpreted(const QString &root) {
    QDirIterator found(root, {u"interpreted"_s}, QDir::AllEntries | QDir::Hidden | QDir::System,
                       QDirIterator::Subdirectories);
    return found.hasNext();
}

TEST_F(RunProcessTest, pathsWithShellCharactersStartAsOneLiteralArgument) {
    const QString folder = item(u"odd $dir 'q' `x`"_s);
    ASSERT_TRUE(QDir().mkpath(folder));
    const struct {
        const char *name;
        QString path;
        QString kind;
        int arguments;
    } cases[] = {
        {"program", folder + u"/it's $HOME `touch interpreted` run"_s, u"program"_s, 0},
        {"document", folder + u"/notes $(touch interpreted) `touch interpreted`.txt"_s, u"text"_s,
         1},
    };
    ASSERT_TRUE(sandbox.addProgram(cases[0].path));
    ASSERT_TRUE(writeFile(cases[1].path, "Odd\n"));

    for (const auto &scenario : cases) {
        SCOPED_TRACE(scenario.name);
        sandbox.forgetStarts();
        const QString batch = sandbox.writeBatch(u"Odd"_s, {{scenario.path, u"0"_s}});

        const RunOutcome outcome = runToEnd(sandbox, {u"/o"_s, batch});

        EXPECT_TRUE(outcome.endedNormally()) << outcome.describe();
        const QList<ItemStart> starts = sandbox.waitForStarts(1);
        ASSERT_EQ(starts.size(), 1);
        EXPECT_EQ(starts[0].kind, scenario.kind);
        EXPECT_EQ(starts[0].path, scenario.path);
        EXPECT_EQ(starts[0].arguments, scenario.arguments);
        EXPECT_EQ(starts[0].folder, canonical(folder));
        EXPECT_FALSE(somethingWasInterpreted(sandbox.at({})));
    }
}

TEST_F(RunProcessTest, twoRunsSideBySide_bothFinishAndKeepThePosition) {
    storePosition();
    QList<QString> batches;
    for (const QString &name : {u"Left"_s, u"Right"_s}) {
        ASSERT_TRUE(sandbox.addProgram(item(name + u"1"_s)));
        ASSERT_TRUE(sandbox.addProgram(item(name + u"2"_s)));
        batches << sandbox.writeBatch(
            name, {{item(name + u"1"_s), u"0"_s}, {item(name + u"2"_s), u"0"_s}});
    }

    const QList<RunOutcome> outcomes =
        runSideBySide(sandbox, {{u"/o"_s, batches[0]}, {u"/o"_s, batches[1]}});

    for (const RunOutcome &outcome : outcomes)
        EXPECT_TRUE(outcome.endedNormally()) << outcome.describe();
    QStringList started;
    for (const ItemStart &start : sandbox.waitForStarts(4))
        started << QFileInfo(start.path).fileName();
    started.sort();
    EXPECT_EQ(started, (QStringList{u"Left1"_s, u"Left2"_s, u"Right1"_s, u"Right2"_s}));
    expectStoredPositionKept();
}

TEST_F(RunProcessTest, damagedSettingsStore_runStillCompletes) {
    const QString settings = sandbox.settingsPath();
    const QString folder = QFileInfo(settings).path();
    const QByteArray garbage("\0\x01\xfe\xff[[[=\n\xc3(\n[Settings\n=\n", 21);
    const struct {
        const char *name;
        std::function<bool()> damage;
    } cases[] = {
        {"garbage bytes",
         [&] {
             return QDir().mkpath(folder) && writeFile(settings, garbage);
         }},
        {"a folder where the file belongs",
         [&] {
             return QDir().mkpath(settings);
         }},
        {"a file where its folder belongs",
         [&] {
             return writeFile(folder, "in the way\n");
         }},
    };
    ASSERT_TRUE(sandbox.addProgram(item(u"tool"_s)));
    const QString batch = sandbox.writeBatch(u"Tool"_s, {{item(u"tool"_s), u"0"_s}});

    for (const auto &scenario : cases) {
        SCOPED_TRACE(scenario.name);
        QDir(folder).removeRecursively();
        QFile::remove(folder);
        sandbox.forgetStarts();
        ASSERT_TRUE(scenario.damage());

        const RunOutcome outcome = runToEnd(sandbox, {u"/o"_s, batch});

        EXPECT_TRUE(outcome.endedNormally()) << outcome.describe();
        EXPECT_EQ(sandbox.waitForStarts(1).size(), 1);
    }
}

// A settings file the user may read but not write: root may write anything, so when the tests
// run as root the program runs as an ordinary user, for whom the sandbox's files are read-only.
TEST_F(RunProcessTest, readOnlySettingsFile_runStillCompletesAndLeavesItAsItWas) {
    const bool asRoot = RunAsOrdinaryUser::needed();
    if (asRoot && !RunAsOrdinaryUser::available())
        GTEST_SKIP() << "running as root without setpriv to drop to an ordinary user";
    const QByteArray stored = "[Settings]\nTop=300\nLeft=450\n";
    const QString settings = sandbox.settingsPath();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(settings).path()));
    ASSERT_TRUE(writeFile(settings, stored));
    ASSERT_TRUE(sandbox.addProgram(item(u"tool"_s)));
    const QString batch = sandbox.writeBatch(u"Tool"_s, {{item(u"tool"_s), u"0"_s}});
    ASSERT_TRUE(
        QFile::setPermissions(settings, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    ASSERT_TRUE(RunAsOrdinaryUser::openUp(sandbox));

    const RunOutcome outcome =
        runToEnd(sandbox, {u"/o"_s, batch}, asRoot ? RunAsOrdinaryUser::prefix() : QStringList());

    EXPECT_TRUE(outcome.endedNormally()) << outcome.describe();
    EXPECT_EQ(sandbox.waitForStarts(1).size(), 1);
    EXPECT_EQ(readFile(settings), stored);
}

TEST_F(RunProcessTest, underValgrind_aRunHasNoMemoryErrorsAndLeaksNothingDefinitely) {
    if (QStandardPaths::findExecutable(u"valgrind"_s).isEmpty())
        GTEST_SKIP() << "valgrind is not installed";
    if (ProgramIsSanitized)
        GTEST_SKIP() << "the program is built with the sanitizers, which run instead of valgrind";
    ASSERT_TRUE(sandbox.addProgram(item(u"tool"_s)));
    const QString batch = sandbox.writeBatch(u"Tool"_s, {{item(u"tool"_s), u"0"_s}});

    const RunOutcome outcome = runToEnd(sandbox, {u"/o"_s, batch}, valgrindPrefix());

    EXPECT_TRUE(outcome.endedNormally()) << outcome.describe();
    EXPECT_EQ(sandbox.waitForStarts(1).size(), 1);
}

} // namespace
