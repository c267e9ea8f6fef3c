#include "tests/platform/x_session.h"

#include <QStandardPaths>
#include <QTest>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr int StartBoundMs = 10000;

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t atom(xcb_connection_t *connection, const char *name) {
    const Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, std::strlen(name), name),
                              nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

Reply<xcb_get_property_reply_t> property(xcb_connection_t *connection, xcb_window_t window,
                                         xcb_atom_t name) {
    return Reply<xcb_get_property_reply_t>(
        xcb_get_property_reply(
            connection,
            xcb_get_property(connection, 0, window, name, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024),
            nullptr),
        &std::free);
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

} // namespace

QString XSession::missingTools() {
    QStringList missing;
    for (const QString &tool : {u"Xvfb"_s, u"openbox"_s}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            missing << tool;
    }
    return missing.join(u", "_s);
}

XSession::XSession(bool withWindowManager) {
    ready = home.isValid() && missingTools().isEmpty() && startServer() &&
            (!withWindowManager || startWindowManager());
}

XSession::~XSession() {
    if (connection != nullptr)
        xcb_disconnect(connection);
    for (QProcess *process : {&manager, &server}) {
        if (process->state() != QProcess::NotRunning) {
            process->terminate();
            process->waitForFinished(StartBoundMs);
        }
    }
}

bool XSession::startServer() {
    // Xvfb picks a free display number itself and writes it to the descriptor it is given. It
    // must not reset when its last client goes, which may happen between two runs.
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
    name = u':' + number;
    connection = xcb_connect(name.toLatin1().constData(), nullptr);
    return !xcb_connection_has_error(connection);
}

bool XSession::startWindowManager() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"HOME"_s, home.path());
    useIn(environment);
    manager.setProcessEnvironment(environment);
    manager.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    manager.start(u"openbox"_s, {u"--sm-disable"_s});
    // It is ready once it has put its check window on the root.
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_atom_t check = atom(connection, "_NET_SUPPORTING_WM_CHECK");
    return QTest::qWaitFor([&] { return !values(connection, root, check).empty(); }, StartBoundMs);
}

void XSession::useIn(QProcessEnvironment &environment) const {
    environment.insert(u"DISPLAY"_s, name);
}

std::vector<XSession::Window> XSession::managedWindows() const {
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_atom_t netState = atom(connection, "_NET_WM_STATE");
    const xcb_atom_t vertical = atom(connection, "_NET_WM_STATE_MAXIMIZED_VERT");
    const xcb_atom_t horizontal = atom(connection, "_NET_WM_STATE_MAXIMIZED_HORZ");
    const xcb_atom_t iccState = atom(connection, "WM_STATE");
    std::vector<Window> windows;
    for (const quint32 id : values(connection, root, atom(connection, "_NET_CLIENT_LIST"))) {
        Window window;
        window.title = text(connection, id, XCB_ATOM_WM_NAME);
        const std::vector<quint32> states = values(connection, id, netState);
        const auto has = [&](xcb_atom_t state) {
            return std::find(states.begin(), states.end(), state) != states.end();
        };
        window.maximized = has(vertical) && has(horizontal);
        const std::vector<quint32> icc = values(connection, id, iccState);
        window.iconic = !icc.empty() && icc.front() == 3;
        const Reply<xcb_get_geometry_reply_t> geometry(
            xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), nullptr),
            &std::free);
        if (geometry)
            window.size = QSize(geometry->width, geometry->height);
        windows.push_back(window);
    }
    return windows;
}
