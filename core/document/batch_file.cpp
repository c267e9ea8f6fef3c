#include "core/document/batch_file.h"

#include "core/document/field_reader.h"
#include "core/document/path_helpers.h"
#include "platform/batch_text.h"
#include "platform/path_text.h"

namespace {

// The format has no escapes: a double quote would end the value early on reading, and a line
// end would split it, so such a value is refused rather than saved damaged.
void checkStorable(const std::string &value, const std::filesystem::path &path) {
    const std::string saving = " (saving " + platform::textFromPath(path) + ')';
    if (value.find('"') != std::string::npos)
        throw ProgramError("A double quote cannot be saved in a batch file: " + value + saving);
    if (value.find_first_of("\r\n") != std::string::npos)
        throw ProgramError("A line break cannot be saved in a batch file" + saving);
}

// Three fields to an item, the end tested only between items.
template <typename Open> BatchFileReading readBatch(Open open, const std::filesystem::path &path) {
    BatchFileReading reading;
    try {
        FieldReader reader = open();
        while (!reader.atEnd()) {
            if (reading.batch.items.size() == MaxBatchItems)
                throw ProgramError::subscriptOutOfRange();
            reading.cutShort.push_back(reader.readField());
            reading.cutShort.push_back(reader.readField());
            const std::string state = reader.readField();
            reading.batch.items.push_back(
                {reading.cutShort[0], reading.cutShort[1], windowStateFromName(state)});
            reading.cutShort.clear();
        }
        reading.batch.name = batchNameFromPath(platform::textFromPath(path));
    } catch (const ProgramError &failure) {
        reading.failure = failure;
    }
    return reading;
}

} // namespace

BatchFileReading readBatchFile(const std::filesystem::path &path) {
    return readBatch(
        [&path] {
            std::string bytes;
            const platform::FileOutcome read =
                platform::readWholeFile(path, MaxBatchFileSize, bytes);
            if (!read.ok())
                throw ProgramError::fromFileFault(path, read);
            return FieldReader::fromBytes(bytes, path);
        },
        path);
}

BatchFileReading readBatchFileBytes(std::string_view bytes, const std::filesystem::path &path) {
    return readBatch([&] { return FieldReader::fromBytes(bytes, path); }, path);
}

std::string batchFileBytes(const Batch &batch, const std::filesystem::path &path) {
    std::string text;
    for (const BatchItem &row : batch.items) {
        if (row.path.empty())
            continue;
        const std::string state(row.state ? windowStateName(*row.state) : std::string_view());
        for (const std::string *value : {&row.path, &row.delay, &state}) {
            checkStorable(*value, path);
            text += '"' + *value + "\"\r\n";
        }
    }
    std::optional<std::string> bytes = platform::batchBytesFromText(text);
    if (!bytes)
        throw ProgramError("The batch holds characters that the system's encoding cannot "
                           "represent (saving " +
                           platform::textFromPath(path) + ')');
    return std::move(*bytes);
}

void writeBatchFile(const std::filesystem::path &path, const Batch &batch,
                    platform::DiskSync sync) {
    const std::string bytes = batchFileBytes(batch, path);
    const platform::FileOutcome written = platform::replaceFile(path, bytes, sync);
    if (!written.ok())
        throw ProgramError::fromFileFault(path, written);
}
