#include "installer/utf16.h"

#include <windows.h>

namespace kestrum {

std::wstring utf16FromUtf8(std::string_view text) {
    if (text.empty())
        return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring converted(std::size_t(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), converted.data(), length);
    return converted;
}

std::string utf8FromUtf16(std::wstring_view text) {
    if (text.empty())
        return {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string converted(std::size_t(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), converted.data(), length,
                        nullptr, nullptr);
    return converted;
}

} // namespace kestrum
