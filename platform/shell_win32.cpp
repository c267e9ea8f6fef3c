#include "platform/shell.h"
#include "platform/win32_shell_open.h"

namespace platform {

namespace {

class WindowsShell final : public Shell {
public:
    // The window states are the shell's own show commands, numbered alike.
    bool open(const QString &path, ShowCommand show) override {
        return win32::shellOpen(path.toStdWString(), static_cast<int>(show));
    }
};

} // namespace

std::unique_ptr<Shell> makeDesktopShell() {
    return std::make_unique<WindowsShell>();
}

} // namespace platform
