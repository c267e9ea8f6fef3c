#include "tests/support/x_display.h"

#include <QStandardPaths>
#include <QTest>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr int ToolBoundMs = 10000;
// A first start on a fresh, busy machine reads fonts and compiles its keymap from cold caches.
constexpr int StartBoundMs = 60000;
// The value of WM_STATE that the window manager gives a window it has minimised.
constexpr quint32 IconicState = 3;

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T> Reply<T> owned(T *reply) {
    return {reply, &std::free};
}

xcb_window_t rootOf(xcb_connection_t *connection) {
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

xcb_atom_t atom(xcb_connection_t *connection, const char *name) {
    const auto reply = owned(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

Reply<xcb_get_property_reply_t> property(xcb_connection_t *connection, xcb_window_t window,
                                         xcb_atom_t name) {
    return owned(xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, window, name, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024),
        nullptr));
}

// The 32-bit values of a property: atoms, windows or cardinals.
std::vector<quint32> values(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t name) {
    const Reply<xcb_get_property_reply_t> reply = property(connection, window, name);
    if (!reply || reply->format != 32)
        return {};
    const auto *first = static_cast<const quint32 *>(xcb_get_property_value(reply.get()));
    return {first, first + xcb_get_property_value_length(reply.get()) / 4};
}

QString text(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t name) {
    const Reply<xcb_get_property_reply_t> reply = property(connection, window, name);
    if (!reply || reply->format != 8)
        return {};
    return QString::fromUtf8(static_cast<const char *>(xcb_get_property_value(reply.get())),
                             xcb_get_property_value_length(reply.get()));
}

void sendToRoot(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t type,
                std::initializer_list<quint32> data = {}) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = type;
    std::copy(data.begin(), data.end(), message.data.data32);
    xcb_send_event(connection, 0, rootOf(connection),
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(connection);
}

// The titled windows under parent that are shown, a titled one's own children left out: under
// a window manager they sit inside its frames.
void collectShown(xcb_connection_t *connection, xcb_window_t parent, xcb_atom_t name,
                  std::vector<xcb_window_t> &found) {
    const auto tree =
        owned(xcb_query_tree_reply(connection, xcb_query_tree(connection, parent), nullptr));
    if (!tree)
        return;
    const xcb_window_t *children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        const auto attributes = owned(xcb_get_window_attributes_reply(
            connection, xcb_get_window_attributes(connection, children[i]), nullptr));
        if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE)
            continue;
        if (!text(connection, children[i], name).isEmpty())
            found.push_back(children[i]);
        else
            collectShown(connection, children[i], name, found);
    }
}

} // namespace

QString XDisplay::missingTools(WindowManager manager, bool typing) {
    QStringList tools{u"Xvfb"_s};
    if (manager == WindowManager::Openbox)
        tools << u"openbox"_s;
    if (typing)
        tools << u"xdotool"_s;
    QStringList missing;
    for (const QString &tool : tools) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            missing << tool;
    }
    return missing.join(u", "_s);
}

XDisplay::XDisplay(WindowManager wanted) {
    if (!home.isValid() || !missingTools(wanted).isEmpty() || !startServer())
        return;
    if (wanted == WindowManager::Openbox && !startWindowManager()) {
        xcb_disconnect(connection);
        connection = nullptr;
    }
}

XDisplay::~XDisplay() {
    if (connection != nullptr)
        xcb_disconnect(connection);
    for (QProcess *process : {&manager, &server}) {
        if (process->state() != QProcess::NotRunning) {
            process->terminate();
            process->waitForFinished(ToolBoundMs);
        }
    }
}

bool XDisplay::startServer() {
    // Xvfb picks a free display number itself and writes it to the descriptor it is given, once
    // it takes connections. Without -noreset it resets whenever its last client leaves, between
    // two runs say, and a client that connects during the reset is turned away.
    server.start(u"Xvfb"_s,
                 {u"-displayfd"_s, u"1"_s, u"-noreset"_s, u"-nolisten"_s, u"tcp"_s, u"-screen"_s,
                  u"0"_s, u"%1x%2x24"_s.arg(screenSize().width()).arg(screenSize().height())});
    if (!QTest::qWaitFor(
            [&] { return server.canReadLine() || server.state() == QProcess::NotRunning; },
            StartBoundMs))
        return false;
    const QString number = QString::fromLatin1(server.readLine()).trimmed();
    if (number.isEmpty())
        return false;
    name_ = u':' + number;
    xcb_connection_t *opened = xcb_connect(name_.toLatin1().constData(), nullptr);
    if (xcb_connection_has_error(opened)) {
        xcb_disconnect(opened);
        return false;
    }
    connection = opened;
    return true;
}

