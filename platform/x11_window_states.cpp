#include "platform/x11_window_states.h"

#include <QEventLoop>

#include <chrono>
#include <cstdio>

#include <unistd.h>

namespace platform {

namespace {

Millis now() {
    return std::chrono::duration_cast<Millis>(std::chrono::steady_clock::now().time_since_epoch());
}

} // namespace

X11WindowStates::X11WindowStates(std::unique_ptr<X11Desktop> x11) : desktop(std::move(x11)) {
    for (const quint32 window : desktop->clientList())
        listed.insert(window);
    joinEventLoop();
}

X11WindowStates::~X11WindowStates() = default;

std::optional<LaunchTag> X11WindowStates::prepare(ShowCommand show, const QString &item) {
    LaunchTag tag;
    tag.show = show;
    tag.item = item;
    tag.marker = "runvoy-" + QByteArray::number(getpid()) + '-' + QByteArray::number(++launches);
    // The time lets the window manager weigh the new window against the user's own actions.
    tag.startupId = tag.marker + "_TIME" + QByteArray::number(desktop->serverTime());
    tag.preparedAt = now();
    // The round trip may have held back changes that the socket will not announce again.
    readChanges();
    return tag;
}

void X11WindowStates::launched(const LaunchTag &tag, qint64 pid) {
    perform(
        watches.add({tag.show, tag.item, tag.startupId, tag.marker, pid, tag.preparedAt}, now()));
    settle();
}

void X11WindowStates::waitForWatches() {
    readChanges();
    while (!watches.isIdle()) {
        QEventLoop loop;
        waiting = &loop;
        loop.exec();
        waiting = nullptr;
    }
}

void X11WindowStates::leaveEventLoop() {
    notifier.reset();
    deadline.reset();
}

void X11WindowStates::joinEventLoop() {
    notifier = std::make_unique<QSocketNotifier>(desktop->socket(), QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(),
                     [this] { readChanges(); });
    deadline = std::make_unique<QTimer>();
    deadline->setSingleShot(true);
    deadline->setTimerType(Qt::PreciseTimer);
    QObject::connect(deadline.get(), &QTimer::timeout, deadline.get(), [this] {
        perform(watches.timePassed(now()));
        settle();
    });
    // What came while no loop was reading, and the bound that was armed then.
    readChanges();
}

void X11WindowStates::readChanges() {
    while (const std::optional<X11Desktop::Change> change = desktop->nextChange()) {
        if (change->kind == X11Desktop::Change::ClientList)
            clientListChanged();
        else
            perform(watches.stateChanged(change->window, desktop->stateOf(change->window), now()));
    }
    // A display that has gone away leaves the watches to their bounds.
    if (desktop->hasFailed())
        notifier->setEnabled(false);
    settle();
}

void X11WindowStates::clientListChanged() {
    std::set<quint32> current;
    for (const quint32 window : desktop->clientList())
        current.insert(window);
    for (const quint32 window : listed) {
        if (!current.contains(window))
            watches.windowGone(window);
    }
    for (const quint32 window : current) {
        if (!listed.contains(window))
            perform(watches.windowAppeared(desktop->factsAbout(window), now()));
    }
    listed = std::move(current);
}

void X11WindowStates::perform(const WatchActions &actions) {
    for (const auto &[window, show] : actions.requests)
        desktop->request(window, show);
    for (const QString &notice : actions.notices)
        std::fprintf(stderr, "runvoy: %s\n", notice.toLocal8Bit().constData());
}

// Arms the timer for the next bound, and ends a wait that has nothing left to wait for.
void X11WindowStates::settle() {
    if (const std::optional<Millis> next = watches.nextDeadline())
        deadline->start(std::max(Millis(0), *next - now()));
    else
        deadline->stop();
    if (waiting != nullptr && watches.isIdle())
        waiting->quit();
}

} // namespace platform
