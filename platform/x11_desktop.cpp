#include "platform/x11_desktop.h"

#include "platform/process_facts.h"
#include "platform/window_states.h"

#include <xcb/res.h>
#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>
#include <xcb/xcb_icccm.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>

namespace platform {

namespace {

template <typename T> struct Freed {
    void operator()(T *pointer) const { std::free(pointer); }
};
template <typename T> using Reply = std::unique_ptr<T, Freed<T>>;

bool contains(const xcb_ewmh_get_atoms_reply_t &list, xcb_atom_t atom) {
    return std::find(list.atoms, list.atoms + list.atoms_len, atom) != list.atoms + list.atoms_len;
}

// The atoms of a property, or none when the window does not have it.
struct AtomList {
    xcb_ewmh_get_atoms_reply_t reply{};
    bool present = false;
    AtomList() = default;
    AtomList(const AtomList &) = delete;
    AtomList &operator=(const AtomList &) = delete;
    ~AtomList() {
        if (present)
            xcb_ewmh_get_atoms_reply_wipe(&reply);
    }
    bool has(xcb_atom_t atom) const { return present && contains(reply, atom); }
};

} // namespace

struct X11Desktop::Connection {
    xcb_connection_t *connection = nullptr;
    xcb_ewmh_connection_t ewmh{};
    bool ewmhReady = false;
    int screenNumber = 0;
    xcb_window_t root = 0;
    xcb_window_t clock = 0; // an unmapped window of ours whose property changes tell the time
    xcb_atom_t startupId = 0;
    xcb_atom_t wmState = 0;
    xcb_atom_t wmChangeState = 0;
    xcb_atom_t clientLeader = 0;
    bool hasResources = false;
    // Events read while waiting for the server's time, handed out before newer ones.
    std::deque<Reply<xcb_generic_event_t>> held;

    ~Connection() {
        if (ewmhReady)
            xcb_ewmh_connection_wipe(&ewmh);
        if (connection != nullptr)
            xcb_disconnect(connection);
    }

    xcb_get_property_cookie_t property(xcb_window_t window, xcb_atom_t atom) const {
        return xcb_get_property(connection, 0, window, atom, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024);
    }
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_cookie_t cookie) const {
        return Reply<xcb_get_property_reply_t>(xcb_get_property_reply(connection, cookie, nullptr));
    }
    static std::string text(const Reply<xcb_get_property_reply_t> &reply) {
        if (!reply || reply->format != 8)
            return {};
        return std::string(static_cast<const char *>(xcb_get_property_value(reply.get())),
                           xcb_get_property_value_length(reply.get()));
    }
    static std::uint32_t cardinal(const Reply<xcb_get_property_reply_t> &reply) {
        if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4)
            return 0;
        return *static_cast<const std::uint32_t *>(xcb_get_property_value(reply.get()));
    }
    void atoms(xcb_get_property_cookie_t cookie, AtomList &list) {
        list.present = xcb_ewmh_get_atoms_reply(&ewmh, cookie, &list.reply, nullptr) != 0;
    }
    xcb_atom_t intern(const char *name) const {
        const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr));
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }

    // The window manager's own window, when one that follows the EWMH conventions runs.
    bool hasStateTakingManager() {
        xcb_window_t check = 0;
        if (!xcb_ewmh_get_supporting_wm_check_reply(
                &ewmh, xcb_ewmh_get_supporting_wm_check(&ewmh, root), &check, nullptr))
            return false;
        // A manager that has gone leaves the root's property behind, pointing at nothing.
        xcb_window_t self = 0;
        if (!xcb_ewmh_get_supporting_wm_check_reply(
                &ewmh, xcb_ewmh_get_supporting_wm_check(&ewmh, check), &self, nullptr) ||
            self != check)
            return false;
        AtomList supported;
        atoms(xcb_ewmh_get_supported(&ewmh, screenNumber), supported);
        return supported.has(ewmh._NET_CLIENT_LIST) && supported.has(ewmh._NET_WM_STATE) &&
               supported.has(ewmh._NET_WM_STATE_MAXIMIZED_VERT) &&
               supported.has(ewmh._NET_WM_STATE_MAXIMIZED_HORZ);
    }

    // The process the server knows for the client that made the window: true also where the
    // window declares a pid of another namespace, or none.
    std::int64_t clientPid(xcb_window_t window) const {
        if (!hasResources)
            return 0;
        const xcb_res_client_id_spec_t pidOfWindow{window, XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID};
        const Reply<xcb_res_query_client_ids_reply_t> reply(xcb_res_query_client_ids_reply(
            connection, xcb_res_query_client_ids(connection, 1, &pidOfWindow), nullptr));
        if (!reply)
            return 0;
        for (auto ids = xcb_res_query_client_ids_ids_iterator(reply.get()); ids.rem;
             xcb_res_client_id_value_next(&ids)) {
            if ((ids.data->spec.mask & XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID) &&
                xcb_res_client_id_value_value_length(ids.data) == 1)
                return *xcb_res_client_id_value_value(ids.data);
        }
        return 0;
    }

    Reply<xcb_generic_event_t> nextEvent() {
        if (!held.empty()) {
            Reply<xcb_generic_event_t> event = std::move(held.front());
            held.pop_front();
            return event;
        }
        return Reply<xcb_generic_event_t>(xcb_poll_for_event(connection));
    }
};

