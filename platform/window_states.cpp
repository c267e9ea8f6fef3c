#include "platform/window_states.h"

#include "platform/x11_window_states.h"

#include <cstdio>

using namespace Qt::StringLiterals;

namespace platform {

namespace {

// Where one program cannot change another's window: items open the way their programs open
// them, and the run says so once instead of pretending.
class StatesNotApplied final : public WindowStates {
public:
    explicit StatesNotApplied(const QString &reason) {
        std::fprintf(stderr,
                     "runvoy: window states are not applied on this desktop (%s); items open "
                     "the way their programs open them\n",
                     reason.toLocal8Bit().constData());
    }
    std::optional<LaunchTag> prepare(ShowCommand, const QString &) override { return std::nullopt; }
    void launched(const LaunchTag &, qint64) override {}
    void waitForWatches() override {}
    void leaveEventLoop() override {}
    void joinEventLoop() override {}
};

// Nothing is looked at until an item asks for a state, so a run of Normal items neither
// connects anywhere nor waits.
class ChosenOnFirstUse final : public WindowStates {
public:
    std::optional<LaunchTag> prepare(ShowCommand show, const QString &item) override {
        if (show == ShowCommand::Normal)
            return std::nullopt;
        if (!chosen)
            chosen = choose();
        return chosen->prepare(show, item);
    }
    void launched(const LaunchTag &tag, qint64 pid) override {
        if (chosen)
            chosen->launched(tag, pid);
    }
    void waitForWatches() override {
        if (chosen)
            chosen->waitForWatches();
    }
    void leaveEventLoop() override {
        if (chosen)
            chosen->leaveEventLoop();
    }
    void joinEventLoop() override {
        if (chosen)
            chosen->joinEventLoop();
    }

private:
    static std::unique_ptr<WindowStates> choose() {
        // No Wayland protocol lets one client change another's window, and the X server there
        // serves only the programs that run through it.
        if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
            qEnvironmentVariable("XDG_SESSION_TYPE") == u"wayland")
            return std::make_unique<StatesNotApplied>(u"Wayland"_s);
        QString whyNot;
        if (std::unique_ptr<X11Desktop> desktop = X11Desktop::connect(whyNot))
            return std::make_unique<X11WindowStates>(std::move(desktop));
        return std::make_unique<StatesNotApplied>(whyNot);
    }

    std::unique_ptr<WindowStates> chosen;
};

} // namespace

std::unique_ptr<WindowStates> makeWindowStates() {
    return std::make_unique<ChosenOnFirstUse>();
}

} // namespace platform
