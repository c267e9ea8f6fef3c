#pragma once

#include "platform/window_states.h"
#include "platform/window_watches.h"
#include "platform/x11_desktop.h"

#include <cstdint>
#include <memory>
#include <set>

namespace platform {

// Window states on X11: every launch gets a startup id and a marker, and every window the window
// manager lists from then on is offered to the launches that wait for one. The X connection and
// the next bound are sources on GLib's default main context, which the program's waits and the
// widget toolkit's loop both turn, so watches go on between items, through a message and after
// the last item.
class X11WindowStates final : public WindowStates {
public:
    explicit X11WindowStates(std::unique_ptr<X11Desktop> desktop);
    ~X11WindowStates() override;
    X11WindowStates(const X11WindowStates &) = delete;
    X11WindowStates &operator=(const X11WindowStates &) = delete;

    std::optional<LaunchTag> prepare(ShowCommand show, const std::filesystem::path &item) override;
    void launched(const LaunchTag &tag, std::int64_t pid) override;
    void waitForWatches() override;

private:
    void readChanges();
    void clientListChanged();
    void perform(const WatchActions &actions);
    void armDeadline();
    void boundReached();

    std::unique_ptr<X11Desktop> desktop;
    WindowWatches watches;
    std::set<std::uint32_t> listed;
    // The ids of the two sources, 0 while there is none.
    unsigned socketSource = 0;
    unsigned deadlineSource = 0;
    int launches = 0;
};

} // namespace platform
