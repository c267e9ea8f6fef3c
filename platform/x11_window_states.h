#pragma once

#include "platform/window_states.h"
#include "platform/window_watches.h"
#include "platform/x11_desktop.h"

#include <QSocketNotifier>
#include <QTimer>

#include <memory>
#include <set>

class QEventLoop;

namespace platform {

// Window states on X11: every launch gets a startup id and a marker, and every window the window
// manager lists from then on is offered to the launches that wait for one. The X connection is
// read from the event loop, so watches go on during the waits between items and after the last.
class X11WindowStates final : public WindowStates {
public:
    explicit X11WindowStates(std::unique_ptr<X11Desktop> desktop);
    ~X11WindowStates() override;

    std::optional<LaunchTag> prepare(ShowCommand show, const QString &item) override;
    void launched(const LaunchTag &tag, qint64 pid) override;
    void waitForWatches() override;
    void leaveEventLoop() override;
    void joinEventLoop() override;

private:
    void readChanges();
    void clientListChanged();
    void perform(const WatchActions &actions);
    void settle();

    std::unique_ptr<X11Desktop> desktop;
    WindowWatches watches;
    std::set<quint32> listed;
    // Made anew for each application object: both belong to its event loop.
    std::unique_ptr<QSocketNotifier> notifier;
    std::unique_ptr<QTimer> deadline;
    QEventLoop *waiting = nullptr;
    int launches = 0;
};

} // namespace platform
