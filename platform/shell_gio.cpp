#include "platform/shell.h"
#include "platform/window_states.h"

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

// Runs the calling thread's main context until an asynchronous launch has answered and returns
// its result. Handlers that the desktop starts over D-Bus are only asked once the bus call has
// gone out, so returning any earlier lets a program that ends right after its last item lose
// that item silently. The widget toolkit's event loop turns the same GLib context, so windows
// keep painting meanwhile; the iteration blocks until something happens instead of spinning.
template <typename Start> GAsyncResult *awaitLaunch(Start start) {
    GAsyncResult *result = nullptr;
    GMainContext *context = g_main_context_ref_thread_default();
    start(
        +[](GObject *, GAsyncResult *answer, gpointer slot) {
            *static_cast<GAsyncResult **>(slot) = G_ASYNC_RESULT(g_object_ref(answer));
        },
        &result);
    while (result == nullptr)
        g_main_context_iteration(context, TRUE);
    g_main_context_unref(context);
    return result;
}

// A launch context that gives whatever GIO starts our own startup id: a spawned program finds it
// in DESKTOP_STARTUP_ID, a handler that the session bus starts in the request's platform data.
struct TaggedLaunchContext {
    GAppLaunchContext parent;
    char *startupId;
};
struct TaggedLaunchContextClass {
    GAppLaunchContextClass parent;
};
G_DEFINE_TYPE(TaggedLaunchContext, tagged_launch_context, G_TYPE_APP_LAUNCH_CONTEXT)

char *taggedStartupId(GAppLaunchContext *context, GAppInfo *, GList *) {
    return g_strdup(reinterpret_cast<TaggedLaunchContext *>(context)->startupId);
}

void taggedFinalize(GObject *object) {
    g_free(reinterpret_cast<TaggedLaunchContext *>(object)->startupId);
    G_OBJECT_CLASS(tagged_launch_context_parent_class)->finalize(object);
}

void tagged_launch_context_class_init(TaggedLaunchContextClass *type) {
    G_APP_LAUNCH_CONTEXT_CLASS(type)->get_startup_notify_id = taggedStartupId;
    G_OBJECT_CLASS(type)->finalize = taggedFinalize;
}

void tagged_launch_context_init(TaggedLaunchContext *context) {
    context->startupId = nullptr;
}

// What one launch hands GIO: no context at all for an item without a state; otherwise one that
// carries the tag and learns the pid of what it starts.
class LaunchContext {
public:
    explicit LaunchContext(const std::optional<LaunchTag> &tag) {
        if (!tag)
            return;
        auto *tagged = static_cast<TaggedLaunchContext *>(
            g_object_new(tagged_launch_context_get_type(), nullptr));
        context = G_APP_LAUNCH_CONTEXT(tagged);
        // GIO asks for a startup id only for entries that declare startup notification; ours
        // announces no startup sequence, so a program that ignores it loses nothing. Without an
        // X server there is none: Wayland's activation tokens come from the compositor alone.
        if (!tag->startupId.empty()) {
            tagged->startupId = g_strdup(tag->startupId.c_str());
            g_app_launch_context_setenv(context, "DESKTOP_STARTUP_ID", tag->startupId.c_str());
        }
        g_app_launch_context_setenv(context, LaunchMarkerVariable, tag->marker.c_str());
        g_signal_connect(
            context, "launched",
            G_CALLBACK(+[](GAppLaunchContext *, GAppInfo *, GVariant *platformData, gpointer pid) {
                gint32 started = 0;
                if (g_variant_lookup(platformData, "pid", "i", &started))
                    *static_cast<std::int64_t *>(pid) = started;
            }),
            &launchedPid);
    }
    ~LaunchContext() {
        if (context != nullptr)
            g_object_unref(context);
    }
    LaunchContext(const LaunchContext &) = delete;
    LaunchContext &operator=(const LaunchContext &) = delete;

    GAppLaunchContext *get() const { return context; }
    std::int64_t pid() const { return launchedPid; }
    const std::string &desktopId() const { return application; }

