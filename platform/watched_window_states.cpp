#include "platform/watched_window_states.h"

#include <glib.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace platform {

namespace {

Millis now() {
    return std::chrono::duration_cast<Millis>(std::chrono::steady_clock::now().time_since_epoch());
}

} // namespace

WatchedWindowStates::~WatchedWindowStates() {
    if (deadlineSource != 0)
        g_source_remove(deadlineSource);
    giveUpPending();
    // The sources go first: they may still report while they close, and the watches are there.
    sources.clear();
}

void WatchedWindowStates::addSource(std::unique_ptr<WindowSource> source) {
    sources.push_back(std::move(source));
}

std::optional<LaunchTag> WatchedWindowStates::prepare(ShowCommand show,
                                                      const std::filesystem::path &item) {
    giveUpPending();
    LaunchTag tag;
    tag.show = show;
    tag.item = item;
    tag.marker = "runvoy-" + std::to_string(getpid()) + '-' + std::to_string(++launches);
    tag.preparedAt = now();
    pending = tag.marker;
    for (const std::unique_ptr<WindowSource> &source : sources)
        source->prepare(tag);
    return tag;
}

void WatchedWindowStates::launched(const LaunchTag &tag, std::int64_t pid,
                                   const std::string &desktopId) {
    pending.reset();
    watched.push_back(tag.marker);
    perform(watches.add(
        {tag.show, tag.item, tag.startupId, tag.marker, pid, tag.preparedAt, desktopId}, now()));
    for (const std::unique_ptr<WindowSource> &source : sources)
        source->settled(tag.marker, true);
}

void WatchedWindowStates::waitForWatches() {
    giveUpPending();
    while (!watches.isIdle())
        g_main_context_iteration(nullptr, TRUE);
}

void WatchedWindowStates::windowAppeared(const WindowFacts &window) {
    perform(watches.windowAppeared(window, now()));
}

void WatchedWindowStates::stateChanged(std::uint32_t window, ShownState state) {
    perform(watches.stateChanged(window, state, now()));
}

void WatchedWindowStates::windowGone(std::uint32_t window) {
    watches.windowGone(window);
    perform({});
}

// A launch that failed to start is never handed over; its sources stop waiting for it.
void WatchedWindowStates::giveUpPending() {
    if (!pending)
        return;
    const std::string marker = *pending;
    pending.reset();
    for (const std::unique_ptr<WindowSource> &source : sources)
        source->settled(marker, false);
}

void WatchedWindowStates::perform(const WatchActions &actions) {
    for (const auto &[window, marker] : actions.claims) {
        if (WindowSource *owner = ownerOf(window))
            owner->claimed(window, marker);
    }
    for (const auto &[window, show] : actions.requests) {
        if (WindowSource *owner = ownerOf(window))
            owner->request(window, show);
    }
    for (const std::string &notice : actions.notices)
        std::fprintf(stderr, "runvoy: %s\n", notice.c_str());
    std::erase_if(watched, [&](const std::string &marker) {
        if (watches.isWatching(marker))
            return false;
        for (const std::unique_ptr<WindowSource> &source : sources)
            source->ended(marker);
        return true;
    });
    armDeadline();
}

WindowSource *WatchedWindowStates::ownerOf(std::uint32_t window) const {
    for (const std::unique_ptr<WindowSource> &source : sources) {
        if (source->owns(window))
            return source.get();
    }
    return nullptr;
}

// Sets the one timeout source to the next bound, or removes it while nothing is watched.
void WatchedWindowStates::armDeadline() {
    if (deadlineSource != 0) {
        g_source_remove(deadlineSource);
        deadlineSource = 0;
    }
    const std::optional<Millis> next = watches.nextDeadline();
    if (!next)
        return;
    deadlineSource = g_timeout_add(
        guint(std::max(Millis(0), *next - now()).count()),
        +[](gpointer self) -> gboolean {
            static_cast<WatchedWindowStates *>(self)->boundReached();
            return G_SOURCE_REMOVE;
        },
        this);
}

void WatchedWindowStates::boundReached() {
    // The source ends with this call; armDeadline must not remove it a second time.
    deadlineSource = 0;
    perform(watches.timePassed(now()));
}

} // namespace platform
