#include "core/runner/deadline_waiter.h"

#include <QCoreApplication>
#include <QTimer>

using namespace std::chrono_literals;

namespace {

// The longest stretch slept at once at the end of a wait.
constexpr std::chrono::milliseconds LastStretch = 100ms;

// How long to sleep when the given time remains. The system lets a sleep in the event loop end
// later by a share of its length (a thousandth on Linux), so a long wait sleeps in stretches
// that halve, and only the last, short one decides how late it ends.
std::chrono::milliseconds nextStretch(std::chrono::milliseconds remaining) {
    return remaining > LastStretch ? remaining / 2 : remaining;
}

} // namespace

void DeadlineWaiter::waitMilliseconds(qint32 milliseconds, SteadyClock::time_point countedFrom) {
    const SteadyClock::time_point deadline = countedFrom + std::chrono::milliseconds(milliseconds);
    for (;;) {
        const auto remaining =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - SteadyClock::now());
        if (remaining <= 0ms)
            return;
        // A timer of its own for every stretch: none outlives the wait, nor the application
        // object it was made under.
        QTimer timer;
        timer.setTimerType(Qt::PreciseTimer);
        timer.setSingleShot(true);
        bool fired = false;
        QObject::connect(&timer, &QTimer::timeout, &timer, [&fired] { fired = true; });
        timer.start(nextStretch(remaining));
        while (!fired)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}
