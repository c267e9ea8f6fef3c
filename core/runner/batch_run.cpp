#include "core/runner/batch_run.h"

#include "core/document/delay.h"
#include "core/document/program_error.h"
#include "core/runner/deadline_waiter.h"

#include <QCoreApplication>

#include <limits>

using namespace Qt::StringLiterals;

std::vector<RunItem> readRunItems(const QString &batchPath) {
    return runItemsOf(readBatchFile(batchPath));
}

std::vector<RunItem> runItemsOf(const BatchFileReading &reading) {
    if (reading.failure)
        throw *reading.failure;
    std::vector<RunItem> items;
    for (const BatchItem &read : reading.batch.items) {
        RunItem item;
        item.path = read.path;
        item.delay = delayFromText(read.delay);
        item.state = read.state;
        items.push_back(item);
    }
    return items;
}

platform::ShowCommand showCommandFor(WindowState state) {
    switch (state) {
    case WindowState::Normal:
        return platform::ShowCommand::Normal;
    case WindowState::Minimized:
        return platform::ShowCommand::Minimized;
    case WindowState::Maximized:
        return platform::ShowCommand::Maximized;
    }
    return platform::ShowCommand::Normal;
}

QString invalidItemPrompt(const QString &path) {
    return path + u" is an invalid file or folder name.  You will need to edit this .rvq file "
                  u"for this item to work."_s;
}

void startItems(const std::vector<RunItem> &items, platform::Shell &shell, Waiter &waiter,
                const std::function<void(const QString &prompt)> &report) {
    constexpr qint64 Largest = std::numeric_limits<qint32>::max();
    SteadyClock::time_point countedFrom = SteadyClock::now();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const RunItem &item = items[i];
        qint64 delay = item.delay;
        if (i > 0 && ++delay > Largest)
            throw ProgramError::overflow();
        if (delay > 0) {
            if (delay * 1000 > Largest)
                throw ProgramError::overflow();
            waiter.waitMilliseconds(qint32(delay * 1000), countedFrom);
        }
        // The time the desktop takes to start an item is no part of the next item's delay.
        countedFrom = SteadyClock::now();
        // An item without a known state is never started, and is reported like one that failed.
        const bool started = item.state && shell.open(item.path, showCommandFor(*item.state));
        QCoreApplication::processEvents();
        if (!started) {
            report(invalidItemPrompt(item.path));
            countedFrom = SteadyClock::now();
        }
    }
}

void runBatch(const QString &batchPath, platform::Shell &shell,
              const std::function<void(const QString &prompt)> &report) {
    const std::vector<RunItem> items = readRunItems(batchPath);
    DeadlineWaiter waiter;
    startItems(items, shell, waiter, report);
}
