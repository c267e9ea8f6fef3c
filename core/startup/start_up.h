#pragma once

#include "core/startup/position_settings.h"
#include "core/startup/widget_layer.h"

#include <filesystem>
#include <string>

namespace platform {
class Shell;
}

// What start-up works with; tests hand in temporary folders, a settings file of their own and a
// recording shell.
struct StartUpServices {
    PositionSettings *settings = nullptr;
    platform::Shell *shell = nullptr;
    std::filesystem::path programFolder; // the folder holding the program
    std::filesystem::path desktopFolder; // the user's desktop folder, empty when there is none
    std::filesystem::path workingFolder; // what a relative batch path counts from
    std::string rawArguments;            // the command line after the program's own path
};

// Whether the command line asks for a run, which shows no window unless it has to say something.
bool asksForRun(std::string_view rawArguments);

// The program from its command line to its end. A run starts the batch that "/o" names and
// touches nothing of the editor's: neither the stored position nor the folder for saved batches.
// Otherwise start-up reads the stored window position and settles that folder, reporting what
// fails and going on, and opens the editor: empty, with the batch that "/e" names, or empty after
// a run that could not be done. Returns the program's exit status.
int startUp(const StartUpServices &services, WidgetLayer &widgets);
