#include "desktop_fixture.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/file.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

std::string shellQuoted(const std::string &word) {
    std::string quoted = "'";
    for (const char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

fs::path makeTemporaryFolder() {
    std::string name = (fs::temp_directory_path() / "kestrum-test-XXXXXX").string();
    if (!mkdtemp(name.data()))
        throw std::runtime_error("cannot make a temporary folder");
    return name;
}

} // namespace

CommandResult runCommand(const std::vector<std::string> &arguments) {
    std::string command;
    for (const std::string &argument : arguments)
        command += shellQuoted(argument) + ' ';
    CommandResult result;
    FILE *pipe = popen((command + "2>&1 </dev/null").c_str(), "r");
    char buffer[4096];
    while (const std::size_t got = pipe ? fread(buffer, 1, sizeof buffer, pipe) : 0)
        result.output.append(buffer, got);
    const int status = pipe ? pclose(pipe) : -1;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string readText(const fs::path &path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void writeText(const fs::path &path, const std::string &text, bool executable) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
    if (executable)
        fs::permissions(path, fs::perms::owner_exec, fs::perm_options::add);
}

std::map<fs::path, std::string> snapshot(const fs::path &folder) {
    std::map<fs::path, std::string> files;
    for (const auto &entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files[entry.path()] = readText(entry.path());
    return files;
}

std::optional<std::string> waitForFile(const fs::path &path) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
        if (fs::exists(path))
            return readText(path);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return std::nullopt;
}

StoppedLockHolder::StoppedLockHolder(const fs::path &lockFile) {
    fs::create_directories(lockFile.parent_path());
    pid = fork();
    if (pid == 0) {
        const int fd = open(lockFile.c_str(), O_RDWR | O_CREAT, 0600);
        if (fd >= 0 && flock(fd, LOCK_EX) == 0)
            raise(SIGSTOP);
        _exit(1);
    }
    // A child that did not stop has ended and is reaped here.
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, WUNTRACED) != pid || !WIFSTOPPED(status))
        throw std::runtime_error("the lock holder did not stop holding the lock");
}

StoppedLockHolder::~StoppedLockHolder() {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

KestrumDesktop::KestrumDesktop()
    : root(makeTemporaryFolder()), dataHome(root / "data"), configHome(root / "config"),
      systemData(root / "system") {
    setenv("HOME", (root / "home").c_str(), 1);
    setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
    setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
    setenv("XDG_DATA_DIRS", (systemData.string() + ":/usr/share").c_str(), 1);
    setenv("XDG_CACHE_HOME", (root / "cache").c_str(), 1);
    // xdg-mime asks GIO, as it does on the most common desktop.
    setenv("XDG_CURRENT_DESKTOP", "GNOME", 1);
    setenv("GIO_USE_VFS", "local", 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

fs::path KestrumDesktop::installProgramFolder(const std::string &name) const {
    const fs::path folder = root / name;
    fs::create_directories(folder);
    fs::copy_file(KESTRUM_EXECUTABLE, folder / "kestrum");
    fs::copy_file(fs::path(RUNVOY_BUILD_PROGRAM_DIR) / "runvoy-batch.svg",
                  folder / "runvoy-batch.svg");
    writeText(folder / "runvoy",
              "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.part\" && mv \"$0.part\" \"$0.log\"\n",
              true);
    return folder;
}

CommandResult KestrumDesktop::runKestrum(const fs::path &programFolder) const {
    return runCommand({"timeout", "60", (programFolder / "kestrum").string()});
}

fs::path KestrumDesktop::writeBatchFile(const std::string &item) const {
    const fs::path batch = root / "Morning.rvq";
    writeText(batch, "\"" + item + "\"\r\n\"0\"\r\n\"Normal\"\r\n");
    return batch;
}

void KestrumDesktop::addSystemMimePackage(const std::string &name, const std::string &xml) const {
    writeText(systemData / "mime" / "packages" / name, xml);
    ASSERT_EQ(runCommand({"update-mime-database", (systemData / "mime").string()}).exitCode, 0);
}
