#include <xcb/xcb.h>
#include <xcb/xcb_icccm.h>

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <initializer_list>
#include <string>
#include <utility>

// A small X program whose window behaves in one of the ways real programs do, for tests and
// benchmarks of window states. It runs until its display goes away or it is ended.
// Usage: window_client [options] TITLE
//   --no-pid                declares no _NET_WM_PID
//   --fork                  forks first; the window belongs to the child, the parent ends
//   --startup-id-on-leader  puts DESKTOP_STARTUP_ID on a client leader window, not its own
//   --splash                shows a splash window for half a second before its main window
//   --late MS               shows its window MS milliseconds late
//   --fixed                 has a fixed size
//   --undo                  puts its window back to normal 300 ms after it first leaves normal
//   --never                 never shows a window
//   --log FILE              appends "<event> <monotonic ns>" lines: start, map, maximized,
//                           minimized, unmap, configure (with the size)

namespace {

constexpr int Width = 320;
constexpr int Height = 200;
constexpr int UndoAfterMs = 300;

struct Options {
    bool noPid = false, fork = false, leaderStartupId = false, splash = false, fixed = false,
         undo = false, never = false;
    int lateMs = 0;
    const char *log = nullptr;
    const char *title = nullptr;
};

long long monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

void note(const Options &options, const std::string &event) {
    if (options.log == nullptr)
        return;
    if (std::FILE *log = std::fopen(options.log, "a")) {
        std::fprintf(log, "%s %lld\n", event.c_str(), monotonicNs());
        std::fclose(log);
    }
}

bool parse(int argc, char **argv, Options &options) {
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--no-pid")
            options.noPid = true;
        else if (option == "--fork")
            options.fork = true;
        else if (option == "--startup-id-on-leader")
            options.leaderStartupId = true;
        else if (option == "--splash")
            options.splash = true;
        else if (option == "--fixed")
            options.fixed = true;
        else if (option == "--undo")
            options.undo = true;
        else if (option == "--never")
            options.never = true;
        else if (option == "--late" && i + 1 < argc)
            options.lateMs = std::atoi(argv[++i]);
        else if (option == "--log" && i + 1 < argc)
            options.log = argv[++i];
        else if (options.title == nullptr && option.rfind("--", 0) != 0)
            options.title = argv[i];
        else
            return false;
    }
    return options.title != nullptr;
}

class Client {
public:
    explicit Client(const Options &options) : options(options) {
        connection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection))
            return;
        screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        for (auto [atom, name] : {std::pair{&netWmName, "_NET_WM_NAME"},
                                  {&utf8String, "UTF8_STRING"},
                                  {&netWmPid, "_NET_WM_PID"},
                                  {&netWmState, "_NET_WM_STATE"},
                                  {&maximizedVert, "_NET_WM_STATE_MAXIMIZED_VERT"},
                                  {&maximizedHorz, "_NET_WM_STATE_MAXIMIZED_HORZ"},
                                  {&wmState, "WM_STATE"},
                                  {&windowType, "_NET_WM_WINDOW_TYPE"},
                                  {&splashType, "_NET_WM_WINDOW_TYPE_SPLASH"},
                                  {&startupIdAtom, "_NET_STARTUP_ID"},
                                  {&clientLeader, "WM_CLIENT_LEADER"}})
            *atom = intern(name);
    }
    ~Client() { xcb_disconnect(connection); }

    bool isConnected() const { return !xcb_connection_has_error(connection); }

    xcb_window_t makeWindow(const std::string &title, int width, int height) {
        const xcb_window_t window = xcb_generate_id(connection);
        const uint32_t values[] = {screen->white_pixel, XCB_EVENT_MASK_STRUCTURE_NOTIFY |
                                                            XCB_EVENT_MASK_PROPERTY_CHANGE};
        xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 100, 100, width,
                          height, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                          XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
        setText(window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, title);
        setText(window, netWmName, utf8String, title);
        xcb_icccm_set_wm_class(connection, window, 27, "window_client\0WindowClient");
        if (!options.noPid) {
            const uint32_t pid = getpid();
            xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, netWmPid,
                                XCB_ATOM_CARDINAL, 32, 1, &pid);
        }
        return window;
    }

    void run() {
        if (options.never) {
            waitForEvents(-1);
            return;
        }
        xcb_window_t splash = 0;
        if (options.splash) {
            splash = makeWindow(std::string(options.title) + " splash", 200, 100);
            xcb_change_property(connection, XCB_PROP_MODE_REPLACE, splash, windowType,
                                XCB_ATOM_ATOM, 32, 1, &splashType);
            xcb_map_window(connection, splash);
            xcb_flush(connection);
            waitForEvents(500);
        }
        main = makeWindow(options.title, Width, Height);
        if (options.fixed) {
            xcb_size_hints_t hints{};
            xcb_icccm_size_hints_set_min_size(&hints, Width, Height);
            xcb_icccm_size_hints_set_max_size(&hints, Width, Height);
            xcb_icccm_set_wm_normal_hints(connection, main, &hints);
        }
        if (options.leaderStartupId) {
            const xcb_window_t leader = xcb_generate_id(connection);
            xcb_create_window(connection, XCB_COPY_FROM_PARENT, leader, screen->root, 0, 0, 1, 1, 0,
                              XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
            for (const xcb_window_t window : {leader, main})
                xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, clientLeader,
                                    XCB_ATOM_WINDOW, 32, 1, &leader);
            if (const char *id = std::getenv("DESKTOP_STARTUP_ID"))
                setText(leader, startupIdAtom, utf8String, id);
        }
        xcb_map_window(connection, main);
        xcb_flush(connection);
        if (splash != 0) {
            waitForEvents(200);
            xcb_destroy_window(connection, splash);
            xcb_flush(connection);
        }
        waitForEvents(-1);
    }

