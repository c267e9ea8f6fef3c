#include "platform/kwin_window_source.h"

#include "platform/bus_calls.h"
#include "platform/window_traits.h"

#include <glib/gstdio.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace platform {

namespace {

using namespace std::chrono_literals;

constexpr char KWinName[] = "org.kde.KWin";
constexpr char ScriptingPath[] = "/Scripting";
constexpr char ScriptingInterface[] = "org.kde.kwin.Scripting";

constexpr char ReportsXml[] = R"xml(<node>
  <interface name='org.runvoy.WindowReports'>
    <method name='Ready'><arg name='launch' type='s' direction='in'/></method>
    <method name='Offer'>
      <arg name='launch' type='s' direction='in'/>
      <arg name='window' type='s' direction='in'/>
      <arg name='pid' type='s' direction='in'/>
      <arg name='desktopFile' type='s' direction='in'/>
      <arg name='traits' type='s' direction='in'/>
      <arg name='answer' type='s' direction='out'/>
    </method>
    <method name='Changed'>
      <arg name='launch' type='s' direction='in'/>
      <arg name='window' type='s' direction='in'/>
      <arg name='traits' type='s' direction='in'/>
      <arg name='answer' type='s' direction='out'/>
    </method>
    <method name='Gone'>
      <arg name='launch' type='s' direction='in'/>
      <arg name='window' type='s' direction='in'/>
    </method>
  </interface>
</node>)xml";

// What goes into the script's text as a JavaScript string without quoting.
bool isPlainName(const std::string &text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return g_ascii_isalnum(c) || c == ':' || c == '.' || c == '_' || c == '-';
    });
}

void answer(GDBusMethodInvocation *invocation, ScriptAnswer word) {
    g_dbus_method_invocation_return_value(invocation, g_variant_new("(s)", answerWord(word)));
}

} // namespace

std::unique_ptr<KWinWindowSource>
KWinWindowSource::connect(WindowReports &reports, bool leaveX11Windows, std::string &whyNot) {
    GDBusConnection *bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (bus == nullptr) {
        whyNot = "no session bus";
        return nullptr;
    }
    std::unique_ptr<KWinWindowSource> source(new KWinWindowSource(bus, reports, leaveX11Windows));
    const std::optional<std::string> owner = ownerOf(bus, KWinName);
    if (!owner) {
        whyNot = "the compositor lets no program change the windows of others";
        return nullptr;
    }
    source->kwin = *owner;
    if (source->registration == 0 || !isPlainName(g_dbus_connection_get_unique_name(bus))) {
        whyNot = "the session bus refused the run's object";
        return nullptr;
    }
    return source;
}

KWinWindowSource::KWinWindowSource(GDBusConnection *bus, WindowReports &reports,
                                   bool leaveX11Windows)
    : bus(bus), reports(reports), leaveX11Windows(leaveX11Windows) {
    g_autoptr(GDBusNodeInfo) node = g_dbus_node_info_new_for_xml(ReportsXml, nullptr);
    static const GDBusInterfaceVTable calls = {
        +[](GDBusConnection *, const char *, const char *, const char *, const char *method,
            GVariant *parameters, GDBusMethodInvocation *invocation, gpointer self) {
            static_cast<KWinWindowSource *>(self)->handle(invocation, method, parameters);
        },
        nullptr,
        nullptr,
        {}};
    registration = g_dbus_connection_register_object(bus, ReportsPath, node->interfaces[0], &calls,
                                                     this, nullptr, nullptr);
}

KWinWindowSource::~KWinWindowSource() {
    for (const Held &report : held)
        answer(report.invocation, ScriptAnswer::Leave);
    held.clear();
    while (!scripts.empty())
        unload(scripts.begin()->first);
    if (registration != 0)
        g_dbus_connection_unregister_object(bus, registration);
    // The unloads must reach KWin before the program ends.
    g_dbus_connection_flush_sync(bus, nullptr, nullptr);
    g_object_unref(bus);
}

