#include "platform/display.h"

#include <cstdlib>

namespace platform {

namespace {

bool isSet(const char *variable) {
    const char *value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

} // namespace

std::optional<std::string> whyNoWindowCanBeShown() {
    // A platform named outright (offscreen, for one) needs no display server.
    if (isSet("QT_QPA_PLATFORM") || isSet("DISPLAY") || isSet("WAYLAND_DISPLAY"))
        return std::nullopt;
    return "there is no display";
}

} // namespace platform
