#include "tests/e2e/run_process.h"
#include "tests/e2e/run_test.h"
#include "tests/support/desktop_sandbox.h"
#include "tests/support/file_bytes.h"
#include "tests/support/printers.h"
#include "tests/support/x_display.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

using namespace Qt::StringLiterals;

namespace {

constexpr int WindowBoundMs = 30000;
constexpr int RunBoundMs = 120000;

// Runs on a display of their own, where the program's windows can be seen and answered from
// outside: an offscreen run shows nothing to anyone but itself.
class RunOnDisplayTest : public RunTest {
protected:
    explicit RunOnDisplayTest(XDisplay::WindowManager manager = XDisplay::WindowManager::None)
        : manager(manager), display(manager) {}

    void SetUp() override {
        const QString missing = XDisplay::missingTools(manager, true);
        if (!missing.isEmpty())
            GTEST_SKIP() << "needs a private X display; not installed: " << missing.toStdString();
        ASSERT_TRUE(display.isReady());
        RunTest::SetUp();
    }

    QProcessEnvironment environment() const {
        QProcessEnvironment environment = sandbox.programEnvironment();
        display.useIn(environment);
        environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        return environment;
    }

    QStringList shownTitles() const {
        QStringList titles;
        for (const XDisplay::Window &window : display.shownWindows())
            titles << window.title;
        return titles;
    }

    // Every window title that was shown while the run went on, polled until it ended.
    QStringList windowsShownUntilEnd(QProcess &process) const {
        QStringList seen;
        QElapsedTimer clock;
        clock.start();
        while (!process.waitForFinished(50) && process.state() != QProcess::NotRunning &&
               clock.elapsed() < RunBoundMs) {
            for (const QString &title : shownTitles()) {
                if (!seen.contains(title))
                    seen << title;
            }
        }
        return seen;
    }

    // Closes the window whose title ends with title as a user does: with key, or where there is
    // none, with the window manager's close button.
    bool closeWindow(const QString &title, const QString &key = {}) const {
        const std::optional<XDisplay::Window> window = display.waitForWindow(title, WindowBoundMs);
        if (window && key.isEmpty())
            display.close(*window);
        return window && (key.isEmpty() || display.pressKey(*window, key));
    }

