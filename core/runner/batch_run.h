#pragma once

#include "core/document/batch.h"
#include "core/document/batch_file.h"
#include "platform/shell.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// One item of a run, as read from the batch file.
struct RunItem {
    std::string path;
    std::int32_t delay = 0;
    std::optional<WindowState> state;
};

// Reads every item of the batch file before anything starts. Throws ProgramError for a file
// that cannot be read, a sixth item, an item cut short or a delay that overflows.
std::vector<RunItem> readRunItems(const std::filesystem::path &batchPath);
std::vector<RunItem> runItemsOf(const BatchFileReading &reading);

platform::ShowCommand showCommandFor(WindowState state);

// The message for an item the desktop could not start.
std::string invalidItemPrompt(const std::string &path);

using SteadyClock = std::chrono::steady_clock;

// Sleeps until the given time has passed since a moment on the steady clock, while the program
// goes on handling its events.
class Waiter {
public:
    virtual ~Waiter() = default;
    virtual void waitMilliseconds(std::int32_t milliseconds,
                                  SteadyClock::time_point countedFrom) = 0;
};

// Waits in the program's event loop.
class EventLoopWaiter : public Waiter {
public:
    void waitMilliseconds(std::int32_t milliseconds, SteadyClock::time_point countedFrom) override;
};

using Report = std::function<void(const std::string &prompt)>;

// Starts the items in order, each after its delay and every item after the first one second
// later still, counted from the start of the item before or from the closing of its message;
// an item that cannot be started is reported and the run goes on. An item that is a batch of
// the chain this run belongs to, its own included, would start runs without end, and is
// reported like one that cannot be started. Throws ProgramError when a delay overflows, leaving
// earlier items started.
void startItems(const std::vector<RunItem> &items, platform::Shell &shell, Waiter &waiter,
                const Report &report, const std::vector<std::filesystem::path> &chain = {});

// Reads the batch file at path whole and starts its items, waiting in the program's event loop.
// Throws ProgramError as readRunItems and startItems do.
void runBatch(const std::filesystem::path &batchPath, platform::Shell &shell, const Report &report);
