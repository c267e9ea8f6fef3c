// Any bytes as a batch file to run: the runner's reading, the delay of every field, and the
// starting of whatever reads whole, on a desktop and a timer that only record.
#include "core/document/batch_file.h"
#include "core/document/delay.h"
#include "core/document/field_reader.h"
#include "core/document/program_error.h"
#include "core/runner/batch_run.h"
#include "fuzz/fuzz_support.h"

#include <QStringList>

#include <limits>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

const QString BatchPath = u"/fuzz/Run.rvq"_s;
constexpr qint64 Largest = std::numeric_limits<qint32>::max();

// Records every start and every wait and never sleeps. A path of odd length fails to start, so
// that runs mix started and failed items.
struct RecordingDesktop : platform::Shell, Waiter {
    QStringList events;

    bool open(const QString &path, platform::ShowCommand show) override {
        events << u"open "_s + QString::number(int(show)) + u' ' + path;
        return path.size() % 2 == 0;
    }
    void waitMilliseconds(qint32 milliseconds, SteadyClock::time_point) override {
        events << u"wait "_s + QString::number(milliseconds);
    }
};

// What a run of the items must record, from the rules a user is told: item k after the first
// waits its delay plus one second; a wait that does not fit 32 signed bits of milliseconds
// stops the run there; an unknown state is never started and is reported like a failed start.
struct ExpectedRun {
    QStringList events;
    bool overflows = false;
};

// The state a field names, compared exactly as a user is told; none for any other text.
std::optional<WindowState> stateNamed(const QString &field) {
    static const QStringList states = {u"Normal"_s, u"Minimized"_s, u"Maximized"_s};
    const qsizetype index = states.indexOf(field);
    return index < 0 ? std::nullopt : std::optional(WindowState(index));
}

ExpectedRun expectedRun(const std::vector<RunItem> &items) {
    ExpectedRun run;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const qint64 seconds = qint64(items[i].delay) + (i > 0 ? 1 : 0);
        if (seconds > Largest || seconds * 1000 > Largest) {
            run.overflows = true;
            return run;
        }
        if (seconds > 0)
            run.events << u"wait "_s + QString::number(seconds * 1000);
        const std::optional<WindowState> state = items[i].state;
        if (state)
            run.events << u"open "_s + QString::number(int(*state) + 1) + u' ' + items[i].path;
        if (!state || items[i].path.size() % 2 != 0)
            run.events << u"report "_s + invalidItemPrompt(items[i].path);
    }
    return run;
}

std::optional<qint32> delayOrOverflow(const QString &text) {
    try {
        return delayFromText(text);
    } catch (const ProgramError &) {
        return std::nullopt;
    }
}

// The count of digits, leading zeros left out, before any decimal point of the number that
// starts the text.
qsizetype wholeDigits(const QString &text) {
    qsizetype pos = 0;
    while (pos < text.size() && (text.at(pos) == u' ' || text.at(pos) == u'\t'))
        ++pos;
    if (pos < text.size() && (text.at(pos) == u'+' || text.at(pos) == u'-'))
        ++pos;
    while (pos < text.size() && text.at(pos) == u'0')
        ++pos;
    qsizetype digits = 0;
    while (pos + digits < text.size() && text.at(pos + digits) >= u'0' &&
           text.at(pos + digits) <= u'9')
        ++digits;
    return digits;
}

void checkDelay(const QString &text) {
    const std::optional<qint32> delay = delayOrOverflow(text);
    fuzz::require(delayOrOverflow(u" \t "_s + text) == delay,
                  "blanks and tabs before a delay change nothing");
    fuzz::require(delayOrOverflow(text + u"x"_s) == delay,
                  "text after the number of a delay changes nothing");
    const qsizetype digits = wholeDigits(text);
    if (digits <= 9)
        fuzz::require(delay.has_value(), "a delay of at most nine whole digits fits");
    if (digits >= 11)
        fuzz::require(!delay.has_value(), "a delay of eleven whole digits overflows");
}

// Every field the plain reader finds, until the end or the first damaged field.
QStringList plainFields(const QByteArray &bytes, bool &damaged) {
    QStringList fields;
    damaged = false;
    try {
        FieldReader reader = FieldReader::fromBytes(bytes, BatchPath);
        while (!reader.atEnd())
            fields << reader.readField();
    } catch (const ProgramError &) {
        damaged = true;
    }
    return fields;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);
    bool damaged = false;
    const QStringList fields = plainFields(bytes, damaged);
    bool delaysFit = true;
    for (const QString &field : fields) {
        checkDelay(field);
        delaysFit = delaysFit && delayOrOverflow(field).has_value();
    }

    std::vector<RunItem> items;
    try {
        items = runItemsOf(readBatchFileBytes(bytes, BatchPath));
    } catch (const ProgramError &) {
        // A file that is damaged, holds six items, ends inside an item or has a delay that
        // overflows is refused before anything starts.
        fuzz::require(damaged || fields.size() % 3 != 0 || fields.size() > 3 * MaxBatchItems ||
                          !delaysFit,
                      "the runner refuses only a batch that cannot run whole");
        return 0;
    }
    fuzz::require(!damaged && fields.size() == qsizetype(3 * items.size()) &&
                      items.size() <= std::size_t(MaxBatchItems),
                  "the runner reads every field, three to an item, at most five items");
    for (std::size_t i = 0; i < items.size(); ++i) {
        fuzz::require(items[i].path == fields.at(3 * i) &&
                          items[i].state == stateNamed(fields.at(3 * i + 2)) &&
                          delayOrOverflow(fields.at(3 * i + 1)) == items[i].delay,
                      "an item holds its three fields");
    }

    const ExpectedRun expected = expectedRun(items);
    RecordingDesktop desktop;
    bool overflowed = false;
    try {
        startItems(items, desktop, desktop,
                   [&desktop](const QString &prompt) { desktop.events << u"report "_s + prompt; });
    } catch (const ProgramError &) {
        overflowed = true;
    }
    fuzz::require(overflowed == expected.overflows, "a run overflows exactly when a wait does");
    fuzz::require(desktop.events == expected.events, "a run starts and waits as scheduled");
    return 0;
}
