#include "tests/e2e/run_process.h"
#include "tests/e2e/run_sandbox.h"
#include "tests/e2e/run_test.h"
#include "tests/e2e/x_display.h"
#include "tests/support/printers.h"

#include <QDateTime>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int WindowBoundMs = 30000;

// Runs on a display of their own, where the program's windows can be seen and answered from
// outside: an offscreen run shows nothing to anyone but itself.
class RunOnDisplayTest : public RunTest {
protected:
    void SetUp() override {
        const QString missing = XDisplay::missingTools();
        if (!missing.isEmpty())
            GTEST_SKIP() << "needs a private X display; not installed: " << missing.toStdString();
        ASSERT_TRUE(display.isReady());
        RunTest::SetUp();
    }

    QProcessEnvironment environment() const {
        QProcessEnvironment environment = sandbox.environment();
        display.useIn(environment);
        return environment;
    }

    // Every window title that was shown while the run went on, polled until it ended.
    QStringList windowsShownUntilEnd(QProcess &process) const {
        QStringList seen;
        while (!process.waitForFinished(50)) {
            if (process.state() == QProcess::NotRunning)
                break;
            for (const QString &title : display.visibleWindows()) {
                if (!seen.contains(title))
                    seen << title;
            }
        }
        return seen;
    }

    XDisplay display;
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
    EXPECT_EQ(display.visibleWindows(), QStringList{u" Message from Runvoy"_s});
    const qint64 answeredAt = QDateTime::currentMSecsSinceEpoch();
    ASSERT_TRUE(display.pressKey(u"Message from Runvoy"_s, u"Return"_s));

    const QList<ItemStart> starts = sandbox.waitForStarts(1);
    const RunOutcome outcome = waitForEnd(process);

    EXPECT_TRUE(outcome.endedNormally()) << outcome.describe();
    ASSERT_EQ(starts.size(), 1);
    EXPECT_EQ(starts[0].path, item(u"next"_s));
    EXPECT_GE(starts[0].atMs - answeredAt, 1000 - SlackMs);
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
            return process.state() == QProcess::NotRunning ||
                   display.visibleWindows().contains(u" Message"_s);
        },
        WindowBoundMs);

    EXPECT_TRUE(reported && process.state() == QProcess::Running)
        << (reported ? waitForEnd(process).describe() : "neither reported nor ended");
    process.kill();
    process.waitForFinished();
}

} // namespace
