#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QSize>
#include <QString>
#include <QStringList>

// A private X display (Xvfb) for runs whose windows must be seen or answered from outside the
// process; xdotool looks at it and types into it. Nothing else draws on it, and it has no window
// manager, so every visible top-level window belongs to the program under test.
class XDisplay {
public:
    XDisplay();
    ~XDisplay();
    XDisplay(const XDisplay &) = delete;
    XDisplay &operator=(const XDisplay &) = delete;

    // Names the tools that are not installed, empty when the display can be used at all.
    static QString missingTools();

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

private:
    QString xdotool(const QStringList &arguments, bool *succeeded = nullptr) const;

    QProcess server;
    QString name_;
};
