#include "core/document/command_line.h"

#include "core/document/program_error.h"

using namespace Qt::StringLiterals;

QString stripLeadingBlanks(const QString &raw) {
    qsizetype first = 0;
    while (first < raw.size() && (raw.at(first) == u' ' || raw.at(first) == u'\t'))
        ++first;
    return raw.mid(first);
}

Command parseCommand(const QString &arguments) {
    Command command;
    if (arguments.startsWith(u"/o"))
        command.kind = Command::Run;
    else if (arguments.startsWith(u"/e"))
        command.kind = Command::Edit;
    else
        return command;
    if (arguments.size() < 5)
        throw ProgramError(u"Invalid procedure call or argument: no batch file follows "_s +
                           arguments);
    command.path = arguments.mid(4, arguments.size() - 5);
    return command;
}
