#include "platform/raw_arguments.h"
#include "platform/win32_command_line.h"

#include <windows.h>

namespace platform {

// Windows hands a program its command line as one text, which is taken as it came; the list
// that was split from it is not needed.
std::string rawArgumentText(int, char **) {
    const std::wstring wide = win32::processArgumentText();
    if (wide.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string text(std::size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), text.data(), size, nullptr,
                        nullptr);
    return text;
}

} // namespace platform