    const XDisplay::WindowManager manager;
    XDisplay display;
};

// A window manager frames each window, and places it where the program asks for its frame.
class RunUnderWindowManagerTest : public RunOnDisplayTest {
protected:
    RunUnderWindowManagerTest() : RunOnDisplayTest(XDisplay::WindowManager::Openbox) {}
};

TEST_F(RunOnDisplayTest, completedRun_neverShowsAWindowAndStoresNoPosition) {
    ASSERT_TRUE(sandbox.addProgram(item(u"one"_s)));
    ASSERT_TRUE(sandbox.addProgram(item(u"two"_s)));
    const QString batch =
        sandbox.writeBatch(u"Quiet"_s, {{item(u"one"_s), u"0"_s}, {item(u"two"_s), u"1"_s}});
    QProcess process;
    startProgram(process, environment(), {u"/o"_s, batch});

    const QStringList shown = windowsShownUntilEnd(process);
    const RunOutcome outcome = waitForEnd(process);

    EXPECT_TRUE(outcome.endedNormally()) << outcome.describe();
    EXPECT_EQ(sandbox.waitForStarts(2).size(), 2);
    EXPECT_TRUE(shown.isEmpty()) << shown.join(u", "_s).toStdString();
    // The position is the editor window's, and a run has none.
    EXPECT_FALSE(QFileInfo::exists(sandbox.settingsPath()));
}

TEST_F(RunOnDisplayTest, itemThatCannotStart_holdsTheRunUntilItsMessageIsAnswered) {
    const QString gone = item(u"gone"_s);
    ASSERT_TRUE(sandbox.addProgram(item(u"next"_s)));
    const QString batch =
        sandbox.writeBatch(u"Holes"_s, {{gone, u"0"_s}, {item(u"next"_s), u"0"_s}});
    QProcess process;
    startProgram(process, environment(), {u"/o"_s, batch});

    ASSERT_TRUE(display.waitForWindow(u"Message from Runvoy"_s, WindowBoundMs));
    // The next item is due a second after the message closes, not after it opens.
    QTest::qWait(2000);
    EXPECT_TRUE(sandbox.starts().isEmpty());
    EXPECT_EQ(shownTitles(), QStringList{u" Message from Runvoy"_s});
    const qint64 answeredAt = QDateTime::currentMSecsSinceEpoch();
    ASSERT_TRUE(closeWindow(u"Message from Runvoy"_s, u"Return"_s));

    const QList<ItemStart> starts = sandbox.waitForStarts(1);
    const RunOutcome outcome = waitForEnd(process);

    EXPECT_TRUE(outcome.endedNormally()) << outcome.describe();
    ASSERT_EQ(starts.size(), 1);
    EXPECT_EQ(starts[0].path, item(u"next"_s));
    EXPECT_GE(starts[0].atMs - answeredAt, 1000 - SlackMs);
}

TEST_F(RunUnderWindowManagerTest, windowsOpenCentredByTheirFrameAndReopenWhereTheyWereClosed) {
    const QString batch = sandbox.writeBatch(u"Holes"_s, {{item(u"gone"_s), u"0"_s}});
    const struct {
        const char *window;
        QStringList arguments;
        QString title, closingKey;
    } cases[] = {
        {"editor", {}, u"Runvoy"_s, {}},
        {"message box", {u"/o"_s, batch}, u"Message from Runvoy"_s, u"Return"_s},
    };
    const QSize screen = display.screenSize();
    for (const auto &c : cases) {
        std::optional<QRect> first;
        for (int start = 1; start <= 5; ++start) {
            SCOPED_TRACE(std::string(c.window) + ", start " + std::to_string(start));
            QProcess process;
            startProgram(process, environment(), c.arguments);
            const std::optional<XDisplay::Window> window =
                display.waitForWindow(c.title, WindowBoundMs);
            ASSERT_TRUE(window);
            const std::optional<QRect> outer = window->outer;
            if (!first) {
                first = outer;
                EXPECT_NEAR(outer->left(), (screen.width() - outer->width()) / 2.0, 1);
                EXPECT_NEAR(outer->top(), (screen.height() - outer->height()) / 2.0, 1);
            }
            EXPECT_EQ(std::pair(outer->x(), outer->y()), std::pair(first->x(), first->y()));
            ASSERT_TRUE(closeWindow(c.title, c.closingKey));
            const RunOutcome outcome = waitForEnd(process);
            EXPECT_TRUE(outcome.endedNormally()) << outcome.describe();
        }
    }
}

// Showing a message brings up the widgets under a new application object: the watches of window
// states, begun before the message, must go on under it for the items after it.
TEST_F(RunUnderWindowManagerTest, windowStatesAroundAMessage_areAllApplied) {
    QTemporaryDir folder;
    const auto client = [&folder](const QString &title) {
        const QString program = folder.filePath(title);
        QFile script(program);
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nexec \"" WINDOW_CLIENT "\" " + title.toUtf8() + '\n');
        script.close();
        EXPECT_TRUE(script.setPermissions(script.permissions() | QFile::ExeOwner));
        return program;
    };
    const QString batch =
        sandbox.writeBatch(u"Holes"_s, {{client(u"Before"_s), u"0"_s, u"Maximized"_s},
                                        {item(u"gone"_s), u"0"_s},
                                        {client(u"After"_s), u"0"_s, u"Minimized"_s}});
    QProcess process;
    startProgram(process, environment(), {u"/o"_s, batch});
    ASSERT_TRUE(closeWindow(u"Message from Runvoy"_s, u"Return"_s));

    const RunOutcome outcome = waitForEnd(process);
    EXPECT_TRUE(outcome.endedNormally()) << outcome.describe();
    QStringList states;
    for (const XDisplay::Window &window : display.managedWindows()) {
        states << window.title + (window.maximized ? u" maximized"_s : QString()) +
                      (window.iconic ? u" minimized"_s : QString());
    }
    states.sort();
    EXPECT_EQ(states, (QStringList{u"After minimized"_s, u"Before maximized"_s}));
}

