// Stands in for Runvoy.exe where the shell is to start it: writes the argument text it was
// started with into "arguments.txt" beside itself and ends. It carries Runvoy's icons.
#include "platform/win32_command_line.h"

#include <windows.h>

#include <string>

int main() {
    wchar_t path[32768];
    const DWORD length = GetModuleFileNameW(nullptr, path, 32768);
    std::wstring log(path, length);
    log = log.substr(0, log.find_last_of(L'\\')) + L"\\arguments.txt";
    const std::wstring text = platform::win32::processArgumentText();
    const HANDLE file = CreateFileW(log.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), DWORD(text.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
    return 0;
}
