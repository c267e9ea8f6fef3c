#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QSize>
#include <QString>
#include <QTemporaryDir>

#include <vector>

struct xcb_connection_t;

// A private X server (Xvfb) for runs whose windows are looked at, managed by openbox when asked:
// what the window manager writes about each window is read back here.
class XSession {
public:
    explicit XSession(bool withWindowManager);
    ~XSession();
    XSession(const XSession &) = delete;
    XSession &operator=(const XSession &) = delete;

    // Names the tools that are not installed, empty when a session can be started.
    static QString missingTools();

    bool isReady() const { return ready; }
    QSize screenSize() const { return {1024, 768}; }
    QString displayName() const { return name; }
    // Points a program's environment at this server.
    void useIn(QProcessEnvironment &environment) const;

    // A window the window manager lists, with what it has written about it.
    struct Window {
        QString title;
        bool maximized = false; // both directions, in _NET_WM_STATE
        bool iconic = false;    // WM_STATE
        QSize size;
    };
    std::vector<Window> managedWindows() const;

private:
    bool startServer();
    bool startWindowManager();

    QTemporaryDir home;
    QProcess server;
    QProcess manager;
    QString name;
    xcb_connection_t *connection = nullptr;
    bool ready = false;
};
