#include "platform/event_loop.h"

#include <glib.h>

namespace platform {

namespace {

using namespace std::chrono_literals;

// The longest stretch slept at once at the end of a wait.
constexpr std::chrono::milliseconds LastStretch = 100ms;

// How long to sleep when the given time remains. The system lets a sleep in the event loop end
// later by a share of its length (a thousandth on Linux), so a long wait sleeps in stretches
// that halve, and only the last, short one decides how late it ends.
std::chrono::milliseconds nextStretch(std::chrono::milliseconds remaining) {
    return remaining > LastStretch ? remaining / 2 : remaining;
}

} // namespace

// The program's events are GLib's default main context: the desktop's answers come there, the
// watches on started windows are sources there, and the widget toolkit's own loop runs on it.
void waitUntil(std::chrono::steady_clock::time_point deadline) {
    for (;;) {
        const auto remaining = std::chrono::ceil<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (remaining <= 0ms)
            return;
        // A source of its own for every stretch: none outlives the wait.
        bool ended = false;
        GSource *stretch = g_timeout_source_new(guint(nextStretch(remaining).count()));
        g_source_set_callback(
            stretch,
            +[](gpointer flag) -> gboolean {
                *static_cast<bool *>(flag) = true;
                return G_SOURCE_REMOVE;
            },
            &ended, nullptr);
        g_source_attach(stretch, nullptr);
        while (!ended)
            g_main_context_iteration(nullptr, TRUE);
        g_source_unref(stretch);
    }
}

void handlePendingEvents() {
    g_main_context_iteration(nullptr, FALSE);
}

} // namespace platform
