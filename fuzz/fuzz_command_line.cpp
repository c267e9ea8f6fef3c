// Any bytes as the command line: as one argument text, and split at NUL bytes into the list of
// arguments the system hands over; any text as a path to take a batch name from, and to search.
#include "core/document/path_helpers.h"
#include "core/document/program_error.h"
#include "core/startup/command_line.h"
#include "fuzz/fuzz_support.h"
#include "platform/batch_text.h"
#include "platform/path_separator.h"
#include "platform/raw_arguments.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr char Separator = platform::PathSeparator;

void checkArgumentText(std::string_view raw) {
    const std::string_view arguments = stripLeadingBlanks(raw);
    const std::string_view stripped = raw.substr(0, raw.size() - arguments.size());
    fuzz::require(raw.ends_with(arguments) && !arguments.starts_with(' ') &&
                      !arguments.starts_with('\t') &&
                      stripped.find_first_not_of(" \t") == std::string_view::npos,
                  "only leading blanks and tabs are stripped");
    try {
        const Command command = parseCommand(arguments);
        fuzz::require(command.kind != Command::Editor || command.path.empty(),
                      "the plain editor has no path");
    } catch (const ProgramError &) {
        fuzz::require((arguments.starts_with("/o") || arguments.starts_with("/e")) &&
                          arguments.size() < 5,
                      "only a switch without room for a path is refused");
    }
}

// The command line as the system hands it over: the program's path, then the arguments.
std::string rawArgumentText(const std::vector<std::string> &arguments) {
    std::vector<std::string> argv = {"runvoy"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char *> pointers;
    for (std::string &argument : argv)
        pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    return platform::rawArgumentText(int(argv.size()), pointers.data());
}

// A path handed over as an argument of its own reaches the runner and the editor whole.
void checkSwitchAndPath(const std::string &path) {
    if (path.find('"') != std::string::npos)
        return;
    for (const std::string option : {"/o", "/e"}) {
        const Command command = parseCommand(stripLeadingBlanks(rawArgumentText({option, path})));
        fuzz::require(command.kind == (option == "/o" ? Command::Run : Command::Edit) &&
                          command.path == path,
                      "a switch and a path as two arguments give that path");
    }
}

bool continues(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

std::size_t characterCount(std::string_view text) {
    return std::size_t(
        std::count_if(text.begin(), text.end(), [](char c) { return !continues(c); }));
}

// The text without its last count characters.
std::string_view withoutLast(std::string_view text, std::size_t count) {
    while (count-- > 0 && !text.empty()) {
        while (text.size() > 1 && continues(text.back()))
            text.remove_suffix(1);
        text.remove_suffix(1);
    }
    return text;
}

// The name is what lies between the last separator and a three-character extension.
void checkBatchName(std::string_view path) {
    const std::size_t separator = path.rfind(Separator);
    const std::string_view tail =
        separator == std::string_view::npos ? std::string_view() : path.substr(separator + 1);
    const std::string_view extension = tail.substr(withoutLast(tail, 4).size());
    const std::string expected(characterCount(tail) > 4 && extension.starts_with('.')
                                   ? withoutLast(tail, 4)
                                   : std::string_view());
    fuzz::require(batchNameFromPath(path) == expected,
                  "the batch name is the file name without its extension");
}

// Walking back through the matches finds each in turn, last first, counted in characters.
void checkBackwardSearch(std::string_view text, std::string_view wanted) {
    const auto positionOf = [text](std::size_t byte) {
        return byte == std::string_view::npos
                   ? 0
                   : std::int32_t(characterCount(text.substr(0, byte)) + 1);
    };
    std::size_t byte = text.rfind(wanted);
    fuzz::require(lastPositionOf(text, wanted, false) == positionOf(byte),
                  "the last match is found");
    while (byte != std::string_view::npos) {
        // The search goes on from the character before the match.
        std::size_t before = byte;
        while (before > 0 && continues(text[--before])) {
        }
        byte = byte == 0 ? std::string_view::npos : text.rfind(wanted, before);
        fuzz::require(lastPositionOf(text, wanted, true) == positionOf(byte),
                      "each earlier match is found in turn");
    }
    fuzz::require(lastPositionOf(text, wanted, true) == 0, "past the first match nothing is found");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view text = fuzz::bytesOf(data, size);
    std::vector<std::string> arguments;
    for (std::string_view rest = text;;) {
        const std::size_t nul = rest.find('\0');
        arguments.emplace_back(rest.substr(0, nul));
        if (nul == std::string_view::npos)
            break;
        rest.remove_prefix(nul + 1);
    }

    checkArgumentText(text);
    checkArgumentText(rawArgumentText(arguments));
    checkSwitchAndPath(arguments.back());
    // The checks below count characters as UTF-8 text does; bytes that are not UTF-8 have no
    // characters to count them by.
    if (!platform::textFromBatchBytes(text))
        return 0;
    checkBatchName(text);
    checkBatchName(arguments.front());
    checkBackwardSearch(arguments.front(),
                        arguments.size() > 1 ? arguments[1] : std::string(1, Separator));
    return 0;
}
