#pragma once

#include <string>

namespace kestrum {

// Who holds a flock on the open file, for a message: "process 1234 (kestrum)", or "another
// process" when the system does not tell.
std::string lockHolder(int fd);

} // namespace kestrum
