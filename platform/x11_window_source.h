#pragma once

#include "platform/window_source.h"
#include "platform/x11_desktop.h"

#include <cstdint>
#include <memory>
#include <set>

namespace platform {

// Windows as the X server's window manager lists them: every launch gets a startup id, and every
// window listed from then on is reported. The X connection is a source on GLib's default main
// context, which the program's waits and the widget toolkit's loop both turn, so windows are
// seen between items, through a message and after the last item.
class X11WindowSource final : public WindowSource {
public:
    X11WindowSource(std::unique_ptr<X11Desktop> desktop, WindowReports &reports);
    ~X11WindowSource() override;
    X11WindowSource(const X11WindowSource &) = delete;
    X11WindowSource &operator=(const X11WindowSource &) = delete;

    void prepare(LaunchTag &tag) override;
    void settled(const std::string &, bool) override {}
    void ended(const std::string &) override {}
    // X11 window ids use the low 29 bits only.
    bool owns(std::uint32_t window) const override { return window < (1U << 29); }
    void request(std::uint32_t window, ShowCommand show) override;
    void claimed(std::uint32_t, const std::string &) override {}

private:
    void readChanges();
    void clientListChanged();

    std::unique_ptr<X11Desktop> desktop;
    WindowReports &reports;
    std::set<std::uint32_t> listed;
    // The id of the socket's source, 0 once the display has gone.
    unsigned socketSource = 0;
};

} // namespace platform
