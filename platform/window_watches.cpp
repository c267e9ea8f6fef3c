#include "platform/window_watches.h"

#include <algorithm>

namespace platform {

namespace {

bool isIn(ShowCommand show, ShownState state) {
    return show == ShowCommand::Maximized ? state.maximized : state.minimized;
}

std::string stateName(ShowCommand show) {
    return show == ShowCommand::Maximized ? "maximized" : "minimized";
}

// Notices name items by their path as the system spells it, for standard error.
std::string windowOf(const WatchedLaunch &launch) {
    return "the window of " + launch.item.string();
}

bool holds(const std::vector<std::int64_t> &lineage, std::int64_t pid) {
    return pid > 0 && std::find(lineage.begin(), lineage.end(), pid) != lineage.end();
}

} // namespace

Tie tieBetween(const WatchedLaunch &launch, const WindowFacts &window) {
    if (!launch.startupId.empty() && window.startupId == launch.startupId)
        return Tie::StartupId;
    if (holds(window.clientLineage, launch.pid))
        return Tie::ClientPid;
    if (holds(window.declaredLineage, launch.pid))
        return Tie::DeclaredPid;
    if (!launch.marker.empty() && window.marker == launch.marker)
        return Tie::Marker;
    if (!launch.desktopId.empty() && window.desktopId == launch.desktopId)
        return Tie::DesktopId;
    return Tie::None;
}

WatchActions WindowWatches::add(const WatchedLaunch &launch, Millis now) {
    watches.push_back({launch, Phase::Waiting, 0, 0, launch.at + timing.bound, false});
    // A quick program may have shown its window while its launch was still being handed over.
    WatchActions actions;
    std::vector<Unclaimed> earlier;
    earlier.swap(unclaimed);
    for (const Unclaimed &window : earlier)
        offer(window.facts, window.at, now, actions);
    sweep();
    return actions;
}

WatchActions WindowWatches::windowAppeared(const WindowFacts &window, Millis now) {
    WatchActions actions;
    std::erase_if(unclaimed, [&](const Unclaimed &old) { return old.at + timing.bound < now; });
    // Splash screens, dialogs and other helpers never take a state: the main window does.
    if (window.ordinary && !window.transient)
        offer(window, now, now, actions);
    sweep();
    return actions;
}

void WindowWatches::offer(const WindowFacts &window, Millis appearedAt, Millis now,
                          WatchActions &actions) {
    // The firmest tie wins: a single-instance program may show one launch's window from another
    // launch's process, but it passes on the startup id of the launch that asked.
    Watch *taker = nullptr;
    Tie firmest = Tie::None;
    for (Watch &watch : watches) {
        if (watch.phase != Phase::Waiting || watch.ended || watch.launch.at > appearedAt)
            continue;
        const Tie tie = tieBetween(watch.launch, window);
        if (tie > firmest) {
            taker = &watch;
            firmest = tie;
        }
    }
    if (taker == nullptr) {
        unclaimed.push_back({window, appearedAt});
        return;
    }
    follow(*taker, window, now, actions);
}

void WindowWatches::follow(Watch &watch, const WindowFacts &window, Millis now,
                           WatchActions &actions) {
    watch.window = window.window;
    actions.claims.emplace_back(window.window, watch.launch.marker);
    const ShowCommand show = watch.launch.show;
    const bool allowed = show == ShowCommand::Maximized ? window.canMaximize : window.canMinimize;
    if (!allowed) {
        actions.notices.push_back(windowOf(watch.launch) + " cannot be " + stateName(show));
        watch.ended = true;
        return;
    }
    if (isIn(show, window.state)) {
        watch.phase = Phase::Holding;
        watch.deadline = now + timing.hold;
        return;
    }
    request(watch, now, actions);
}

void WindowWatches::request(Watch &watch, Millis now, WatchActions &actions) {
    ++watch.requests;
    watch.phase = Phase::Requested;
    watch.deadline = now + timing.confirm;
    actions.requests.emplace_back(watch.window, watch.launch.show);
}

WatchActions WindowWatches::stateChanged(std::uint32_t window, ShownState state, Millis now) {
    WatchActions actions;
    for (Watch &watch : watches) {
        if (watch.phase == Phase::Waiting || watch.ended || watch.window != window)
            continue;
        const bool in = isIn(watch.launch.show, state);
        if (watch.phase == Phase::Requested && in) {
            watch.phase = Phase::Holding;
            watch.deadline = now + timing.hold;
        } else if (watch.phase == Phase::Holding && !in) {
            // Some programs put back their own geometry right after they show: ask once more.
            if (watch.requests < 2) {
                request(watch, now, actions);
            } else {
                actions.notices.push_back(windowOf(watch.launch) + " left its " +
                                          stateName(watch.launch.show) + " state again");
                watch.ended = true;
            }
        }
    }
    sweep();
    return actions;
}

void WindowWatches::windowGone(std::uint32_t window) {
    for (Watch &watch : watches) {
        if (watch.phase != Phase::Waiting && watch.window == window)
            watch.ended = true;
    }
    std::erase_if(unclaimed, [&](const Unclaimed &old) { return old.facts.window == window; });
    sweep();
}

WatchActions WindowWatches::timePassed(Millis now) {
    WatchActions actions;
    for (Watch &watch : watches) {
        if (watch.ended || watch.deadline > now)
            continue;
        if (watch.phase == Phase::Waiting) {
            const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(timing.bound);
            actions.notices.push_back("no window of " + watch.launch.item.string() +
                                      " appeared within " + std::to_string(seconds.count()) +
                                      " seconds; its window state was not applied");
        } else if (watch.phase == Phase::Requested) {
            actions.notices.push_back("the window manager did not make " + windowOf(watch.launch) +
                                      " " + stateName(watch.launch.show));
        }
        watch.ended = true;
    }
    std::erase_if(unclaimed, [&](const Unclaimed &old) { return old.at + timing.bound < now; });
    sweep();
    return actions;
}

bool WindowWatches::isWatching(const std::string &marker) const {
    return std::any_of(watches.begin(), watches.end(),
                       [&](const Watch &watch) { return watch.launch.marker == marker; });
}

std::optional<Millis> WindowWatches::nextDeadline() const {
    std::optional<Millis> next;
    for (const Watch &watch : watches) {
        if (!next || watch.deadline < *next)
            next = watch.deadline;
    }
    return next;
}

void WindowWatches::sweep() {
    std::erase_if(watches, [](const Watch &watch) { return watch.ended; });
}

} // namespace platform
