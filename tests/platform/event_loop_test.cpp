#include "platform/event_loop.h"

#include <glib.h>

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

// Kept beyond each test, so that a source left pending by a failure writes nowhere it should not.
bool served = false;

gboolean markServed(gpointer) {
    served = true;
    return G_SOURCE_REMOVE;
}

TEST(EventLoop, waitUntilServesTheProgramsEventsAndReturnsOnceTheDeadlineHasPassed) {
    served = false;
    g_timeout_add(20, markServed, nullptr);
    const Clock::time_point deadline = Clock::now() + 300ms;

    platform::waitUntil(deadline);

    EXPECT_TRUE(served);
    EXPECT_GE(Clock::now(), deadline);
    EXPECT_LT(Clock::now(), deadline + 5s);
}

TEST(EventLoop, handlePendingEventsServesWhatIsReady) {
    served = false;
    g_timeout_add(0, markServed, nullptr);
    platform::handlePendingEvents();
    EXPECT_TRUE(served);
}

} // namespace