void KWinWindowSource::prepare(LaunchTag &tag) {
    const std::string self = g_dbus_connection_get_unique_name(bus);
    if (!isPlainName(tag.marker))
        return;
    const std::filesystem::path file =
        std::filesystem::path(g_get_user_runtime_dir()) / (tag.marker + ".js");
    const std::string text = kwinWindowScript(self, tag.marker);
    g_autoptr(GError) error = nullptr;
    if (!g_file_set_contents_full(file.c_str(), text.data(), gssize(text.size()),
                                  G_FILE_SET_CONTENTS_CONSISTENT, 0600, &error)) {
        std::fprintf(stderr, "runvoy: the window script for %s cannot be written: %s\n",
                     tag.item.c_str(), error->message);
        return;
    }
    scripts[tag.marker] = {};
    g_autoptr(GVariant) loaded = callAndServe(
        bus, KWinName, ScriptingPath, ScriptingInterface, "loadScript",
        g_variant_new("(ss)", file.c_str(), tag.marker.c_str()), G_VARIANT_TYPE("(i)"), nullptr);
    gint32 id = -1;
    if (loaded != nullptr)
        g_variant_get(loaded, "(i)", &id);
    const bool running = id >= 0 && runScript(id, tag.marker);
    g_remove(file.c_str());
    if (!running) {
        std::fprintf(stderr, "runvoy: KWin did not run the window script for %s\n",
                     tag.item.c_str());
        unload(tag.marker);
    }
}

// KWin 6 puts a loaded script at /Scripting/Script<id>, KWin 5 at /<id>. The id counts the
// scripts loaded at the moment, so after others were unloaded it may name a path that another
// script still holds; then only starting every loaded script runs ours. The script says it is
// ready before KWin answers the call that ran it.
bool KWinWindowSource::runScript(int id, const std::string &marker) {
    const auto ready = [&] {
        const auto script = scripts.find(marker);
        return script != scripts.end() && script->second.ready;
    };
    const std::string number = std::to_string(id);
    for (const char *folder : {"/Scripting/Script", "/"}) {
        const std::string path = folder + number;
        g_autoptr(GVariant) ran = callAndServe(bus, KWinName, path.c_str(), "org.kde.kwin.Script",
                                               "run", nullptr, nullptr, nullptr);
        if (ran != nullptr && serveUntil(ready, 100ms))
            return true;
    }
    // Its answer says nothing: only the script's own report tells that it runs.
    if (GVariant *started = callAndServe(bus, KWinName, ScriptingPath, ScriptingInterface, "start",
                                         nullptr, nullptr, nullptr))
        g_variant_unref(started);
    return serveUntil(ready, 2s);
}

void KWinWindowSource::settled(const std::string &marker, bool launched) {
    const auto script = scripts.find(marker);
    if (script == scripts.end())
        return;
    if (!launched) {
        ended(marker);
        return;
    }
    script->second.launched = true;
    answerHeld();
}

void KWinWindowSource::ended(const std::string &marker) {
    if (!scripts.contains(marker))
        return;
    std::erase_if(held, [&](const Held &report) {
        if (report.marker != marker)
            return false;
        answer(report.invocation, ScriptAnswer::Leave);
        return true;
    });
    unload(marker);
}

void KWinWindowSource::request(std::uint32_t window, ShowCommand show) {
    requests[window] = show;
    answerHeld();
}

void KWinWindowSource::claimed(std::uint32_t window, const std::string &marker) {
    claims[window] = marker;
}

