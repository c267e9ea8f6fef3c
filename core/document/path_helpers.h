#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The batch name of a batch file's path: the file name without its folder and without a
// three-letter extension; empty when the path has no folder or no such extension.
std::string batchNameFromPath(std::string_view path);

// The 1-based position, in characters, of the last match of wanted in text, or 0. With
// continueBackward, the search goes on one position before the previous match.
std::int32_t lastPositionOf(std::string_view text, std::string_view wanted, bool continueBackward);
