#include "platform/path_text.h"

namespace platform {

std::filesystem::path pathFromText(std::string_view text) {
    return std::filesystem::path(std::string(text));
}

std::string textFromPath(const std::filesystem::path &path) {
    return path.native();
}

} // namespace platform