// A device that never ends is no batch file: reading it whole would take all the memory there
// is. The run must report it and stay alive, within a memory cap that keeps a failing run from
// taking the machine with it.
TEST_F(RunOnDisplayTest, endlessInput_isReportedInsteadOfExhaustingMemory) {
    if (!ProgramIsSanitized && QStandardPaths::findExecutable(u"prlimit"_s).isEmpty())
        GTEST_SKIP() << "prlimit is not installed";
    QProcessEnvironment capped = environment();
    QStringList prefix;
    capMemory(capped, prefix);
    QProcess process;
    startProgram(process, capped, {u"/o"_s, u"/dev/zero"_s}, prefix);

    const bool reported = QTest::qWaitFor(
        [&] {
            return process.state() == QProcess::NotRunning || shownTitles().contains(u" Message"_s);
        },
        WindowBoundMs);

    EXPECT_TRUE(reported && process.state() == QProcess::Running)
        << (reported ? waitForEnd(process).describe() : "neither reported nor ended");
    process.kill();
    process.waitForFinished();
}

// Installed where the folder's name is not text, the program still finds its window library, and
// its windows work: the editor opens and closes, and a run shows its message and goes on.
TEST_F(RunUnderWindowManagerTest, programFolderWhoseNameIsNotText_editorAndRunMessageWork) {
    const std::string folder = QFile::encodeName(sandbox.at(u"prog_"_s)).toStdString() + "\xe9";
    ASSERT_TRUE(copyProgramFolder(folder));
    const QString program = escapedBytes(folder + "/runvoy");
    ASSERT_TRUE(sandbox.addProgram(item(u"next"_s)));
    const QString batch =
        sandbox.writeBatch(u"Holes"_s, {{item(u"gone"_s), u"0"_s}, {item(u"next"_s), u"0"_s}});
    const struct {
        const char *window;
        QStringList arguments;
        QString title, closingKey;
    } cases[] = {
        {"editor", {}, u"Runvoy"_s, {}},
        {"run's message", {u"/o"_s, batch}, u"Message from Runvoy"_s, u"Return"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.window);
        QProcess process;
        startProgram(process, environment(), c.arguments, bytesPrefix(), program);
        ASSERT_TRUE(closeWindow(c.title, c.closingKey));
        const RunOutcome outcome = waitForEnd(process);
        EXPECT_TRUE(outcome.endedNormally()) << outcome.describe();
    }
    EXPECT_EQ(sandbox.waitForStarts(1).size(), 1);
}

// The settings file may be a named pipe, or a link to one: reading it would wait for a writer
// that never comes. The editor says once that it cannot use the file and leaves it alone.
TEST_F(RunUnderWindowManagerTest, settingsFileThatIsAPipe_editorSaysSoOnceAndLeavesItAPipe) {
    const QString settings = sandbox.settingsPath();
    const QString pipe = sandbox.at(u"pipe"_s);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(settings).path()));
    testsupport::place(testsupport::Standing::Fifo, QFile::encodeName(pipe).toStdString());
    for (const bool throughLink : {false, true}) {
        SCOPED_TRACE(throughLink ? "a link to a pipe" : "a pipe");
        QFile::remove(settings);
        if (throughLink)
            ASSERT_TRUE(QFile::link(pipe, settings));
        else
            testsupport::place(testsupport::Standing::Fifo,
                               QFile::encodeName(settings).toStdString());
        QProcess process;
        startProgram(process, environment(), {});

        ASSERT_TRUE(closeWindow(u" Message"_s, u"Return"_s));
        ASSERT_TRUE(display.waitForWindow(u"Runvoy"_s, WindowBoundMs));
        EXPECT_EQ(shownTitles(), QStringList{u"Runvoy"_s});
        ASSERT_TRUE(closeWindow(u"Runvoy"_s));
        const QStringList shownWhileClosing = windowsShownUntilEnd(process);
        const RunOutcome outcome = waitForEnd(process);

        EXPECT_TRUE(outcome.endedNormally()) << outcome.describe();
        EXPECT_TRUE(shownWhileClosing.isEmpty()) << shownWhileClosing.join(u", "_s).toStdString();
        EXPECT_EQ(QFileInfo(settings).isSymLink(), throughLink);
        EXPECT_EQ(std::filesystem::status(QFile::encodeName(settings).toStdString()).type(),
                  std::filesystem::file_type::fifo);
    }
}

} // namespace
