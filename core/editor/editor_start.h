#pragma once

#include "core/startup/position_settings.h"

#include <filesystem>
#include <optional>

namespace platform {
class Shell;
}

// What the editor is built with; tests hand in temporary folders, a settings file of their own
// and a recording shell.
struct EditorServices {
    PositionSettings *settings = nullptr; // where the window's position is kept
    platform::Shell *shell = nullptr;
    std::filesystem::path programFolder; // the folder holding the program
};

// What start-up settled before the editor opens.
struct EditorStart {
    StoredCoordinate top;
    StoredCoordinate left;
    std::filesystem::path outputFolder;               // where batches are saved
    std::optional<std::filesystem::path> batchToEdit; // the batch file the command line names
};
