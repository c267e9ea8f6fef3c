#pragma once

#include "platform/shell.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <memory>
#include <optional>

namespace platform {

// The environment variable that carries a launch's marker into every process the launch starts.
inline constexpr char LaunchMarkerVariable[] = "RUNVOY_LAUNCH";

// What one launch carries so that the window it brings up can be told from every other: a
// startup id for the program to put on its window, and a marker in its environment.
struct LaunchTag {
    ShowCommand show = ShowCommand::Normal;
    QString item; // named in what is said about it
    QByteArray startupId;
    QByteArray marker;
    std::chrono::milliseconds preparedAt{}; // on the steady clock
};

// Brings the windows of started items up in the state their row asks for, where the desktop
// lets one program change another's window.
class WindowStates {
public:
    virtual ~WindowStates() = default;

    // Called before a launch in show: the tag to give it, or none when no window will be looked
    // after (Normal, or a desktop where states cannot be applied, which is said once on standard
    // error).
    virtual std::optional<LaunchTag> prepare(ShowCommand show, const QString &item) = 0;
    // Called once the prepared launch has been handed over: pid is the started process, 0 when
    // the desktop did not say (a handler that the session bus starts).
    virtual void launched(const LaunchTag &tag, qint64 pid) = 0;
    // Keeps the event loop turning until every launched window has been looked after, which is
    // at most about ten seconds after the last launch. Returns at once when nothing is watched.
    virtual void waitForWatches() = 0;

    // Watches are read through the application object's event loop. A run replaces that object
    // when it must show a message: the watches let go of the old one before and take up the new
    // one after, so that they go on through the message and beyond.
    virtual void leaveEventLoop() = 0;
    virtual void joinEventLoop() = 0;
};

// Chooses how window states are applied when the first item that needs one is prepared: on X11
// with a window manager that takes state requests, or not at all.
std::unique_ptr<WindowStates> makeWindowStates();

} // namespace platform