X11Desktop::X11Desktop(std::unique_ptr<Connection> connection) : x(std::move(connection)) {}

X11Desktop::~X11Desktop() = default;

std::unique_ptr<X11Desktop> X11Desktop::connect(std::string &whyNot) {
    const char *display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        whyNot = "no display";
        return nullptr;
    }
    auto x = std::make_unique<Connection>();
    x->connection = xcb_connect(nullptr, &x->screenNumber);
    if (xcb_connection_has_error(x->connection)) {
        whyNot = "the display cannot be reached";
        return nullptr;
    }
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(x->connection));
    for (int i = 0; i < x->screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    if (!screens.rem) {
        whyNot = "the display cannot be reached";
        return nullptr;
    }
    x->root = screens.data->root;
    xcb_prefetch_extension_data(x->connection, &xcb_res_id);
    x->ewmhReady = xcb_ewmh_init_atoms_replies(
                       &x->ewmh, xcb_ewmh_init_atoms(x->connection, &x->ewmh), nullptr) != 0;
    if (!x->ewmhReady || !x->hasStateTakingManager()) {
        whyNot = "no window manager that takes state requests";
        return nullptr;
    }
    x->startupId = x->intern("_NET_STARTUP_ID");
    x->wmState = x->intern("WM_STATE");
    x->wmChangeState = x->intern("WM_CHANGE_STATE");
    x->clientLeader = x->intern("WM_CLIENT_LEADER");
    const xcb_query_extension_reply_t *resources =
        xcb_get_extension_data(x->connection, &xcb_res_id);
    x->hasResources = resources != nullptr && resources->present;

    // The client list and every window's state are followed through their property changes.
    const std::uint32_t rootEvents = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(x->connection, x->root, XCB_CW_EVENT_MASK, &rootEvents);
    x->clock = xcb_generate_id(x->connection);
    xcb_create_window(x->connection, 0, x->clock, x->root, -1, -1, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                      &rootEvents);
    xcb_flush(x->connection);
    return std::unique_ptr<X11Desktop>(new X11Desktop(std::move(x)));
}

int X11Desktop::socket() const {
    return xcb_get_file_descriptor(x->connection);
}

bool X11Desktop::hasFailed() const {
    return xcb_connection_has_error(x->connection) != 0;
}

std::uint32_t X11Desktop::serverTime() {
    xcb_change_property(x->connection, XCB_PROP_MODE_APPEND, x->clock, x->startupId,
                        XCB_ATOM_STRING, 8, 0, nullptr);
    xcb_flush(x->connection);
    while (Reply<xcb_generic_event_t> event{xcb_wait_for_event(x->connection)}) {
        const auto *change = reinterpret_cast<const xcb_property_notify_event_t *>(event.get());
        if ((event->response_type & ~0x80) == XCB_PROPERTY_NOTIFY && change->window == x->clock)
            return change->time;
        x->held.push_back(std::move(event));
    }
    return XCB_CURRENT_TIME;
}

std::vector<std::uint32_t> X11Desktop::clientList() {
    xcb_ewmh_get_windows_reply_t list{};
    if (!xcb_ewmh_get_client_list_reply(
            &x->ewmh, xcb_ewmh_get_client_list(&x->ewmh, x->screenNumber), &list, nullptr))
        return {};
    std::vector<std::uint32_t> windows(list.windows, list.windows + list.windows_len);
    xcb_ewmh_get_windows_reply_wipe(&list);
    return windows;
}

