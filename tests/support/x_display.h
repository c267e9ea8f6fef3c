#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QSize>
#include <QString>
#include <QTemporaryDir>

#include <optional>
#include <vector>

struct xcb_connection_t;

// A private X server (Xvfb) of the test's own, managed by openbox when asked: windows on it are
// looked at, typed into and closed from outside the programs that show them. Nothing else draws
// on it, so every window there belongs to the test.
class XDisplay {
public:
    enum class WindowManager { None, Openbox };

    explicit XDisplay(WindowManager manager = WindowManager::None);
    ~XDisplay();
    XDisplay(const XDisplay &) = delete;
    XDisplay &operator=(const XDisplay &) = delete;

    // Names the tools that are not installed, empty when the display can be used at all; typing
    // keys needs one more.
    static QString missingTools(WindowManager manager = WindowManager::None, bool typing = false);

    // Ready once the server takes connections and the window manager, if any, answers requests.
    bool isReady() const { return connection != nullptr; }
    QSize screenSize() const { return {1024, 768}; }
    QString name() const { return name_; }
    // Points a program's environment at this display.
    void useIn(QProcessEnvironment &environment) const;

    struct Window {
        quint32 id = 0;
        QString title;
        QRect outer;            // where it is, the window manager's frame included
        QSize size;             // its own size, without the frame
        bool maximized = false; // both ways, in _NET_WM_STATE
        bool iconic = false;    // WM_STATE
    };
    // The titled windows that are shown right now, and those the window manager lists.
    std::vector<Window> shownWindows() const;
    std::vector<Window> managedWindows() const;
    // Waits until a window whose title ends with title is shown; none when none came.
    std::optional<Window> waitForWindow(const QString &title, int boundMs) const;
    // Gives the window the keyboard focus and types key through the server, as a keyboard would.
    bool pressKey(const Window &window, const QString &key) const;
    // Asks the window manager to close the window, as its close button does.
    void close(const Window &window) const;

private:
    bool startServer();
    bool startWindowManager();
    bool windowManagerAnswers() const;
    Window describe(quint32 id) const;

    QTemporaryDir home; // the window manager's, so that no user's settings change how it behaves
    QProcess server;
    QProcess manager;
    QString name_;
    xcb_connection_t *connection = nullptr;
};
