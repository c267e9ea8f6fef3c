#pragma once

#include "platform/kwin_script.h"
#include "platform/window_source.h"

#include <gio/gio.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Windows as KWin sees them, on Wayland and on its X server alike. For each launch the run loads
// a script into KWin over the session bus; the script offers every new ordinary window to an
// object the run exports, and KWin waits for the answer: which window to follow and which state
// to put it in. A script's offer is answered as soon as the run knows, which for a launch still
// being handed over is once the hand-over is done. Each script is unloaded when its launch's
// watch ends.
class KWinWindowSource final : public WindowSource {
public:
    // Null, with the reason in whyNot, when KWin does not serve scripts on the session bus.
    // Windows of the X server are left to another source when leaveX11Windows is set.
    static std::unique_ptr<KWinWindowSource> connect(WindowReports &reports, bool leaveX11Windows,
                                                     std::string &whyNot);
    ~KWinWindowSource() override;
    KWinWindowSource(const KWinWindowSource &) = delete;
    KWinWindowSource &operator=(const KWinWindowSource &) = delete;

    void prepare(LaunchTag &tag) override;
    void settled(const std::string &marker, bool launched) override;
    void ended(const std::string &marker) override;
    bool owns(std::uint32_t window) const override { return window >= FirstWindow; }
    void request(std::uint32_t window, ShowCommand show) override;
    void claimed(std::uint32_t window, const std::string &marker) override;

private:
    static constexpr std::uint32_t FirstWindow = 1U << 31;

    struct Script {
        bool ready = false;
        bool launched = false;
    };
    // A report from a script that waits for its answer.
    struct Held {
        std::string marker;
        std::uint32_t window;
        bool offer; // an offer of a new window; otherwise a change of a followed one
        GDBusMethodInvocation *invocation;
    };

    KWinWindowSource(GDBusConnection *bus, WindowReports &reports, bool leaveX11Windows);
    void handle(GDBusMethodInvocation *invocation, const char *method, GVariant *parameters);
    void offered(GDBusMethodInvocation *invocation, GVariant *parameters);
    std::uint32_t windowNamed(const std::string &key, bool &isNew);
    bool runScript(int id, const std::string &marker);
    void answerHeld();
    std::optional<ScriptAnswer> decide(const Held &report);
    void unload(const std::string &marker);

    GDBusConnection *bus;
    WindowReports &reports;
    bool leaveX11Windows;
    std::string kwin; // KWin's unique name: no one else may report
    unsigned registration = 0;
    std::map<std::string, Script> scripts;         // by the launch's marker, which names its script
    std::map<std::string, std::uint32_t> windows;  // KWin's ids of windows, numbered here
    std::map<std::uint32_t, std::string> claims;   // the marker of the launch that took a window
    std::map<std::uint32_t, ShowCommand> requests; // not yet answered to the script
    std::vector<Held> held;
};

} // namespace platform
