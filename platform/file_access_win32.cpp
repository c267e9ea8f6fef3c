#include "platform/file_access.h"

#include <windows.h>

namespace platform {

namespace {

// The longest name that NTFS, FAT and exFAT take, in UTF-16 units. A longer one is refused as
// such before anything is written: the system's own errors for it differ from call to call.
constexpr std::size_t MaxNameLength = 255;

FileOutcome faultOf(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
        return {FileFault::NotFound, {}};
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
        return {FileFault::FolderNotFound, {}};
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
        return {FileFault::PermissionDenied, {}};
    case ERROR_FILENAME_EXCED_RANGE:
        return {FileFault::NameTooLong, {}};
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return {FileFault::DiskFull, {}};
    default:
        break;
    }
    wchar_t *text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, error, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    std::string reason;
    for (const wchar_t *c = text; c != nullptr && *c != 0 && *c != L'\r'; ++c)
        reason += *c < 0x80 ? char(*c) : '?';
    LocalFree(text);
    return {FileFault::Io, reason};
}

// Windows says only that a path was not found, or that a folder name is not valid: a file that
// stands where a folder on the way should be is told from a missing folder by the nearest part of
// the path that exists.
FileOutcome faultAt(const std::filesystem::path &path, DWORD error) {
    if (error != ERROR_PATH_NOT_FOUND && error != ERROR_DIRECTORY)
        return faultOf(error);
    for (std::filesystem::path part = path.parent_path(); part.has_relative_path();
         part = part.parent_path()) {
        const DWORD attributes = GetFileAttributesW(part.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES)
            return {attributes & FILE_ATTRIBUTE_DIRECTORY ? FileFault::FolderNotFound
                                                          : FileFault::NotAFolder,
                    {}};
    }
    return {FileFault::FolderNotFound, {}};
}

class Handle {
public:
    explicit Handle(HANDLE handle) : handle(handle) {}
    ~Handle() {
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    HANDLE get() const { return handle; }
    bool closeNow() {
        const bool closed = CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle;
};

// Only files on a disk are read or replaced: a device, a pipe or a console is no batch.
FileOutcome kindOf(HANDLE file) {
    if (GetFileType(file) != FILE_TYPE_DISK)
        return {FileFault::NotARegularFile, {}};
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileInformationByHandle(file, &info) &&
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return {FileFault::IsAFolder, {}};
    return {};
}

} // namespace

FileOutcome readWholeFile(const std::filesystem::path &path, std::size_t maxBytes,
                          std::string &bytes) {
    bytes.clear();
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return {FileFault::IsAFolder, {}};
    Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE)
        return faultAt(path, GetLastError());
    if (const FileOutcome kind = kindOf(file.get()); !kind.ok())
        return kind;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size))
        return faultOf(GetLastError());
    if (std::uint64_t(size.QuadPart) > maxBytes)
        return {FileFault::TooLarge, {}};
    bytes.resize(std::size_t(size.QuadPart));
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + done, DWORD(bytes.size() - done), &got, nullptr)) {
            bytes.clear();
            return faultOf(GetLastError());
        }
        if (got == 0)
            break;
        done += got;
    }
    bytes.resize(done);
    return {};
}

FileOutcome syncToDisk(std::intptr_t handle) {
    if (FlushFileBuffers(reinterpret_cast<HANDLE>(handle)))
        return {};
    return faultOf(GetLastError());
}

FileOutcome replaceFile(const std::filesystem::path &path, std::string_view bytes, DiskSync sync) {
    if (path.filename().native().size() > MaxNameLength)
        return {FileFault::NameTooLong, {}};
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return {FileFault::IsAFolder, {}};
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        Handle existing(CreateFileW(path.c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (existing.get() != INVALID_HANDLE_VALUE) {
            if (const FileOutcome kind = kindOf(existing.get()); !kind.ok())
                return kind;
        }
    }
    std::filesystem::path folder = path.parent_path();
    if (folder.empty())
        folder = L".";
    // A short name of the system's choosing in the same folder, so that the rename stays on one
    // volume and a long batch name still fits.
    wchar_t temporary[MAX_PATH + 1];
    if (GetTempFileNameW(folder.c_str(), L"rvq", 0, temporary) == 0)
        return faultAt(path, GetLastError());
    Handle file(CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        const FileOutcome failed = faultOf(GetLastError());
        DeleteFileW(temporary);
        return failed;
    }
    FileOutcome outcome;
    for (std::size_t done = 0; outcome.ok() && done < bytes.size();) {
        DWORD written = 0;
        if (!WriteFile(file.get(), bytes.data() + done, DWORD(bytes.size() - done), &written,
                       nullptr))
            outcome = faultOf(GetLastError());
        done += written;
    }
    if (outcome.ok())
        outcome = sync(reinterpret_cast<std::intptr_t>(file.get()));
    if (outcome.ok() && !file.closeNow())
        outcome = faultOf(GetLastError());
    if (outcome.ok() &&
        !MoveFileExW(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        outcome = faultOf(GetLastError());
    if (!outcome.ok()) {
        file.closeNow();
        DeleteFileW(temporary);
    }
    return outcome;
}

} // namespace platform
