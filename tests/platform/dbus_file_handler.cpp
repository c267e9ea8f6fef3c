#include <gio/gio.h>

// A file handler that the desktop starts over D-Bus, as many file managers are: the bus starts
// it on the first request for its name; it logs the files it is asked to open before it answers.
// Usage: dbus_file_handler <application id> <log file>

namespace {

void logOpened(GApplication *, GFile **files, gint count, const gchar *, gpointer logPath) {
    g_autoptr(GString) text = g_string_new(nullptr);
    for (gint i = 0; i < count; ++i) {
        g_autofree char *path = g_file_get_path(files[i]);
        g_string_append_printf(text, "arg=%s\n", path);
    }
    g_file_set_contents(static_cast<const char *>(logPath), text->str, -1, nullptr);
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 3 || !g_application_id_is_valid(argv[1]))
        return 2;
    g_autoptr(GApplication) application = g_application_new(
        argv[1], GApplicationFlags(G_APPLICATION_HANDLES_OPEN | G_APPLICATION_IS_SERVICE));
    g_signal_connect(application, "open", G_CALLBACK(logOpened), argv[2]);
    char *serviceArguments[] = {argv[0], nullptr};
    return g_application_run(application, 1, serviceArguments);
}
