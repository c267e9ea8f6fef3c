#pragma once

#include <chrono>

namespace platform {

// Returns once deadline has passed, handling the program's events meanwhile (a message box, the
// desktop's answer to a launch, the watches on started windows) and sleeping in the system
// between them.
void waitUntil(std::chrono::steady_clock::time_point deadline);

// Handles what events have already arrived, without waiting for more.
void handlePendingEvents();

} // namespace platform
