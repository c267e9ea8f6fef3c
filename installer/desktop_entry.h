#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrum {

// A desktop entry that carries one verb of a file type. It is no menu item, so it is hidden
// from menus and shows only where files of its type are opened.
struct VerbEntry {
    std::string name;
    // The program and its arguments; a word equal to FileArgument stands for the opened file.
    std::vector<std::string> command;
    std::string mimeType;
};

// The Exec value for a command, quoted and escaped as the Desktop Entry Specification asks.
// Throws std::invalid_argument for a command that no Exec key can run: none at all, a program
// path holding "=", or text that is not UTF-8.
std::string execValue(const std::vector<std::string> &command);

// The whole desktop entry file; throws as execValue does.
std::string desktopEntryText(const VerbEntry &entry);

} // namespace kestrum
