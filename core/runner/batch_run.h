#pragma once

#include "core/document/batch.h"
#include "core/document/batch_file.h"
#include "platform/shell.h"

#include <QString>

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

// One item of a run, as read from the batch file.
struct RunItem {
    QString path;
    qint32 delay = 0;
    std::optional<WindowState> state;
};

// Reads every item of the batch file before anything starts. Throws ProgramError for a file
// that cannot be read, a sixth item, an item cut short or a delay that overflows.
std::vector<RunItem> readRunItems(const QString &batchPath);
std::vector<RunItem> runItemsOf(const BatchFileReading &reading);

platform::ShowCommand showCommandFor(WindowState state);

// The message for an item the desktop could not start.
QString invalidItemPrompt(const QString &path);

using SteadyClock = std::chrono::steady_clock;

// Sleeps until the given time has passed since a moment on the steady clock, while the program
// goes on handling its events.
class Waiter {
public:
    virtual ~Waiter() = default;
    virtual void waitMilliseconds(qint32 milliseconds, SteadyClock::time_point countedFrom) = 0;
};

// Starts the items in order, each after its delay and every item after the first one second
// later still, counted from the start of the item before or from the closing of its message;
// an item that cannot be started is reported and the run goes on. Throws ProgramError when a
// delay overflows, leaving earlier items started.
void startItems(const std::vector<RunItem> &items, platform::Shell &shell, Waiter &waiter,
                const std::function<void(const QString &prompt)> &report);

// Reads the batch file at path whole and starts its items, waiting in the program's event loop.
// Throws ProgramError as readRunItems and startItems do.
void runBatch(const QString &batchPath, platform::Shell &shell,
              const std::function<void(const QString &prompt)> &report);
