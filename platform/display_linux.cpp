#include "platform/display.h"

#include <xcb/xcb.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {

namespace {

std::string variable(const char *name) {
    const char *value = std::getenv(name);
    return value != nullptr ? value : "";
}

// The toolkit ends the program when the X server it is pointed at does not answer, so the
// server is asked for real: a name alone may be stale, malformed or of a server that is gone.
bool xServerAnswers(const std::string &display) {
    xcb_connection_t *connection = xcb_connect(display.c_str(), nullptr);
    const bool answers = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return answers;
}

// A compositor listens on a socket named by its full path or by its name in the runtime folder.
// The connection is not waited for: one that is merely busy is there all the same, while a socket
// file left behind by a compositor that has gone refuses at once.
bool waylandCompositorListens(const std::string &display) {
    const std::string runtime = variable("XDG_RUNTIME_DIR");
    if (!display.starts_with('/') && runtime.empty())
        return false;
    const std::string path = display.starts_with('/') ? display : runtime + '/' + display;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof(address.sun_path))
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (socket < 0)
        return false;
    const bool listens =
        ::connect(socket, reinterpret_cast<const sockaddr *>(&address), sizeof(address)) == 0 ||
        errno == EAGAIN || errno == EINPROGRESS;
    close(socket);
    return listens;
}

} // namespace

std::optional<std::string> whyNoWindowCanBeShown() {
    // A platform named outright (offscreen, for one) needs no display server.
    if (!variable("QT_QPA_PLATFORM").empty())
        return std::nullopt;
    if (const std::string x = variable("DISPLAY"); !x.empty())
        return xServerAnswers(x) ? std::nullopt : std::optional("cannot reach the display " + x);
    if (const std::string wayland = variable("WAYLAND_DISPLAY"); !wayland.empty()) {
        return waylandCompositorListens(wayland)
                   ? std::nullopt
                   : std::optional("cannot reach the display " + wayland);
    }
    return "there is no display";
}

} // namespace platform
