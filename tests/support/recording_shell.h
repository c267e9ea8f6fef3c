#pragma once

#include "platform/shell.h"

#include <filesystem>
#include <vector>

namespace testsupport {

// A shell that starts nothing and records what it was asked to open.
class RecordingShell : public platform::Shell {
public:
    bool open(const std::filesystem::path &path, platform::ShowCommand show) override {
        opened.push_back(path);
        shows.push_back(show);
        return succeed;
    }
    std::vector<std::filesystem::path> opened;
    std::vector<platform::ShowCommand> shows;
    bool succeed = true;
};

} // namespace testsupport
