#pragma once

#include "core/document/position_settings.h"
#include "core/startup/widget_layer.h"

#include <QString>

namespace platform {
class Shell;
}

// What start-up works with; tests hand in temporary folders, a settings file of their own and a
// recording shell.
struct StartUpServices {
    PositionSettings *settings = nullptr;
    platform::Shell *shell = nullptr;
    QString programFolder; // the folder holding the program, no trailing separator
    QString desktopFolder; // the user's desktop folder, empty when there is none
    QString rawArguments;  // the command line after the program's own path
};

// Whether the command line asks for a run, which shows no window unless it has to say something.
bool asksForRun(const QString &rawArguments);

// The program from its command line to its end. It reads the stored window position and settles
// the folder for saved batches, reporting what fails and going on; then it runs the batch that
// "/o" names, or opens the editor: empty, with the batch that "/e" names, or empty after a run
// that could not be done. Returns the program's exit status.
int startUp(const StartUpServices &services, WidgetLayer &widgets);
