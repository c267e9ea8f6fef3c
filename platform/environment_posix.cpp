#include "platform/environment.h"

#include <cstdlib>

namespace platform {

std::optional<std::string> environmentVariable(const char *name) {
    const char *value = std::getenv(name);
    if (value == nullptr)
        return std::nullopt;
    return std::string(value);
}

void setEnvironmentVariable(const char *name, const std::string &value) {
    ::setenv(name, value.c_str(), 1);
}

} // namespace platform
