#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrum {

// The desktop file ids of one key of a mimeapps.list, in order.
using DesktopIds = std::vector<std::string>;

// The text of a mimeapps.list after change has made the ids of key mimeType in group from the
// ids it had (none when the key is missing). Every other line stays exactly as it was, and so
// does a missing final newline; an empty result removes the key, and a missing group or key is
// added.
std::string editedMimeappsList(std::string_view text, std::string_view group,
                               std::string_view mimeType,
                               const std::function<DesktopIds(DesktopIds)> &change);

} // namespace kestrum
