#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The window state an item asks the desktop for.
enum class WindowState { Normal, Minimized, Maximized };

// The states' names, in the order of the enum: how batch files and the editor's state lists
// write them.
inline constexpr std::array<std::string_view, 3> WindowStateNames{"Normal", "Minimized",
                                                                  "Maximized"};

// The state of a name, compared exactly; none for any other text.
std::optional<WindowState> windowStateFromName(std::string_view name);

std::string_view windowStateName(WindowState state);

// One item of a batch: the path and the delay as the user typed them, and the window state; a
// state that the file names in no known way is none.
struct BatchItem {
    std::string path;
    std::string delay;
    std::optional<WindowState> state;

    bool operator==(const BatchItem &) const = default;
};

// A batch holds at most five items.
inline constexpr int MaxBatchItems = 5;

// A batch: its name, which is the batch file's name, and its items in order.
struct Batch {
    std::string name;
    std::vector<BatchItem> items;

    bool operator==(const Batch &) const = default;
};
