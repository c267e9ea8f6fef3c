#pragma once

#include "platform/window_states.h"
#include "platform/window_watches.h"

#include <cstdint>
#include <string>

namespace platform {

// Where a window source reports what it learns about windows; every report may bring requests
// back to the sources at once.
class WindowReports {
public:
    virtual void windowAppeared(const WindowFacts &window) = 0;
    virtual void stateChanged(std::uint32_t window, ShownState state) = 0;
    virtual void windowGone(std::uint32_t window) = 0;

protected:
    ~WindowReports() = default;
};

// One way of seeing windows and changing their state: the X server's window manager, or a
// compositor that lets the run in. Each source numbers its windows in a range of its own, so
// that several can serve one run side by side.
class WindowSource {
public:
    virtual ~WindowSource() = default;

    // Called before a launch is handed over, so that no window of it goes unseen; may give the
    // tag a startup id.
    virtual void prepare(LaunchTag &tag) = 0;
    // The launch has been handed over, or was given up when it never will be (launched false).
    virtual void settled(const std::string &marker, bool launched) = 0;
    // The launch with this marker no longer waits for or follows a window.
    virtual void ended(const std::string &marker) = 0;
    virtual bool owns(std::uint32_t window) const = 0;
    virtual void request(std::uint32_t window, ShowCommand show) = 0;
    // Who took a window of this source.
    virtual void claimed(std::uint32_t window, const std::string &marker) = 0;
};

} // namespace platform
