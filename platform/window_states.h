#pragma once

#include "platform/shell.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace platform {

// The environment variable that carries a launch's marker into every process the launch starts.
inline constexpr char LaunchMarkerVariable[] = "RUNVOY_LAUNCH";

// What one launch carries so that the window it brings up can be told from every other: a
// startup id for the program to put on its window, and a marker in its environment.
struct LaunchTag {
    ShowCommand show = ShowCommand::Normal;
    std::filesystem::path item; // named in what is said about it
    std::string startupId;      // empty where no X server takes part
    std::string marker;
    std::chrono::milliseconds preparedAt{}; // on the steady clock
};

// Brings the windows of started items up in the state their row asks for, where the desktop
// lets one program change another's window. The watches are served wherever the program's
// events are handled (platform/event_loop.h, or the widget toolkit's loop while a message is
// shown), so they go on through the waits between items and through any message.
class WindowStates {
public:
    virtual ~WindowStates() = default;

    // Called before a launch in show: the tag to give it, or none when no window will be looked
    // after (Normal, or a desktop where states cannot be applied, which is said once on standard
    // error).
    virtual std::optional<LaunchTag> prepare(ShowCommand show,
                                             const std::filesystem::path &item) = 0;
    // Called once the prepared launch has been handed over: pid is the started process, 0 when
    // the desktop did not say (a handler that the session bus starts); desktopId names the
    // application's desktop entry without ".desktop", empty when a program was run directly.
    virtual void launched(const LaunchTag &tag, std::int64_t pid, const std::string &desktopId) = 0;
    // Handles the program's events until every launched window has been looked after, which is
    // at most about ten seconds after the last launch. Returns at once when nothing is watched.
    virtual void waitForWatches() = 0;
};

// Chooses how window states are applied when the first item that needs one is prepared: on X11
// with a window manager that takes state requests, or not at all.
std::unique_ptr<WindowStates> makeWindowStates();

} // namespace platform
