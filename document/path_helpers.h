#pragma once

#include <QString>

// The batch name of a batch file's path: the file name without its folder and without a
// three-letter extension; empty when the path has no folder or no such extension.
QString FileExtract(const QString &PathSpec);

// The 1-based position of the last match of String2 in String1, or 0. With Prev, the search
// goes on one position before the previous match.
qint32 RInstr(const QString &String1, const QString &String2, bool Prev);
