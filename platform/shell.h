#pragma once

#include <filesystem>
#include <memory>

namespace platform {

// The window state the desktop is asked to give a started item.
enum class ShowCommand { Normal = 1, Minimized = 2, Maximized = 3 };

class WindowStates;

// Opens files, folders and shortcuts the way a double-click in the desktop does.
class Shell {
public:
    virtual ~Shell() = default;

    // Starts path with its default handler and returns once the launch has been handed over;
    // false when the path is missing or nothing can open it.
    virtual bool open(const std::filesystem::path &path, ShowCommand show) = 0;
};

// The desktop's shell. Each launch in a state other than Normal is prepared with states, which
// then looks after the window that the launch brings up.
std::unique_ptr<Shell> makeDesktopShell(WindowStates &states);

} // namespace platform
