#include "core/document/batch_file.h"

#include "core/document/field_reader.h"
#include "core/document/path_helpers.h"
#include "core/document/program_error.h"
#include "platform/file_sync.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QStringEncoder>

using namespace Qt::StringLiterals;

namespace {

// The format has no escapes: a double quote would end the value early on reading, and a line
// end would split it, so such a value is refused rather than saved damaged.
void checkStorable(const QString &value, const QString &path) {
    if (value.contains(u'"'))
        throw ProgramError(u"A double quote cannot be saved in a batch file: "_s + value +
                           u" (saving "_s + path + u')');
    if (value.contains(u'\r') || value.contains(u'\n'))
        throw ProgramError(u"A line break cannot be saved in a batch file (saving "_s + path +
                           u')');
}

// Three fields to an item, the end tested only between items.
template <typename Open> BatchFileReading readBatch(Open open, const QString &path) {
    BatchFileReading reading;
    try {
        FieldReader reader = open();
        while (!reader.atEnd()) {
            if (reading.batch.items.size() == MaxBatchItems)
                throw ProgramError::subscriptOutOfRange();
            reading.cutShort << reader.readField();
            reading.cutShort << reader.readField();
            const QString state = reader.readField();
            reading.batch.items.push_back(
                {reading.cutShort[0], reading.cutShort[1], windowStateFromName(state)});
            reading.cutShort.clear();
        }
        reading.batch.name = batchNameFromPath(path);
    } catch (const ProgramError &failure) {
        reading.failure = failure;
    }
    return reading;
}

} // namespace

BatchFileReading readBatchFile(const QString &path) {
    return readBatch([&path] { return FieldReader::open(path); }, path);
}

BatchFileReading readBatchFileBytes(const QByteArray &bytes, const QString &path) {
    return readBatch([&] { return FieldReader::fromBytes(bytes, path); }, path);
}

QByteArray batchFileBytes(const Batch &batch, const QString &path) {
    QString text;
    for (const BatchItem &row : batch.items) {
        if (row.path.isEmpty())
            continue;
        const QString state = row.state ? windowStateName(*row.state) : QString();
        for (const QString *value : {&row.path, &row.delay, &state}) {
            checkStorable(*value, path);
            text += u'"' + *value + u"\"\r\n"_s;
        }
    }
    QStringEncoder encode(QStringConverter::System);
    QByteArray bytes = encode(text);
    if (encode.hasError())
        throw ProgramError(u"The batch holds characters that the system's encoding cannot "
                           u"represent (saving "_s +
                           path + u')');
    return bytes;
}

void writeBatchFileAtomically(const QString &path, const Batch &batch) {
    const QByteArray bytes = batchFileBytes(batch, path);
    if (QFileInfo(path).isDir())
        throw ProgramError::fileAccess(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw ProgramError::openFailure(path, true);
    // The save file's commit sees neither a failure of a buffered write nor one of its own sync,
    // and would put an empty or cut-off file in place of the old one: the bytes are written
    // unbuffered and synced here, and each step is checked first. A short write is followed by
    // another, so that the one that fails tells why. An uncommitted file is removed, and the old
    // one stays as it was.
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            throw ProgramError::writeFailure(path, file.error(), file.errorString());
        done += written;
    }
    QString reason;
    if (const auto failure = platform::syncToDisk(file.handle(), reason);
        failure != QFileDevice::NoError)
        throw ProgramError::writeFailure(path, failure, reason);
    if (!file.commit())
        throw ProgramError::writeFailure(path, file.error(), file.errorString());
}
