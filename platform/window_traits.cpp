#include "platform/window_traits.h"

#include "platform/process_facts.h"
#include "platform/window_states.h"

#include <filesystem>

#include <sstream>

namespace platform {

WindowTraits parseTraits(const std::string &text) {
    WindowTraits traits;
    std::istringstream words(text);
    for (std::string word; words >> word;) {
        if (word == "x11")
            traits.x11 = true;
        else if (word == "maximizable")
            traits.canMaximize = true;
        else if (word == "minimizable")
            traits.canMinimize = true;
        else if (word == "maximized")
            traits.state.maximized = true;
        else if (word == "minimized")
            traits.state.minimized = true;
    }
    return traits;
}

WindowFacts compositorWindowFacts(std::uint32_t window, std::int64_t pid,
                                  const std::string &desktopEntry, const WindowTraits &traits) {
    WindowFacts facts;
    facts.window = window;
    // The compositor knows a Wayland client's process from its connection, as the X server
    // does; an X11 window's is the one it declares.
    (traits.x11 ? facts.declaredLineage : facts.clientLineage) = processLineage(pid);
    facts.marker = processEnvironmentValue(pid, LaunchMarkerVariable);
    std::string id = std::filesystem::path(desktopEntry).filename().string();
    if (id.ends_with(".desktop"))
        id.resize(id.size() - 8);
    facts.desktopId = id;
    facts.canMaximize = traits.canMaximize;
    facts.canMinimize = traits.canMinimize;
    facts.state = traits.state;
    return facts;
}

} // namespace platform
