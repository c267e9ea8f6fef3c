#pragma once

#include <QString>

// The batch name of a batch file's path: the file name without its folder and without a
// three-letter extension; empty when the path has no folder or no such extension.
QString batchNameFromPath(const QString &path);

// The 1-based position of the last match of wanted in text, or 0. With continueBackward, the search
// goes on one position before the previous match.
qint32 lastPositionOf(const QString &text, const QString &wanted, bool continueBackward);
