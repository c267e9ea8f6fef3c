#pragma once

#include <chrono>

namespace platform {

// Waits until deadline on the steady clock while the program's events keep being handled: a
// message box that is up, the desktop's answers to launches, the watches of window states.
void waitUntil(std::chrono::steady_clock::time_point deadline);

// Handles what has arrived, without waiting for more.
void handlePendingEvents();

} // namespace platform