void KWinWindowSource::handle(GDBusMethodInvocation *invocation, const char *method,
                              GVariant *parameters) {
    if (g_strcmp0(g_dbus_method_invocation_get_sender(invocation), kwin.c_str()) != 0) {
        g_dbus_method_invocation_return_dbus_error(
            invocation, "org.freedesktop.DBus.Error.AccessDenied", "only KWin reports windows");
        return;
    }
    const std::string name = method;
    const char *marker = nullptr;
    const char *key = nullptr;
    if (name == "Ready") {
        g_variant_get(parameters, "(&s)", &marker);
        if (const auto script = scripts.find(marker); script != scripts.end())
            script->second.ready = true;
        g_dbus_method_invocation_return_value(invocation, nullptr);
    } else if (name == "Offer") {
        offered(invocation, parameters);
    } else if (name == "Changed") {
        const char *traits = nullptr;
        g_variant_get(parameters, "(&s&s&s)", &marker, &key, &traits);
        const auto window = windows.find(key);
        if (window == windows.end() || !scripts.contains(marker)) {
            answer(invocation, ScriptAnswer::Leave);
            return;
        }
        held.push_back({marker, window->second, false, invocation});
        reports.stateChanged(window->second, parseTraits(traits).state);
        answerHeld();
    } else {
        g_variant_get(parameters, "(&s&s)", &marker, &key);
        if (const auto window = windows.find(key); window != windows.end())
            reports.windowGone(window->second);
        g_dbus_method_invocation_return_value(invocation, nullptr);
    }
}

void KWinWindowSource::offered(GDBusMethodInvocation *invocation, GVariant *parameters) {
    const char *marker = nullptr;
    const char *key = nullptr;
    const char *pid = nullptr;
    const char *desktopFile = nullptr;
    const char *words = nullptr;
    g_variant_get(parameters, "(&s&s&s&s&s)", &marker, &key, &pid, &desktopFile, &words);
    const WindowTraits traits = parseTraits(words);
    if (!scripts.contains(marker) || (traits.x11 && leaveX11Windows)) {
        answer(invocation, ScriptAnswer::Leave);
        return;
    }
    // Every script offers every new window; the first offer tells the watches about it.
    bool isNew = false;
    const std::uint32_t window = windowNamed(key, isNew);
    held.push_back({marker, window, true, invocation});
    if (isNew) {
        // KWin names the desktop entry by its id or by its whole path.
        reports.windowAppeared(
            compositorWindowFacts(window, g_ascii_strtoll(pid, nullptr, 10), desktopFile, traits));
    }
    answerHeld();
}

std::uint32_t KWinWindowSource::windowNamed(const std::string &key, bool &isNew) {
    const auto [entry, added] =
        windows.try_emplace(key, FirstWindow + std::uint32_t(windows.size()));
    isNew = added;
    return entry->second;
}

void KWinWindowSource::answerHeld() {
    std::erase_if(held, [&](const Held &report) {
        const std::optional<ScriptAnswer> word = decide(report);
        if (word)
            answer(report.invocation, *word);
        return word.has_value();
    });
}

// Offers wait while their launch is being handed over: a window may show before the desktop has
// told which process it started.
std::optional<ScriptAnswer> KWinWindowSource::decide(const Held &report) {
    const auto claim = claims.find(report.window);
    if (claim != claims.end() && claim->second == report.marker) {
        const auto wanted = requests.find(report.window);
        if (wanted == requests.end())
            return report.offer ? ScriptAnswer::Follow : ScriptAnswer::Leave;
        const ShowCommand show = wanted->second;
        requests.erase(wanted);
        return show == ShowCommand::Maximized ? ScriptAnswer::Maximize : ScriptAnswer::Minimize;
    }
    if (claim != claims.end() || !report.offer || scripts[report.marker].launched)
        return ScriptAnswer::Leave;
    return std::nullopt;
}

void KWinWindowSource::unload(const std::string &marker) {
    scripts.erase(marker);
    g_dbus_connection_call(bus, KWinName, ScriptingPath, ScriptingInterface, "unloadScript",
                           g_variant_new("(s)", marker.c_str()), nullptr, G_DBUS_CALL_FLAGS_NONE,
                           -1, nullptr, nullptr, nullptr);
}

} // namespace platform
