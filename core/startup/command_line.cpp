#include "core/startup/command_line.h"

#include "core/document/program_error.h"

std::string_view stripLeadingBlanks(std::string_view raw) {
    const std::size_t first = raw.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view() : raw.substr(first);
}

Command parseCommand(std::string_view arguments) {
    Command command;
    if (arguments.starts_with("/o"))
        command.kind = Command::Run;
    else if (arguments.starts_with("/e"))
        command.kind = Command::Edit;
    else
        return command;
    // The path is taken by bytes: on Linux it need not be text at all.
    if (arguments.size() < 5)
        throw ProgramError("Invalid procedure call or argument: no batch file follows " +
                           std::string(arguments));
    command.path = arguments.substr(4, arguments.size() - 5);
    return command;
}
