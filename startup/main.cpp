#include "core/startup/position_settings.h"
#include "core/startup/start_up.h"
#include "platform/desktop_folder.h"
#include "platform/program_folder.h"
#include "platform/raw_arguments.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "platform/window_states.h"
#include "startup/widget_library.h"

#include <filesystem>

int main(int argc, char **argv) {
    const std::string rawArguments = platform::rawArgumentText(argc, argv);

    // A run brings up the windows only when it has something to say; the editor needs them from
    // the start, before anything else is read.
    const std::filesystem::path programFolder = platform::programFolder();
    WidgetLibrary widgets(argc, argv, programFolder);
    const bool run = asksForRun(rawArguments);
    if (!run && !widgets.bringUp())
        return 1;

    const std::unique_ptr<platform::SettingsStore> store = platform::userSettingsStore();
    PositionSettings settings(*store);
    const std::unique_ptr<platform::WindowStates> windowStates = platform::makeWindowStates();
    const std::unique_ptr<platform::Shell> shell = platform::makeDesktopShell(*windowStates);
    StartUpServices services;
    services.settings = &settings;
    services.shell = shell.get();
    services.programFolder = programFolder;
    if (!run)
        services.desktopFolder = platform::desktopFolder();
    std::error_code noFolder;
    services.workingFolder = std::filesystem::current_path(noFolder);
    services.rawArguments = rawArguments;
    const int status = startUp(services, widgets);
    // A finished run stays, still without a window, until its items' windows have their states.
    windowStates->waitForWatches();
    return status;
}
