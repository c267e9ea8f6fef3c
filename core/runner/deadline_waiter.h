#pragma once

#include "core/runner/batch_run.h"

// Waits in the program's event loop, so that a message box or the desktop's answer to a launch
// is handled meanwhile, and sleeps in the system between events.
class DeadlineWaiter : public Waiter {
public:
    void waitMilliseconds(qint32 milliseconds, SteadyClock::time_point countedFrom) override;
};
