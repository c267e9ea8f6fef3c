#include "platform/desktop_folder.h"
#include "platform/win32_desktop_folder.h"

namespace platform {

QString desktopFolder() {
    return QString::fromStdWString(win32::desktopFolder());
}

} // namespace platform
