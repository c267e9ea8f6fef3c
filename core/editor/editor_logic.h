#pragma once

#include "core/document/batch.h"
#include "core/editor/editor_start.h"
#include "core/editor/editor_view.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The editor's rules, whatever draws its window: it holds the batch being edited and decides
// what each of the user's actions does with it, and the view shows the outcome. Edits that the
// view already shows (typing, picking a state) are not shown back to it.
class EditorLogic {
public:
    // Shows the empty batch on view at once.
    EditorLogic(EditorView &view, const EditorServices &services);

    // Takes up what start-up settled: the folder for saved batches and the batch to edit.
    void start(const EditorStart &start);

    const std::string &name() const { return name_; }
    const BatchItem &row(int row) const { return rows_[row]; }
    std::optional<int> selectedRow() const { return selected_; }
    bool isChanged() const { return changed_; }
    bool isLoading() const { return loading_; }
    const std::filesystem::path &outputFolder() const { return outputFolder_; }

    // The user's actions. Rows are counted from 0.
    void nameEdited(const std::string &text);
    void pathEdited(int row, const std::string &text);
    void delayEdited(int row, const std::string &text);
    void stateChosen(int row, WindowState state);
    void rowFocused(int row);
    void nameFocused();
    void clearClicked(int row);
    void browseFileClicked(int row);
    void browseFolderClicked(int row);
    void moveClicked(MoveDirection direction);
    void dropped(int row, const std::vector<std::filesystem::path> &paths);
    // Runs a toolbar command; a failure ends it, what was done before stays done, and the user
    // is told.
    void command(EditorCommand command);

    // Asked before the batch is closed or emptied: a changed batch is offered for saving.
    // Returns whether to go on, which only a save that happened or dropping the changes allows.
    bool maybeSave();

    // Fills the rows with the items of the batch file at path, and the name once the whole file
    // has been read; a failure keeps the rows filled so far and is told. None of it is a change.
    void openBatchFile(const std::filesystem::path &path);

private:
    void emptyEditor();
    void openChosenBatch();
    bool save();
    bool mayReplace(const std::filesystem::path &file);
    void showOutputFolder();

    void replaceName(std::string name);
    void refuseFullStops();
    void setRow(int row, BatchItem item);
    void putPath(int row, const std::filesystem::path &path);
    void markChanged();
    void setUnchanged();
    void tell(const std::string &prompt);

    EditorView &view_;
    EditorServices services_;
    std::string name_;
    std::array<BatchItem, MaxBatchItems> rows_;
    std::optional<int> selected_;
    bool changed_ = false;
    bool loading_ = false;
    std::filesystem::path outputFolder_;
    // The file that the batch was read from or last written to: saving over it needs no question.
    std::optional<std::filesystem::path> batchFile_;
};
