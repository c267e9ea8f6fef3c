#include "platform/raw_arguments.h"

#include <string_view>

namespace platform {

std::string rawArgumentText(int argc, char **argv) {
    std::string text;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (i > 1)
            text += ' ';
        if (i == 1 || argument.find('"') != std::string_view::npos) {
            text += argument;
        } else {
            text += '"';
            text += argument;
            text += '"';
        }
    }
    return text;
}

} // namespace platform
