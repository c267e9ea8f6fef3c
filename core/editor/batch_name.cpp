#include "core/editor/batch_name.h"

#include "platform/path_separator.h"

std::string fullStopRefusal(std::string_view name) {
    return std::string(name) + "   Please re-enter without the (.).";
}

// The name becomes a file name in the output folder: a separator would write somewhere else, and
// a double quote or a line break cannot stand inside the quoted path with which the batch is run
// or edited.
std::optional<std::string> refusedInName(std::string_view name) {
    for (const char c : name) {
        if (c == '/' || c == platform::PathSeparator)
            return std::string{'"', c, '"'};
        if (c == '\0')
            return std::string{'"', platform::PathSeparator, '"'};
        if (std::string_view(platform::CharactersRefusedInNames).find(c) != std::string_view::npos)
            return std::string{'"', c, '"'};
    }
    if (name.find('"') != std::string_view::npos)
        return "a double quote";
    if (name.find_first_of("\r\n") != std::string_view::npos)
        return "a line break";
    return std::nullopt;
}
