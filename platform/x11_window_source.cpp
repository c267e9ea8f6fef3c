#include "platform/x11_window_source.h"

#include <glib-unix.h>
#include <glib.h>

#include <string>

namespace platform {

X11WindowSource::X11WindowSource(std::unique_ptr<X11Desktop> x11, WindowReports &reports)
    : desktop(std::move(x11)), reports(reports) {
    for (const std::uint32_t window : desktop->clientList())
        listed.insert(window);
    socketSource = g_unix_fd_add(
        desktop->socket(), GIOCondition(G_IO_IN | G_IO_HUP | G_IO_ERR),
        +[](gint, GIOCondition, gpointer self) -> gboolean {
            auto *source = static_cast<X11WindowSource *>(self);
            source->readChanges();
            return source->socketSource != 0 ? G_SOURCE_CONTINUE : G_SOURCE_REMOVE;
        },
        this);
    readChanges();
}

X11WindowSource::~X11WindowSource() {
    if (socketSource != 0)
        g_source_remove(socketSource);
}

void X11WindowSource::prepare(LaunchTag &tag) {
    // The time lets the window manager weigh the new window against the user's own actions.
    tag.startupId = tag.marker + "_TIME" + std::to_string(desktop->serverTime());
    // The round trip may have held back changes that the socket will not announce again.
    readChanges();
}

void X11WindowSource::request(std::uint32_t window, ShowCommand show) {
    desktop->request(window, show);
}

void X11WindowSource::readChanges() {
    while (const std::optional<X11Desktop::Change> change = desktop->nextChange()) {
        if (change->kind == X11Desktop::Change::ClientList)
            clientListChanged();
        else
            reports.stateChanged(change->window, desktop->stateOf(change->window));
    }
    // A display that has gone away leaves the watches to their bounds; its socket would only
    // keep reporting the end.
    if (desktop->hasFailed() && socketSource != 0) {
        g_source_remove(socketSource);
        socketSource = 0;
    }
}

void X11WindowSource::clientListChanged() {
    std::set<std::uint32_t> current;
    for (const std::uint32_t window : desktop->clientList())
        current.insert(window);
    for (const std::uint32_t window : listed) {
        if (!current.contains(window))
            reports.windowGone(window);
    }
    for (const std::uint32_t window : current) {
        if (!listed.contains(window))
            reports.windowAppeared(desktop->factsAbout(window));
    }
    listed = std::move(current);
}

} // namespace platform
