#pragma once

namespace platform {

// Whether windows can be shown at all. Without a display, the widget toolkit would end the
// program as soon as it were brought up, so a message is better written where it can be read.
bool windowsCanBeShown();

} // namespace platform
