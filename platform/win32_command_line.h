#pragma once

#include <string>
#include <string_view>

namespace platform::win32 {

// The arguments of a command line as one text: everything after the program's own path and the
// blanks and tabs that follow it, unsplit and unchanged. The program's path is read the way the
// system reads the first word: up to the next blank or tab, or between double quotes when it starts
// with one.
std::wstring argumentsAfterProgram(std::wstring_view commandLine);

// The same for the command line this process was started with.
std::wstring processArgumentText();

} // namespace platform::win32
