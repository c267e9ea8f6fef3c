#pragma once

#include <string>
#include <string_view>

// What the command line asks for.
struct Command {
    enum Kind { Editor, Run, Edit };
    Kind kind = Editor;
    std::string path; // as it stands on the command line: bytes on Linux, text on Windows
};

// The argument text without its leading blanks and tabs.
std::string_view stripLeadingBlanks(std::string_view raw);

// Reads "/o" or "/e", a blank and a quoted path. The blank, the opening quote and the last
// character are dropped unseen, as the desktop always writes them. Throws ProgramError when a
// switch has no room for a path.
Command parseCommand(std::string_view arguments);
