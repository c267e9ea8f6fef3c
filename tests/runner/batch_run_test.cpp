#include "core/document/program_error.h"
#include "core/runner/batch_run.h"
#include "core/runner/deadline_waiter.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include "tests/support/printers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Records, in one list, every wait and every start the runner asks for.
struct Recorder : platform::Shell, Waiter {
    QStringList events;
    QStringList failing; // paths whose start fails

    bool open(const QString &path, platform::ShowCommand show) override {
        events << u"open "_s + path + u' ' + QString::number(int(show));
        return !failing.contains(path);
    }
    void waitMilliseconds(qint32 milliseconds, SteadyClock::time_point) override {
        events << u"wait "_s + QString::number(milliseconds);
    }
};

QStringList run(const std::vector<RunItem> &items, Recorder &recorder) {
    startItems(items, recorder, recorder,
               [&recorder](const QString &prompt) { recorder.events << u"report "_s + prompt; });
    return recorder.events;
}

QString writeBatch(const QTemporaryDir &dir, const QByteArray &bytes) {
    const QString path = dir.filePath(u"batch.rvq"_s);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

QByteArray item(const QByteArray &path, const QByteArray &delay,
                const QByteArray &state = "Normal") {
    return '"' + path + "\"\r\n\"" + delay + "\"\r\n\"" + state + "\"\r\n";
}

} // namespace

TEST(RunSchedule, everyItemAfterTheFirstWaitsOneSecondMore) {
    const struct {
        const char *what;
        std::vector<qint32> delays;
        QStringList waits; // as recorded between the starts
    } cases[] = {
        {"0, 0, 0",
         {0, 0, 0},
         {u"open a"_s, u"wait 1000"_s, u"open b"_s, u"wait 1000"_s, u"open c"_s}},
        {"5, 5, 5",
         {5, 5, 5},
         {u"wait 5000"_s, u"open a"_s, u"wait 6000"_s, u"open b"_s, u"wait 6000"_s, u"open c"_s}},
        {"-3, -1, 2", {-3, -1, 2}, {u"open a"_s, u"open b"_s, u"wait 3000"_s, u"open c"_s}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Recorder recorder;
        std::vector<RunItem> items;
        const QStringList names{u"a"_s, u"b"_s, u"c"_s};
        for (int i = 0; i < 3; ++i)
            items.push_back({names[i], c.delays[i], WindowState::Normal});
        QStringList events = run(items, recorder);
        // Every item here is "Normal": leave its show command out.
        events.replaceInStrings(QRegularExpression(u" 1$"_s), QString());
        EXPECT_EQ(events, c.waits);
    }
}

TEST(RunSchedule, startsEachItemInItsStateAndReportsTheOnesThatFail) {
    Recorder recorder;
    recorder.failing << u"/gone.sh"_s;
    const std::vector<RunItem> items = {
        {u"/a"_s, 0, WindowState::Minimized},
        {u"/gone.sh"_s, -1, WindowState::Maximized},
        {u"/b"_s, -1, std::nullopt}, // no state: never started, still reported
        {u"/c"_s, -1, WindowState::Normal},
    };
    const QString invalid = u" is an invalid file or folder name.  You will need to edit this .rvq "
                            u"file for this item to work."_s;
    EXPECT_EQ(run(items, recorder),
              (QStringList{u"open /a 2"_s, u"open /gone.sh 3"_s, u"report /gone.sh"_s + invalid,
                           u"report /b"_s + invalid, u"open /c 1"_s}));
}

TEST(RunSchedule, aDelayThatOverflowsStopsTheRunAtThatItem) {
    for (const qint32 delay : {2147483647, 2147484, 2147483}) {
        SCOPED_TRACE(delay);
        Recorder recorder;
        EXPECT_THROW(run({{u"/a"_s, 0, WindowState::Normal}, {u"/b"_s, delay, WindowState::Normal}},
                         recorder),
                     ProgramError);
        EXPECT_EQ(recorder.events, QStringList{u"open /a 1"_s});
    }
    Recorder first;
    run({{u"/a"_s, 2147483, WindowState::Normal}}, first);
    EXPECT_EQ(first.events.value(0), u"wait 2147483000"_s);
}

// The desktop may take its time to start an item; that time is part of the next item's wait,
// not added to it. The bounds are generous: only a wait that starts after the launch fails.
TEST(RunSchedule, theNextWaitCountsFromTheStartOfTheItemBefore) {
    struct SlowShell : platform::Shell {
        QElapsedTimer clock;
        QList<qint64> startedAtMs;
        bool open(const QString &, platform::ShowCommand) override {
            startedAtMs << clock.elapsed();
            QThread::msleep(600);
            return true;
        }
    } shell;
    shell.clock.start();
    DeadlineWaiter waiter;
    startItems({{u"/a"_s, 0, WindowState::Normal}, {u"/b"_s, 0, WindowState::Normal}}, shell,
               waiter, [](const QString &prompt) { ADD_FAILURE() << prompt.toStdString(); });
    ASSERT_EQ(shell.startedAtMs.size(), 2);
    const qint64 gap = shell.startedAtMs[1] - shell.startedAtMs[0];
    EXPECT_GE(gap, 990);
    EXPECT_LT(gap, 1500);
}

TEST(RunReading, readsTheWholeFileBeforeAnythingStarts) {
    QTemporaryDir dir;
    const std::vector<RunItem> items =
        readRunItems(writeBatch(dir, item("/a b", "2.5") + item("/c", "3.5", "Maximized")));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].path, u"/a b"_s);
    EXPECT_EQ(items[0].delay, 2);
    EXPECT_EQ(items[1].delay, 4);
    EXPECT_EQ(items[1].state, WindowState::Maximized);
    EXPECT_TRUE(readRunItems(writeBatch(dir, "")).empty());
}

TEST(RunReading, refusesFilesThatCannotBeRunWhole) {
    QTemporaryDir dir;
    const QByteArray five =
        item("/1", "0") + item("/2", "0") + item("/3", "0") + item("/4", "0") + item("/5", "0");
    const struct {
        const char *what;
        QByteArray bytes;
        QString error;
    } cases[] = {
        {"a sixth item", five + item("/6", "0"), u"Subscript out of range"_s},
        {"an item cut short", item("/1", "0") + "\"/2\"\r\n", u"Input past end of file"_s},
        {"a delay that overflows", item("/1", "0") + item("/2", "9999999999"), u"Overflow"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        try {
            readRunItems(writeBatch(dir, c.bytes));
            ADD_FAILURE() << "read without error";
        } catch (const ProgramError &failure) {
            EXPECT_TRUE(failure.description().startsWith(c.error))
                << failure.description().toStdString();
        }
    }
    EXPECT_EQ(readRunItems(writeBatch(dir, five)).size(), 5u);
}
