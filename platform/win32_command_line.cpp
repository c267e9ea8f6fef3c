#include "platform/win32_command_line.h"

#include <windows.h>

namespace platform::win32 {

std::wstring argumentsAfterProgram(std::wstring_view commandLine) {
    std::size_t position = 0;
    bool quoted = false;
    while (position < commandLine.size()) {
        const wchar_t c = commandLine[position];
        if (c == L'"')
            quoted = !quoted;
        else if (!quoted && (c == L' ' || c == L'\t'))
            break;
        ++position;
    }
    while (position < commandLine.size() &&
           (commandLine[position] == L' ' || commandLine[position] == L'\t'))
        ++position;
    return std::wstring(commandLine.substr(position));
}

std::wstring processArgumentText() {
    return argumentsAfterProgram(GetCommandLineW());
}

} // namespace platform::win32
