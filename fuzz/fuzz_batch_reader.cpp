// Any bytes as a batch file, read the way the editor's loader reads one. Reading may fail with a
// ProgramError, which the loader reports; whatever reads whole must save and read back unchanged.
#include "document/batch_file.h"
#include "document/field_reader.h"
#include "document/program_error.h"
#include "fuzz/fuzz_support.h"

#include <vector>

using namespace Qt::StringLiterals;

namespace {

// The editor has five rows, so a sixth item is an error.
constexpr std::size_t RowCount = 5;

const QString BatchPath = u"/fuzz/Batch.rvq"_s;

// Three fields per item, the end tested only between items, as the loader fills its rows.
std::vector<BatchRow> readRows(const QByteArray &bytes) {
    FieldReader reader = FieldReader::fromBytes(bytes, BatchPath);
    std::vector<BatchRow> rows;
    while (!reader.atEnd()) {
        if (rows.size() == RowCount)
            throw ProgramError::subscriptOutOfRange();
        BatchRow row;
        row.path = reader.readField();
        row.delay = reader.readField();
        row.state = reader.readField();
        rows.push_back(row);
    }
    return rows;
}

bool sameRows(const std::vector<BatchRow> &a, const std::vector<BatchRow> &b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].path != b[i].path || a[i].delay != b[i].delay || a[i].state != b[i].state)
            return false;
    }
    return true;
}

// A saved batch keeps the rows that have a path.
std::vector<BatchRow> rowsWithPath(const std::vector<BatchRow> &rows) {
    std::vector<BatchRow> kept;
    for (const BatchRow &row : rows) {
        if (!row.path.isEmpty())
            kept.push_back(row);
    }
    return kept;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    std::vector<BatchRow> rows;
    QByteArray saved;
    try {
        rows = readRows(fuzz::bytesOf(data, size));
        // Saving may refuse a value the format cannot hold; that is reported, not a fault.
        saved = batchFileBytes(rows, BatchPath);
    } catch (const ProgramError &) {
        return 0;
    }
    std::vector<BatchRow> reread;
    try {
        reread = readRows(saved);
    } catch (const ProgramError &) {
        fuzz::require(false, "a saved batch reads again");
    }
    fuzz::require(sameRows(reread, rowsWithPath(rows)), "a saved batch reads back unchanged");
    return 0;
}
