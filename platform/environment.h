#pragma once

#include <optional>
#include <string>

namespace platform {

// The program's own environment, which everything it starts inherits.
std::optional<std::string> environmentVariable(const char *name);
void setEnvironmentVariable(const char *name, const std::string &value);

} // namespace platform
