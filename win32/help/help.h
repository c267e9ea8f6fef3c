#pragma once

#include <windows.h>

#include <filesystem>

// The program's help: the compiled user guide beside the program, shown in the system's help
// window, which every request reuses.
namespace Help {

// The context number of the guide's contents, as the help project maps it.
inline constexpr DWORD ContentsTopic = 1;

// The help file's path for a program folder.
std::filesystem::path helpFilePath(const std::filesystem::path &programFolder);

// Opens the guide at its contents over owner, or brings the open help window to the front back at
// the top. A guide that cannot be shown is told in the message box.
void showContents(HWND owner, const std::filesystem::path &programFolder);

// Closes every help window the program opened.
void close();

} // namespace Help
