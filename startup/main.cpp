#include "core/startup/program.h"
#include "core/startup/start_up.h"
#include "platform/program_folder.h"
#include "platform/raw_arguments.h"
#include "startup/widget_library.h"

#include <filesystem>

int main(int argc, char **argv) {
    const std::string rawArguments = platform::rawArgumentText(argc, argv);

    // A run brings up the windows only when it has something to say; the editor needs them from
    // the start, before anything else is read.
    const std::filesystem::path programFolder = platform::programFolder();
    WidgetLibrary widgets(argc, argv, programFolder);
    if (!asksForRun(rawArguments) && !widgets.bringUp())
        return 1;
    return runProgram(rawArguments, programFolder, widgets);
}
