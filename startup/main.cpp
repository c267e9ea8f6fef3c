#include "core/document/position_settings.h"
#include "core/startup/start_up.h"
#include "platform/desktop_folder.h"
#include "platform/program_folder.h"
#include "platform/raw_arguments.h"
#include "platform/shell.h"
#include "platform/window_states.h"
#include "startup/widget_library.h"

int main(int argc, char **argv) {
    // Taken before the application object, which would consume arguments of its own.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QString rawArguments = platform::rawArgumentText(arguments);

    // A run starts under a core application object and brings up the widgets only when it has
    // something to say; the editor needs them from the start.
    const QString programFolder = platform::programFolder();
    WidgetLibrary widgets(argc, argv, programFolder);
    if (asksForRun(rawArguments))
        widgets.startWithoutWidgets();
    else if (!widgets.bringUp())
        return 1;

    PositionSettings settings;
    const std::unique_ptr<platform::WindowStates> windowStates = platform::makeWindowStates();
    const std::unique_ptr<platform::Shell> shell = platform::makeDesktopShell(*windowStates);
    widgets.setApplicationHandOver([&] { windowStates->leaveEventLoop(); },
                                   [&] { windowStates->joinEventLoop(); });
    StartUpServices services;
    services.settings = &settings;
    services.shell = shell.get();
    services.programFolder = programFolder;
    services.desktopFolder = platform::desktopFolder();
    services.rawArguments = rawArguments;
    const int status = startUp(services, widgets);
    // A finished run stays, still without a window, until its items' windows have their states.
    windowStates->waitForWatches();
    return status;
}
