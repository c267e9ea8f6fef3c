#include "platform/window_states.h"

#include "platform/bus_calls.h"
#include "platform/gnome_window_source.h"
#include "platform/kwin_window_source.h"
#include "platform/watched_window_states.h"
#include "platform/x11_window_source.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace platform {

namespace {

// GNOME Shell owns its name on the session bus from its start to its end.
bool isGnomeShell() {
    g_autoptr(GDBusConnection) bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    return bus != nullptr && hasOwner(bus, "org.gnome.Shell");
}

bool isSet(const char *variable) {
    const char *value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

// Where one program cannot change another's window: items open the way their programs open
// them, and the run says so once instead of pretending.
class StatesNotApplied final : public WindowStates {
public:
    explicit StatesNotApplied(const std::string &reason) {
        std::fprintf(stderr,
                     "runvoy: window states are not applied on this desktop (%s); items open "
                     "the way their programs open them\n",
                     reason.c_str());
    }
    std::optional<LaunchTag> prepare(ShowCommand, const std::filesystem::path &) override {
        return std::nullopt;
    }
    void launched(const LaunchTag &, std::int64_t, const std::string &) override {}
    void waitForWatches() override {}
};

// Nothing is looked at until an item asks for a state, so a run of Normal items neither
// connects anywhere nor waits.
class ChosenOnFirstUse final : public WindowStates {
public:
    std::optional<LaunchTag> prepare(ShowCommand show, const std::filesystem::path &item) override {
        if (show == ShowCommand::Normal)
            return std::nullopt;
        if (!chosen)
            chosen = choose();
        return chosen->prepare(show, item);
    }
    void launched(const LaunchTag &tag, std::int64_t pid, const std::string &desktopId) override {
        if (chosen)
            chosen->launched(tag, pid, desktopId);
    }
    void waitForWatches() override {
        if (chosen)
            chosen->waitForWatches();
    }

private:
    // On X11 the window manager takes state requests. No Wayland protocol lets one client change
    // another's window, so there only a compositor that lets the run in can apply them; its X
    // server serves the X11 programs beside it.
    static std::unique_ptr<WindowStates> choose() {
        const char *session = std::getenv("XDG_SESSION_TYPE");
        const bool wayland = isSet("WAYLAND_DISPLAY") ||
                             (session != nullptr && std::string_view(session) == "wayland");
        auto states = std::make_unique<WatchedWindowStates>();
        std::string whyNotX11;
        std::unique_ptr<X11Desktop> x11 = X11Desktop::connect(whyNotX11);
        const bool hasX11 = x11 != nullptr;
        if (hasX11)
            states->addSource(std::make_unique<X11WindowSource>(std::move(x11), *states));
        if (!wayland && !hasX11)
            return std::make_unique<StatesNotApplied>(whyNotX11);
        if (!wayland)
            return states;

        std::string whyNotCompositor;
        if (auto kwin = KWinWindowSource::connect(*states, hasX11, whyNotCompositor)) {
            states->addSource(std::move(kwin));
            return states;
        }
        if (isGnomeShell()) {
            if (auto gnome = GnomeWindowSource::connect(*states, hasX11, whyNotCompositor)) {
                states->addSource(std::move(gnome));
                return states;
            }
        }
        if (!hasX11)
            return std::make_unique<StatesNotApplied>("Wayland, and " + whyNotCompositor);
        std::fprintf(stderr,
                     "runvoy: window states are applied only to X11 programs on this desktop "
                     "(Wayland, and %s)\n",
                     whyNotCompositor.c_str());
        return states;
    }

    std::unique_ptr<WindowStates> chosen;
};

} // namespace

std::unique_ptr<WindowStates> makeWindowStates() {
    return std::make_unique<ChosenOnFirstUse>();
}

} // namespace platform
