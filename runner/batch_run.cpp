#include "runner/batch_run.h"

#include "document/program_error.h"
#include "runner/delay.h"

#include <QCoreApplication>

#include <limits>

using namespace Qt::StringLiterals;

std::vector<RunItem> readRunItems(const QString &batchPath) {
    FieldReader reader = FieldReader::open(batchPath);
    return readRunItems(reader);
}

std::vector<RunItem> readRunItems(FieldReader &reader) {
    std::vector<RunItem> items;
    while (!reader.atEnd()) {
        if (items.size() == MaxRunItems)
            throw ProgramError::subscriptOutOfRange();
        RunItem item;
        item.path = reader.readField();
        item.delay = delayFromText(reader.readField());
        item.state = reader.readField();
        items.push_back(item);
    }
    return items;
}

std::optional<platform::ShowCommand> showCommandFor(const QString &state) {
    if (state == u"Normal")
        return platform::ShowCommand::Normal;
    if (state == u"Minimized")
        return platform::ShowCommand::Minimized;
    if (state == u"Maximized")
        return platform::ShowCommand::Maximized;
    return std::nullopt;
}

QString invalidItemPrompt(const QString &path) {
    return path + u" is an invalid file or folder name.  You will need to edit this .rvq file "
                  u"for this item to work."_s;
}

void startItems(const std::vector<RunItem> &items, platform::Shell &shell, Waiter &waiter,
                const std::function<void(const QString &prompt)> &report) {
    constexpr qint64 Largest = std::numeric_limits<qint32>::max();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const RunItem &item = items[i];
        qint64 delay = item.delay;
        if (i > 0 && ++delay > Largest)
            throw ProgramError::overflow();
        if (delay > 0) {
            if (delay * 1000 > Largest)
                throw ProgramError::overflow();
            waiter.waitMilliseconds(qint32(delay * 1000));
        }
        // An item without a known state is never started, and is reported like one that failed.
        const std::optional<platform::ShowCommand> show = showCommandFor(item.state);
        const bool started = show && shell.open(item.path, *show);
        QCoreApplication::processEvents();
        if (!started)
            report(invalidItemPrompt(item.path));
    }
}