bool XDisplay::startWindowManager() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &key : environment.keys()) {
        if (key.startsWith(u"XDG_"_s))
            environment.remove(key);
    }
    environment.insert(u"HOME"_s, home.path());
    useIn(environment);
    manager.setProcessEnvironment(environment);
    manager.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    manager.start(u"openbox"_s, {u"--sm-disable"_s});
    return windowManagerAnswers();
}

// It announces itself on the root window before it has read its theme and begun to take
// requests; programs that ask it for their frame meanwhile would wait, and give up. It is ready
// once it has answered such a question for a window of the display's own.
bool XDisplay::windowManagerAnswers() const {
    const xcb_window_t probe = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, probe, rootOf(connection), 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    const xcb_atom_t request = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = atom(connection, "_NET_FRAME_EXTENTS");
    const bool answered = QTest::qWaitFor(
        [&] {
            // Asked again each time: a request sent before it took over the root went nowhere.
            sendToRoot(connection, probe, request);
            return manager.state() == QProcess::NotRunning ||
                   !values(connection, probe, extents).empty();
        },
        StartBoundMs);
    xcb_destroy_window(connection, probe);
    xcb_flush(connection);
    return answered && manager.state() != QProcess::NotRunning;
}

void XDisplay::useIn(QProcessEnvironment &environment) const {
    environment.insert(u"DISPLAY"_s, name_);
}

XDisplay::Window XDisplay::describe(quint32 id) const {
    Window window;
    window.id = id;
    window.title = text(connection, id, atom(connection, "_NET_WM_NAME"));
    if (window.title.isEmpty())
        window.title = text(connection, id, XCB_ATOM_WM_NAME);
    const std::vector<quint32> states = values(connection, id, atom(connection, "_NET_WM_STATE"));
    const auto has = [&](const char *state) {
        return std::find(states.begin(), states.end(), atom(connection, state)) != states.end();
    };
    window.maximized = has("_NET_WM_STATE_MAXIMIZED_VERT") && has("_NET_WM_STATE_MAXIMIZED_HORZ");
    const std::vector<quint32> icccm = values(connection, id, atom(connection, "WM_STATE"));
    window.iconic = !icccm.empty() && icccm.front() == IconicState;
    if (const auto own =
            owned(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), nullptr)))
        window.size = QSize(own->width, own->height);
    // A window manager puts each window into a frame of its own, a child of the root window.
    xcb_window_t outermost = id;
    for (;;) {
        const auto tree =
            owned(xcb_query_tree_reply(connection, xcb_query_tree(connection, outermost), nullptr));
        if (!tree || tree->parent == tree->root || tree->parent == XCB_WINDOW_NONE)
            break;
        outermost = tree->parent;
    }
    const auto outer =
        owned(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, outermost), nullptr));
    if (outer)
        window.outer = QRect(outer->x, outer->y, outer->width, outer->height);
    return window;
}

std::vector<XDisplay::Window> XDisplay::shownWindows() const {
    // Errors about windows that went while they were looked at come as events; none are needed.
    while (xcb_generic_event_t *event = xcb_poll_for_event(connection))
        std::free(event);
    std::vector<xcb_window_t> ids;
    collectShown(connection, rootOf(connection), XCB_ATOM_WM_NAME, ids);
    std::vector<Window> windows;
    for (const xcb_window_t id : ids)
        windows.push_back(describe(id));
    return windows;
}

std::vector<XDisplay::Window> XDisplay::managedWindows() const {
    std::vector<Window> windows;
    for (const quint32 id :
         values(connection, rootOf(connection), atom(connection, "_NET_CLIENT_LIST")))
        windows.push_back(describe(id));
    return windows;
}

std::optional<XDisplay::Window> XDisplay::waitForWindow(const QString &title, int boundMs) const {
    std::optional<Window> found;
    (void)QTest::qWaitFor(
        [&] {
            for (const Window &window : shownWindows()) {
                if (window.title.endsWith(title))
                    found = window;
            }
            return found.has_value();
        },
        boundMs);
    return found;
}

bool XDisplay::pressKey(const Window &window, const QString &key) const {
    const auto xdotool = [this](const QStringList &arguments) {
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        useIn(environment);
        tool.setProcessEnvironment(environment);
        tool.start(u"xdotool"_s, arguments);
        return tool.waitForFinished(ToolBoundMs) && tool.exitStatus() == QProcess::NormalExit &&
               tool.exitCode() == 0;
    };
    // Typed into whatever has the focus once the window has it for sure.
    return xdotool({u"windowfocus"_s, u"--sync"_s, QString::number(window.id)}) &&
           xdotool({u"key"_s, key});
}

void XDisplay::close(const Window &window) const {
    // Sent as a pager would: the window manager asks the program to close the window.
    sendToRoot(connection, window.id, atom(connection, "_NET_CLOSE_WINDOW"), {XCB_CURRENT_TIME, 2});
}
