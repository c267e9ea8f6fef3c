#pragma once

#include <filesystem>
#include <functional>

// The folder that batches are saved into when the desktop names none: "Output" in the
// program's folder, as long as the user may write there. A program folder that is not the
// user's to write, such as one installed for every user of the machine, gives "Output" in the
// program's own folder of the user's data folder instead ("runvoy" on Linux, "Runvoy" on Windows).
std::filesystem::path
outputFolderWithoutDesktop(const std::filesystem::path &programFolder,
                           const std::filesystem::path &userDataFolder,
                           const std::function<bool(const std::filesystem::path &)> &mayWrite);

// The same for the user's data folder and the system's own test of what the user may write.
std::filesystem::path outputFolderWithoutDesktop(const std::filesystem::path &programFolder);

// Settles the folder that batches are saved into: the desktop folder, or else the Output folder
// above, which is made when nothing of that name exists. outputFolder names the folder even when
// making it fails, which throws ProgramError.
void settleOutputFolder(const std::filesystem::path &desktopFolder,
                        const std::filesystem::path &programFolder,
                        std::filesystem::path &outputFolder);
