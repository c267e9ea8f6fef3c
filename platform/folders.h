#pragma once

#include <filesystem>

namespace platform {

// The user's own folder for the data of programs: $XDG_DATA_HOME (or ~/.local/share) on Linux,
// %LOCALAPPDATA% on Windows.
std::filesystem::path userDataFolder();

#ifndef _WIN32
// The user's own folder for the settings of programs: $XDG_CONFIG_HOME (or ~/.config).
std::filesystem::path userConfigFolder();
#endif

// The program's own folder inside the user's data folder, named as each system's programs name
// theirs.
#ifdef _WIN32
inline constexpr char OwnDataFolderName[] = "Runvoy";
#else
inline constexpr char OwnDataFolderName[] = "runvoy";
#endif

// Whether the user may write into the existing file or folder at path.
bool mayWrite(const std::filesystem::path &path);

} // namespace platform
