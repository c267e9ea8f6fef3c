#pragma once

#include "platform/window_watches.h"

#include <cstdint>
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

// What the watches learn of a window a compositor reports: its process's lineage and launch
// marker, read here, the id of the desktop entry it names (by id or by path), and its traits.
WindowFacts compositorWindowFacts(std::uint32_t window, std::int64_t pid,
                                  const std::string &desktopEntry, const WindowTraits &traits);

} // namespace platform
