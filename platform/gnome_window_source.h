#pragma once

#include "platform/window_source.h"

#include <gio/gio.h>

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>

namespace platform {

// The GNOME Shell extension that Runvoy ships (gnome-shell/), which lets a run in on GNOME's
// Wayland session.
inline constexpr char GnomeExtension[] = RUNVOY_GNOME_EXTENSION;

// Windows as GNOME Shell sees them, through Runvoy's extension: the run follows the extension,
// which from then on tells it of every new ordinary window and of the state changes of those,
// and asks it to maximize or minimize a window.
class GnomeWindowSource final : public WindowSource {
public:
    // Null when the extension does not answer, with the reason in whyNot: what the user can do
    // about it where it is installed but not enabled, or not loaded yet.
    static std::unique_ptr<GnomeWindowSource> connect(WindowReports &reports, bool leaveX11Windows,
                                                      std::string &whyNot);
    ~GnomeWindowSource() override;
    GnomeWindowSource(const GnomeWindowSource &) = delete;
    GnomeWindowSource &operator=(const GnomeWindowSource &) = delete;

    void prepare(LaunchTag &) override {}
    void settled(const std::string &, bool) override {}
    void ended(const std::string &) override {}
    bool owns(std::uint32_t window) const override { return window >= FirstWindow; }
    void request(std::uint32_t window, ShowCommand show) override;
    void claimed(std::uint32_t, const std::string &) override {}

private:
    static constexpr std::uint32_t FirstWindow = 1U << 31;

    GnomeWindowSource(GDBusConnection *bus, WindowReports &reports, bool leaveX11Windows);
    void heard(const char *signal, GVariant *parameters);

    GDBusConnection *bus;
    WindowReports &reports;
    bool leaveX11Windows;
    unsigned subscription = 0;
    std::map<std::string, std::uint32_t> windows; // the shell's ids, numbered here
    std::map<std::uint32_t, std::string> keys;
};

} // namespace platform
