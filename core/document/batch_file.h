#pragma once

#include "core/document/batch.h"
#include "core/document/program_error.h"
#include "platform/file_access.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What reading a batch file gave. A failure ends the reading: the items read before it are
// kept, and so are the fields read of the item it cut short.
struct BatchFileReading {
    Batch batch; // the items read whole; the name only when the whole file was read
    std::vector<std::string> cutShort;
    std::optional<ProgramError> failure; // none when the whole file was read
};

// The largest batch file read: far beyond any batch, small enough to read whole without harm.
inline constexpr std::size_t MaxBatchFileSize = 64 * 1024 * 1024;

// Reads the items of the batch file at path, three fields each, and takes the batch's name from
// the path. A sixth item is a failure: a batch has no room for it.
BatchFileReading readBatchFile(const std::filesystem::path &path);

// The same for the bytes of a batch file named path.
BatchFileReading readBatchFileBytes(std::string_view bytes, const std::filesystem::path &path);

// The bytes of a batch file holding every item that has a path, in order: each value on a line
// of its own between double quotes, CR LF after every line, in the system's encoding for batch
// files. Throws ProgramError for a value that the file cannot hold (a double quote or a line end
// inside it, or a character the system's encoding cannot represent).
std::string batchFileBytes(const Batch &batch, const std::filesystem::path &path);

// Replaces the file at path with batchFileBytes(batch) in one step: a save that fails leaves
// the previous file as it was. Throws ProgramError when the file cannot be written.
void writeBatchFile(const std::filesystem::path &path, const Batch &batch,
                    platform::DiskSync sync = platform::syncToDisk);
