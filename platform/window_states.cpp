#include "platform/window_states.h"

#include "platform/x11_window_states.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace platform {

namespace {

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
    void launched(const LaunchTag &, std::int64_t) override {}
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
    void launched(const LaunchTag &tag, std::int64_t pid) override {
        if (chosen)
            chosen->launched(tag, pid);
    }
    void waitForWatches() override {
        if (chosen)
            chosen->waitForWatches();
    }

private:
    static std::unique_ptr<WindowStates> choose() {
        // No Wayland protocol lets one client change another's window, and the X server there
        // serves only the programs that run through it.
        const char *session = std::getenv("XDG_SESSION_TYPE");
        if (isSet("WAYLAND_DISPLAY") ||
            (session != nullptr && std::string_view(session) == "wayland"))
            return std::make_unique<StatesNotApplied>("Wayland");
        std::string whyNot;
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