    // The application that a bus may start has no pid to tell; its windows name its entry.
    void noteApplication(GAppInfo *info) {
        const char *id = g_app_info_get_id(info);
        application = id != nullptr ? id : "";
        if (application.ends_with(".desktop"))
            application.resize(application.size() - std::strlen(".desktop"));
    }

private:
    GAppLaunchContext *context = nullptr;
    std::int64_t launchedPid = 0;
    std::string application;
};

bool launchApplication(GAppInfo *application, GList *uris, LaunchContext &launch) {
    launch.noteApplication(application);
    g_autoptr(GAsyncResult) result = awaitLaunch([&](GAsyncReadyCallback done, gpointer slot) {
        g_app_info_launch_uris_async(application, uris, launch.get(), nullptr, done, slot);
    });
    return g_app_info_launch_uris_finish(application, result, nullptr);
}

bool launchDefaultForUri(const char *uri, const LaunchContext &launch) {
    g_autoptr(GAsyncResult) result = awaitLaunch([&](GAsyncReadyCallback done, gpointer slot) {
        g_app_info_launch_default_for_uri_async(uri, launch.get(), nullptr, done, slot);
    });
    return g_app_info_launch_default_for_uri_finish(result, nullptr);
}

// GIO starts a handler in our own current folder unless its desktop entry names a Path, so the
// item's folder is entered for the length of the launch and left again afterwards. The item's
// own path is made absolute before, and the program has one thread, so the detour goes unnoticed.
// A handler that the bus starts works wherever the bus puts it: D-Bus carries no folder.
class WorkingFolder {
public:
    explicit WorkingFolder(const char *folder)
        : previous(::open(".", O_PATH | O_DIRECTORY | O_CLOEXEC)) {
        entered = previous >= 0 && chdir(folder) == 0;
    }
    ~WorkingFolder() {
        if (entered && fchdir(previous) != 0) {
            // Nothing sensible is left to do when even the folder held open cannot be re-entered.
        }
        if (previous >= 0)
            close(previous);
    }
    WorkingFolder(const WorkingFolder &) = delete;
    WorkingFolder &operator=(const WorkingFolder &) = delete;

    bool isEntered() const { return entered; }

private:
    int previous;
    bool entered = false;
};

bool openWithDefaultHandler(GFile *file, const char *contentType, LaunchContext &launch) {
    g_autoptr(GAppInfo) handler = g_app_info_get_default_for_type(contentType, FALSE);
    if (handler == nullptr)
        return false;
    g_autofree char *uri = g_file_get_uri(file);
    GList uris = {uri, nullptr, nullptr};
    return launchApplication(handler, &uris, launch);
}

// A desktop entry is the desktop's shortcut: an application it starts, or a URL it opens.
bool launchDesktopEntry(const char *path, LaunchContext &launch) {
    if (g_autoptr(GDesktopAppInfo) application = g_desktop_app_info_new_from_filename(path))
        return launchApplication(G_APP_INFO(application), nullptr, launch);

    g_autoptr(GKeyFile) entry = g_key_file_new();
    if (!g_key_file_load_from_file(entry, path, G_KEY_FILE_NONE, nullptr))
        return false;
    g_autofree char *type = g_key_file_get_string(entry, G_KEY_FILE_DESKTOP_GROUP,
                                                  G_KEY_FILE_DESKTOP_KEY_TYPE, nullptr);
    g_autofree char *url =
        g_key_file_get_string(entry, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_URL, nullptr);
    if (g_strcmp0(type, G_KEY_FILE_DESKTOP_TYPE_LINK) != 0 || url == nullptr)
        return false;
    return launchDefaultForUri(url, launch);
}

