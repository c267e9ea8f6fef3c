// Any bytes as a batch file to run: the runner's reading, the delay of every field, and the
// starting of whatever reads whole, on a desktop and a timer that only record.
#include "core/document/batch_file.h"
#include "core/document/delay.h"
#include "core/document/field_reader.h"
#include "core/document/program_error.h"
#include "core/runner/batch_run.h"
#include "fuzz/fuzz_support.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

namespace {

const std::filesystem::path BatchPath = "/fuzz/Run.rvq";
constexpr std::int64_t Largest = std::numeric_limits<std::int32_t>::max();
using Events = std::vector<std::string>;

// Records every start and every wait and never sleeps. A path of an odd number of bytes fails to
// start, so that runs mix started and failed items.
struct RecordingDesktop : platform::Shell, Waiter {
    Events events;

    bool open(const std::filesystem::path &path, platform::ShowCommand show) override {
        events.push_back("open " + std::to_string(int(show)) + ' ' + path.native());
        return path.native().size() % 2 == 0;
    }
    void waitMilliseconds(std::int32_t milliseconds, SteadyClock::time_point) override {
        events.push_back("wait " + std::to_string(milliseconds));
    }
};

// What a run of the items must record, from the rules a user is told: item k after the first
// waits its delay plus one second; a wait that does not fit 32 signed bits of milliseconds
// stops the run there; an unknown state is never started and is reported like a failed start.
struct ExpectedRun {
    Events events;
    bool overflows = false;
};

// The state a field names, compared exactly as a user is told; none for any other text.
std::optional<WindowState> stateNamed(const std::string &field) {
    static const std::vector<std::string> states = {"Normal", "Minimized", "Maximized"};
    const auto found = std::find(states.begin(), states.end(), field);
    return found == states.end() ? std::nullopt
                                 : std::optional(WindowState(found - states.begin()));
}

ExpectedRun expectedRun(const std::vector<RunItem> &items) {
    ExpectedRun run;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::int64_t seconds = std::int64_t(items[i].delay) + (i > 0 ? 1 : 0);
        if (seconds > Largest || seconds * 1000 > Largest) {
            run.overflows = true;
            return run;
        }
        if (seconds > 0)
            run.events.push_back("wait " + std::to_string(seconds * 1000));
        const std::optional<WindowState> state = items[i].state;
        if (state)
            run.events.push_back("open " + std::to_string(int(*state) + 1) + ' ' + items[i].path);
        if (!state || items[i].path.size() % 2 != 0)
            run.events.push_back("report " + invalidItemPrompt(items[i].path));
    }
    return run;
}

std::optional<std::int32_t> delayOrOverflow(std::string_view text) {
    try {
        return delayFromText(text);
    } catch (const ProgramError &) {
        return std::nullopt;
    }
}

// The count of digits, leading zeros left out, before any decimal point of the number that
// starts the text.
std::size_t wholeDigits(std::string_view text) {
    std::size_t pos = text.find_first_not_of(" \t");
    if (pos == std::string_view::npos)
        return 0;
    if (text[pos] == '+' || text[pos] == '-')
        ++pos;
    pos = std::min(text.find_first_not_of('0', pos), text.size());
    const std::size_t end = std::min(text.find_first_not_of("0123456789", pos), text.size());
    return end - pos;
}

void checkDelay(const std::string &text) {
    const std::optional<std::int32_t> delay = delayOrOverflow(text);
    fuzz::require(delayOrOverflow(" \t " + text) == delay,
                  "blanks and tabs before a delay change nothing");
    fuzz::require(delayOrOverflow(text + "x") == delay,
                  "text after the number of a delay changes nothing");
    const std::size_t digits = wholeDigits(text);
    if (digits <= 9)
        fuzz::require(delay.has_value(), "a delay of at most nine whole digits fits");
    if (digits >= 11)
        fuzz::require(!delay.has_value(), "a delay of eleven whole digits overflows");
}

// Every field the plain reader finds, until the end or the first damaged field.
std::vector<std::string> plainFields(std::string_view bytes, bool &damaged) {
    std::vector<std::string> fields;
    damaged = false;
    try {
        FieldReader reader = FieldReader::fromBytes(bytes, BatchPath);
        while (!reader.atEnd())
            fields.push_back(reader.readField());
    } catch (const ProgramError &) {
        damaged = true;
    }
    return fields;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view bytes = fuzz::bytesOf(data, size);
    bool damaged = false;
    const std::vector<std::string> fields = plainFields(bytes, damaged);
    bool delaysFit = true;
    for (const std::string &field : fields) {
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
    fuzz::require(!damaged && fields.size() == 3 * items.size() &&
                      items.size() <= std::size_t(MaxBatchItems),
                  "the runner reads every field, three to an item, at most five items");
    for (std::size_t i = 0; i < items.size(); ++i) {
        fuzz::require(items[i].path == fields[3 * i] &&
                          items[i].state == stateNamed(fields[3 * i + 2]) &&
                          delayOrOverflow(fields[3 * i + 1]) == items[i].delay,
                      "an item holds its three fields");
    }

    const ExpectedRun expected = expectedRun(items);
    RecordingDesktop desktop;
    bool overflowed = false;
    try {
        startItems(items, desktop, desktop, [&desktop](const std::string &prompt) {
            desktop.events.push_back("report " + prompt);
        });
    } catch (const ProgramError &) {
        overflowed = true;
    }
    fuzz::require(overflowed == expected.overflows, "a run overflows exactly when a wait does");
    fuzz::require(desktop.events == expected.events, "a run starts and waits as scheduled");
    return 0;
}
