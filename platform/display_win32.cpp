#include "platform/display.h"

namespace platform {

// Every Windows session has its desktop.
std::optional<std::string> whyNoWindowCanBeShown() {
    return std::nullopt;
}

} // namespace platform