// Only a real program image is run directly: a binary, or a script naming its interpreter. The
// spawn would hand any other executable file to /bin/sh, so a document that merely carries the
// execute bit (every file on some mounted drives does) would have its text run as commands; such
// files open as documents instead.
bool isProgram(GFileInfo *info, const char *path) {
    if (g_file_info_get_file_type(info) != G_FILE_TYPE_REGULAR ||
        !g_file_info_get_attribute_boolean(info, G_FILE_ATTRIBUTE_ACCESS_CAN_EXECUTE))
        return false;
    const int file = ::open(path, O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return false;
    char head[4];
    std::size_t length = 0;
    while (length < sizeof(head)) {
        const ssize_t got = ::read(file, head + length, sizeof(head) - length);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        length += std::size_t(got);
    }
    close(file);
    const std::string_view start(head, length);
    return start.starts_with("#!") || start == "\177ELF";
}

// A program run directly gets the tag the way GIO gives it to what it starts.
bool runProgram(const char *path, const char *folder, const std::optional<LaunchTag> &tag,
                GPid *pid) {
    // One argument vector entry and no shell: blanks, quotes, "$" and backticks stay literal.
    char *argv[] = {const_cast<char *>(path), nullptr};
    g_auto(GStrv) environment = nullptr;
    if (tag) {
        environment = g_get_environ();
        environment =
            g_environ_setenv(environment, "DESKTOP_STARTUP_ID", tag->startupId.c_str(), TRUE);
        environment =
            g_environ_setenv(environment, LaunchMarkerVariable, tag->marker.c_str(), TRUE);
    }
    return g_spawn_async(folder, argv, environment, G_SPAWN_DEFAULT, nullptr, nullptr, pid,
                         nullptr);
}

class DesktopShell final : public Shell {
public:
    explicit DesktopShell(WindowStates &states) : states(states) {}

    // Nothing carries a requested state from the starter to the started program, neither on X11
    // nor on Wayland, so the launch is tagged instead and the state is applied to its window
    // once it shows, where the desktop allows that.
    bool open(const std::filesystem::path &path, ShowCommand show) override {
        // A NUL would silently cut the path short and open some other file.
        if (path.empty() || path.native().find('\0') != std::string::npos)
            return false;

        // Relative paths count from the current folder. The file is named by its absolute path
        // from here on, so a name beginning with "-" never reaches anything as an option.
        g_autoptr(GFile) file = g_file_new_for_path(path.c_str());
        g_autoptr(GFileInfo) info = g_file_query_info(file,
                                                      G_FILE_ATTRIBUTE_STANDARD_TYPE
                                                      "," G_FILE_ATTRIBUTE_STANDARD_CONTENT_TYPE
                                                      "," G_FILE_ATTRIBUTE_ACCESS_CAN_EXECUTE,
                                                      G_FILE_QUERY_INFO_NONE, nullptr, nullptr);
        if (info == nullptr)
            return false;
        const char *contentType = g_file_info_get_content_type(info);
        g_autofree char *absolute = g_file_get_path(file);
        if (contentType == nullptr || absolute == nullptr)
            return false;

        // A file cannot be a working folder here, so a file item works in the folder holding it.
        const bool isFolder = g_file_info_get_file_type(info) == G_FILE_TYPE_DIRECTORY;
        g_autofree char *folder = isFolder ? g_strdup(absolute) : g_path_get_dirname(absolute);

        const bool isDesktopEntry =
            !isFolder && g_content_type_is_a(contentType, "application/x-desktop");
        if (!isDesktopEntry && isProgram(info, absolute)) {
            const std::optional<LaunchTag> tag = states.prepare(show, path);
            GPid pid = 0;
            if (!runProgram(absolute, folder, tag, &pid))
                return false;
            if (tag)
                states.launched(*tag, pid, {});
            return true;
        }

        const WorkingFolder working(folder);
        if (!working.isEntered())
            return false;
        const std::optional<LaunchTag> tag = states.prepare(show, path);
        LaunchContext launch(tag);
        if (!(isDesktopEntry ? launchDesktopEntry(absolute, launch)
                             : openWithDefaultHandler(file, contentType, launch)))
            return false;
        if (tag)
            states.launched(*tag, launch.pid(), launch.desktopId());
        return true;
    }

private:
    WindowStates &states;
};

} // namespace

std::unique_ptr<Shell> makeDesktopShell(WindowStates &states) {
    return std::make_unique<DesktopShell>(states);
}

} // namespace platform
