#include "core/document/program_error.h"
#include "core/runner/batch_run.h"
#include "platform/path_text.h"

#include "tests/support/file_bytes.h"
#include "tests/support/named_rows.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

namespace fs = std::filesystem;
using testsupport::batchItem;
using testsupport::TemporaryFolder;
using Events = std::vector<std::string>;

namespace {

// Records, in one list, every wait and every start the runner asks for, and when each was.
struct Recorder : platform::Shell, Waiter {
    Events events;
    std::vector<fs::path> failing; // paths whose start fails
    std::vector<SteadyClock::time_point> openedAt;
    std::vector<SteadyClock::time_point> countedFrom;

    bool open(const fs::path &path, platform::ShowCommand show) override {
        openedAt.push_back(SteadyClock::now());
        events.push_back("open " + platform::textFromPath(path) + ' ' + std::to_string(int(show)));
        // The desktop takes its time, which is no part of the next item's delay.
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        return std::find(failing.begin(), failing.end(), path) == failing.end();
    }
    void waitMilliseconds(std::int32_t milliseconds, SteadyClock::time_point from) override {
        events.push_back("wait " + std::to_string(milliseconds));
        countedFrom.push_back(from);
    }
    Report report() {
        return [this](const std::string &prompt) {
            events.push_back("report " + prompt);
        };
    }
};

Events run(const std::vector<RunItem> &items, Recorder &recorder) {
    startItems(items, recorder, recorder, recorder.report());
    return recorder.events;
}

struct ScheduleRow {
    const char *name;
    std::vector<std::int32_t> delays; // of items a, b, c and so on, all Normal
    Events events;
    bool overflows = false; // the run stops with an error after the events
};

class RunSchedule : public testing::TestWithParam<ScheduleRow> {};

TEST_P(RunSchedule, everyItemAfterTheFirstWaitsOneSecondMoreUntilAWaitOverflows) {
    Recorder recorder;
    std::vector<RunItem> items;
    for (std::size_t i = 0; i < GetParam().delays.size(); ++i)
        items.push_back({std::string(1, char('a' + i)), GetParam().delays[i], WindowState::Normal});
    bool overflowed = false;
    try {
        run(items, recorder);
    } catch (const ProgramError &failure) {
        overflowed = failure.description() == "Overflow";
    }
    EXPECT_EQ(recorder.events, GetParam().events);
    EXPECT_EQ(overflowed, GetParam().overflows);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RunSchedule,
    testing::Values(
        ScheduleRow{
            "no_delays", {0, 0, 0}, {"open a 1", "wait 1000", "open b 1", "wait 1000", "open c 1"}},
        ScheduleRow{"five_seconds_each",
                    {5, 5, 5},
                    {"wait 5000", "open a 1", "wait 6000", "open b 1", "wait 6000", "open c 1"}},
        ScheduleRow{
            "negative_delays", {-3, -1, 2}, {"open a 1", "open b 1", "wait 3000", "open c 1"}},
        ScheduleRow{"largest_first_wait", {2147483}, {"wait 2147483000", "open a 1"}},
        ScheduleRow{"seconds_overflow", {0, 2147483647}, {"open a 1"}, true},
        ScheduleRow{"milliseconds_overflow", {0, 2147484}, {"open a 1"}, true},
        ScheduleRow{"the_added_second_overflows", {0, 2147483}, {"open a 1"}, true}),
    testsupport::RowName());

const std::string Invalid = " is an invalid file or folder name.  You will need to edit this .rvq "
                            "file for this item to work.";

TEST(RunItems, startsEachInItsStateAndReportsTheOnesThatFail) {
    Recorder recorder;
    recorder.failing = {"/gone.sh"};
    const std::vector<RunItem> items = {
        {"/a", 0, WindowState::Minimized},
        {"/gone.sh", -1, WindowState::Maximized},
        {"/b", -1, std::nullopt}, // no state: never started, still reported
        {"/c", -1, WindowState::Normal},
    };
    EXPECT_EQ(run(items, recorder),
              (Events{"open /a 2", "open /gone.sh 3", "report /gone.sh" + Invalid,
                      "report /b" + Invalid, "open /c 1"}));
}

// An item that is a batch of the run's own chain, by whatever path, would start runs without end.
TEST(RunItems, anItemOfTheRunsOwnChainIsReportedNotStarted) {
    TemporaryFolder folder;
    testsupport::writeFile(folder / "Loop.rvq", "");
    const std::string again = platform::textFromPath(folder / "." / "Loop.rvq");
    Recorder recorder;
    startItems({{again, 0, WindowState::Normal}}, recorder, recorder, recorder.report(),
               {folder / "Loop.rvq"});
    EXPECT_EQ(recorder.events, Events{"report " + again + Invalid});
}

// The time the desktop takes to start an item, or the user to close a message, is part of the
// next item's wait, not added to it: each wait counts from the start or the message before.
TEST(RunItems, theNextWaitCountsFromTheStartOfTheItemBeforeOrItsMessage) {
    Recorder recorder;
    recorder.failing = {"/a"};
    SteadyClock::time_point messageClosed;
    startItems({{"/a", 0, WindowState::Normal},
                {"/b", 0, WindowState::Normal},
                {"/c", 0, WindowState::Normal}},
               recorder, recorder, [&](const std::string &) {
                   std::this_thread::sleep_for(std::chrono::milliseconds(2));
                   messageClosed = SteadyClock::now();
               });
    ASSERT_EQ(recorder.countedFrom.size(), 2u);
    ASSERT_EQ(recorder.openedAt.size(), 3u);
    EXPECT_GE(recorder.countedFrom[0], messageClosed);
    EXPECT_LE(recorder.countedFrom[1], recorder.openedAt[1]);
}

TEST(RunReadingWhole, readsTheWholeFileBeforeAnythingStarts) {
    TemporaryFolder folder;
    testsupport::writeFile(folder / "batch.rvq", batchItem("/a b", "Normal", "2.5") +
                                                     batchItem("/c", "Maximized", "3.5"));
    const std::vector<RunItem> items = readRunItems(folder / "batch.rvq");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].path, "/a b");
    EXPECT_EQ(items[0].delay, 2);
    EXPECT_EQ(items[1].delay, 4);
    EXPECT_EQ(items[1].state, WindowState::Maximized);
    testsupport::writeFile(folder / "empty.rvq", "");
    EXPECT_TRUE(readRunItems(folder / "empty.rvq").empty());
}

