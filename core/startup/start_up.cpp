#include "core/startup/start_up.h"

#include "core/document/command_line.h"
#include "core/document/output_folder.h"
#include "core/document/program_error.h"
#include "core/runner/batch_run.h"

using namespace Qt::StringLiterals;

namespace {

// Runs one step of start-up: a failure is reported and start-up goes on with the next step.
template <typename Step> void runStep(WidgetLayer &widgets, Step step) {
    try {
        step();
    } catch (const ProgramError &failure) {
        widgets.message(failure.description(), u"OK"_s, u"Message"_s);
    }
}

// An unusable stored coordinate is reported once: it is then forgotten, and the window is
// centred along it from the next start on, so that runs do not repeat the message.
StoredCoordinate readCoordinate(WidgetLayer &widgets, PositionSettings &settings,
                                PositionSettings::Coordinate which) {
    try {
        const std::optional<double> twips = settings.twips(which);
        return twips ? StoredCoordinate{StoredCoordinate::Twips, *twips} : StoredCoordinate{};
    } catch (const ProgramError &failure) {
        widgets.message(failure.description(), u"OK"_s, u"Message"_s);
        settings.forget(which);
        return {StoredCoordinate::Unusable};
    }
}

} // namespace

bool asksForRun(const QString &rawArguments) {
    return stripLeadingBlanks(rawArguments).startsWith(u"/o");
}

int startUp(const StartUpServices &services, WidgetLayer &widgets) {
    EditorStart start;
    start.top = readCoordinate(widgets, *services.settings, PositionSettings::Top);
    start.left = readCoordinate(widgets, *services.settings, PositionSettings::Left);
    runStep(widgets, [&] {
        settleOutputFolder(services.desktopFolder, services.programFolder, start.outputFolder);
    });

    bool ran = false;
    runStep(widgets, [&] {
        const Command command = parseCommand(stripLeadingBlanks(services.rawArguments));
        if (command.kind == Command::Run) {
            runBatch(command.path, *services.shell, [&widgets](const QString &prompt) {
                widgets.message(prompt, u"OK"_s, u"Message from Runvoy"_s);
            });
            ran = true;
        } else if (command.kind == Command::Edit) {
            start.batchToEdit = command.path;
        }
    });
    if (ran)
        return 0;
    const EditorServices editor{services.settings, services.shell, services.programFolder};
    return widgets.runEditor(editor, start);
}
