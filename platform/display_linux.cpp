#include "platform/display.h"

#include <QtGlobal>

namespace platform {

bool windowsCanBeShown() {
    // A platform named outright (offscreen, for one) needs no display server.
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace platform
