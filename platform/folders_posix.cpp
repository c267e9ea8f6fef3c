#include "platform/folders.h"

#include <cstdlib>

#include <unistd.h>

namespace platform {

namespace {

// Read afresh at each call, as the environment says now: a relative setting counts as none.
std::filesystem::path xdgFolder(const char *variable, const char *fallbackUnderHome) {
    const char *configured = std::getenv(variable);
    if (configured != nullptr && configured[0] == '/')
        return configured;
    const char *home = std::getenv("HOME");
    return std::filesystem::path(home != nullptr ? home : "/") / fallbackUnderHome;
}

} // namespace

std::filesystem::path userDataFolder() {
    return xdgFolder("XDG_DATA_HOME", ".local/share");
}

std::filesystem::path userConfigFolder() {
    return xdgFolder("XDG_CONFIG_HOME", ".config");
}

bool mayWrite(const std::filesystem::path &path) {
    return ::access(path.c_str(), W_OK) == 0;
}

} // namespace platform
