#include "platform/raw_arguments.h"
#include "platform/win32_command_line.h"

namespace platform {

// Windows hands a program its command line as one text, which is taken as it came; the list
// that was split from it is not needed.
QString rawArgumentText(const QStringList &) {
    return QString::fromStdWString(win32::processArgumentText());
}

} // namespace platform
