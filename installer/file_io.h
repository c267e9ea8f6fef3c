#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kestrum {

// The whole file; nothing when it does not exist. A symbolic link is followed. Only a regular
// file of at most 1 MiB is read; anything else, such as a FIFO or a device, is refused. Throws
// std::runtime_error naming the file and why.
std::optional<std::string> readWholeFile(const std::filesystem::path &path);

// Gives the file the contents through a temporary file in the same folder that is renamed over
// it, so that a reader sees the old file or the new one and never a part of either. Missing
// folders are made; a symbolic link in the file's place is replaced, never followed; a file that
// already holds the contents is left alone. A folder, FIFO or device in the file's place is
// refused and nothing is written. Throws std::runtime_error.
void replaceFile(const std::filesystem::path &path, std::string_view contents);

// Replaces the file as replaceFile does with what edit makes of its contents (nothing when it
// does not exist), read as readWholeFile reads it. When another program changes the file
// meanwhile, the edit is made again on its contents, so that the change is kept.
void editFile(const std::filesystem::path &path,
              const std::function<std::string(const std::optional<std::string> &)> &edit);

// Throws std::runtime_error naming the first file with the extension in the folder or below
// that is there but is not a regular file, such as a FIFO, for a tool that reads them all
// would wait for it for ever. A missing folder holds none.
void requireRegularFiles(const std::filesystem::path &folder, std::string_view extension,
                         const std::string &reader);

// Removes the file; one that is already missing is fine. Throws std::system_error.
void removeFile(const std::filesystem::path &path);

// An exclusive lock on the lock file, held while the object lives: another process that asks
// for the same lock waits until then, but no longer than its wait. The file is made when
// missing; a symbolic link or anything but a regular file in its place is refused. Throws
// std::runtime_error, after the wait naming the process that holds the lock where it is known.
class FileLock {
public:
    FileLock(const std::filesystem::path &path, std::chrono::seconds wait);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

private:
    int fd_;
};

} // namespace kestrum
