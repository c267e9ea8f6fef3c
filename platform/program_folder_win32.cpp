#include "platform/program_folder.h"

#include <string>

#include <windows.h>

namespace platform {

std::filesystem::path programFolder() {
    // A path longer than the buffer is cut short and fills it: grow it until the path fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return std::filesystem::path(path).parent_path();
}

} // namespace platform
