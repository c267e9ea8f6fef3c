#pragma once

#include <filesystem>

namespace platform {

// The user's desktop folder without a trailing separator, or empty when the desktop names none
// or the folder it names does not exist.
std::filesystem::path desktopFolder();

} // namespace platform
