#include "platform/folders.h"

#include <windows.h>

#include <shlobj.h>

namespace platform {

std::filesystem::path userDataFolder() {
    wchar_t *folder = nullptr;
    std::filesystem::path found;
    if (SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &folder) == S_OK)
        found = folder;
    CoTaskMemFree(folder);
    return found;
}

// Windows tells by trying: a file of its own is made there and removed again.
bool mayWrite(const std::filesystem::path &path) {
    std::error_code error;
    if (!std::filesystem::is_directory(path, error)) {
        const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        CloseHandle(file);
        return true;
    }
    wchar_t probe[MAX_PATH];
    if (GetTempFileNameW(path.c_str(), L"rvq", 0, probe) == 0)
        return false;
    DeleteFileW(probe);
    return true;
}

} // namespace platform
