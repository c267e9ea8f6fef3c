#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// What went wrong with a file, in the kinds the user is told about.
enum class FileFault {
    None,
    NotFound,         // the file is missing
    FolderNotFound,   // a folder on the way to it is missing
    NotAFolder,       // something on the way to it is a file, not a folder
    PermissionDenied, // the user may not read or write it
    IsAFolder,        // a folder stands where the file should be
    NotARegularFile,  // a device, a pipe or a socket stands there
    TooLarge,         // larger than the caller reads
    NameTooLong,      // the file system takes no name that long
    DiskFull,         // no room left, or the user's quota is used up
    Io,               // any other failure; the system's reason says which
};

struct FileOutcome {
    FileFault fault = FileFault::None;
    std::string reason; // the system's own words, for Io
    bool ok() const { return fault == FileFault::None; }
};

// Reads the whole of the regular file at path, a link to one included. A device or a pipe is
// refused without being opened for long, so that nothing can keep the program waiting or feed it
// without end; a file larger than maxBytes is refused as too large.
FileOutcome readWholeFile(const std::filesystem::path &path, std::size_t maxBytes,
                          std::string &bytes);

// Waits until what was written through the open file is on the disk: the step between writing a
// replacement and putting it in place. Tests hand in one that fails, as a failing disk would.
using DiskSync = FileOutcome (*)(std::intptr_t handle);
FileOutcome syncToDisk(std::intptr_t handle);

// Puts bytes in place of the file at path in one step: they are written to a temporary file of a
// short name in the same folder, synced, and renamed over the old file, so that a failure at any
// step leaves the old file as it was and no temporary file behind. A link to a regular file is
// followed, and its target replaced: people keep such files in linked folders. A folder, a
// device or a pipe at path (or behind a link there) is never replaced.
FileOutcome replaceFile(const std::filesystem::path &path, std::string_view bytes,
                        DiskSync sync = syncToDisk);

} // namespace platform
