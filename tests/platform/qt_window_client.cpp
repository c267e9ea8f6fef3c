#include <QApplication>
#include <QWidget>
#include <QWindow>

#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <string>

// A small Qt program for tests and benchmarks of window states on Wayland desktops: it runs on
// whichever platform Qt is given, so the same program is a Wayland client or an X11 one. It runs
// until it is ended.
// Usage: qt_window_client [options] TITLE
//   --fork      forks first; the window belongs to the child, the parent ends
//   --never     never shows a window
//   --app-id ID names its desktop entry ID to the desktop (the Wayland app id)
//   --log FILE  appends "<event> <monotonic ns>" lines: start, frame (the first one painted),
//               maximized, minimized

namespace {

struct Options {
    bool fork = false, never = false;
    const char *appId = nullptr;
    const char *log = nullptr;
    const char *title = nullptr;
};

void note(const Options &options, const char *event) {
    if (options.log == nullptr)
        return;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    if (std::FILE *log = std::fopen(options.log, "a")) {
        std::fprintf(log, "%s %lld\n", event, now.tv_sec * 1000000000LL + now.tv_nsec);
        std::fclose(log);
    }
}

bool parse(int argc, char **argv, Options &options) {
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--fork")
            options.fork = true;
        else if (option == "--never")
            options.never = true;
        else if (option == "--app-id" && i + 1 < argc)
            options.appId = argv[++i];
        else if (option == "--log" && i + 1 < argc)
            options.log = argv[++i];
        else if (options.title == nullptr && !option.starts_with("--"))
            options.title = argv[i];
        else
            return false;
    }
    return options.title != nullptr;
}

class Window : public QWidget {
public:
    explicit Window(const Options &options) : options(options) {
        setWindowTitle(QString::fromUtf8(options.title));
        resize(320, 200);
    }

protected:
    void paintEvent(QPaintEvent *) override {
        if (!painted)
            note(options, "frame");
        painted = true;
    }
    void changeEvent(QEvent *event) override {
        if (event->type() == QEvent::WindowStateChange) {
            if (isMaximized())
                note(options, "maximized");
            if (isMinimized())
                note(options, "minimized");
        }
        QWidget::changeEvent(event);
    }

private:
    const Options &options;
    bool painted = false;
};

} // namespace

int main(int argc, char **argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        std::fprintf(stderr, "usage: qt_window_client [options] TITLE\n");
        return 2;
    }
    note(options, "start");
    if (options.fork && fork() != 0)
        return 0;
    QApplication application(argc, argv);
    if (options.appId != nullptr)
        QGuiApplication::setDesktopFileName(QString::fromUtf8(options.appId));
    Window window(options);
    if (!options.never)
        window.show();
    return QApplication::exec();
}
