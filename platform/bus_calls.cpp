#include "platform/bus_calls.h"

namespace platform {

GVariant *callAndServe(GDBusConnection *bus, const char *name, const char *path,
                       const char *interface, const char *method, GVariant *parameters,
                       const GVariantType *answerType, GError **error) {
    GAsyncResult *result = nullptr;
    g_dbus_connection_call(
        bus, name, path, interface, method, parameters, answerType, G_DBUS_CALL_FLAGS_NONE, -1,
        nullptr,
        +[](GObject *, GAsyncResult *answer, gpointer slot) {
            *static_cast<GAsyncResult **>(slot) = G_ASYNC_RESULT(g_object_ref(answer));
        },
        &result);
    while (result == nullptr)
        g_main_context_iteration(nullptr, TRUE);
    GVariant *answer = g_dbus_connection_call_finish(bus, result, error);
    g_object_unref(result);
    return answer;
}

bool serveUntil(const std::function<bool()> &done, std::chrono::milliseconds bound) {
    bool late = false;
    const guint timer = g_timeout_add(
        guint(bound.count()),
        +[](gpointer flag) -> gboolean {
            *static_cast<bool *>(flag) = true;
            return G_SOURCE_REMOVE;
        },
        &late);
    while (!done() && !late)
        g_main_context_iteration(nullptr, TRUE);
    if (!late)
        g_source_remove(timer);
    return done();
}

bool hasOwner(GDBusConnection *bus, const char *name) {
    g_autoptr(GVariant) answer = g_dbus_connection_call_sync(
        bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
        "NameHasOwner", g_variant_new("(s)", name), G_VARIANT_TYPE("(b)"), G_DBUS_CALL_FLAGS_NONE,
        -1, nullptr, nullptr);
    gboolean owned = FALSE;
    if (answer != nullptr)
        g_variant_get(answer, "(b)", &owned);
    return owned;
}

std::optional<std::string> ownerOf(GDBusConnection *bus, const char *name) {
    g_autoptr(GVariant) answer = g_dbus_connection_call_sync(
        bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
        "GetNameOwner", g_variant_new("(s)", name), G_VARIANT_TYPE("(s)"), G_DBUS_CALL_FLAGS_NONE,
        -1, nullptr, nullptr);
    if (answer == nullptr)
        return std::nullopt;
    const char *unique = nullptr;
    g_variant_get(answer, "(&s)", &unique);
    return std::string(unique);
}

} // namespace platform
