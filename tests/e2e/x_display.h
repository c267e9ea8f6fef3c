#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

// A private X display (Xvfb) for runs whose windows must be seen or answered from outside the
// process; xdotool looks at it and types into it. Nothing else draws on it, so every visible
// top-level window belongs to the program under test. It has no window manager unless asked for
// one: openbox, which frames and places windows as a desktop does.
class XDisplay {
public:
    enum class WindowManager { None, Openbox };

    explicit XDisplay(WindowManager manager = WindowManager::None);
    ~XDisplay();
    XDisplay(const XDisplay &) = delete;
    XDisplay &operator=(const XDisplay &) = delete;

    // Names the tools that are not installed, empty when the display can be used at all.
    static QString missingTools(WindowManager manager = WindowManager::None);

    bool isReady() const { return !name_.isEmpty(); }
    QSize screenSize() const { return {1024, 768}; }

    // Points a program's environment at this display instead of the offscreen screen.
    void useIn(QProcessEnvironment &environment) const;

    // The titles of all windows that are shown right now.
    QStringList visibleWindows() const;
    // Waits until a shown window's title ends with title; false when none came.
    bool waitForWindow(const QString &title, int boundMs) const;
    // Gives the shown window whose title ends with title the keyboard focus and types key.
    bool pressKey(const QString &title, const QString &key) const;
    // Where the shown window whose title ends with title is, frame included.
    std::optional<QRect> outerGeometry(const QString &title) const;
    // The window manager's _NET_WM_STATE of the window named title, as xprop prints it.
    QString windowManagerState(const QString &title) const;

private:
    QString run(const QString &tool, const QStringList &arguments, bool *succeeded = nullptr) const;
    QString xdotool(const QStringList &arguments, bool *succeeded = nullptr) const;
    bool startWindowManager();

    QProcess server;
    QProcess manager;
    QString name_;
};
