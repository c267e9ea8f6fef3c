#pragma once

#include "platform/window_source.h"
#include "platform/window_states.h"
#include "platform/window_watches.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Window states applied by watching for the windows of tagged launches: the sources report
// windows, one set of watches ties them to the launches and decides, and the requests go back to
// the source that owns the window. With several sources (the X server of a Wayland session
// beside its compositor) each window is looked after once, by the source that reports it. The
// next bound is a source on GLib's default main context, like the sources' own connections.
class WatchedWindowStates final : public WindowStates, public WindowReports {
public:
    WatchedWindowStates() = default;
    ~WatchedWindowStates() override;
    WatchedWindowStates(const WatchedWindowStates &) = delete;
    WatchedWindowStates &operator=(const WatchedWindowStates &) = delete;

    void addSource(std::unique_ptr<WindowSource> source);

    std::optional<LaunchTag> prepare(ShowCommand show, const std::filesystem::path &item) override;
    void launched(const LaunchTag &tag, std::int64_t pid, const std::string &desktopId) override;
    void waitForWatches() override;

    void windowAppeared(const WindowFacts &window) override;
    void stateChanged(std::uint32_t window, ShownState state) override;
    void windowGone(std::uint32_t window) override;

private:
    void giveUpPending();
    void perform(const WatchActions &actions);
    WindowSource *ownerOf(std::uint32_t window) const;
    void armDeadline();
    void boundReached();

    std::vector<std::unique_ptr<WindowSource>> sources;
    WindowWatches watches;
    // The launch prepared last, until it has been handed over.
    std::optional<std::string> pending;
    // Launches handed over whose watch has not ended yet.
    std::vector<std::string> watched;
    unsigned deadlineSource = 0; // 0 while there is none
    int launches = 0;
};

} // namespace platform
