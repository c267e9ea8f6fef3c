#include "core/editor/editor_logic.h"

#include "core/document/batch_file.h"
#include "core/document/program_error.h"
#include "core/document/utf8.h"
#include "core/editor/batch_name.h"
#include "core/startup/output_folder.h"
#include "platform/path_text.h"
#include "platform/shell.h"

#include <system_error>

namespace {

const BatchItem EmptyRow{"", "0", WindowState::Normal};

// Folders named with or without a final separator are the same folder.
bool sameFolder(const std::filesystem::path &a, const std::filesystem::path &b) {
    return (a / "").lexically_normal() == (b / "").lexically_normal();
}

} // namespace

EditorLogic::EditorLogic(EditorView &view, const EditorServices &services)
    : view_(view), services_(services) {
    rows_.fill(EmptyRow);
    view_.showName(name_);
    for (int row = 0; row < MaxBatchItems; ++row)
        view_.showRow(row, rows_[row]);
    view_.showSelection(selected_);
    view_.showChanged(changed_);
}

void EditorLogic::start(const EditorStart &start) {
    outputFolder_ = start.outputFolder;
    if (start.batchToEdit)
        openBatchFile(*start.batchToEdit);
}

void EditorLogic::command(EditorCommand command) {
    try {
        switch (command) {
        case EditorCommand::New:
            if (maybeSave())
                emptyEditor();
            break;
        case EditorCommand::Open:
            if (maybeSave())
                openChosenBatch();
            break;
        case EditorCommand::Save:
            save();
            break;
        case EditorCommand::About:
            view_.showAbout();
            break;
        case EditorCommand::Help:
            view_.showHelp();
            break;
        case EditorCommand::Exit:
            view_.closeWindow();
            break;
        }
    } catch (const ProgramError &failure) {
        loading_ = false;
        tell(failure.description());
    }
}

// A save that fails keeps the batch and its changes, like Cancel.
bool EditorLogic::maybeSave() {
    if (!changed_)
        return true;
    const Message question{"Changes have been made to this file, save it.",
                           MessageButtons::YesNoCancel};
    switch (view_.ask(question)) {
    case MessageAnswer::Yes:
        try {
            return save();
        } catch (const ProgramError &failure) {
            tell(failure.description());
            return false;
        }
    case MessageAnswer::Cancel:
        return false;
    default:
        setUnchanged();
        return true;
    }
}

// The emptied editor holds a new batch, which no file stands for yet.
void EditorLogic::emptyEditor() {
    for (int row = 0; row < MaxBatchItems; ++row)
        setRow(row, EmptyRow);
    replaceName({});
    batchFile_.reset();
}

void EditorLogic::openChosenBatch() {
    emptyEditor();
    const std::optional<std::filesystem::path> chosen =
        view_.chooseFile({"Select a RVQ file", {"RVQ Files", {"*.rvq"}}, outputFolder_});
    if (chosen)
        openBatchFile(*chosen);
}

// Rows are filled in turn, so rows read before a failure keep what they got. A state that the
// file names in no known way leaves the row's state as it was.
void EditorLogic::openBatchFile(const std::filesystem::path &path) {
    loading_ = true;
    const BatchFileReading reading = readBatchFile(path);
    int row = 0;
    for (const BatchItem &item : reading.batch.items) {
        BatchItem shown = rows_[row];
        shown.path = item.path;
        shown.delay = item.delay;
        if (item.state)
            shown.state = item.state;
        setRow(row++, shown);
    }
    // The item that the failure cut short keeps the fields read of it.
    const std::vector<std::string> &cutShort = reading.cutShort;
    if (row < MaxBatchItems && !cutShort.empty()) {
        BatchItem shown = rows_[row];
        shown.path = cutShort[0];
        if (cutShort.size() > 1)
            shown.delay = cutShort[1];
        setRow(row, shown);
    }
    if (reading.failure) {
        loading_ = false;
        batchFile_.reset();
        tell(reading.failure->description());
        return;
    }
    replaceName(reading.batch.name);
    refuseFullStops();
    loading_ = false;
    batchFile_ = path;
}

// Returns whether the batch was written; throws ProgramError when writing failed.
bool EditorLogic::save() {
    if (name_.empty()) {
        tell("Enter a Name.");
        return false;
    }
    Batch batch{name_, {}};
    for (const BatchItem &item : rows_) {
        if (!item.path.empty())
            batch.items.push_back(item);
    }
    if (batch.items.empty()) {
        tell("Enter a least one file, folder or shortcut.");
        return false;
    }
    if (const std::optional<std::string> refused = refusedInName(name_)) {
        tell("The name " + name_ + " cannot be used as a file name: it may not contain " +
             *refused + ".");
        return false;
    }
    const std::filesystem::path file = outputFolder_ / platform::pathFromText(name_ + ".rvq");
    if (!mayReplace(file))
        return false;
    writeBatchFile(file, batch);
    batchFile_ = file;
    setUnchanged();
    showOutputFolder();
    return true;
}

// Another batch of the same name is replaced only when the user says so; the file that this
// batch came from is the batch's own to replace.
bool EditorLogic::mayReplace(const std::filesystem::path &file) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return true;
    if (batchFile_ && std::filesystem::equivalent(file, *batchFile_, error))
        return true;
    const Message question{"A batch named " + name_ +
                               " already exists: " + platform::textFromPath(file) + ". Replace it?",
                           MessageButtons::YesNo};
    return view_.ask(question) == MessageAnswer::Yes;
}

// A batch saved into the program's own Output folder is shown there, where the user would not
// look for it otherwise; the desktop shows its own batches.
void EditorLogic::showOutputFolder() {
    const std::filesystem::path own = outputFolderWithoutDesktop(services_.programFolder);
    if (sameFolder(outputFolder_, own))
        services_.shell->open(own, platform::ShowCommand::Normal);
}

void EditorLogic::replaceName(std::string name) {
    if (name == name_)
        return;
    name_ = std::move(name);
    markChanged();
    view_.showName(name_);
}

// Each full stop is told of and the name's last character removed, until none is left.
void EditorLogic::refuseFullStops() {
    if (name_.find('.') == std::string::npos)
        return;
    while (name_.find('.') != std::string::npos) {
        tell(fullStopRefusal(name_));
        name_ = std::string(utf8::withoutLastCharacter(name_));
        markChanged();
    }
    view_.showName(name_);
}

void EditorLogic::setRow(int row, BatchItem item) {
    if (item == rows_[row])
        return;
    rows_[row] = std::move(item);
    markChanged();
    view_.showRow(row, rows_[row]);
}

// What is loaded is no change.
void EditorLogic::markChanged() {
    if (loading_ || changed_)
        return;
    changed_ = true;
    view_.showChanged(true);
}

void EditorLogic::setUnchanged() {
    changed_ = false;
    view_.showChanged(false);
}

void EditorLogic::tell(const std::string &prompt) {
    view_.ask(Message{prompt});
}
