#include "platform/desktop_folder.h"
#include "platform/win32_desktop_folder.h"

namespace platform {

std::filesystem::path desktopFolder() {
    return win32::desktopFolder();
}

} // namespace platform
