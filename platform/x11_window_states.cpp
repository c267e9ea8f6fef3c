#include "platform/x11_window_states.h"

#include <glib-unix.h>
#include <glib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include <unistd.h>

namespace platform {

namespace {

Millis now() {
    return std::chrono::duration_cast<Millis>(std::chrono::steady_clock::now().time_since_epoch());
}

} // namespace

X11WindowStates::X11WindowStates(std::unique_ptr<X11Desktop> x11) : desktop(std::move(x11)) {
    for (const std::uint32_t window : desktop->clientList())
        listed.insert(window);
    socketSource = g_unix_fd_add(
        desktop->socket(), GIOCondition(G_IO_IN | G_IO_HUP | G_IO_ERR),
        +[](gint, GIOCondition, gpointer self) -> gboolean {
            auto *states = static_cast<X11WindowStates *>(self);
            states->readChanges();
            return states->socketSource != 0 ? G_SOURCE_CONTINUE : G_SOURCE_REMOVE;
        },
        this);
    readChanges();
}

X11WindowStates::~X11WindowStates() {
    for (const unsigned source : {socketSource, deadlineSource}) {
        if (source != 0)
            g_source_remove(source);
    }
}

std::optional<LaunchTag> X11WindowStates::prepare(ShowCommand show,
                                                  const std::filesystem::path &item) {
    LaunchTag tag;
    tag.show = show;
    tag.item = item;
    tag.marker = "runvoy-" + std::to_string(getpid()) + '-' + std::to_string(++launches);
    // The time lets the window manager weigh the new window against the user's own actions.
    tag.startupId = tag.marker + "_TIME" + std::to_string(desktop->serverTime());
    tag.preparedAt = now();
    // The round trip may have held back changes that the socket will not announce again.
    readChanges();
    return tag;
}

void X11WindowStates::launched(const LaunchTag &tag, std::int64_t pid) {
    perform(
        watches.add({tag.show, tag.item, tag.startupId, tag.marker, pid, tag.preparedAt}, now()));
    armDeadline();
}

void X11WindowStates::waitForWatches() {
    readChanges();
    while (!watches.isIdle())
        g_main_context_iteration(nullptr, TRUE);
}

void X11WindowStates::readChanges() {
    while (const std::optional<X11Desktop::Change> change = desktop->nextChange()) {
        if (change->kind == X11Desktop::Change::ClientList)
            clientListChanged();
        else
            perform(watches.stateChanged(change->window, desktop->stateOf(change->window), now()));
    }
    // A display that has gone away leaves the watches to their bounds; its socket would only
    // keep reporting the end.
    if (desktop->hasFailed() && socketSource != 0) {
        g_source_remove(socketSource);
        socketSource = 0;
    }
    armDeadline();
}

void X11WindowStates::clientListChanged() {
    std::set<std::uint32_t> current;
    for (const std::uint32_t window : desktop->clientList())
        current.insert(window);
    for (const std::uint32_t window : listed) {
        if (!current.contains(window))
            watches.windowGone(window);
    }
    for (const std::uint32_t window : current) {
        if (!listed.contains(window))
            perform(watches.windowAppeared(desktop->factsAbout(window), now()));
    }
    listed = std::move(current);
}

void X11WindowStates::perform(const WatchActions &actions) {
    for (const auto &[window, show] : actions.requests)
        desktop->request(window, show);
    for (const std::string &notice : actions.notices)
        std::fprintf(stderr, "runvoy: %s\n", notice.c_str());
}

// Sets the one timeout source to the next bound, or removes it while nothing is watched.
void X11WindowStates::armDeadline() {
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
            static_cast<X11WindowStates *>(self)->boundReached();
            return G_SOURCE_REMOVE;
        },
        this);
}

void X11WindowStates::boundReached() {
    // The source ends with this call; armDeadline must not remove it a second time.
    deadlineSource = 0;
    perform(watches.timePassed(now()));
    armDeadline();
}

} // namespace platform
