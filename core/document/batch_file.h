#pragma once

#include "core/document/batch.h"
#include "core/document/program_error.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// What reading a batch file gave. A failure ends the reading: the items read before it are
// kept, and so are the fields read of the item it cut short.
struct BatchFileReading {
    Batch batch; // the items read whole; the name only when the whole file was read
    QStringList cutShort;
    std::optional<ProgramError> failure; // none when the whole file was read
};

// Reads the items of the batch file at path, three fields each, and takes the batch's name from
// the path. A sixth item is a failure: a batch has no room for it.
BatchFileReading readBatchFile(const QString &path);

// The same for the bytes of a batch file named path.
BatchFileReading readBatchFileBytes(const QByteArray &bytes, const QString &path);

// The bytes of a batch file holding every item that has a path, in order: each value on a line
// of its own between double quotes, CR LF after every line. Throws ProgramError for a value
// that the file cannot hold (a double quote or a line end inside it, or a character the
// system's encoding cannot represent).
QByteArray batchFileBytes(const Batch &batch, const QString &path);

// Replaces the file at path with batchFileBytes(batch) in one step: a save that fails leaves
// the previous file as it was. Throws ProgramError when the file cannot be written.
void writeBatchFileAtomically(const QString &path, const Batch &batch);
