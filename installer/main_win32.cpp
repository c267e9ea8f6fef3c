#include "installer/association_installer.h"
#include "installer/registry_store.h"
#include "installer/utf16.h"

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// Kestrum has no window and never shows one: a line goes to standard error when whoever started
// it gave it one, and is dropped otherwise.
void reportLine(const std::string &text) {
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (error == nullptr || error == INVALID_HANDLE_VALUE)
        return;
    const std::string line = "kestrum: " + text + "\r\n";
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(error, &mode)) {
        const std::wstring wide = kestrum::utf16FromUtf8(line);
        WriteConsoleW(error, wide.c_str(), DWORD(wide.size()), &written, nullptr);
    } else {
        WriteFile(error, line.data(), DWORD(line.size()), &written, nullptr);
    }
}

// The full path of kestrum.exe, however long.
std::wstring ownPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

} // namespace

// Registers the batch file type in the registry and ends. A run that worked says nothing; every
// entry that could not be written gets one line on standard error and a non-zero exit status.
int main() {
    const std::wstring self = ownPath();
    if (self.empty()) {
        reportLine("cannot find its own folder: error " + std::to_string(GetLastError()));
        return EXIT_FAILURE;
    }
    // A drive's root keeps its backslash, as the platform reports that folder.
    const std::wstring folder = std::filesystem::path(self).parent_path().wstring();

    kestrum::RegistryStore store;
    kestrum::AssociationInstaller module(store);
    module.Main(kestrum::utf8FromUtf16(folder));
    for (const std::string &failure : module.Failures())
        reportLine(failure);
    return module.Failures().empty() ? EXIT_SUCCESS : EXIT_FAILURE;
}
