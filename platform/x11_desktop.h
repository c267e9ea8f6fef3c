#pragma once

#include "platform/window_watches.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The few X11 requests that window states need, on a connection of the program's own: what the
// window manager lists and writes about windows, and the state requests sent to it.
class X11Desktop {
public:
    // Connects to the display that DISPLAY names; null, with the reason in whyNot, when there is
    // none or when no window manager there takes state requests.
    static std::unique_ptr<X11Desktop> connect(std::string &whyNot);
    ~X11Desktop();
    X11Desktop(const X11Desktop &) = delete;
    X11Desktop &operator=(const X11Desktop &) = delete;

    // Readable whenever something has arrived from the server.
    int socket() const;
    bool hasFailed() const;

    // The server's clock, for startup ids: a round trip.
    std::uint32_t serverTime();
    // The windows the window manager manages, as it lists them.
    std::vector<std::uint32_t> clientList();
    // Reads what a newly listed window tells, and follows its state from now on.
    WindowFacts factsAbout(std::uint32_t window);
    ShownState stateOf(std::uint32_t window);
    void request(std::uint32_t window, ShowCommand show);

    // What has arrived and matters here, without waiting for more.
    struct Change {
        enum Kind { ClientList, State } kind;
        std::uint32_t window;
    };
    std::optional<Change> nextChange();

private:
    struct Connection;
    explicit X11Desktop(std::unique_ptr<Connection> connection);

    std::unique_ptr<Connection> x;
};

} // namespace platform
