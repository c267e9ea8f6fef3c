#include "platform/win32_desktop_folder.h"

#include <windows.h>

namespace platform::win32 {

namespace {

constexpr wchar_t ShellFoldersKey[] =
    L"Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// The value's text up to its first NUL, whatever its length; empty unless it is a REG_SZ.
std::wstring readDesktopValue() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, ShellFoldersKey, 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
        return {};
    std::wstring text;
    DWORD type = 0;
    DWORD size = 0;
    LSTATUS status = RegQueryValueExW(key, L"Desktop", nullptr, &type, nullptr, &size);
    if (status == ERROR_SUCCESS && type == REG_SZ) {
        // One character more than the value holds, so that a value stored without its NUL ends.
        text.assign(size / sizeof(wchar_t) + 1, L'\0');
        size = DWORD(text.size() * sizeof(wchar_t));
        status = RegQueryValueExW(key, L"Desktop", nullptr, &type,
                                  reinterpret_cast<BYTE *>(text.data()), &size);
    }
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return {};
    return text.substr(0, text.find(L'\0'));
}

} // namespace

std::wstring desktopFolder() {
    std::wstring folder = readDesktopValue();
    // A drive's root keeps its backslash: "C:" alone is the drive's current folder.
    while (folder.size() > 3 && (folder.back() == L'\\' || folder.back() == L'/'))
        folder.pop_back();
    const DWORD attributes =
        folder.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return {};
    return folder;
}

} // namespace platform::win32
