// Any text as the command line: as one argument text, and split at NUL characters into the list
// of arguments the system hands over; any text as a path to take a batch name from.
#include "core/document/command_line.h"
#include "core/document/path_helpers.h"
#include "core/document/program_error.h"
#include "fuzz/fuzz_support.h"
#include "platform/path_separator.h"
#include "platform/raw_arguments.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

void checkArgumentText(const QString &raw) {
    const QString arguments = stripLeadingBlanks(raw);
    const qsizetype stripped = raw.size() - arguments.size();
    fuzz::require(raw.endsWith(arguments) && !arguments.startsWith(u' ') &&
                      !arguments.startsWith(u'\t') &&
                      raw.left(stripped).count(u' ') + raw.left(stripped).count(u'\t') == stripped,
                  "only leading blanks and tabs are stripped");
    try {
        const Command command = parseCommand(arguments);
        fuzz::require(command.kind != Command::Editor || command.path.isEmpty(),
                      "the plain editor has no path");
    } catch (const ProgramError &) {
        fuzz::require((arguments.startsWith(u"/o") || arguments.startsWith(u"/e")) &&
                          arguments.size() < 5,
                      "only a switch without room for a path is refused");
    }
}

// A path handed over as an argument of its own reaches the runner and the editor whole.
void checkSwitchAndPath(const QString &path) {
    if (path.contains(u'"'))
        return;
    for (const QString &option : {u"/o"_s, u"/e"_s}) {
        const Command command =
            parseCommand(stripLeadingBlanks(platform::rawArgumentText({option, path})));
        fuzz::require(command.kind == (option == u"/o" ? Command::Run : Command::Edit) &&
                          command.path == path,
                      "a switch and a path as two arguments give that path");
    }
}

// The name is what lies between the last separator and a three-character extension.
void checkBatchName(const QString &path) {
    const QString name = batchNameFromPath(path);
    const qsizetype separator = path.lastIndexOf(platform::PathSeparator);
    const QString tail = separator < 0 ? QString() : path.mid(separator + 1);
    const QString expected =
        tail.size() > 4 && tail.at(tail.size() - 4) == u'.' ? tail.chopped(4) : QString();
    fuzz::require(name == expected, "the batch name is the file name without its extension");
}

// Walking back through the matches finds each in turn, last first, as Qt's own search does.
void checkBackwardSearch(const QString &text, const QString &wanted) {
    qint32 position = lastPositionOf(text, wanted, false);
    fuzz::require(position == text.lastIndexOf(wanted) + 1, "the last match is found");
    while (position > 0) {
        const qint32 previous = lastPositionOf(text, wanted, true);
        const qsizetype expected = position >= 2 ? text.lastIndexOf(wanted, position - 2) + 1 : 0;
        fuzz::require(previous == expected, "each earlier match is found in turn");
        position = previous;
    }
    fuzz::require(lastPositionOf(text, wanted, true) == 0, "past the first match nothing is found");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QString text = QString::fromUtf8(fuzz::bytesOf(data, size));
    const QStringList arguments = text.split(QChar(0));

    checkArgumentText(text);
    checkArgumentText(platform::rawArgumentText(arguments));
    checkSwitchAndPath(arguments.constLast());
    checkBatchName(text);
    checkBatchName(arguments.constFirst());
    checkBackwardSearch(arguments.constFirst(),
                        arguments.value(1, QString(platform::PathSeparator)));
    return 0;
}
