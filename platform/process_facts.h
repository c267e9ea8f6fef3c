#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// The process and its parents, nearest first, up to the first process of the system; empty
// when the process is gone.
std::vector<std::int64_t> processLineage(std::int64_t pid);

// The value of variable in the environment the process was started with, as bytes; empty when
// the process is gone, belongs to another user or lacks it.
std::string processEnvironmentValue(std::int64_t pid, const std::string &variable);

} // namespace platform
