#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// One editor row or one item of a batch file: the texts as the user typed them.
struct BatchRow {
    QString path;
    QString delay;
    QString state;
};

// The bytes of a batch file holding every row that has a path, in order: each value on a line
// of its own between double quotes, CR LF after every line. Throws ProgramError for a value
// that the file cannot hold (a double quote or a line end inside it, or a character the
// system's encoding cannot represent).
QByteArray batchFileBytes(const std::vector<BatchRow> &rows, const QString &path);

// Replaces the file at path with batchFileBytes(rows) in one step: a save that fails leaves
// the previous file as it was. Throws ProgramError when the file cannot be written.
void writeBatchFileAtomically(const QString &path, const std::vector<BatchRow> &rows);
