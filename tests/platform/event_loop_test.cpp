#include "platform/event_loop.h"

#include <glib.h>

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

gboolean markServed(gpointer served) {
    *static_cast<bool *>(served) = true;
    return G_SOURCE_REMOVE;
}

TEST(EventLoop, waitUntilServesTheProgramsEventsAndReturnsOnceTheDeadlineHasPassed) {
    bool served = false;
    const guint source = g_timeout_add(20, markServed, &served);
    const Clock::time_point deadline = Clock::now() + 300ms;

    platform::waitUntil(deadline);

    const Clock::time_point returned = Clock::now();
    EXPECT_TRUE(served);
    EXPECT_GE(returned, deadline);
    EXPECT_LT(returned, deadline + 5s);
    if (!served)
        g_source_remove(source);
}

TEST(EventLoop, handlePendingEventsServesWhatIsReady) {
    bool served = false;
    const guint source = g_timeout_add(0, markServed, &served);

    platform::handlePendingEvents();

    EXPECT_TRUE(served);
    if (!served)
        g_source_remove(source);
}

} // namespace
