// Any bytes as a batch file, read the way the editor's loader reads one. Reading may fail with a
// ProgramError, which the loader reports; whatever reads whole must save and read back unchanged.
#include "core/document/batch_file.h"
#include "core/document/program_error.h"
#include "fuzz/fuzz_support.h"

#include <vector>

using namespace Qt::StringLiterals;

namespace {

const QString BatchPath = u"/fuzz/Batch.rvq"_s;

bool sameItems(const std::vector<BatchItem> &a, const std::vector<BatchItem> &b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].path != b[i].path || a[i].delay != b[i].delay || a[i].state != b[i].state)
            return false;
    }
    return true;
}

// A saved batch keeps the items that have a path.
std::vector<BatchItem> itemsWithPath(const std::vector<BatchItem> &items) {
    std::vector<BatchItem> kept;
    for (const BatchItem &item : items) {
        if (!item.path.isEmpty())
            kept.push_back(item);
    }
    return kept;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const BatchFileReading read = readBatchFileBytes(fuzz::bytesOf(data, size), BatchPath);
    fuzz::require(read.batch.items.size() <= std::size_t(MaxBatchItems), "at most five items");
    fuzz::require(read.cutShort.size() < 3 && (read.cutShort.isEmpty() || read.failure),
                  "only a failure cuts an item short, after at most two fields");
    if (read.failure)
        return 0;
    QByteArray saved;
    try {
        // Saving may refuse a value the format cannot hold; that is reported, not a fault.
        saved = batchFileBytes(read.batch, BatchPath);
    } catch (const ProgramError &) {
        return 0;
    }
    const BatchFileReading reread = readBatchFileBytes(saved, BatchPath);
    fuzz::require(!reread.failure, "a saved batch reads again");
    fuzz::require(sameItems(reread.batch.items, itemsWithPath(read.batch.items)),
                  "a saved batch reads back unchanged");
    return 0;
}
