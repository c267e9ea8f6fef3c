#pragma once

#include "platform/window_watches.h"

#include <string>

namespace platform {

// What a compositor's script or extension reports about a window, as a list of words separated
// by blanks: "x11", "maximizable", "minimizable", "maximized", "minimized". Others are ignored.
struct WindowTraits {
    bool x11 = false;
    bool canMaximize = false;
    bool canMinimize = false;
    ShownState state;
};
WindowTraits parseTraits(const std::string &traits);

} // namespace platform
