#pragma once

#include "platform/path_separator.h"

#include <algorithm>
#include <string>

namespace testsupport {

// A path or message that a test spells with "/", as the program writes it on this system: on
// Windows each slash becomes the other one, so that "/" turns into the system's separator and a
// backslash, an ordinary character on Linux, into the slash the program does not separate by.
inline std::string withSystemSeparators(std::string text) {
    if (platform::PathSeparator == '\\') {
        for (char &c : text) {
            if (c == '/' || c == '\\')
                c = c == '/' ? '\\' : '/';
        }
    }
    return text;
}

} // namespace testsupport
