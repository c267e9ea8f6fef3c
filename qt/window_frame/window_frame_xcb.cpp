#include "qt/window_frame/window_frame.h"

#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <thread>

namespace {

// A window manager that offers to tell its frame answers at once, and the wait ends then; one
// that does not answer within this bound leaves the frame unknown rather than holding up the
// start. The bound is generous: on a busy machine a window manager can take far longer than
// usual to answer, and a window placed without its frame opens a frame's width off its place.
constexpr auto AnswerBound = std::chrono::seconds(3);
constexpr auto PollInterval = std::chrono::milliseconds(2);

template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> ReplyPtr<Reply> owned(Reply *reply) {
    return {reply, &std::free};
}

xcb_atom_t atom(xcb_connection_t *connection, const char *name) {
    const auto reply = owned(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, false, std::strlen(name), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

bool windowManagerAnswers(xcb_connection_t *connection, xcb_window_t root, xcb_atom_t request) {
    const xcb_atom_t supported = atom(connection, "_NET_SUPPORTED");
    const auto reply = owned(xcb_get_property_reply(
        connection, xcb_get_property(connection, false, root, supported, XCB_ATOM_ATOM, 0, 4096),
        nullptr));
    if (!reply || reply->format != 32)
        return false;
    const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / int(sizeof(xcb_atom_t));
    return std::find(atoms, atoms + count, request) != atoms + count;
}

// Left, right, top and bottom, in the screen's own pixels, once the window manager has set them.
std::optional<QMargins> storedExtents(xcb_connection_t *connection, xcb_window_t window,
                                      xcb_atom_t extents) {
    const auto reply = owned(xcb_get_property_reply(
        connection, xcb_get_property(connection, false, window, extents, XCB_ATOM_CARDINAL, 0, 4),
        nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 16)
        return std::nullopt;
    const auto *sides = static_cast<const quint32 *>(xcb_get_property_value(reply.get()));
    return QMargins(int(sides[0]), int(sides[2]), int(sides[1]), int(sides[3]));
}

} // namespace

QMargins platform::frameMarginsBeforeShowing(QWindow &window) {
    // Other platforms, offscreen among them, know the frame themselves or have none.
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (QGuiApplication::platformName() != QLatin1StringView("xcb") || !connection)
        return window.frameMargins();
    const auto id = xcb_window_t(window.winId());
    const auto tree =
        owned(xcb_query_tree_reply(connection, xcb_query_tree(connection, id), nullptr));
    const xcb_atom_t request = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    if (!tree || !windowManagerAnswers(connection, tree->root, request))
        return {};

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(connection, false, tree->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(connection);

    const xcb_atom_t extents = atom(connection, "_NET_FRAME_EXTENTS");
    const auto deadline = std::chrono::steady_clock::now() + AnswerBound;
    do {
        if (const std::optional<QMargins> native = storedExtents(connection, id, extents)) {
            const qreal ratio = window.devicePixelRatio();
            return {qRound(native->left() / ratio), qRound(native->top() / ratio),
                    qRound(native->right() / ratio), qRound(native->bottom() / ratio)};
        }
        std::this_thread::sleep_for(PollInterval);
    } while (std::chrono::steady_clock::now() < deadline);
    return {};
}
