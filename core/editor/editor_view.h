#pragma once

#include "core/document/batch.h"
#include "core/document/message.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The commands of the editor's toolbar.
enum class EditorCommand { New, Open, Save, About, Help, Exit };

enum class MoveDirection { Up, Down };

// A kind of file the file dialog offers: its description and its patterns, "*" for every file.
struct FileFilter {
    std::string description;
    std::vector<std::string> patterns;
};

// What the file dialog asks for: one existing file, starting in folder (the system's choice when
// empty).
struct FileQuestion {
    std::string title;
    FileFilter filter;
    std::filesystem::path folder;
};

// The editor's window as its logic sees it: it shows what it is told and asks the user what it is
// told to ask. It takes no decision of its own; every front-end draws one with its own toolkit.
class EditorView {
public:
    virtual ~EditorView() = default;

    virtual void showName(const std::string &name) = 0;
    // A row's path, delay and state; a state of none shows no state.
    virtual void showRow(int row, const BatchItem &item) = 0;
    // Which row the move buttons move; none when no row is selected.
    virtual void showSelection(std::optional<int> row) = 0;
    // Whether the batch has changed since it was opened or saved.
    virtual void showChanged(bool changed) = 0;

    // Shows the message box over the window and returns the answer.
    virtual MessageAnswer ask(const Message &message) = 0;
    // The file the user chose; none when the dialog was cancelled.
    virtual std::optional<std::filesystem::path> chooseFile(const FileQuestion &question) = 0;
    // The folder the user chose; none when the dialog was cancelled.
    virtual std::optional<std::filesystem::path> chooseFolder(const std::string &title) = 0;

    virtual void showAbout() = 0;
    virtual void showHelp() = 0;
    // Closes the window the way its close button does, which asks the logic's maybeSave first.
    virtual void closeWindow() = 0;
};
