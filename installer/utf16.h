#pragma once

#include <string>
#include <string_view>

namespace kestrum {

// Kestrum works in UTF-8 and speaks to Windows in UTF-16, so that every name survives whatever
// the system's code page.
std::wstring utf16FromUtf8(std::string_view text);
std::string utf8FromUtf16(std::wstring_view text);

} // namespace kestrum
