#include "platform/display.h"

namespace platform {

// Every Windows session has its desktop.
bool windowsCanBeShown() {
    return true;
}

} // namespace platform
