#include "core/startup/start_up.h"

#include "core/document/program_error.h"
#include "core/runner/batch_run.h"
#include "core/startup/command_line.h"
#include "core/startup/output_folder.h"
#include "platform/path_text.h"

namespace {

// Runs one step of start-up: a failure is reported and start-up goes on with the next step.
template <typename Step> void runStep(WidgetLayer &widgets, Step step) {
    try {
        step();
    } catch (const ProgramError &failure) {
        widgets.message({failure.description()});
    }
}

// An unusable stored coordinate is reported once: it is then forgotten, and the window is
// centred along it from the next start on, so that the message does not come back.
StoredCoordinate readCoordinate(WidgetLayer &widgets, PositionSettings &settings,
                                PositionSettings::Coordinate which) {
    try {
        const std::optional<double> twips = settings.twips(which);
        return twips ? StoredCoordinate{StoredCoordinate::Twips, *twips} : StoredCoordinate{};
    } catch (const ProgramError &failure) {
        widgets.message({failure.description()});
        settings.forget(which);
        return {StoredCoordinate::Unusable};
    }
}

// The command line's path, counted from the folder the program was started in: the batch's
// name is taken after its last separator, which a bare file name lacks.
std::filesystem::path batchPath(const StartUpServices &services, const std::string &path) {
    const std::filesystem::path given = platform::pathFromText(path);
    if (given.empty() || given.is_absolute() || services.workingFolder.empty())
        return given;
    return services.workingFolder / given;
}

} // namespace

bool asksForRun(std::string_view rawArguments) {
    return stripLeadingBlanks(rawArguments).starts_with("/o");
}

int startUp(const StartUpServices &services, WidgetLayer &widgets) {
    EditorStart start;
    bool ran = false;
    runStep(widgets, [&] {
        const Command command = parseCommand(stripLeadingBlanks(services.rawArguments));
        if (command.kind == Command::Run) {
            runBatch(batchPath(services, command.path), *services.shell,
                     [&widgets](const std::string &prompt) {
                         widgets.message({prompt, MessageButtons::Ok, RunMessageTitle});
                     });
            ran = true;
        } else if (command.kind == Command::Edit) {
            start.batchToEdit = batchPath(services, command.path);
        }
    });
    if (ran)
        return 0;

    // What only the editor uses is settled only for the editor. The store finds its problem
    // when it is first read.
    start.top = readCoordinate(widgets, *services.settings, PositionSettings::Top);
    start.left = readCoordinate(widgets, *services.settings, PositionSettings::Left);
    if (const std::optional<std::string> problem = services.settings->problem())
        widgets.message({*problem + "; the window's position is neither read nor stored."});
    runStep(widgets, [&] {
        settleOutputFolder(services.desktopFolder, services.programFolder, start.outputFolder);
    });
    const EditorServices editor{services.settings, services.shell, services.programFolder};
    return widgets.runEditor(editor, start);
}
