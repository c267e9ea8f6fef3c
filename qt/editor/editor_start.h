#pragma once

#include "core/document/position_settings.h"

#include <QString>

#include <optional>

namespace platform {
class Shell;
}

// What the editor window is built with; tests hand in temporary folders, a settings file of
// their own and a recording shell.
struct EditorServices {
    PositionSettings *settings = nullptr; // where the window's position is kept
    platform::Shell *shell = nullptr;
    QString programFolder; // the folder holding the program, no trailing separator
};

// What start-up settled before the editor opens.
struct EditorStart {
    StoredCoordinate top;
    StoredCoordinate left;
    QString outputFolder;               // where batches are saved, ending in a separator
    std::optional<QString> batchToEdit; // the batch file that the command line names
};
