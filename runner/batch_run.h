#pragma once

#include "document/field_reader.h"
#include "platform/shell.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

// One item of a run, as read from the batch file.
struct RunItem {
    QString path;
    qint32 delay = 0;
    QString state;
};

// A batch holds at most five items.
inline constexpr int MaxRunItems = 5;

// Reads every item of the batch file before anything starts. Throws ProgramError for a file
// that cannot be read, a sixth item, an item cut short or a delay that overflows.
std::vector<RunItem> readRunItems(const QString &batchPath);
std::vector<RunItem> readRunItems(FieldReader &reader);

// The show command for a window state, compared exactly; none for any other text.
std::optional<platform::ShowCommand> showCommandFor(const QString &state);

// The message for an item the desktop could not start.
QString invalidItemPrompt(const QString &path);

// Sleeps for the given time while the program goes on handling its events.
class Waiter {
public:
    virtual ~Waiter() = default;
    virtual void waitMilliseconds(qint32 milliseconds) = 0;
};

// Starts the items in order, each after its delay and every item after the first one second
// later still; an item that cannot be started is reported and the run goes on. Throws
// ProgramError when a delay overflows, leaving earlier items started.
void startItems(const std::vector<RunItem> &items, platform::Shell &shell, Waiter &waiter,
                const std::function<void(const QString &prompt)> &report);