struct ReadingRow {
    const char *name;
    std::string bytes;
    std::string error; // how the description begins; empty when all five items are read
};

class RunReading : public testing::TestWithParam<ReadingRow> {};

TEST_P(RunReading, refusesAFileThatCannotBeRunWhole) {
    TemporaryFolder folder;
    testsupport::writeFile(folder / "batch.rvq", GetParam().bytes);
    try {
        EXPECT_EQ(readRunItems(folder / "batch.rvq").size(), 5u);
        EXPECT_EQ(GetParam().error, "");
    } catch (const ProgramError &failure) {
        EXPECT_TRUE(failure.description().starts_with(GetParam().error)) << failure.description();
    }
}

const std::string FiveItems =
    batchItem("/1") + batchItem("/2") + batchItem("/3") + batchItem("/4") + batchItem("/5");

INSTANTIATE_TEST_SUITE_P(
    Table, RunReading,
    testing::Values(
        ReadingRow{"five_items", FiveItems, ""},
        ReadingRow{"a_sixth_item", FiveItems + batchItem("/6"), "Subscript out of range"},
        ReadingRow{"an_item_cut_short", batchItem("/1") + "\"/2\"\r\n", "Input past end of file"},
        ReadingRow{"a_delay_that_overflows",
                   batchItem("/1") + batchItem("/2", "Normal", "9999999999"), "Overflow"}),
    testsupport::RowName());

} // namespace