private:
    xcb_atom_t intern(const char *name) {
        xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr);
        const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return atom;
    }

    void setText(xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                 const std::string &text) {
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, property, type, 8,
                            text.size(), text.data());
    }

    // Handles events for timeoutMs (forever when negative), or until the display goes away.
    void waitForEvents(int timeoutMs) {
        const long long end = monotonicNs() + timeoutMs * 1000000LL;
        while (isConnected()) {
            while (xcb_generic_event_t *event = xcb_poll_for_event(connection)) {
                handle(event);
                std::free(event);
            }
            long long wait = timeoutMs < 0 ? -1 : (end - monotonicNs()) / 1000000;
            if (undoAt != 0)
                wait = wait < 0 ? (undoAt - monotonicNs()) / 1000000
                                : std::min(wait, (undoAt - monotonicNs()) / 1000000);
            if (undoAt != 0 && monotonicNs() >= undoAt) {
                undo();
                continue;
            }
            if (timeoutMs >= 0 && monotonicNs() >= end)
                return;
            pollfd socket{xcb_get_file_descriptor(connection), POLLIN, 0};
            poll(&socket, 1, wait < 0 ? -1 : int(wait) + 1);
        }
    }

    void handle(const xcb_generic_event_t *event) {
        switch (event->response_type & ~0x80) {
        case XCB_MAP_NOTIFY:
            if (reinterpret_cast<const xcb_map_notify_event_t *>(event)->window == main)
                note(options, "map");
            break;
        case XCB_UNMAP_NOTIFY:
            if (reinterpret_cast<const xcb_unmap_notify_event_t *>(event)->window == main)
                note(options, "unmap");
            break;
        case XCB_CONFIGURE_NOTIFY: {
            const auto *configure = reinterpret_cast<const xcb_configure_notify_event_t *>(event);
            if (configure->window == main)
                note(options, "configure " + std::to_string(configure->width) + "x" +
                                  std::to_string(configure->height));
            break;
        }
        case XCB_PROPERTY_NOTIFY: {
            const auto *change = reinterpret_cast<const xcb_property_notify_event_t *>(event);
            if (change->window == main && (change->atom == netWmState || change->atom == wmState))
                stateChanged();
            break;
        }
        default:
            break;
        }
    }

    void stateChanged() {
        const bool nowMaximized = hasAtoms(netWmState, {maximizedVert, maximizedHorz});
        const bool nowMinimized = iconic();
        if (nowMaximized && !maximized)
            note(options, "maximized");
        if (nowMinimized && !minimized)
            note(options, "minimized");
        maximized = nowMaximized;
        minimized = nowMinimized;
        if (options.undo && !undone && undoAt == 0 && (maximized || minimized))
            undoAt = monotonicNs() + UndoAfterMs * 1000000LL;
    }

    // What a program that restores its own geometry does: it asks for its old size and shows.
    void undo() {
        undoAt = 0;
        undone = true;
        if (maximized) {
            xcb_client_message_event_t message{};
            message.response_type = XCB_CLIENT_MESSAGE;
            message.format = 32;
            message.window = main;
            message.type = netWmState;
            message.data.data32[0] = 0; // remove
            message.data.data32[1] = maximizedVert;
            message.data.data32[2] = maximizedHorz;
            message.data.data32[3] = 1; // from the application itself
            xcb_send_event(connection, 0, screen->root,
                           XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT |
                               XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                           reinterpret_cast<const char *>(&message));
        }
        if (minimized)
            xcb_map_window(connection, main);
        xcb_flush(connection);
    }

    bool hasAtoms(xcb_atom_t property, std::initializer_list<xcb_atom_t> wanted) {
        xcb_get_property_reply_t *reply = xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, main, property, XCB_ATOM_ATOM, 0, 64),
            nullptr);
        if (reply == nullptr)
            return false;
        const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply));
        const int count = xcb_get_property_value_length(reply) / 4;
        bool all = true;
        for (const xcb_atom_t atom : wanted)
            all = all && std::find(atoms, atoms + count, atom) != atoms + count;
        std::free(reply);
        return all;
    }

    bool iconic() {
        xcb_get_property_reply_t *reply = xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, main, wmState, wmState, 0, 2), nullptr);
        const bool result = reply != nullptr && xcb_get_property_value_length(reply) >= 4 &&
                            *static_cast<const uint32_t *>(xcb_get_property_value(reply)) ==
                                XCB_ICCCM_WM_STATE_ICONIC;
        std::free(reply);
        return result;
    }

    const Options &options;
    xcb_connection_t *connection = nullptr;
    xcb_screen_t *screen = nullptr;
    xcb_window_t main = 0;
    xcb_atom_t netWmName = 0, utf8String = 0, netWmPid = 0, netWmState = 0, maximizedVert = 0,
               maximizedHorz = 0, wmState = 0, windowType = 0, splashType = 0, startupIdAtom = 0,
               clientLeader = 0;
    bool maximized = false, minimized = false, undone = false;
    long long undoAt = 0;
};

} // namespace

int main(int argc, char **argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        std::fprintf(stderr, "usage: window_client [options] TITLE\n");
        return 2;
    }
    note(options, "start");
    if (options.fork && fork() != 0)
        return 0;
    if (options.lateMs > 0)
        usleep(useconds_t(options.lateMs) * 1000);
    Client client(options);
    if (!client.isConnected())
        return 1;
    client.run();
    return 0;
}
