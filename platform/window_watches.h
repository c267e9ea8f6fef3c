#pragma once

#include "platform/shell.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace platform {

using Millis = std::chrono::milliseconds;

// A launch whose window must come up in a state other than Normal.
struct WatchedLaunch {
    ShowCommand show = ShowCommand::Normal;
    std::filesystem::path item;
    std::string startupId;
    std::string marker;
    std::int64_t pid = 0; // 0 when unknown
    Millis at{};
    // The desktop entry of the application the desktop started, without ".desktop"; empty when
    // the item was a program run directly.
    std::string desktopId = {};
};

// What the window manager has written about a window.
struct ShownState {
    bool maximized = false; // in both directions
    bool minimized = false;
};

// What is known about a top-level window when the window manager first lists it.
struct WindowFacts {
    std::uint32_t window = 0;
    bool ordinary = true; // of type normal, or of no type at all
    bool transient = false;
    std::string startupId; // its own, or its client leader's
    // A process and its parents, nearest first: the one the X server knows for the window's
    // client, and the one the window declares; empty when unknown.
    std::vector<std::int64_t> clientLineage;
    std::vector<std::int64_t> declaredLineage;
    std::string marker;    // from the environment of the window's process
    std::string desktopId; // the application's desktop entry, as the window names it
    bool canMaximize = true;
    bool canMinimize = true;
    ShownState state;
};

// How firmly a window is tied to a launch, weakest first. The desktop entry ties only where
// nothing else can: a handler that the session bus starts carries neither the launch's process
// nor its marker.
enum class Tie { None, DesktopId, Marker, DeclaredPid, ClientPid, StartupId };

Tie tieBetween(const WatchedLaunch &launch, const WindowFacts &window);

struct WatchTiming {
    Millis bound{10000};  // a launch whose window has not come by then is given up
    Millis confirm{2000}; // for the window manager to carry out a request
    Millis hold{1000};    // a confirmed state is watched this long for a program undoing it
};

// What the window side must do next: state requests to send, and lines to tell the user. Claims
// name each window that a launch took, with the launch's marker.
struct WatchActions {
    std::vector<std::pair<std::uint32_t, ShowCommand>> requests;
    std::vector<std::string> notices;
    std::vector<std::pair<std::uint32_t, std::string>> claims;
};

// Ties new windows to the launches that wait for them and follows each to its state: a request
// once the window manager lists the window, a second one if the program undoes the state right
// away, and giving up at the bounds. Times come from the caller's steady clock.
class WindowWatches {
public:
    explicit WindowWatches(WatchTiming timing = {}) : timing(timing) {}

    WatchActions add(const WatchedLaunch &launch, Millis now);
    WatchActions windowAppeared(const WindowFacts &window, Millis now);
    WatchActions stateChanged(std::uint32_t window, ShownState state, Millis now);
    void windowGone(std::uint32_t window);
    WatchActions timePassed(Millis now);

    // When timePassed is next due; none while nothing is watched.
    std::optional<Millis> nextDeadline() const;
    bool isIdle() const { return watches.empty(); }
    // Whether the launch with this marker still waits for its window or follows it.
    bool isWatching(const std::string &marker) const;

private:
    enum class Phase { Waiting, Requested, Holding };
    struct Watch {
        WatchedLaunch launch;
        Phase phase = Phase::Waiting;
        std::uint32_t window = 0;
        int requests = 0;
        Millis deadline{};
        bool ended = false;
    };
    struct Unclaimed {
        WindowFacts facts;
        Millis at;
    };

    void offer(const WindowFacts &window, Millis appearedAt, Millis now, WatchActions &actions);
    void follow(Watch &watch, const WindowFacts &window, Millis now, WatchActions &actions);
    void request(Watch &watch, Millis now, WatchActions &actions);
    void sweep();

    WatchTiming timing;
    std::vector<Watch> watches;
    // Windows that no launch has claimed yet: a launch still being handed over may own one.
    std::vector<Unclaimed> unclaimed;
};

} // namespace platform
