#include "platform/window_traits.h"

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

} // namespace platform
