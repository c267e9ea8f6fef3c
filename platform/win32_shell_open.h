#pragma once

#include <string>

namespace platform::win32 {

// Opens path through the Windows shell, the way a double-click in Explorer does: a program
// starts, a document opens in the application registered for its type, a folder in Explorer.
// The started program is asked for showCommand (SW_SHOWNORMAL, SW_SHOWMINIMIZED or
// SW_SHOWMAXIMIZED) and works in the item's own folder: the path itself for a folder, the folder
// holding it for anything else. Returns once the shell has handed the item over: true when it
// reports success, false for a missing path or one that nothing opens. The shell shows no error
// message of its own; the caller reports the failure.
bool shellOpen(const std::wstring &path, int showCommand);

} // namespace platform::win32
