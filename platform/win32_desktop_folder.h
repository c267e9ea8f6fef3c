#pragma once

#include <string>

namespace platform::win32 {

// The user's desktop folder as the registry's "Shell Folders" name it for the current user, without
// a trailing backslash; empty when the value is missing, not a plain string, or names no folder.
std::wstring desktopFolder();

} // namespace platform::win32
