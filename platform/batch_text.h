#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Batch files are text in the system's own encoding, so that files written by other programs on
// the same machine read back the same: UTF-8 on Linux, the ANSI code page on Windows. The core
// works in UTF-8; these convert at the file's edge. None when the bytes are not text in that
// encoding, or when the text holds a character the encoding cannot represent (which would
// otherwise be written as some other character and lost).
std::optional<std::string> textFromBatchBytes(std::string_view bytes);
std::optional<std::string> batchBytesFromText(std::string_view text);

} // namespace platform
