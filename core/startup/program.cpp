#include "core/startup/program.h"

#include "core/startup/position_settings.h"
#include "core/startup/start_up.h"
#include "platform/desktop_folder.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "platform/window_states.h"

int runProgram(const std::string &rawArguments, const std::filesystem::path &programFolder,
               WidgetLayer &widgets) {
    const std::unique_ptr<platform::SettingsStore> store = platform::userSettingsStore();
    PositionSettings settings(*store);
    const std::unique_ptr<platform::WindowStates> windowStates = platform::makeWindowStates();
    const std::unique_ptr<platform::Shell> shell = platform::makeDesktopShell(*windowStates);
    StartUpServices services;
    services.settings = &settings;
    services.shell = shell.get();
    services.programFolder = programFolder;
    // Only the editor saves batches, so only the editor looks for the desktop folder.
    if (!asksForRun(rawArguments))
        services.desktopFolder = platform::desktopFolder();
    std::error_code noFolder;
    services.workingFolder = std::filesystem::current_path(noFolder);
    services.rawArguments = rawArguments;
    const int status = startUp(services, widgets);
    windowStates->waitForWatches();
    return status;
}
