#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace fs = std::filesystem;

struct CommandResult {
    int exitCode = -1;
    std::string output; // standard output and standard error together
};

// Runs a command from the PATH and waits for it.
CommandResult runCommand(const std::vector<std::string> &arguments);

std::string readText(const fs::path &path);
void writeText(const fs::path &path, const std::string &text, bool executable = false);

// Every file under the folder with its contents, by path.
std::map<fs::path, std::string> snapshot(const fs::path &folder);

// The file's contents once it exists, waiting a generous while; nothing when it never came.
std::optional<std::string> waitForFile(const fs::path &path);

// A child process that holds a flock on the file and is stopped; killed when the object goes.
struct StoppedLockHolder {
    explicit StoppedLockHolder(const fs::path &lockFile);
    ~StoppedLockHolder();
    StoppedLockHolder(const StoppedLockHolder &) = delete;
    StoppedLockHolder &operator=(const StoppedLockHolder &) = delete;

    pid_t pid;
};

// A desktop of its own for each test: every XDG folder points into a fresh temporary folder,
// so that nothing of the real user's associations is read or changed.
class KestrumDesktop : public testing::Test {
protected:
    KestrumDesktop();
    ~KestrumDesktop() override {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    // Lays out a program folder as the install does: kestrum, the batch-file icon, and a
    // stand-in runvoy that writes its arguments, one a line, to "runvoy.log" beside itself.
    fs::path installProgramFolder(const std::string &name) const;
    // A run that hangs is killed after a generous while and fails.
    CommandResult runKestrum(const fs::path &programFolder) const;
    // A batch file with one item; its contents do not matter to the desktop, its name does.
    fs::path writeBatchFile(const std::string &item = "/bin/true") const;
    // Adds a shared-mime-info package to the system's data folder and rebuilds that database.
    void addSystemMimePackage(const std::string &name, const std::string &xml) const;

    const fs::path root;
    const fs::path dataHome;
    const fs::path configHome;
    const fs::path systemData;
};
