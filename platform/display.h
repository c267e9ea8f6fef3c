#pragma once

#include <optional>
#include <string>

namespace platform {

// Why no window can be shown, or none when windows can be shown. Without a display the widget
// toolkit would end the program as soon as it were brought up, so a message is better written
// where it can be read. A display that is named but does not answer counts as none.
std::optional<std::string> whyNoWindowCanBeShown();

} // namespace platform
