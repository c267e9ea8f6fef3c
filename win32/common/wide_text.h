#pragma once

#include "platform/path_text.h"

#include <filesystem>
#include <string>
#include <string_view>

// The core keeps text in UTF-8; the system's windows take UTF-16. The platform's path conversion
// is the one conversion of the program, so text passes through it.
inline std::wstring wideText(std::string_view text) {
    return platform::pathFromText(text).native();
}

inline std::string coreText(std::wstring_view text) {
    return platform::textFromPath(std::filesystem::path(text));
}
