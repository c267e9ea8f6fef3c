#pragma once

#include <QProcessEnvironment>
#include <QSize>
#include <QString>

#include <vector>

// A private Wayland compositor on a virtual screen, with its X server, on a sandbox's session
// bus: what the compositor itself says about each window is read back here.
class WaylandSession {
public:
    virtual ~WaylandSession() = default;

    virtual bool isReady() const = 0;
    // Points a program's environment at this compositor and its X server.
    virtual void useIn(QProcessEnvironment &environment) const = 0;

    struct Window {
        QString title;
        bool minimized = false;
        bool maximized = false;
        QSize size; // of the frame
    };
    virtual std::vector<Window> windows() = 0;
    // What the compositor wrote on its error output so far, for failures.
    virtual QString output() const = 0;
};
