#include "platform/gnome_window_source.h"

#include "platform/bus_calls.h"
#include "platform/window_traits.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace platform {

namespace {

constexpr char ExtensionName[] = "org.runvoy.WindowStates";
constexpr char ExtensionPath[] = "/org/runvoy/WindowStates";

bool isInstalled() {
    std::vector<std::filesystem::path> folders{g_get_user_data_dir()};
    for (const char *const *folder = g_get_system_data_dirs(); *folder != nullptr; ++folder)
        folders.emplace_back(*folder);
    std::error_code unknown;
    return std::any_of(folders.begin(), folders.end(), [&](const std::filesystem::path &folder) {
        return std::filesystem::exists(
            folder / "gnome-shell/extensions" / GnomeExtension / "metadata.json", unknown);
    });
}

// Why the extension does not answer, and what to do about it, from what the shell says of it.
std::string adviceOnExtension(GDBusConnection *bus) {
    const std::string extension = GnomeExtension;
    const std::string enable = "run gnome-extensions enable " + extension;
    g_autoptr(GVariant) info = g_dbus_connection_call_sync(
        bus, "org.gnome.Shell", "/org/gnome/Shell", "org.gnome.Shell.Extensions",
        "GetExtensionInfo", g_variant_new("(s)", GnomeExtension), G_VARIANT_TYPE("(a{sv})"),
        G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr);
    g_autoptr(GVariant) fields = info != nullptr ? g_variant_get_child_value(info, 0) : nullptr;
    double state = 0;
    if (fields == nullptr || !g_variant_lookup(fields, "state", "d", &state)) {
        if (isInstalled())
            return "GNOME Shell has not loaded the extension " + extension +
                   " since it was installed: log out and in, then " + enable;
        return "the GNOME Shell extension " + extension + " is not installed";
    }
    switch (int(state)) {
    case 1: // enabled, yet its name has no owner
        return "the GNOME Shell extension " + extension + " does not answer: log out and in";
    case 3:
        return "the GNOME Shell extension " + extension + " failed: gnome-extensions info " +
               extension + " says why";
    case 4:
        return "the GNOME Shell extension " + extension + " does not fit this GNOME Shell";
    default:
        return "the GNOME Shell extension " + extension + " is not enabled: " + enable;
    }
}

} // namespace

std::unique_ptr<GnomeWindowSource>
GnomeWindowSource::connect(WindowReports &reports, bool leaveX11Windows, std::string &whyNot) {
    GDBusConnection *bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (bus == nullptr)
        return nullptr;
    std::unique_ptr<GnomeWindowSource> source(new GnomeWindowSource(bus, reports, leaveX11Windows));
    const std::optional<std::string> owner = ownerOf(bus, ExtensionName);
    if (!owner) {
        whyNot = adviceOnExtension(bus);
        return nullptr;
    }
    const char *unique = owner->c_str();
    // Only the extension's own signals count, and only those sent to this run.
    source->subscription = g_dbus_connection_signal_subscribe(
        bus, unique, ExtensionName, nullptr, ExtensionPath, nullptr, G_DBUS_SIGNAL_FLAGS_NONE,
        +[](GDBusConnection *, const char *, const char *, const char *, const char *signal,
            GVariant *parameters,
            gpointer self) { static_cast<GnomeWindowSource *>(self)->heard(signal, parameters); },
        source.get(), nullptr);
    g_autoptr(GVariant) following =
        g_dbus_connection_call_sync(bus, unique, ExtensionPath, ExtensionName, "Follow", nullptr,
                                    nullptr, G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr);
    if (following == nullptr) {
        whyNot = "the GNOME Shell extension " + std::string(GnomeExtension) + " does not answer";
        return nullptr;
    }
    return source;
}

GnomeWindowSource::GnomeWindowSource(GDBusConnection *bus, WindowReports &reports,
                                     bool leaveX11Windows)
    : bus(bus), reports(reports), leaveX11Windows(leaveX11Windows) {}

GnomeWindowSource::~GnomeWindowSource() {
    if (subscription != 0)
        g_dbus_connection_signal_unsubscribe(bus, subscription);
    // The extension stops telling once the run has left the bus.
    g_dbus_connection_flush_sync(bus, nullptr, nullptr);
    g_object_unref(bus);
}

void GnomeWindowSource::request(std::uint32_t window, ShowCommand show) {
    const auto key = keys.find(window);
    if (key == keys.end())
        return;
    g_dbus_connection_call(bus, ExtensionName, ExtensionPath, ExtensionName, "Apply",
                           g_variant_new("(ss)", key->second.c_str(),
                                         show == ShowCommand::Maximized ? "maximize" : "minimize"),
                           nullptr, G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr, nullptr);
}

void GnomeWindowSource::heard(const char *signal, GVariant *parameters) {
    const std::string name = signal;
    const char *key = nullptr;
    if (name == "WindowShown") {
        guint32 pid = 0;
        const char *app = nullptr;
        const char *words = nullptr;
        g_variant_get(parameters, "(&su&s&s)", &key, &pid, &app, &words);
        const WindowTraits traits = parseTraits(words);
        if (traits.x11 && leaveX11Windows)
            return;
        const std::uint32_t window = FirstWindow + std::uint32_t(windows.size());
        windows[key] = window;
        keys[window] = key;
        reports.windowAppeared(compositorWindowFacts(window, pid, app, traits));
        return;
    }
    if (name == "WindowChanged") {
        const char *words = nullptr;
        g_variant_get(parameters, "(&s&s)", &key, &words);
        if (const auto window = windows.find(key); window != windows.end())
            reports.stateChanged(window->second, parseTraits(words).state);
    } else if (name == "WindowGone") {
        g_variant_get(parameters, "(&s)", &key);
        if (const auto window = windows.find(key); window != windows.end())
            reports.windowGone(window->second);
    }
}

} // namespace platform
