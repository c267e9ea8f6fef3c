#include "core/document/program_error.h"

#include "platform/path_text.h"

namespace {

std::string text(const std::filesystem::path &path) {
    return platform::textFromPath(path);
}

} // namespace

ProgramError ProgramError::fileNotFound(const std::filesystem::path &path) {
    return ProgramError("File not found: " + text(path));
}

ProgramError ProgramError::pathNotFound(const std::filesystem::path &path) {
    return ProgramError("Path not found: " + text(path));
}

ProgramError ProgramError::permissionDenied(const std::filesystem::path &path) {
    return ProgramError("Permission denied: " + text(path));
}

ProgramError ProgramError::fileAccess(const std::filesystem::path &path) {
    return ProgramError("Path/File access error: " + text(path));
}

ProgramError ProgramError::inputPastEndOfFile(const std::filesystem::path &path) {
    return ProgramError("Input past end of file: " + text(path));
}

ProgramError ProgramError::invalidFileFormat(const std::filesystem::path &path,
                                             const std::string &why) {
    return ProgramError("Invalid file format: " + text(path) + " (" + why + ')');
}

ProgramError ProgramError::subscriptOutOfRange() {
    return ProgramError("Subscript out of range");
}

ProgramError ProgramError::overflow() {
    return ProgramError("Overflow");
}

ProgramError ProgramError::fromFileFault(const std::filesystem::path &path,
                                         const platform::FileOutcome &outcome) {
    using platform::FileFault;
    switch (outcome.fault) {
    case FileFault::None:
        break;
    case FileFault::NotFound:
        return fileNotFound(path);
    case FileFault::FolderNotFound:
        return pathNotFound(path);
    case FileFault::NotAFolder:
        return ProgramError("Path not found: " + text(path) +
                            " (a file stands where a folder on the way should be)");
    case FileFault::PermissionDenied:
        return permissionDenied(path);
    case FileFault::IsAFolder:
        return fileAccess(path);
    case FileFault::NotARegularFile:
        return ProgramError("Path/File access error: " + text(path) + " (not a regular file)");
    case FileFault::TooLarge:
        return invalidFileFormat(path, "the file is too large");
    case FileFault::NameTooLong:
        return ProgramError("File name too long: " + text(path));
    case FileFault::DiskFull:
        return ProgramError("Disk full: " + text(path));
    case FileFault::Io:
        break;
    }
    return ProgramError("Device I/O error: " + text(path) + " (" + outcome.reason + ')');
}
