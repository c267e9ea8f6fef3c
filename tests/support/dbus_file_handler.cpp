#include <gio/gio.h>

// A file handler that the desktop starts over D-Bus, as many file managers are: the bus starts
// it on the first request for its name; it logs the files it is asked to open before it answers.
// Given a window program, it also starts that program for every file, titled with the file's
// name and given the request's startup id, as a toolkit puts it on the window it opens.
// Usage: dbus_file_handler <application id> <log file> [<window program>]

namespace {

struct FileHandler {
    GApplication parent;
    char *startupId;
};
struct FileHandlerClass {
    GApplicationClass parent;
};
G_DEFINE_TYPE(FileHandler, file_handler, G_TYPE_APPLICATION)

void keepStartupId(GApplication *application, GVariant *platformData) {
    auto *handler = reinterpret_cast<FileHandler *>(application);
    g_clear_pointer(&handler->startupId, g_free);
    g_variant_lookup(platformData, "desktop-startup-id", "s", &handler->startupId);
    G_APPLICATION_CLASS(file_handler_parent_class)->before_emit(application, platformData);
}

void forgetStartupId(GObject *object) {
    g_free(reinterpret_cast<FileHandler *>(object)->startupId);
    G_OBJECT_CLASS(file_handler_parent_class)->finalize(object);
}

void file_handler_class_init(FileHandlerClass *type) {
    G_APPLICATION_CLASS(type)->before_emit = keepStartupId;
    G_OBJECT_CLASS(type)->finalize = forgetStartupId;
}

void file_handler_init(FileHandler *handler) {
    handler->startupId = nullptr;
}

const char *windowProgram = nullptr;

void startWindow(const FileHandler *handler, GFile *file) {
    g_autofree char *title = g_file_get_basename(file);
    char *argv[] = {const_cast<char *>(windowProgram), const_cast<char *>("--startup-id-on-leader"),
                    title, nullptr};
    g_auto(GStrv) environment = g_environ_unsetenv(g_get_environ(), "DESKTOP_STARTUP_ID");
    if (handler->startupId != nullptr)
        environment = g_environ_setenv(environment, "DESKTOP_STARTUP_ID", handler->startupId, TRUE);
    g_spawn_async(nullptr, argv, environment, G_SPAWN_DEFAULT, nullptr, nullptr, nullptr, nullptr);
}

void logOpened(GApplication *application, GFile **files, gint count, const gchar *,
               gpointer logPath) {
    g_autoptr(GString) text = g_string_new(nullptr);
    for (gint i = 0; i < count; ++i) {
        g_autofree char *path = g_file_get_path(files[i]);
        g_string_append_printf(text, "arg=%s\n", path);
        if (windowProgram != nullptr)
            startWindow(reinterpret_cast<FileHandler *>(application), files[i]);
    }
    g_file_set_contents(static_cast<const char *>(logPath), text->str, -1, nullptr);
}

} // namespace

int main(int argc, char **argv) {
    if (argc < 3 || argc > 4 || !g_application_id_is_valid(argv[1]))
        return 2;
    windowProgram = argc == 4 ? argv[3] : nullptr;
    g_autoptr(GApplication) application = G_APPLICATION(g_object_new(
        file_handler_get_type(), "application-id", argv[1], "flags",
        GApplicationFlags(G_APPLICATION_HANDLES_OPEN | G_APPLICATION_IS_SERVICE), nullptr));
    g_signal_connect(application, "open", G_CALLBACK(logOpened), argv[2]);
    char *serviceArguments[] = {argv[0], nullptr};
    return g_application_run(application, 1, serviceArguments);
}
