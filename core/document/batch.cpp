#include "core/document/batch.h"

#include <algorithm>

std::optional<WindowState> windowStateFromName(std::string_view name) {
    const auto found = std::find(WindowStateNames.begin(), WindowStateNames.end(), name);
    if (found == WindowStateNames.end())
        return std::nullopt;
    return WindowState(found - WindowStateNames.begin());
}

std::string_view windowStateName(WindowState state) {
    return WindowStateNames.at(std::size_t(state));
}
