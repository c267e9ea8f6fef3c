#include "platform/window_traits.h"
#include "platform/window_watches.h"

#include <gtest/gtest.h>

using platform::Millis;
using platform::parseTraits;
using platform::ShowCommand;
using platform::Tie;
using platform::WatchActions;
using platform::WatchedLaunch;
using platform::WindowFacts;
using platform::WindowWatches;

namespace {

using Requests = std::vector<std::pair<std::uint32_t, ShowCommand>>;
using Notices = std::vector<std::string>;

WatchedLaunch launch(ShowCommand show, std::int64_t pid = 100, Millis at = Millis(0)) {
    const std::string number = std::to_string(pid);
    return {show, "/items/" + number, "runvoy-1-" + number + "_TIME5", "runvoy-1-" + number, pid,
            at};
}

// A window of the process that the launch with pid started directly.
WindowFacts windowOf(std::uint32_t window, std::int64_t pid) {
    WindowFacts facts;
    facts.window = window;
    facts.clientLineage = {pid, 1};
    facts.declaredLineage = {pid, 1};
    return facts;
}

TEST(TieBetween, theFirmestEvidenceNamesTheTie) {
    const WatchedLaunch ours = launch(ShowCommand::Maximized, 100);
    WatchedLaunch oursOnTheBus = launch(ShowCommand::Maximized, 0);
    oursOnTheBus.desktopId = "org.example.Viewer";
    const auto with = [](auto change) {
        WindowFacts facts;
        facts.clientLineage = {900, 1};
        facts.declaredLineage = {900, 1};
        change(facts);
        return facts;
    };
    const struct {
        const char *name;
        WatchedLaunch launch;
        WindowFacts window;
        Tie tie;
    } cases[] = {
        {"our startup id, on a process of someone else", ours,
         with([&](WindowFacts &w) { w.startupId = ours.startupId; }), Tie::StartupId},
        {"a child of ours, as the server knows it", ours, with([](WindowFacts &w) {
             w.clientLineage = {150, 100, 1};
         }),
         Tie::ClientPid},
        // Inside a sandbox the declared pid counts in another namespace; the server knows better.
        {"declared pid from a sandbox", ours, with([](WindowFacts &w) {
             w.clientLineage = {120, 100, 1};
             w.declaredLineage = {2, 1};
         }),
         Tie::ClientPid},
        {"declared pid only, the server telling none", ours, with([](WindowFacts &w) {
             w.clientLineage.clear();
             w.declaredLineage = {100, 1};
         }),
         Tie::DeclaredPid},
        {"a program that forked and left its parent", ours,
         with([&](WindowFacts &w) { w.marker = ours.marker; }), Tie::Marker},
        {"another launch's marker", ours, with([](WindowFacts &w) { w.marker = "runvoy-1-7"; }),
         Tie::None},
        {"a handler that the bus started, naming the entry", oursOnTheBus,
         with([](WindowFacts &w) { w.desktopId = "org.example.Viewer"; }), Tie::DesktopId},
        {"another application's entry", oursOnTheBus,
         with([](WindowFacts &w) { w.desktopId = "org.example.Other"; }), Tie::None},
        {"nothing of ours", ours, with([](WindowFacts &) {}), Tie::None},
        {"neither ids nor a pid on either side", WatchedLaunch{}, with([](WindowFacts &w) {
             w.clientLineage.clear();
             w.declaredLineage.clear();
         }),
         Tie::None},
    };
    for (const auto &scenario : cases) {
        SCOPED_TRACE(scenario.name);
        EXPECT_EQ(platform::tieBetween(scenario.launch, scenario.window), scenario.tie);
    }
}

TEST(WindowWatches, maximizedWindow_isRequestedOnce_andTheWatchEndsAfterItHeldItsState) {
    WindowWatches watches;
    EXPECT_TRUE(watches.add(launch(ShowCommand::Maximized), Millis(0)).requests.empty());
    EXPECT_EQ(watches.nextDeadline(), Millis(10000));

    const WatchActions seen = watches.windowAppeared(windowOf(7, 100), Millis(300));
    EXPECT_EQ(seen.requests, (Requests{{7, ShowCommand::Maximized}}));
    EXPECT_EQ(seen.claims,
              (std::vector<std::pair<std::uint32_t, std::string>>{{7, "runvoy-1-100"}}));
    EXPECT_TRUE(watches.isWatching("runvoy-1-100"));
    EXPECT_TRUE(watches.stateChanged(7, {true, false}, Millis(310)).requests.empty());
    EXPECT_EQ(watches.nextDeadline(), Millis(1310));

    const WatchActions done = watches.timePassed(Millis(1310));
    EXPECT_TRUE(done.notices.empty());
    EXPECT_TRUE(watches.isIdle());
    EXPECT_FALSE(watches.isWatching("runvoy-1-100"));
}

// A program that restores its own geometry right after it shows gets one more request; one that
// keeps undoing it is left alone, and the user is told.
TEST(WindowWatches, stateUndoneByTheProgram_isRequestedOnceMore_thenGivenUp) {
    WindowWatches watches;
    watches.add(launch(ShowCommand::Minimized), Millis(0));
    watches.windowAppeared(windowOf(7, 100), Millis(100));
    watches.stateChanged(7, {false, true}, Millis(120));

    EXPECT_EQ(watches.stateChanged(7, {false, false}, Millis(420)).requests,
              (Requests{{7, ShowCommand::Minimized}}));
    watches.stateChanged(7, {false, true}, Millis(430));
    const WatchActions again = watches.stateChanged(7, {false, false}, Millis(700));

    EXPECT_TRUE(again.requests.empty());
    EXPECT_EQ(again.notices, Notices{"the window of /items/100 left its minimized state again"});
    EXPECT_TRUE(watches.isIdle());
}

TEST(WindowWatches, splashAndTransientWindows_areSkipped_theMainWindowIsTaken) {
    WindowWatches watches;
    watches.add(launch(ShowCommand::Maximized), Millis(0));
    WindowFacts splash = windowOf(5, 100);
    splash.ordinary = false;
    WindowFacts dialog = windowOf(6, 100);
    dialog.transient = true;

    EXPECT_TRUE(watches.windowAppeared(splash, Millis(100)).requests.empty());
    EXPECT_TRUE(watches.windowAppeared(dialog, Millis(200)).requests.empty());
    EXPECT_EQ(watches.windowAppeared(windowOf(7, 100), Millis(600)).requests,
              (Requests{{7, ShowCommand::Maximized}}));
}

// A quick program can show its window while its launch is still being handed over; a window that
// was there before the launch belongs to something else.
TEST(WindowWatches, windowShownDuringTheHandOver_isTaken_oneFromBeforeTheLaunchIsNot) {
    WindowWatches watches;
    WindowFacts before = windowOf(6, 100);
    before.startupId = launch(ShowCommand::Maximized).startupId;
    watches.windowAppeared(before, Millis(90));
    watches.windowAppeared(windowOf(7, 100), Millis(120));

    EXPECT_EQ(watches.add(launch(ShowCommand::Maximized, 100, Millis(100)), Millis(150)).requests,
              (Requests{{7, ShowCommand::Maximized}}));
}

TEST(WindowWatches, eachWindowGoesToTheLaunchItIsTiedToMostFirmly) {
    WindowWatches watches;
    watches.add(launch(ShowCommand::Maximized, 100), Millis(0));
    watches.add(launch(ShowCommand::Minimized, 200), Millis(1000));
    // A single-instance program: the first launch's process shows the second launch's window.
    WindowFacts handedOver = windowOf(8, 100);
    handedOver.startupId = launch(ShowCommand::Minimized, 200).startupId;

    EXPECT_EQ(watches.windowAppeared(handedOver, Millis(1200)).requests,
              (Requests{{8, ShowCommand::Minimized}}));
    EXPECT_EQ(watches.windowAppeared(windowOf(9, 100), Millis(1300)).requests,
              (Requests{{9, ShowCommand::Maximized}}));
}

TEST(WindowWatches, whatCannotBeDone_isSaidOnce_andTheWatchEnds) {
    const struct {
        const char *name;
        ShowCommand show;
        void (*change)(WindowFacts &); // none: no window ever comes
        Millis giveUpAt;
        std::string notice;
    } cases[] = {
        {"a fixed size cannot be maximized", ShowCommand::Maximized,
         [](WindowFacts &w) { w.canMaximize = false; }, Millis(100),
         "the window of /items/100 cannot be maximized"},
        {"a window that cannot be minimized", ShowCommand::Minimized,
         [](WindowFacts &w) { w.canMinimize = false; }, Millis(100),
         "the window of /items/100 cannot be minimized"},
        {"a window manager that does not answer", ShowCommand::Maximized, [](WindowFacts &) {},
         Millis(2100), "the window manager did not make the window of /items/100 maximized"},
        {"a window that never comes", ShowCommand::Minimized, nullptr, Millis(10000),
         "no window of /items/100 appeared within 10 seconds; its window state was not applied"},
    };
    for (const auto &scenario : cases) {
        SCOPED_TRACE(scenario.name);
        WindowWatches watches;
        watches.add(launch(scenario.show), Millis(0));
        WatchActions actions;
        if (scenario.change != nullptr) {
            WindowFacts window = windowOf(7, 100);
            scenario.change(window);
            actions = watches.windowAppeared(window, Millis(100));
        } else {
            // Someone else's window is no sign of ours.
            watches.windowAppeared(windowOf(9, 555), Millis(3000));
        }
        if (!watches.isIdle()) {
            EXPECT_EQ(watches.nextDeadline(), scenario.giveUpAt);
            EXPECT_TRUE(watches.timePassed(scenario.giveUpAt - Millis(1)).notices.empty());
            actions = watches.timePassed(scenario.giveUpAt);
        }
        EXPECT_EQ(actions.notices, Notices{scenario.notice});
        EXPECT_TRUE(watches.isIdle());
    }
}

TEST(WindowWatches, windowAlreadyInItsState_isNotAskedAgain_andOneThatCloses_endsItsWatch) {
    WindowWatches watches;
    watches.add(launch(ShowCommand::Maximized, 100), Millis(0));
    watches.add(launch(ShowCommand::Maximized, 200), Millis(0));
    WindowFacts maximized = windowOf(7, 100);
    maximized.state.maximized = true;

    EXPECT_TRUE(watches.windowAppeared(maximized, Millis(100)).requests.empty());
    watches.windowAppeared(windowOf(8, 200), Millis(100));
    watches.windowGone(8);
    EXPECT_TRUE(watches.timePassed(Millis(1100)).notices.empty());
    EXPECT_TRUE(watches.isIdle());
}

} // namespace

TEST(KWinWindowTraits, eachWordSetsItsTrait_unknownWordsAreIgnored) {
    const platform::WindowTraits none = parseTraits("");
    EXPECT_FALSE(none.x11 || none.canMaximize || none.canMinimize || none.state.maximized ||
                 none.state.minimized);
    const platform::WindowTraits all =
        parseTraits("x11 maximizable minimizable maximized minimized shaded");
    EXPECT_TRUE(all.x11 && all.canMaximize && all.canMinimize && all.state.maximized &&
                all.state.minimized);
    EXPECT_TRUE(parseTraits("  minimizable ").canMinimize);
}
