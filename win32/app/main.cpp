#include "core/startup/position_settings.h"
#include "core/startup/start_up.h"
#include "platform/desktop_folder.h"
#include "platform/program_folder.h"
#include "platform/raw_arguments.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "platform/window_states.h"
#include "win32/app/win32_widget_layer.h"

#include <windows.h>

#include <commctrl.h>

#include <filesystem>

// Runvoy.exe: the same start-up as on every system, over the Win32 windows. Windows creates no
// window for the program, so a run that has nothing to say shows none.
int main() {
    const INITCOMMONCONTROLSEX controls{sizeof(controls),
                                        ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    const std::string rawArguments = platform::rawArgumentText(0, nullptr);
    const bool run = asksForRun(rawArguments);
    const std::unique_ptr<platform::SettingsStore> store = platform::userSettingsStore();
    PositionSettings settings(*store);
    const std::unique_ptr<platform::WindowStates> windowStates = platform::makeWindowStates();
    const std::unique_ptr<platform::Shell> shell = platform::makeDesktopShell(*windowStates);
    StartUpServices services;
    services.settings = &settings;
    services.shell = shell.get();
    services.programFolder = platform::programFolder();
    if (!run)
        services.desktopFolder = platform::desktopFolder();
    std::error_code noFolder;
    services.workingFolder = std::filesystem::current_path(noFolder);
    services.rawArguments = rawArguments;
    Win32WidgetLayer widgets;
    return startUp(services, widgets);
}
