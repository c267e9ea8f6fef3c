// Started through the shell by the tests: writes the show command it was asked for and its
// working folder into "started.txt" beside itself, as "<show command>|<folder>", and ends.
#include <windows.h>

#include <string>

int main() {
    STARTUPINFOW startup = {};
    GetStartupInfoW(&startup);
    wchar_t folder[32768];
    const DWORD folderLength = GetCurrentDirectoryW(32768, folder);
    const std::wstring show = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0
                                  ? std::to_wstring(startup.wShowWindow)
                                  : L"none";
    const std::wstring report = show + L"|" + std::wstring(folder, folderLength);

    wchar_t path[32768];
    const DWORD length = GetModuleFileNameW(nullptr, path, 32768);
    const std::wstring self(path, length);
    const std::wstring beside = self.substr(0, self.find_last_of(L'\\'));
    // Written under another name first, so that the test never reads half a report.
    const std::wstring partial = beside + L"\\started.partial";
    const HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, report.data(), DWORD(report.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
    MoveFileExW(partial.c_str(), (beside + L"\\started.txt").c_str(), MOVEFILE_REPLACE_EXISTING);
    return 0;
}
