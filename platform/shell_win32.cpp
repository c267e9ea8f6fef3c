#include "platform/shell.h"
#include "platform/win32_shell_open.h"

namespace platform {

namespace {

class WindowsShell final : public Shell {
public:
    // The window states are the shell's own show commands, numbered alike.
    bool open(const std::filesystem::path &path, ShowCommand show) override {
        return win32::shellOpen(path.wstring(), static_cast<int>(show));
    }
};

} // namespace

// The Windows shell applies the state itself, as the show command of the launch.
std::unique_ptr<Shell> makeDesktopShell(WindowStates &) {
    return std::make_unique<WindowsShell>();
}

} // namespace platform
