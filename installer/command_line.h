#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrum {

// The word of a verb command that stands for the opened file.
inline constexpr std::string_view FileArgument = "%1";

// Verb commands are stored as one command-line text, the way the classes root of the other
// platform holds them: every word in double quotes where it needs them, a double quote inside a
// word written as \" and the backslashes before it doubled. Paths without double quotes come
// out exactly as typed between the quotes: "C:\Tools\Runvoy.exe" /o "%1".

// word in double quotes, escaped so that splitCommandLine gives it back unchanged.
std::string quoteArgument(std::string_view word);

// The words of a command-line text; blanks and tabs outside double quotes separate them.
std::vector<std::string> splitCommandLine(std::string_view text);

} // namespace kestrum
