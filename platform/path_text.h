#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// Paths cross between the core's text (UTF-8) and the file system here. On Linux a path is bytes
// and stays bytes both ways, so a name that is not UTF-8 still names its file; on Windows the
// text is converted to and from the system's wide characters.
std::filesystem::path pathFromText(std::string_view text);
std::string textFromPath(const std::filesystem::path &path);

} // namespace platform
