#include "core/startup/output_folder.h"

#include "core/document/program_error.h"
#include "platform/folders.h"
#include "platform/path_text.h"

std::filesystem::path
outputFolderWithoutDesktop(const std::filesystem::path &programFolder,
                           const std::filesystem::path &userDataFolder,
                           const std::function<bool(const std::filesystem::path &)> &mayWrite) {
    const std::filesystem::path programOutput = programFolder / "Output";
    // An Output that is already there is the user's choice as long as it takes the batches;
    // otherwise the program folder must take a new one.
    std::error_code ignored;
    const bool present = std::filesystem::symlink_status(programOutput, ignored).type() !=
                         std::filesystem::file_type::not_found;
    if (mayWrite(present ? programOutput : programFolder))
        return programOutput;
    return userDataFolder / platform::OwnDataFolderName / "Output";
}

std::filesystem::path outputFolderWithoutDesktop(const std::filesystem::path &programFolder) {
    return outputFolderWithoutDesktop(programFolder, platform::userDataFolder(),
                                      platform::mayWrite);
}

void settleOutputFolder(const std::filesystem::path &desktopFolder,
                        const std::filesystem::path &programFolder,
                        std::filesystem::path &outputFolder) {
    if (!desktopFolder.empty()) {
        outputFolder = desktopFolder;
        return;
    }
    outputFolder = outputFolderWithoutDesktop(programFolder);
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(outputFolder, error);
    if (status.type() == std::filesystem::file_type::directory)
        return;
    // Saving into a file named Output would fail with a message that says nothing of why.
    if (status.type() != std::filesystem::file_type::not_found)
        throw ProgramError("Path/File access error: " + platform::textFromPath(outputFolder) +
                           " is not a folder");
    // The user's own data folder may not be there yet.
    std::filesystem::create_directories(outputFolder, error);
    if (error)
        throw ProgramError::fromFileFault(
            outputFolder,
            {error == std::errc::permission_denied || error == std::errc::read_only_file_system
                 ? platform::FileFault::PermissionDenied
                 : platform::FileFault::FolderNotFound,
             error.message()});
}
