#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kestrum {

// The whole file; nothing when it does not exist. Throws std::system_error when it cannot be read.
std::optional<std::string> readWholeFile(const std::filesystem::path &path);

// Gives the file the contents through a temporary file in the same folder that is renamed over
// it, so that a reader sees the old file or the new one and never a part of either. Missing
// folders are made; a symbolic link in the file's place is replaced, never followed; a file that
// already holds the contents is left alone. Throws std::system_error.
void replaceFile(const std::filesystem::path &path, std::string_view contents);

// Replaces the file as replaceFile does with what edit makes of its contents (nothing when it
// does not exist). When another program changes the file meanwhile, the edit is made again on
// its contents, so that the change is kept.
void editFile(const std::filesystem::path &path,
              const std::function<std::string(const std::optional<std::string> &)> &edit);

// Removes the file; one that is already missing is fine. Throws std::system_error.
void removeFile(const std::filesystem::path &path);

// An exclusive lock on the lock file, held while the object lives: another process that asks
// for the same lock waits until then. The file is made when missing; a symbolic link in its
// place is refused. Throws std::system_error.
class FileLock {
public:
    explicit FileLock(const std::filesystem::path &path);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

private:
    int fd_;
};

} // namespace kestrum
