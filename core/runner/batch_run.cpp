#include "core/runner/batch_run.h"

#include "core/document/delay.h"
#include "core/document/program_error.h"
#include "core/runner/batch_chain.h"
#include "platform/environment.h"
#include "platform/event_loop.h"
#include "platform/path_text.h"

#include <limits>

std::vector<RunItem> readRunItems(const std::filesystem::path &batchPath) {
    return runItemsOf(readBatchFile(batchPath));
}

std::vector<RunItem> runItemsOf(const BatchFileReading &reading) {
    if (reading.failure)
        throw *reading.failure;
    std::vector<RunItem> items;
    for (const BatchItem &read : reading.batch.items)
        items.push_back({read.path, delayFromText(read.delay), read.state});
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

std::string invalidItemPrompt(const std::string &path) {
    return path + " is an invalid file or folder name.  You will need to edit this .rvq file "
                  "for this item to work.";
}

void EventLoopWaiter::waitMilliseconds(std::int32_t milliseconds,
                                       SteadyClock::time_point countedFrom) {
    platform::waitUntil(countedFrom + std::chrono::milliseconds(milliseconds));
}

void startItems(const std::vector<RunItem> &items, platform::Shell &shell, Waiter &waiter,
                const Report &report, const std::vector<std::filesystem::path> &chain) {
    constexpr std::int64_t Largest = std::numeric_limits<std::int32_t>::max();
    SteadyClock::time_point countedFrom = SteadyClock::now();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const RunItem &item = items[i];
        std::int64_t delay = item.delay;
        if (i > 0 && ++delay > Largest)
            throw ProgramError::overflow();
        if (delay > 0) {
            if (delay * 1000 > Largest)
                throw ProgramError::overflow();
            waiter.waitMilliseconds(std::int32_t(delay * 1000), countedFrom);
        }
        // The time the desktop takes to start an item is no part of the next item's delay.
        countedFrom = SteadyClock::now();
        const std::filesystem::path path = platform::pathFromText(item.path);
        // An item without a known state is never started, and is reported like one that failed.
        const bool started =
            item.state && !isInChain(path, chain) && shell.open(path, showCommandFor(*item.state));
        platform::handlePendingEvents();
        if (!started) {
            report(invalidItemPrompt(item.path));
            countedFrom = SteadyClock::now();
        }
    }
}

void runBatch(const std::filesystem::path &batchPath, platform::Shell &shell,
              const Report &report) {
    const std::vector<RunItem> items = readRunItems(batchPath);
    std::vector<std::filesystem::path> chain =
        chainFromText(platform::environmentVariable(BatchChainVariable).value_or(""));
    // A batch that some other way (a link, a shortcut) came back to itself, or a chain of
    // batches too deep to be meant, is the item that cannot be started: said, and nothing more.
    if (isInChain(batchPath, chain) || chain.size() >= MaxBatchChain) {
        report(invalidItemPrompt(platform::textFromPath(batchPath)));
        return;
    }
    std::error_code error;
    chain.push_back(std::filesystem::absolute(batchPath, error));
    platform::setEnvironmentVariable(BatchChainVariable, chainText(chain));
    EventLoopWaiter waiter;
    startItems(items, shell, waiter, report, chain);
}
