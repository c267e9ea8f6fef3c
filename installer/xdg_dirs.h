#pragma once

#include <filesystem>
#include <vector>

namespace kestrum {

// The user's base folders of the XDG Base Directory Specification.
struct XdgDirs {
    std::filesystem::path dataHome;
    std::filesystem::path configHome;
    // In order of precedence, dataHome not included.
    std::vector<std::filesystem::path> dataDirs;
};

// From XDG_DATA_HOME, XDG_CONFIG_HOME and XDG_DATA_DIRS; an empty or relative value counts as
// unset, as the Base Directory Specification asks.
XdgDirs xdgDirsFromEnvironment();

} // namespace kestrum
