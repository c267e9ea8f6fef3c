#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrum {

// The MIME type that the shared-mime-info glob lists map "*" + extension to: the match of the
// highest weight, the earlier list winning a tie. Lists come as the texts of the globs2 files,
// from the highest precedence down; a type that a list clears with __NOGLOBS__ keeps no glob of
// the lists after it. Empty when no list maps the extension.
std::string mimeTypeForExtension(const std::vector<std::string> &globs2Texts,
                                 std::string_view extension);

} // namespace kestrum