WindowFacts X11Desktop::factsAbout(std::uint32_t window) {
    // Followed before anything is read, so that no change between the two goes unseen.
    const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(x->connection, window, XCB_CW_EVENT_MASK, &events);

    const auto type = xcb_ewmh_get_wm_window_type(&x->ewmh, window);
    const auto transient = xcb_icccm_get_wm_transient_for(x->connection, window);
    const auto startupId = x->property(window, x->startupId);
    const auto leader = x->property(window, x->clientLeader);
    const auto declaredPid = x->property(window, x->ewmh._NET_WM_PID);
    const auto allowed = xcb_ewmh_get_wm_allowed_actions(&x->ewmh, window);

    WindowFacts facts;
    facts.window = window;
    AtomList types;
    x->atoms(type, types);
    facts.ordinary = !types.present || types.reply.atoms_len == 0 ||
                     types.has(x->ewmh._NET_WM_WINDOW_TYPE_NORMAL);
    xcb_window_t owner = 0;
    facts.transient =
        xcb_icccm_get_wm_transient_for_reply(x->connection, transient, &owner, nullptr) &&
        owner != 0;
    facts.startupId = Connection::text(x->reply(startupId));
    const std::uint32_t leaderWindow = Connection::cardinal(x->reply(leader));
    if (facts.startupId.empty() && leaderWindow != 0 && leaderWindow != window)
        facts.startupId = Connection::text(x->reply(x->property(leaderWindow, x->startupId)));
    const std::uint32_t declared = Connection::cardinal(x->reply(declaredPid));
    const std::int64_t client = x->clientPid(window);
    facts.clientLineage = processLineage(client);
    facts.declaredLineage = processLineage(declared);
    facts.marker = processEnvironmentValue(client != 0 ? client : declared, LaunchMarkerVariable);
    AtomList actions;
    x->atoms(allowed, actions);
    if (actions.present) {
        facts.canMaximize = actions.has(x->ewmh._NET_WM_ACTION_MAXIMIZE_HORZ) &&
                            actions.has(x->ewmh._NET_WM_ACTION_MAXIMIZE_VERT);
        facts.canMinimize = actions.has(x->ewmh._NET_WM_ACTION_MINIMIZE);
    }
    facts.state = stateOf(window);
    return facts;
}

ShownState X11Desktop::stateOf(std::uint32_t window) {
    const auto netState = xcb_ewmh_get_wm_state(&x->ewmh, window);
    const auto iccState = x->property(window, x->wmState);
    AtomList states;
    x->atoms(netState, states);
    ShownState shown;
    shown.maximized = states.has(x->ewmh._NET_WM_STATE_MAXIMIZED_VERT) &&
                      states.has(x->ewmh._NET_WM_STATE_MAXIMIZED_HORZ);
    shown.minimized = Connection::cardinal(x->reply(iccState)) == XCB_ICCCM_WM_STATE_ICONIC;
    return shown;
}

void X11Desktop::request(std::uint32_t window, ShowCommand show) {
    if (show == ShowCommand::Maximized) {
        xcb_ewmh_request_change_wm_state(&x->ewmh, x->screenNumber, window, XCB_EWMH_WM_STATE_ADD,
                                         x->ewmh._NET_WM_STATE_MAXIMIZED_VERT,
                                         x->ewmh._NET_WM_STATE_MAXIMIZED_HORZ,
                                         XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER);
    } else if (show == ShowCommand::Minimized) {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = x->wmChangeState;
        message.data.data32[0] = XCB_ICCCM_WM_STATE_ICONIC;
        xcb_send_event(x->connection, 0, x->root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char *>(&message));
    }
    xcb_flush(x->connection);
}

std::optional<X11Desktop::Change> X11Desktop::nextChange() {
    while (const Reply<xcb_generic_event_t> event = x->nextEvent()) {
        if ((event->response_type & ~0x80) != XCB_PROPERTY_NOTIFY)
            continue;
        const auto *change = reinterpret_cast<const xcb_property_notify_event_t *>(event.get());
        if (change->window == x->root && change->atom == x->ewmh._NET_CLIENT_LIST)
            return Change{Change::ClientList, change->window};
        if (change->atom == x->ewmh._NET_WM_STATE || change->atom == x->wmState)
            return Change{Change::State, change->window};
    }
    return std::nullopt;
}

} // namespace platform
