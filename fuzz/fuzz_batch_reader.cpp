// Any bytes as a batch file, read the way the editor's loader reads one. Reading may fail with a
// ProgramError, which the loader reports; whatever reads whole must save and read back unchanged.
#include "core/document/batch_file.h"
#include "core/document/program_error.h"
#include "fuzz/fuzz_support.h"

#include <vector>

namespace {

const std::filesystem::path BatchPath = "/fuzz/Batch.rvq";

// A saved batch keeps the items that have a path.
std::vector<BatchItem> itemsWithPath(const std::vector<BatchItem> &items) {
    std::vector<BatchItem> kept;
    for (const BatchItem &item : items) {
        if (!item.path.empty())
            kept.push_back(item);
    }
    return kept;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const BatchFileReading read = readBatchFileBytes(fuzz::bytesOf(data, size), BatchPath);
    fuzz::require(read.batch.items.size() <= std::size_t(MaxBatchItems), "at most five items");
    fuzz::require(read.cutShort.size() < 3 && (read.cutShort.empty() || read.failure),
                  "only a failure cuts an item short, after at most two fields");
    fuzz::require(read.failure || read.batch.name == "Batch", "a whole file gives the name");
    if (read.failure)
        return 0;
    std::string saved;
    try {
        // Saving may refuse a value the format cannot hold; that is reported, not a fault.
        saved = batchFileBytes(read.batch, BatchPath);
    } catch (const ProgramError &) {
        return 0;
    }
    const BatchFileReading reread = readBatchFileBytes(saved, BatchPath);
    fuzz::require(!reread.failure, "a saved batch reads again");
    fuzz::require(reread.batch.items == itemsWithPath(read.batch.items),
                  "a saved batch reads back unchanged");
    return 0;
}
