#pragma once

#include <chrono>

namespace kestrum {

// What the program kestrum does: registers the batch file type for the user from the folder of
// the running program, says on standard error what could not be written, and returns the exit
// status. It waits lockWait at most for another run to end.
int registerForUser(std::chrono::seconds lockWait);

} // namespace kestrum
